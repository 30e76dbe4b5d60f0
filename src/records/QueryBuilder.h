#pragma once

#include "records/QueryConditions.h"
#include "records/QueryStatement.h"

#include <QDate>

class SqlDialect;

// The statements of the query window, for the records engine DIALECT. Only
// the conditions that are set add a clause; every value is bound. Exact mode
// compares whole texts; fuzzy mode finds the typed text anywhere, "%" and "_"
// in it taken literally, Latin letters in either case. Sale
// times are text "YYYY-MM-DD HH:MM:SS", so a time range is a text range that
// the index on "date" serves.
class QueryBuilder
{
public:
    // The columns of a sale, in this order: "id", "NO", "date", "money",
    // "saler", "number", "standby1" to "standby4".
    static QueryStatement sales(const QueryConditions &conditions, const SqlDialect &dialect);
    // The sales stored on DAY, at any time of day.
    static QueryStatement day(const QDate &day);
    // Receipt numbers containing TEXT (untrimmed); empty: every sale.
    static QueryStatement numberContains(const QString &text, const SqlDialect &dialect);
    // The lines ("NO", "name", "num", "standby1") of every sale that SALES
    // (one of the statements above) lists, in one statement; each sale's
    // lines in the order they were entered.
    static QueryStatement linesOf(const QueryStatement &sales, const SqlDialect &dialect);

    // The time bounds of a range: second 0 of the first minute to second 59
    // of the last.
    static QString lowerTime(const QDateTime &from);
    static QString upperTime(const QDateTime &to);
    static QString amountMessage();
    static QString timeRangeMessage();

private:
    static QString likePattern(const QString &text);
    // The fuzzy match: "<like> ? escape '\'".
    static QString containsClause(const SqlDialect &dialect);
};
