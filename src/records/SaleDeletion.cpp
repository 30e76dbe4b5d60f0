#include "records/SaleDeletion.h"

#include "data/Database.h"
#include "data/Transaction.h"

void SaleDeletion::remove(Database &db, const QList<Sale> &sales)
{
    Transaction transaction(db);
    for (const Sale &sale : sales) {
        db.exec(QStringLiteral("delete from \"POS_RECORD\" where \"id\" = ?"), {sale.id});
        db.exec(QStringLiteral("delete from \"POS_RECORD_DETAIL\" where \"NO\" = ? and not exists "
                               "(select 1 from \"POS_RECORD\" where \"NO\" = ?)"),
                {sale.number, sale.number});
    }
    transaction.commit();
}

QString SaleDeletion::oneQuestion(const QString &number)
{
    return QStringLiteral("真的要删除票号为 %1 的记录吗？").arg(number);
}

QString SaleDeletion::severalQuestion()
{
    return QStringLiteral("真的要删除所选中的多条记录吗？");
}
