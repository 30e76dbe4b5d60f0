#include "records/DetailListModel.h"

#include "data/Database.h"
#include "records/QueryBuilder.h"
#include "records/RecordValue.h"

#include <QSet>

namespace {

QList<RecordListModel::Column> detailColumns()
{
    const Qt::Alignment right = Qt::AlignRight;
    return {{QStringLiteral("序"), 29},
            {QStringLiteral("销售票号"), 93},
            {QStringLiteral("销售时间（商品名）"), 133},
            {QStringLiteral("数量"), 57, right},
            {QStringLiteral("金额"), 78, right},
            {QStringLiteral("收银员"), 67},
            {QStringLiteral("备注"), 100},
            {QStringLiteral("客户"), 67},
            {QStringLiteral("电话"), 90},
            {QStringLiteral("付款方式"), 70}};
}

} // namespace

DetailListModel::DetailListModel(QObject *parent) : RecordListModel(detailColumns(), parent) {}

void DetailListModel::fill(Database &db, const QueryStatement &sales)
{
    beginResetModel();
    m_rows.clear();
    try {
        m_sales.fetch(db, sales);
        m_lines.fetch(db, QueryBuilder::linesOf(sales, db.dialect()));
    } catch (...) {
        m_sales.clear();
        m_lines.clear();
        endResetModel();
        throw;
    }
    m_rows.reserve(m_sales.size() + m_lines.size());
    for (int sale = 0; sale < m_sales.size(); ++sale) {
        m_rows.push_back({sale, -1, int(m_rows.size())});
        for (int line : m_lines.linesOf(m_sales.bytes(sale, SaleRows::Number)))
            m_rows.push_back({sale, line, int(m_rows.size())});
    }
    endResetModel();
}

int DetailListModel::saleAt(int row) const
{
    return row >= 0 && row < int(m_rows.size()) ? m_rows[row].sale : -1;
}

bool DetailListModel::isLineRow(int row) const
{
    return row >= 0 && row < int(m_rows.size()) && m_rows[row].line >= 0;
}

QString DetailListModel::cellText(int row, int column) const
{
    if (const std::optional<QByteArrayView> bytes = cellBytes(row, column))
        return QString::fromUtf8(*bytes);
    const Row &r = m_rows[row];
    switch (column) {
    case 0:
        return QString::number(r.place + 1);
    case 3:
        return RecordValue::quantity(r.line >= 0 ? m_lines.quantity(r.line)
                                                 : m_sales.quantity(r.sale));
    case 4:
        return RecordValue::money(r.line >= 0 ? m_lines.discounted(r.line) : m_sales.money(r.sale));
    default:
        return {};
    }
}

std::optional<double> DetailListModel::cellNumber(int row, int column) const
{
    const Row &r = m_rows[row];
    if (column == 0)
        return r.place + 1;
    if (column == 3)
        return r.line >= 0 ? m_lines.quantity(r.line) : m_sales.quantity(r.sale);
    if (column == 4)
        return r.line >= 0 ? m_lines.discounted(r.line) : m_sales.money(r.sale);
    return std::nullopt;
}

std::optional<QByteArrayView> DetailListModel::cellBytes(int row, int column) const
{
    const Row &r = m_rows[row];
    if (r.line >= 0) {
        switch (column) {
        case 0:
        case 3:
        case 4:
            return std::nullopt;
        case 2:
            return m_lines.nameBytes(r.line);
        default:
            return QByteArrayView();
        }
    }
    switch (column) {
    case 1:
        return m_sales.bytes(r.sale, SaleRows::Number);
    case 2:
        return m_sales.bytes(r.sale, SaleRows::Date);
    case 5:
        return m_sales.bytes(r.sale, SaleRows::Cashier);
    case 6:
        return m_sales.bytes(r.sale, SaleRows::Remark);
    case 7:
        return m_sales.bytes(r.sale, SaleRows::Customer);
    case 8:
        return m_sales.bytes(r.sale, SaleRows::Phone);
    case 9:
        return m_sales.bytes(r.sale, SaleRows::Payment);
    default:
        return std::nullopt;
    }
}

std::optional<ExportCells::Number> DetailListModel::exportNumber(int row, int column) const
{
    const Row &r = m_rows[row];
    if (column == 0)
        return Number{double(r.place + 1), 0};
    if (column == 3)
        return RecordValue::shownQuantity(r.line >= 0 ? m_lines.quantity(r.line)
                                                      : m_sales.quantity(r.sale));
    if (column == 4)
        return RecordValue::shownMoney(r.line >= 0 ? m_lines.discounted(r.line)
                                                   : m_sales.money(r.sale));
    return std::nullopt;
}

void DetailListModel::dropSales(const QList<int> &sales)
{
    const QSet<int> gone(sales.begin(), sales.end());
    std::erase_if(m_rows, [&](const Row &r) { return gone.contains(r.sale); });
}

void DetailListModel::permuteRows(const std::vector<int> &order)
{
    std::vector<Row> sorted;
    sorted.reserve(order.size());
    for (int from : order)
        sorted.push_back(m_rows[from]);
    m_rows.swap(sorted);
}
