// Entry point of every test program: a QApplication on the offscreen platform,
// a private odbc.ini and private XDG folders for this process (CTest runs each
// case in a process of its own, several at once), and modal windows answered
// from each test's script.
#include "app/SalesWindows.h"
#include "support/PrivateUserFolders.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

namespace {

// Each test starts with no modal window scripted and must have opened all it scripted.
class DialogScriptCheck : public ::testing::EmptyTestEventListener
{
    void OnTestStart(const ::testing::TestInfo &) override { ScriptedDialogs::instance().clear(); }
};

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir privateDir;
    usePrivateUserFolders(QDir(privateDir.path()));
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
