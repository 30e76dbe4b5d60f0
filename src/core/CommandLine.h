#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>

class QCoreApplication;

// The options the program takes. --help and --version print their text and
// end the program; they need no display, so main() asks noWindowsNeeded()
// before it creates the graphical application.
class CommandLine
{
public:
    CommandLine();

    // Prints help or version and ends the process when asked; an unknown
    // option ends it with a message. Otherwise returns.
    void process(const QCoreApplication &app);

    // True when the arguments only ask for text (help, version).
    static bool noWindowsNeeded(int argc, char *argv[]);
    // True when the arguments ask to prepare a database (--init-database).
    static bool initDatabaseAsked(int argc, char *argv[]);
    // Prints the version or the help asked for and ends the process. Options
    // meant for the graphical application (-platform, ...) are ignored here.
    [[noreturn]] void printTextAndExit(const QCoreApplication &app);

    // Close every window as soon as it is shown, after naming it on standard
    // output: start-up checks of an installed program, without a person.
    bool quitWhenShown() const;

private:
    QCommandLineParser m_parser;
    QCommandLineOption m_quitWhenShown;
};
