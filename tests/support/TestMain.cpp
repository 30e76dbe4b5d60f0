// Entry point of every test program: a QApplication on the offscreen platform
// and a private odbc.ini, so no test touches the user's data sources.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

int main(int argc, char **argv)
{
    QTemporaryDir odbcDir;
    const QByteArray odbcIni = QDir(odbcDir.path()).filePath(QStringLiteral("odbc.ini")).toUtf8();
    setenv("ODBCINI", odbcIni.constData(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);

    QApplication app(argc, argv);
    std::setlocale(LC_CTYPE, "C.UTF-8");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
