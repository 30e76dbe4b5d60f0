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

    // What the cut-off commit left: the same sale stored under its number, none
    // stored under it, or another sale stored under it.
    enum class Held
    {
        Nothing,
        Same,
        Different
    };

    // settle(): what was found and, when nothing was, how the sale was stored now.
    struct Settled
    {
        Held held = Held::Nothing;
        Result result = Result::Saved;
    };

    static QString numberTakenMessage(const QString &number);
    // The person's text of a commit whose reply was lost: whether the sale was
    // stored is not known yet.
    static QString commitInDoubtMessage();
    static QString notFiniteMessage();
    static QString noNumberMessage();

    static bool numberExists(Database &records, const QString &number);
    // The lines of sale NUMBER, in their order. Throws DatabaseError.
    static void insertLines(Database &records, const QString &number,
                            const QVector<SaleLine> &lines);

    // Stores SALE under its own number. Throws DatabaseError; nothing is written then.
    static Result save(Database &records, const SaleRecord &sale);
    // Stores SALE and takes the counter's next number in one transaction.
    static Result saveAndConsume(Database &records, const SaleRecord &sale);
    // The counter's next number is taken and the sale stored under it, in one
    // transaction that holds the counter's lock: another till that saves at the
    // same moment waits and takes the number after it. SALE's number becomes
    // the number taken (PREFIX and the counter).
    static Result saveUnderNextNumber(Database &records, SaleRecord &sale, const QString &prefix);

    // A sale's lines (name, quantity, price, amount, discounted) in the order
    // they were stored; the sale's number is bound.
    static QString linesQuery(const Database &records);

    // After a commit in doubt (DatabaseError::Kind::CommitInDoubt): whether
    // SALE is stored under its number as it is (number, time, cashier, total
    // and every line), not at all, or another sale is.
    static Held held(Database &records, const SaleRecord &sale);
    // The same question under the counter's lock, so that the transaction in
    // doubt has ended on the server; when nothing is stored under the number,
    // the sale is stored now in that transaction, under the counter's next
    // number (FROMCOUNTER, PREFIX; SALE's number follows) or its own. A sale
    // of the counter's finds another sale under its number only when its own
    // commit did not happen (another till took the number): that counts as
    // nothing stored. Throws DatabaseError.
    static Settled settle(Database &records, SaleRecord &sale, bool fromCounter,
                          const QString &prefix);

    // Commits TRANSACTION; a connection lost while committing throws
    // DatabaseError::Kind::CommitInDoubt with INDOUBTTEXT: the work may be stored.
    static void commit(Transaction &transaction,
                       const QString &inDoubtText = commitInDoubtMessage());

private:
    static Result write(Database &records, const SaleRecord &sale, bool consume);
    static Result insertUnderNextNumber(Database &records, SaleRecord &sale, const QString &prefix);
    static bool insert(Database &records, const SaleRecord &sale);
    static bool allFinite(const SaleRecord &sale);
};
