#pragma once

#include <QString>

class Database;
struct SaleRecord;

// Writes finished sales into the records database. The header and the lines
// (and, for a sale saved without printing, its receipt number) go in together
// or not at all. A receipt number that is already stored is refused: two sales
// under one number would mix their lines.
class SaleStore
{
public:
    enum class Result
    {
        Saved,
        NumberTaken,
        NotFinite
    };

    static QString numberTakenMessage(const QString &number);
    static QString notFiniteMessage();

    static bool numberExists(Database &records, const QString &number);

    // SaveSaleRecord. Throws DatabaseError; nothing is written then.
    static Result save(Database &records, const SaleRecord &sale);
    // SaveSaleRecord and ConsumeReceiptNumber in one transaction.
    static Result saveAndConsume(Database &records, const SaleRecord &sale);

private:
    static Result write(Database &records, const SaleRecord &sale, bool consume);
    static bool allFinite(const SaleRecord &sale);
};
