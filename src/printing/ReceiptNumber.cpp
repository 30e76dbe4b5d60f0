#include "printing/ReceiptNumber.h"

#include "core/NumberText.h"
#include "data/Database.h"
#include "data/Transaction.h"

QString ReceiptNumber::counterText(int counter)
{
    return QString::asprintf("%.7d", counter);
}

QString ReceiptNumber::load(Database &records, const QString &prefix)
{
    // The newest row only: a server hands over every row a select names.
    Database::Rows rows = records.query(QStringLiteral(
        "select \"id\" from \"AUTO_NUM\" where \"id\" = (select max(\"id\") from \"AUTO_NUM\")"));
    const int counter = rows.next() ? NumberText::toInt(rows.text(0)) : 0;
    return prefix + counterText(counter);
}

void ReceiptNumber::consume(Database &records)
{
    records.exec(records.dialect().insertCounterRow(), {QStringLiteral("1")});
}

void ReceiptNumber::take(Database &records)
{
    Transaction transaction(records);
    records.exec(records.dialect().lockCounter());
    consume(records);
    transaction.commit();
}

QString ReceiptNumber::datePrefix(const QDate &today)
{
    return QString::asprintf("%02d%02d%02d", today.year() % 100, today.month(), today.day());
}

QString ReceiptNumber::computePrefix(bool useCustom, bool useDate, const QString &custom,
                                     const QDate &today)
{
    QString prefix;
    if (useCustom)
        prefix = custom;
    if (useDate)
        prefix += datePrefix(today);
    return prefix;
}

QString ReceiptNumber::withPrefix(const QString &number, const QString &prefix)
{
    return prefix + number.right(7);
}
