#include "records/RecordListModel.h"

#include <QSet>

#include <string_view>
#include <unordered_map>

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
    if (kind == ColumnKind::Text) {
        if (std::optional<std::vector<int>> order = storedTextOrder(column, ascending))
            return *order;
    }
    std::vector<QString> texts;
    texts.reserve(rows);
    for (int row = 0; row < rows; ++row)
        texts.push_back(cellText(row, column));
    std::vector<QStringView> views(texts.begin(), texts.end());
    return ListSorter::order(views, kind, ascending, m_textOrder);
}

// A text column holds few distinct texts (five cashiers, four ways to pay):
// each distinct text is read and ranked once, and the rows sort by the ranks
// of their texts as integers. Nullopt when a cell holds no stored text.
std::optional<std::vector<int>> RecordListModel::storedTextOrder(int column, bool ascending)
{
    const int rows = rowCount();
    std::unordered_map<std::string_view, int> seen;
    std::vector<QString> distinct;
    std::vector<int> rowTexts(rows);
    for (int row = 0; row < rows; ++row) {
        const std::optional<QByteArrayView> bytes = cellBytes(row, column);
        if (!bytes)
            return std::nullopt;
        const auto [found, added] =
            seen.try_emplace(std::string_view(bytes->data(), bytes->size()), int(distinct.size()));
        if (added)
            distinct.push_back(QString::fromUtf8(*bytes));
        rowTexts[row] = found->second;
    }
    const std::vector<int> ranks =
        m_textOrder.ranks(std::vector<QStringView>(distinct.begin(), distinct.end()));
    for (int &text : rowTexts)
        text = ranks[text];
    return ListSorter::order(rowTexts, ascending);
}
