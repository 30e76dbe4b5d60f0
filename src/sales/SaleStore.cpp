#include "sales/SaleStore.h"

#include "app/Clock.h"
#include "data/Database.h"
#include "data/Transaction.h"
#include "sales/ReceiptNumber.h"
#include "sales/SaleNumbers.h"
#include "sales/SaleRecord.h"

#include <cmath>

using SaleNumbers::rounded;
using SaleNumbers::value;

QString SaleStore::numberTakenMessage(const QString &number)
{
    return QStringLiteral("单号“%1”已经存在，不能重复保存！请修改单号后再保存。").arg(number);
}

QString SaleStore::notFiniteMessage()
{
    return QStringLiteral("数值超出范围，无法保存！请检查数量、单价和金额。");
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

SaleStore::Result SaleStore::write(Database &records, const SaleRecord &sale, bool consume)
{
    if (!allFinite(sale))
        return Result::NotFinite;
    Transaction transaction(records);
    if (numberExists(records, sale.number))
        return Result::NumberTaken;
    records.exec(QStringLiteral("insert into \"POS_RECORD\" (\"NO\",\"date\",\"money\",\"saler\","
                                "\"number\",\"standby1\",\"standby2\",\"standby3\",\"standby4\") "
                                "values (?,?,?,?,?,?,?,?,?)"),
                 {sale.number, Clock::stamp(sale.time), rounded(sale.discountedTotal), sale.cashier,
                  rounded(sale.totalQuantity), sale.remark, sale.customer, sale.phone,
                  sale.payment});
    const QString lineInsert =
        QStringLiteral("insert into \"POS_RECORD_DETAIL\" (\"NO\",\"name\",\"num\",\"price\","
                       "\"money\",\"standby1\") values (?,?,?,?,?,?)");
    for (const SaleLine &line : sale.lines)
        records.exec(lineInsert, {sale.number, line.name, rounded(value(line.quantity)),
                                  rounded(value(line.price)), rounded(value(line.amount)),
                                  rounded(value(line.discounted))});
    if (consume)
        ReceiptNumber::consume(records);
    transaction.commit();
    return Result::Saved;
}
