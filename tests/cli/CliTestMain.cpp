// Entry point of the command-line companion's tests: like the program they
// test, they need no widgets. A private odbc.ini and private XDG folders for
// this process and the commands it runs.
#include "support/PrivateUserFolders.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char **argv)
{
    QTemporaryDir privateDir;
    usePrivateUserFolders(QDir(privateDir.path()));
    QCoreApplication app(argc, argv);
    std::setlocale(LC_CTYPE, "C.UTF-8");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
