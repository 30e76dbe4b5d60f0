#pragma once

#include <QString>
#include <QStringList>

// Looks at one of the program's SQLite files before anything opens it for
// writing: present, readable, a whole SQLite database holding this program's
// tables, and writable together with its folder. Only reads the file, so a
// damaged or foreign file is reported and left exactly as it was.
class DataFileCheck
{
public:
    enum class Problem
    {
        None,
        Missing,
        NotAFile,
        Unreadable,
        Empty,
        NotADatabase,
        Truncated,
        Damaged,
        Foreign,
        ReadOnlyFile,
        ReadOnlyFolder
    };

    struct Result
    {
        Problem problem = Problem::None;
        QString file;
        QString detail; // driver text, missing tables or sizes, as the problem needs
        bool ok() const { return problem == Problem::None; }
    };

    static Result check(const QString &file, const QStringList &tables);
    static QStringList settingsTables();
    static QStringList recordsTables();

    // The message for the person at the till: the file, what is wrong, what to do.
    static QString message(const Result &result);

private:
    static Result readHeader(const QString &file);
    static Result readTables(const QString &file, const QStringList &tables);
    static Result checkWritable(const QString &file);
};
