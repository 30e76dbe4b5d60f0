#include "records/SaleRows.h"

#include "data/Database.h"
#include "records/QueryStatement.h"
#include "records/RecordValue.h"
#include "records/ServerRows.h"
#include "records/SqliteRows.h"

#include <cmath>

namespace {

// The same walk through Qt's driver, for the engines read no other way.
class DriverRows
{
public:
    DriverRows(Database &db, const QueryStatement &statement)
        : m_rows(db.query(statement.sql, statement.values))
    {
    }
    bool next() { return m_rows.next(); }
    QByteArrayView text(int column)
    {
        m_texts[column % kKept] = RecordValue::utf8(m_rows.value(column));
        return m_texts[column % kKept];
    }
    double number(int column) const { return RecordValue::number(m_rows.value(column)); }
    qint64 integer(int column) const { return m_rows.value(column).toLongLong(); }

private:
    static constexpr int kKept = 16;
    Database::Rows m_rows;
    QByteArray m_texts[kKept];
};

template <class Rows> void readSales(Rows &rows, SaleRows &sales)
{
    static constexpr int columns[SaleRows::FieldCount] = {1, 2, 4, 6, 7, 8, 9};
    while (rows.next()) {
        std::array<QByteArrayView, SaleRows::FieldCount> texts;
        for (int field = 0; field < SaleRows::FieldCount; ++field)
            texts[field] = rows.text(columns[field]);
        sales.append(rows.integer(0), rows.number(3), rows.number(5), texts);
    }
}

} // namespace

void SaleRows::fetch(Database &db, const QueryStatement &statement)
{
    clear();
    if (sqlite3 *handle = SqliteRows::handleOf(db)) {
        SqliteRows rows(handle, statement);
        readSales(rows, *this);
    } else if (std::unique_ptr<ServerRows> server = ServerRows::run(db, statement)) {
        readSales(*server, *this);
    } else {
        DriverRows rows(db, statement);
        readSales(rows, *this);
    }
}

void SaleRows::clear()
{
    // Both blocks keep their room: a list is filled again and again with
    // results of about one size, and growing the blocks anew each time made
    // a refill now and then take twice as long.
    m_sales.clear();
    m_texts.resize(0);
}

void SaleRows::append(qint64 id, double money, double quantity,
                      const std::array<QByteArrayView, FieldCount> &texts)
{
    Sale sale;
    sale.id = id;
    sale.money = money;
    sale.quantity = quantity;
    for (int field = 0; field < FieldCount; ++field) {
        sale.offsets[field] = quint32(m_texts.size());
        m_texts.append(texts[field]);
    }
    sale.offsets[FieldCount] = quint32(m_texts.size());
    m_sales.push_back(sale);
}

void SaleRows::update(int sale, double money, double quantity,
                      const std::array<QString, FieldCount> &texts)
{
    Sale &edited = m_sales[sale];
    edited.money = money;
    edited.quantity = quantity;
    for (int field = 0; field < FieldCount; ++field) {
        edited.offsets[field] = quint32(m_texts.size());
        m_texts.append(texts[field].toUtf8());
    }
    edited.offsets[FieldCount] = quint32(m_texts.size());
}

QByteArrayView SaleRows::bytes(int sale, Field field) const
{
    const Sale &s = m_sales[sale];
    return QByteArrayView(m_texts.constData() + s.offsets[field],
                          s.offsets[field + 1] - s.offsets[field]);
}

QString SaleRows::text(int sale, Field field) const
{
    return QString::fromUtf8(bytes(sale, field));
}

double SaleRows::totalMoney() const
{
    double total = 0;
    for (const Sale &s : m_sales) {
        if (!s.removed && !std::isnan(s.money))
            total += s.money;
    }
    return total;
}

double SaleRows::totalQuantity() const
{
    double total = 0;
    for (const Sale &s : m_sales) {
        if (!s.removed && !std::isnan(s.quantity))
            total += s.quantity;
    }
    return total;
}
