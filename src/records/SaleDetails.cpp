#include "records/SaleDetails.h"

#include "core/NumberText.h"
#include "data/Database.h"
#include "data/Transaction.h"
#include "sales/SaleNumbers.h"
#include "sales/SaleStore.h"

namespace {

// The leading whole number of TEXT from character POS on, as atoi reads it.
int numberAt(const QString &text, int pos)
{
    return NumberText::toInt(text.mid(pos));
}

} // namespace

QString SaleDetails::linesQuery(const Database &records)
{
    return QStringLiteral("select \"name\", \"num\", \"price\", \"money\", \"standby1\" from "
                          "\"POS_RECORD_DETAIL\" where \"NO\" = ? order by ") +
           records.insertionOrder(QStringLiteral("POS_RECORD_DETAIL"));
}

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
    Database::Rows rows = records.query(linesQuery(records), {number});
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
    const double quantity = lines.totals().quantity;
    Transaction transaction(records);
    records.exec(QStringLiteral("delete from \"POS_RECORD_DETAIL\" where \"NO\" = ?"),
                 {header.number});
    SaleStore::insertLines(records, header.number, lines.all());
    const double total = SaleNumbers::value(header.total);
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
    const QDate date(numberAt(text, 0), numberAt(text, 5), numberAt(text, 8));
    const QTime time(numberAt(text, 11), numberAt(text, 14), numberAt(text, 17));
    return QDateTime(date, time);
}
