#include "app/DialogPrompt.h"
#include "app/FontAliases.h"
#include "app/QuitWhenShown.h"
#include "app/SalesWindows.h"
#include "app/Startup.h"
#include "core/AppSettings.h"
#include "core/CommandLine.h"
#include "data/DatabaseInit.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <clocale>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("Quillmarch"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QM_VERSION));
    CommandLine commandLine;
    if (CommandLine::noWindowsNeeded(argc, argv)) {
        // Help and version are printed without a display.
        QCoreApplication textOnly(argc, argv);
        commandLine.printTextAndExit(textOnly);
    }
    if (CommandLine::initDatabaseAsked(argc, argv)) {
        QCoreApplication core(argc, argv);
        std::setlocale(LC_CTYPE, "C.UTF-8");
        return DatabaseInit::runCommand(core.arguments().mid(1));
    }

    if (!CommandLine::displayAvailable(argc, argv)) {
        // Qt would end the program with an error about its platform plugin.
        std::fputs(CommandLine::noDisplayMessage().toUtf8().constData(), stderr);
        std::fputc('\n', stderr);
        return 1;
    }

    QApplication app(argc, argv);
    commandLine.process(app);
    // The desktop entry and icon of an installed program (none in the build tree).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quillmarch.Quillmarch"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("quillmarch")));
    // Text handed to the ODBC driver manager is UTF-8.
    std::setlocale(LC_CTYPE, "C.UTF-8");

    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator);
    FontAliases::install();
    // Messages and file dialogs are shown to the person at the till.
    Prompt::install(new DialogPrompt);
    SalesWindows::install(programSalesWindows());

    QuitWhenShown quitWhenShown;
    if (commandLine.quitWhenShown())
        app.installEventFilter(&quitWhenShown);

    Startup startup({QCoreApplication::applicationDirPath(), QDir::currentPath(), QString()});
    return startup.run(AppSettings::instance());
}
