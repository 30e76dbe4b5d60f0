#pragma once

#include "sales/SaleLines.h"

#include <QDateTime>
#include <QString>

#include <optional>

class Database;

// One stored sale as the details window edits it: the header fields of
// POS_RECORD and the lines of POS_RECORD_DETAIL. A line is kept as a SaleLine
// whose full name is its name (the details list has no hidden column).
class SaleDetails
{
public:
    struct Header
    {
        QString number;
        QString time; // "YYYY-MM-DD HH:MM:SS"
        QString customer;
        QString phone;
        QString payment;
        QString remark;
        QString total; // the total field's text, stored as "money"
        qint64 id = 0; // the row of POS_RECORD that was opened; 0: found by number alone
    };

    enum class Outcome
    {
        Saved,
        TotalNotANumber, // nothing stored
        SaleGone         // the sale was deleted meanwhile: nothing stored
    };

    // What a save stored, for the query window's row.
    struct Saved
    {
        QString time;
        QString total;    // "%.2f"
        QString quantity; // "%g", the sum of the lines' quantities
    };

    // The lines of sale NUMBER in the order they were stored, numbered 1, 2, ...
    // Throws DatabaseError.
    static SaleLines load(Database &records, const QString &number);

    // A lost connection while the save commits: the change may be stored or not.
    static QString commitInDoubtMessage();

    // Rewrites the header and then the lines of the sale in one transaction,
    // only while the sale opened (by id and number) is still stored: a
    // failure leaves the sale as it was. The cashier is not changed. SAVED
    // gets what was stored. Throws DatabaseError.
    static Outcome save(Database &records, const Header &header, const SaleLines &lines,
                        Saved *saved);

    // The typed total: a finite number within the bounds a query can find
    // (full-width digits read as digits); nothing for any other text.
    static std::optional<double> total(const QString &text);
    static constexpr double kTotalLimit = 99999999;

    // The stored time text read by its fixed positions (year at 0, month at 5,
    // day at 8, hour at 11, minute at 14, second at 17), each the leading
    // whole number found there.
    static QDateTime parseTime(const QString &text);

    static SaleLine line(int row, const QString &name, const QString &quantity,
                         const QString &price, const QString &amount, const QString &discounted);
};
