#pragma once

#include <QMap>
#include <QString>

class Database;

// Column widths a person dragged in a list, kept in the settings database by
// the list's name ("LIST_COLUMN"), so the list opens with them next time.
class ColumnWidths
{
public:
    // Column -> width in pixels; empty when none were kept (or the settings
    // file predates the table).
    static QMap<int, int> load(Database &settingsDb, const QString &list);
    // Keeps WIDTHS for LIST, replacing what it had for those columns, in one
    // transaction. Throws DatabaseError.
    static void store(Database &settingsDb, const QString &list, const QMap<int, int> &widths);

private:
    static const QString table;
};
