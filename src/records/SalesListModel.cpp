#include "records/SalesListModel.h"

#include "records/RecordValue.h"

#include <QSet>

#include <numeric>

namespace {

QList<RecordListModel::Column> salesColumns()
{
    const Qt::Alignment right = Qt::AlignRight;
    return {{QStringLiteral("序"), 29},          {QStringLiteral("销售票号"), 93},
            {QStringLiteral("销售时间"), 133},   {QStringLiteral("数量"), 57, right},
            {QStringLiteral("金额"), 78, right}, {QStringLiteral("实收金额"), 0, right},
            {QStringLiteral("收银员"), 67},      {QStringLiteral("备注"), 100},
            {QStringLiteral("客户"), 67},        {QStringLiteral("电话"), 90},
            {QStringLiteral("付款方式"), 70}};
}

} // namespace

SalesListModel::SalesListModel(QObject *parent) : RecordListModel(salesColumns(), parent) {}

void SalesListModel::fill(Database &db, const QueryStatement &sales)
{
    beginResetModel();
    m_order.clear();
    try {
        m_sales.fetch(db, sales);
    } catch (...) {
        m_sales.clear();
        endResetModel();
        throw;
    }
    m_order.resize(m_sales.size());
    std::iota(m_order.begin(), m_order.end(), 0);
    endResetModel();
}

int SalesListModel::saleAt(int row) const
{
    return row >= 0 && row < int(m_order.size()) ? m_order[row] : -1;
}

QString SalesListModel::cellText(int row, int column) const
{
    if (const std::optional<QByteArrayView> bytes = cellBytes(row, column))
        return QString::fromUtf8(*bytes);
    const int sale = m_order[row];
    switch (column) {
    case 0:
        return QString::number(sale + 1);
    case 3:
        return RecordValue::quantity(m_sales.quantity(sale));
    case 4:
    case 5:
        return RecordValue::money(m_sales.money(sale));
    default:
        return {};
    }
}

std::optional<double> SalesListModel::cellNumber(int row, int column) const
{
    const int sale = m_order[row];
    switch (column) {
    case 0:
        return sale + 1;
    case 3:
        return m_sales.quantity(sale);
    case 4:
    case 5:
        return m_sales.money(sale);
    default:
        return std::nullopt;
    }
}

std::optional<QByteArrayView> SalesListModel::cellBytes(int row, int column) const
{
    const int sale = m_order[row];
    switch (column) {
    case 1:
        return m_sales.bytes(sale, SaleRows::Number);
    case 2:
        return m_sales.bytes(sale, SaleRows::Date);
    case 6:
        return m_sales.bytes(sale, SaleRows::Cashier);
    case 7:
        return m_sales.bytes(sale, SaleRows::Remark);
    case 8:
        return m_sales.bytes(sale, SaleRows::Customer);
    case 9:
        return m_sales.bytes(sale, SaleRows::Phone);
    case 10:
        return m_sales.bytes(sale, SaleRows::Payment);
    default:
        return std::nullopt;
    }
}

std::optional<ExportCells::Number> SalesListModel::exportNumber(int row, int column) const
{
    const int sale = m_order[row];
    switch (column) {
    case 0:
        return Number{double(sale + 1), 0};
    case 3:
        return RecordValue::shownQuantity(m_sales.quantity(sale));
    case 4:
    case 5:
        return RecordValue::shownMoney(m_sales.money(sale));
    default:
        return std::nullopt;
    }
}

void SalesListModel::dropSales(const QList<int> &sales)
{
    const QSet<int> gone(sales.begin(), sales.end());
    std::erase_if(m_order, [&](int sale) { return gone.contains(sale); });
}

void SalesListModel::permuteRows(const std::vector<int> &order)
{
    std::vector<int> sorted;
    sorted.reserve(order.size());
    for (int from : order)
        sorted.push_back(m_order[from]);
    m_order.swap(sorted);
}
