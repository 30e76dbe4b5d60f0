#pragma once

#include "cli/CliArguments.h"

#include <QString>
#include <QStringList>

class CliContext;

// One command of quillmarch-cli: its name, its help, and what it does. The
// exit status says how it went: 0 done, 1 failed (the reason on standard
// error), 2 the command line was wrong.
class CliCommand
{
public:
    enum Exit
    {
        Done = 0,
        Failed = 1,
        BadUsage = 2
    };

    virtual ~CliCommand() = default;

    virtual QString name() const = 0;
    // One line for the list of commands.
    virtual QString summary() const = 0;
    // The usage line and the options, for "COMMAND --help".
    virtual QString help() const = 0;

    // Parses WORDS (what follows the command's name), answers --help, finds
    // the data and runs the command.
    int run(const QStringList &words, CliContext &context);

    static void say(const QString &text);
    static void complain(const QString &text);

protected:
    // The command's own options; --help is always there.
    virtual QList<CliArguments::Option> options() const { return {}; }
    // Words after the options: how many the command takes at least and at most.
    virtual int fewestWords() const { return 0; }
    virtual int mostWords() const { return 0; }
    // False for a command that reaches its data source by name only.
    virtual bool needsData() const { return true; }
    virtual int execute(const CliArguments &arguments, CliContext &context) = 0;

    int usageError(const QString &text) const;
};
