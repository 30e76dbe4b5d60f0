#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>

class QCoreApplication;

// The options the window program takes. --help and --version print their
// text and end the program; they need no display, so main() asks
// noWindowsNeeded() before it creates the graphical application, and
// displayAvailable() before it tries to open a window at all.
class CommandLine
{
public:
    CommandLine();

    // An unknown option ends the process with a message (exit status 2).
    // Otherwise returns.
    void process(const QCoreApplication &app);

    // True when the arguments only ask for text (help, version).
    static bool noWindowsNeeded(int argc, char *argv[]);
    // True when the arguments ask to prepare a database (--init-database).
    static bool initDatabaseAsked(int argc, char *argv[]);
    // Prints the version or the help asked for and ends the process. Options
    // meant for the graphical application (-platform, ...) are ignored here.
    [[noreturn]] void printTextAndExit(const QCoreApplication &app);

    // A window can be shown: a display (X11 or Wayland) is there, or a Qt
    // platform is named (QT_QPA_PLATFORM, -platform), offscreen among them.
    static bool displayAvailable(int argc, char *argv[]);
    // Said, in Chinese and English, when there is no display.
    static QString noDisplayMessage();
    // Every option, in the program's language.
    static QString helpText();

    // Close every window as soon as it is shown, after naming it on standard
    // output: start-up checks of an installed program, without a person.
    bool quitWhenShown() const;

private:
    QCommandLineParser m_parser;
    QCommandLineOption m_quitWhenShown;
};
