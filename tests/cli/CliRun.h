#pragma once

#include <QString>
#include <QStringList>

// quillmarch-cli and the sqlite3 command, run as a person or a script runs
// them: a process, its exit status and what it wrote.
struct CliRun
{
    int exit = -1;
    QString out;
    QString err;

    // quillmarch-cli with ARGUMENTS, in the test's environment (its odbc.ini
    // and data folders).
    static CliRun cli(const QStringList &arguments);
    // The sqlite3 command on FILE, read-only: one line per row, "|" between columns.
    static QString sqlite(const QString &file, const QString &sql);
};
