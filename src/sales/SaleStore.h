#pragma once

#include "sales/SaleLine.h"

#include <QString>
#include <QVector>

class Database;
class Transaction;
struct SaleRecord;

// Writes finished sales into the records database. The header and the lines
// (and, for a sale saved without printing, its receipt number) go in together
// or not at all. A receipt number that is already stored is refused: two sales
// under one number would mix their lines; an empty number is refused, and
// blanks around a number are never stored. Every write first takes the receipt
// counter's lock, so tills sharing one database store one after another.
class SaleStore
{
public:
    enum class Result
    {
        Saved,
        NumberTaken,
        NotFinite,
        NoNumber
    };

    static QString numberTakenMessage(const QString &number);
    static QString notFiniteMessage();
    static QString noNumberMessage();

    static bool numberExists(Database &records, const QString &number);
    // The lines of sale NUMBER, in their order. Throws DatabaseError.
    static void insertLines(Database &records, const QString &number,
                            const QVector<SaleLine> &lines);

    // saveSaleRecord. Throws DatabaseError; nothing is written then.
    static Result save(Database &records, const SaleRecord &sale);
    // saveSaleRecord and consumeReceiptNumber in one transaction.
    static Result saveAndConsume(Database &records, const SaleRecord &sale);
    // The counter's next number is taken and the sale stored under it, in one
    // transaction that holds the counter's lock: another till that saves at the
    // same moment waits and takes the number after it. SALE's number becomes
    // the number taken (PREFIX and the counter).
    static Result saveUnderNextNumber(Database &records, SaleRecord &sale, const QString &prefix);

    // After a commit in doubt (DatabaseError::Kind::CommitInDoubt): whether
    // that very sale reached the database after all.
    static bool isStored(Database &records, const SaleRecord &sale);

private:
    static void commit(Transaction &transaction);
    static Result write(Database &records, const SaleRecord &sale, bool consume);
    static bool insert(Database &records, const SaleRecord &sale);
    static bool allFinite(const SaleRecord &sale);
};
