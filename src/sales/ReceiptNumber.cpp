#include "sales/ReceiptNumber.h"

#include "app/NumberText.h"
#include "data/Database.h"

QString ReceiptNumber::counterText(int counter)
{
    return QString::asprintf("%.7d", counter);
}

QString ReceiptNumber::load(Database &records, const QString &prefix)
{
    Database::Rows rows =
        records.query(QStringLiteral("select * from \"AUTO_NUM\" order by \"id\" desc"));
    const int counter = rows.next() ? NumberText::toInt(rows.text(0)) : 0;
    return prefix + counterText(counter);
}

void ReceiptNumber::consume(Database &records)
{
    records.exec(QStringLiteral("insert into \"AUTO_NUM\" (\"num\") values (?)"),
                 {QStringLiteral("1")});
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

QString ReceiptNumber::computePrefix(Database &settings, const QDate &today)
{
    Database::Rows row =
        settings.query(QStringLiteral("select * from \"USER_SET\" where \"id\"=1"));
    if (!row.next())
        return {};
    const QString on = QStringLiteral("1");
    return computePrefix(row.text(4) == on, row.text(5) == on, row.text(6), today);
}

QString ReceiptNumber::withPrefix(const QString &number, const QString &prefix)
{
    return prefix + number.right(7);
}
