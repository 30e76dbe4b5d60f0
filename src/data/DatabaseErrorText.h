#pragma once

#include <QString>

// The one place where a database driver's error becomes a message for the
// person at the till: a Chinese sentence saying what failed, with which file
// and what to do, followed by the driver's own text for whoever helps them.
class DatabaseErrorText
{
public:
    // FILE: the database file, or the data source's name; may be empty.
    static QString describe(const QString &driverText, const QString &file);

private:
    static QString sentence(const QString &driverText, const QString &where);
};
