#pragma once

#include "cli/CliCommand.h"

#include <QStringList>

#include <memory>
#include <vector>

// quillmarch-cli: "quillmarch-cli [--data-home DIR] COMMAND [options]". Finds
// the command, answers --help and --version, and runs it.
class CliProgram
{
public:
    CliProgram();

    // ARGUMENTS without the program's name; returns the exit status.
    int run(const QStringList &arguments, const QString &programDir);
    QString help() const;

private:
    CliCommand *find(const QString &name) const;

    std::vector<std::unique_ptr<CliCommand>> m_commands;
};
