#include "sales/SaleStore.h"

#include "core/Clock.h"
#include "data/Database.h"
#include "data/Transaction.h"
#include "printing/ReceiptNumber.h"
#include "sales/SaleNumbers.h"
#include "sales/SaleRecord.h"

#include <cmath>

using SaleNumbers::rounded;
using SaleNumbers::value;

QString SaleStore::numberTakenMessage(const QString &number)
{
    return QStringLiteral("单号“%1”已经存在，不能重复保存！请修改单号后再保存。").arg(number);
}

QString SaleStore::commitInDoubtMessage()
{
    return QStringLiteral("与数据库服务器的连接在保存时中断了，还不知道这笔销售是否已经保存。"
                          "正在确认，请稍候…");
}

QString SaleStore::notFiniteMessage()
{
    return QStringLiteral("数值超出范围，无法保存！请检查数量、单价和金额。");
}

QString SaleStore::noNumberMessage()
{
    return QStringLiteral("单号不能为空！请输入单号后再保存。");
}

bool SaleStore::numberExists(Database &records, const QString &number)
{
    return records.scalar(QStringLiteral("select count(*) from \"POS_RECORD\" where \"NO\" = ?"),
                          {number}) != QLatin1String("0");
}

bool SaleStore::allFinite(const SaleRecord &sale)
{
    if (!std::isfinite(sale.discountedTotal) || !std::isfinite(sale.totalQuantity))
        return false;
    for (const SaleLine &line : sale.lines)
        for (const QString *text : {&line.quantity, &line.price, &line.amount, &line.discounted})
            if (!std::isfinite(value(*text)))
                return false;
    return true;
}

SaleStore::Result SaleStore::save(Database &records, const SaleRecord &sale)
{
    return write(records, sale, false);
}

SaleStore::Result SaleStore::saveAndConsume(Database &records, const SaleRecord &sale)
{
    return write(records, sale, true);
}

SaleStore::Result SaleStore::saveUnderNextNumber(Database &records, SaleRecord &sale,
                                                 const QString &prefix)
{
    if (!allFinite(sale))
        return Result::NotFinite;
    Transaction transaction(records);
    records.exec(records.dialect().lockCounter());
    const Result result = insertUnderNextNumber(records, sale, prefix);
    if (result == Result::Saved)
        commit(transaction);
    return result;
}

SaleStore::Result SaleStore::insertUnderNextNumber(Database &records, SaleRecord &sale,
                                                   const QString &prefix)
{
    sale.number = ReceiptNumber::load(records, prefix);
    if (numberExists(records, sale.number) || !insert(records, sale))
        return Result::NumberTaken;
    ReceiptNumber::consume(records);
    return Result::Saved;
}

void SaleStore::commit(Transaction &transaction, const QString &inDoubtText)
{
    try {
        transaction.commit();
    } catch (const DatabaseError &error) {
        if (error.kind() != DatabaseError::Kind::ConnectionLost)
            throw;
        throw DatabaseError(inDoubtText, DatabaseError::Kind::CommitInDoubt, error.file());
    }
}

QString SaleStore::linesQuery(const Database &records)
{
    return QStringLiteral("select \"name\", \"num\", \"price\", \"money\", \"standby1\" from "
                          "\"POS_RECORD_DETAIL\" where \"NO\" = ? order by ") +
           records.insertionOrder(QStringLiteral("POS_RECORD_DETAIL"));
}

namespace {

// Stored money and quantities are rounded to two decimals.
bool sameAmount(double stored, double onScreen)
{
    return std::abs(stored - rounded(onScreen)) < 0.005;
}

} // namespace

SaleStore::Held SaleStore::held(Database &records, const SaleRecord &sale)
{
    if (!numberExists(records, sale.number))
        return Held::Nothing;
    const QString sameHeader = records.scalar(
        QStringLiteral("select count(*) from \"POS_RECORD\" where \"NO\"=? and "
                       "\"date\"=? and \"saler\"=? and \"money\"=?"),
        {sale.number, Clock::stamp(sale.time), sale.cashier, rounded(sale.discountedTotal)});
    if (sameHeader == QLatin1String("0"))
        return Held::Different;
    Database::Rows lines = records.query(linesQuery(records), {sale.number});
    for (const SaleLine &line : sale.lines) {
        if (!lines.next() || lines.text(0) != line.name ||
            !sameAmount(lines.number(1), value(line.quantity)) ||
            !sameAmount(lines.number(2), value(line.price)) ||
            !sameAmount(lines.number(3), value(line.amount)) ||
            !sameAmount(lines.number(4), value(line.discounted)))
            return Held::Different;
    }
    return lines.next() ? Held::Different : Held::Same;
}

SaleStore::Settled SaleStore::settle(Database &records, SaleRecord &sale, bool fromCounter,
                                     const QString &prefix)
{
    Transaction transaction(records);
    // Waits for the server to end the transaction in doubt, if it still runs.
    records.exec(records.dialect().lockCounter());
    Settled settled;
    settled.held = held(records, sale);
    if (settled.held == Held::Different && fromCounter)
        settled.held = Held::Nothing;
    if (settled.held != Held::Nothing)
        return settled;
    if (fromCounter) {
        settled.result = insertUnderNextNumber(records, sale, prefix);
    } else {
        settled.result = insert(records, sale) ? Result::Saved : Result::NumberTaken;
        if (settled.result == Result::Saved)
            ReceiptNumber::consume(records);
    }
    if (settled.result == Result::Saved)
        commit(transaction);
    return settled;
}

SaleStore::Result SaleStore::write(Database &records, const SaleRecord &sale, bool consume)
{
    if (sale.number.trimmed().isEmpty())
        return Result::NoNumber;
    if (sale.number != sale.number.trimmed()) {
        SaleRecord trimmed = sale;
        trimmed.number = sale.number.trimmed();
        return write(records, trimmed, consume);
    }
    if (!allFinite(sale))
        return Result::NotFinite;
    Transaction transaction(records);
    records.exec(records.dialect().lockCounter());
    if (numberExists(records, sale.number) || !insert(records, sale))
        return Result::NumberTaken;
    if (consume)
        ReceiptNumber::consume(records);
    commit(transaction);
    return Result::Saved;
}

// False when a unique index refused the number (stored meanwhile by a writer
// that did not wait for the counter).
bool SaleStore::insert(Database &records, const SaleRecord &sale)
{
    try {
        records.exec(
            QStringLiteral("insert into \"POS_RECORD\" (\"NO\",\"date\",\"money\",\"saler\","
                           "\"number\",\"standby1\",\"standby2\",\"standby3\",\"standby4\") "
                           "values (?,?,?,?,?,?,?,?,?)"),
            {sale.number, Clock::stamp(sale.time), rounded(sale.discountedTotal), sale.cashier,
             rounded(sale.totalQuantity), sale.remark, sale.customer, sale.phone, sale.payment});
    } catch (const DatabaseError &error) {
        if (error.kind() == DatabaseError::Kind::UniqueViolation)
            return false;
        throw;
    }
    insertLines(records, sale.number, sale.lines);
    return true;
}

void SaleStore::insertLines(Database &records, const QString &number,
                            const QVector<SaleLine> &lines)
{
    const QString lineInsert =
        QStringLiteral("insert into \"POS_RECORD_DETAIL\" (\"NO\",\"name\",\"num\",\"price\","
                       "\"money\",\"standby1\") values (?,?,?,?,?,?)");
    for (const SaleLine &line : lines)
        records.exec(lineInsert,
                     {number, line.name, rounded(value(line.quantity)), rounded(value(line.price)),
                      rounded(value(line.amount)), rounded(value(line.discounted))});
}
