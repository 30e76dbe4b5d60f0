// Entry point of the command-line companion's tests: like the program they
// test, they need no widgets. A private odbc.ini and private XDG folders for
// this process and the commands it runs.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

namespace {

void setPrivate(const char *variable, const QString &path)
{
    QDir().mkpath(path);
    setenv(variable, QFile::encodeName(path).constData(), 1);
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir privateDir;
    const QDir dir(privateDir.path());
    setenv("ODBCINI", QFile::encodeName(dir.filePath(QStringLiteral("odbc.ini"))).constData(), 1);
    setPrivate("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")));
    setPrivate("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")));
    setPrivate("XDG_RUNTIME_DIR", dir.filePath(QStringLiteral("runtime")));
    QFile::setPermissions(dir.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCoreApplication app(argc, argv);
    std::setlocale(LC_CTYPE, "C.UTF-8");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
