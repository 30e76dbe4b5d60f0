#include "records/RecordListModel.h"

#include <QSet>

RecordListModel::RecordListModel(QList<Column> columns, QObject *parent)
    : SortableModel(parent), m_columns(std::move(columns))
{
}

int RecordListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rowTotal());
}

int RecordListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant RecordListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return cellText(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return int(m_columns.value(index.column()).alignment | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        if (m_background.isValid())
            return m_background;
        break;
    default:
        break;
    }
    return {};
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return m_columns[section].title;
    if (role == Qt::TextAlignmentRole)
        return int(m_columns[section].alignment | Qt::AlignVCenter);
    return {};
}

void RecordListModel::removeSales(const QList<int> &sales)
{
    if (sales.isEmpty())
        return;
    beginResetModel();
    for (int sale : sales)
        m_sales.remove(sale);
    dropSales(sales);
    endResetModel();
}

void RecordListModel::updateSale(int sale, double money, double quantity,
                                 const std::array<QString, SaleRows::FieldCount> &texts)
{
    m_sales.update(sale, money, quantity, texts);
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

QString RecordListModel::text(int row, int column) const
{
    return row >= 0 && row < rowCount() ? cellText(row, column) : QString();
}

std::vector<int> RecordListModel::sortOrder(int column, ColumnKind kind, bool ascending)
{
    const int rows = rowCount();
    // Numbers sort by the stored values, not by their rounded display.
    if (kind == ColumnKind::Integer || kind == ColumnKind::Decimal) {
        std::vector<double> numbers;
        numbers.reserve(rows);
        for (int row = 0; row < rows; ++row) {
            const std::optional<double> number = cellNumber(row, column);
            if (!number)
                break;
            numbers.push_back(*number);
        }
        if (int(numbers.size()) == rows)
            return ListSorter::order(numbers, ascending);
    }
    std::vector<QString> texts;
    texts.reserve(rows);
    for (int row = 0; row < rows; ++row)
        texts.push_back(cellText(row, column));
    std::vector<QStringView> views(texts.begin(), texts.end());
    return ListSorter::order(views, kind, ascending, m_textOrder);
}
