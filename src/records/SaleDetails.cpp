#include "records/SaleDetails.h"

#include "core/NumberText.h"
#include "data/Database.h"
#include "data/Transaction.h"
#include "sales/SaleNumbers.h"
#include "sales/SaleStore.h"

#include <cmath>

namespace {

// The leading whole number of TEXT from character POS on, as atoi reads it.
int numberAt(const QString &text, int pos)
{
    return NumberText::toInt(text.mid(pos));
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
    Database::Rows rows = records.query(SaleStore::linesQuery(records), {number});
    while (rows.next()) {
        lines.append(line(lines.count(), rows.text(0), rows.text(1), rows.text(2), rows.text(3),
                          rows.text(4)));
    }
    return lines;
}

std::optional<double> SaleDetails::total(const QString &text)
{
    // NFKC turns full-width digits, point and sign into their ASCII forms.
    const QString plain = text.normalized(QString::NormalizationForm_KC).trimmed();
    bool ok = false;
    const double value = plain.toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::abs(value) > kTotalLimit)
        return std::nullopt;
    return value;
}

QString SaleDetails::commitInDoubtMessage()
{
    return QStringLiteral("与数据库服务器的连接在保存时中断了，不知道修改是否已经保存。"
                          "请在服务器恢复后刷新查询结果，核对这笔销售后再修改。");
}

SaleDetails::Outcome SaleDetails::save(Database &records, const Header &header,
                                       const SaleLines &lines, Saved *saved)
{
    using SaleNumbers::rounded;
    const std::optional<double> total = SaleDetails::total(header.total);
    if (!total)
        return Outcome::TotalNotANumber;
    const double quantity = lines.totals().quantity;
    Transaction transaction(records);
    // The header first: on a server its row stays locked until the commit, so
    // a deletion from another till cannot slip in between.
    const QString which = header.id ? QStringLiteral(" and \"id\" = ?") : QString();
    QVariantList values{header.time,     rounded(*total), rounded(quantity), header.remark,
                        header.customer, header.phone,    header.payment,    header.number};
    if (header.id)
        values.append(header.id);
    records.exec(QStringLiteral("update \"POS_RECORD\" set \"date\" = ?, \"money\" = ?, "
                                "\"number\" = ?, \"standby1\" = ?, \"standby2\" = ?, "
                                "\"standby3\" = ?, \"standby4\" = ? where \"NO\" = ?") +
                     which,
                 values);
    QVariantList key{header.number};
    if (header.id)
        key.append(header.id);
    if (records
            .scalar(QStringLiteral("select count(*) from \"POS_RECORD\" where \"NO\" = ?") + which,
                    key)
            .toInt() == 0)
        return Outcome::SaleGone; // rolled back
    records.exec(QStringLiteral("delete from \"POS_RECORD_DETAIL\" where \"NO\" = ?"),
                 {header.number});
    SaleStore::insertLines(records, header.number, lines.all());
    SaleStore::commit(transaction, commitInDoubtMessage());
    if (saved)
        *saved = {header.time, SaleNumbers::money(*total), SaleNumbers::quantity(quantity)};
    return Outcome::Saved;
}

QDateTime SaleDetails::parseTime(const QString &text)
{
    const QDate date(numberAt(text, 0), numberAt(text, 5), numberAt(text, 8));
    const QTime time(numberAt(text, 11), numberAt(text, 14), numberAt(text, 17));
    return QDateTime(date, time);
}
