#include "records/SaleDetails.h"

#include "data/Database.h"
#include "data/Transaction.h"
#include "sales/SaleNumbers.h"

namespace {

// The leading whole number of TEXT from byte POS on, as atoi reads it.
int numberAt(const QByteArray &text, int pos)
{
    if (pos >= text.size())
        return 0;
    return std::atoi(text.constData() + pos);
}

QString linesStatement(const Database &records)
{
    QString sql = QStringLiteral(
        "select \"name\", \"num\", \"price\", \"money\", \"standby1\" from \"POS_RECORD_DETAIL\" "
        "where \"NO\" = ?");
    const QString order = records.insertionOrder(QStringLiteral("POS_RECORD_DETAIL"));
    if (!order.isEmpty())
        sql += QStringLiteral(" order by ") + order;
    return sql;
}

} // namespace

SaleLine SaleDetails::line(int row, const QString &name, const QString &quantity,
                           const QString &price, const QString &amount, const QString &discounted)
{
    SaleLine line;
    line.number = QString::number(row + 1);
    line.name = name;
    line.fullName = name;
    line.quantity = quantity;
    line.price = price;
    line.amount = amount;
    line.discounted = discounted;
    line.itemData = row;
    return line;
}

SaleLines SaleDetails::load(Database &records, const QString &number)
{
    SaleLines lines;
    Database::Rows rows = records.query(linesStatement(records), {number});
    while (rows.next()) {
        lines.append(line(lines.count(), rows.text(0), rows.text(1), rows.text(2), rows.text(3),
                          rows.text(4)));
    }
    return lines;
}

SaleDetails::Saved SaleDetails::save(Database &records, const Header &header,
                                     const SaleLines &lines)
{
    using SaleNumbers::rounded;
    using SaleNumbers::value;
    double quantity = 0;
    Transaction transaction(records);
    records.exec(QStringLiteral("delete from \"POS_RECORD_DETAIL\" where \"NO\" = ?"),
                 {header.number});
    for (const SaleLine &line : lines.all()) {
        records.exec(
            QStringLiteral("insert into \"POS_RECORD_DETAIL\" (\"NO\", \"name\", \"num\", "
                           "\"price\", \"money\", \"standby1\") values (?, ?, ?, ?, ?, ?)"),
            {header.number, line.name, rounded(value(line.quantity)), rounded(value(line.price)),
             rounded(value(line.amount)), rounded(value(line.discounted))});
        quantity += value(line.quantity);
    }
    const double total = value(header.total);
    records.exec(QStringLiteral("update \"POS_RECORD\" set \"date\" = ?, \"money\" = ?, "
                                "\"number\" = ?, \"standby1\" = ?, \"standby2\" = ?, "
                                "\"standby3\" = ?, \"standby4\" = ? where \"NO\" = ?"),
                 {header.time, rounded(total), rounded(quantity), header.remark, header.customer,
                  header.phone, header.payment, header.number});
    transaction.commit();
    return {header.time, SaleNumbers::money(total), SaleNumbers::quantity(quantity)};
}

QDateTime SaleDetails::parseTime(const QString &text)
{
    const QByteArray bytes = text.toLatin1();
    const QDate date(numberAt(bytes, 0), numberAt(bytes, 5), numberAt(bytes, 8));
    const QTime time(numberAt(bytes, 11), numberAt(bytes, 14), numberAt(bytes, 17));
    return QDateTime(date, time);
}
