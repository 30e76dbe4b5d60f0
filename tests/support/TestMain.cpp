// Entry point of every test program: a QApplication on the offscreen platform,
// a private odbc.ini and private XDG folders for this process (CTest runs each
// case in a process of its own, several at once), and modal windows answered
// from each test's script.
#include "app/SalesWindows.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
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

// Each test starts with no modal window scripted and must have opened all it scripted.
class DialogScriptCheck : public ::testing::EmptyTestEventListener
{
    void OnTestStart(const ::testing::TestInfo &) override { ScriptedDialogs::instance().clear(); }
};

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir privateDir;
    const QDir dir(privateDir.path());
    setenv("ODBCINI", QFile::encodeName(dir.filePath(QStringLiteral("odbc.ini"))).constData(), 1);
    setPrivate("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")));
    // The file dialogs remember their last folder in the user's configuration.
    setPrivate("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")));
    setPrivate("XDG_RUNTIME_DIR", dir.filePath(QStringLiteral("runtime")));
    QFile::setPermissions(dir.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);

    QApplication app(argc, argv);
    std::setlocale(LC_CTYPE, "C.UTF-8");
    ::testing::InitGoogleTest(&argc, argv);
    ScriptedDialogs::instance();
    // The sales windows the tests open have the program's wiring.
    SalesWindows::install(programSalesWindows());
    ::testing::UnitTest::GetInstance()->listeners().Append(new DialogScriptCheck);
    return RUN_ALL_TESTS();
}
