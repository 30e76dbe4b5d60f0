#pragma once

#include <QString>
#include <QVariantList>

// One select over the records and the values bound to its "?" in order.
// ERROR, when not empty, says why no statement could be made (shown to the
// user; nothing runs).
struct QueryStatement
{
    QString sql;
    QVariantList values;
    // The "where ..." part over "POS_RECORD" (empty: every sale); VALUES
    // belong to it.
    QString filter;
    QString error;

    bool isValid() const { return error.isEmpty() && !sql.isEmpty(); }
};
