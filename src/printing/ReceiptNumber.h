#pragma once

#include <QDate>
#include <QString>

class Database;

// The receipt number of a sale: the prefix followed by the counter, written
// with at least seven digits. The counter is the newest row of AUTO_NUM in the
// records database; every finished sale adds one row.
class ReceiptNumber
{
public:
    // "%.7d": "0000012"; a counter above 9999999 simply has more digits.
    static QString counterText(int counter);

    // loadReceiptNumber: the number of the sale being entered.
    static QString load(Database &records, const QString &prefix);
    // consumeReceiptNumber: the finished sale takes its number. Inside a
    // transaction that holds the counter's lock (SqlDialect::lockCounter).
    static void consume(Database &records);
    // The same in a transaction of its own.
    static void take(Database &records);

    // The prefix: the custom text when it is on, then today's
    // "%02d%02d%02d" (two-digit year, month, day) when the date is on.
    static QString computePrefix(bool useCustom, bool useDate, const QString &custom,
                                 const QDate &today);
    static QString datePrefix(const QDate &today);

    // A number under a new prefix: the prefix and the last seven characters.
    static QString withPrefix(const QString &number, const QString &prefix);
};
