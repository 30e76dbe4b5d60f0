#pragma once

#include <QDate>
#include <QString>

class Database;

// How receipt numbers begin: an optional custom text and an optional date
// ("%02d%02d%02d" of today), kept in the login row of USER_SET (set1 custom
// on, set2 date on, set3 the custom text, kept while switched off).
struct ReceiptNumberFormat
{
    bool useCustom = false;
    bool useDate = false;
    QString custom;

    // From the login row; the defaults when there is none. Throws DatabaseError.
    static ReceiptNumberFormat load(Database &settingsDb);
    // Writes the two switches and the text to the login row. Throws DatabaseError.
    void store(Database &settingsDb) const;

    // The custom text when it is on, then today's date when that is on.
    QString prefix(const QDate &today) const;

    // NUMBER, which began with OLDPREFIX, under NEWPREFIX. The counter part is
    // what follows the old prefix when that is a run of at least seven digits
    // (so a counter beyond 9999999 keeps all its digits); otherwise the last
    // seven characters, as a number typed over by hand gives nothing better.
    static QString renumber(const QString &number, const QString &oldPrefix,
                            const QString &newPrefix);
};
