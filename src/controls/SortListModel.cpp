#include "controls/SortListModel.h"

SortListModel::SortListModel(QObject *parent) : SortableModel(parent) {}

int SortListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int SortListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant SortListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !validRow(index.row()))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_rows[index.row()].texts.value(index.column());
    case Qt::TextAlignmentRole:
        return int(columnAlignment(index.column()) | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        if (m_textBackground.isValid())
            return m_textBackground;
        break;
    default:
        break;
    }
    return {};
}

QVariant SortListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole:
        return m_columns[section].title;
    case Qt::TextAlignmentRole:
        return int(m_columns[section].alignment | Qt::AlignVCenter);
    default:
        break;
    }
    return {};
}

void SortListModel::setColumns(const QList<Column> &columns)
{
    beginResetModel();
    m_columns = columns;
    endResetModel();
}

void SortListModel::addColumn(const Column &column)
{
    const int at = int(m_columns.size());
    beginInsertColumns({}, at, at);
    m_columns.append(column);
    endInsertColumns();
}

void SortListModel::setColumnTitle(int column, const QString &title)
{
    if (column < 0 || column >= m_columns.size())
        return;
    m_columns[column].title = title;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

QString SortListModel::columnTitle(int column) const
{
    return column >= 0 && column < m_columns.size() ? m_columns[column].title : QString();
}

Qt::Alignment SortListModel::columnAlignment(int column) const
{
    return column >= 0 && column < m_columns.size() ? m_columns[column].alignment : Qt::AlignLeft;
}

int SortListModel::appendRow(const QStringList &texts, qint64 data)
{
    const int row = int(m_rows.size());
    insertRow(row, texts, data);
    return row;
}

void SortListModel::insertRow(int row, const QStringList &texts, qint64 data)
{
    row = std::clamp(row, 0, int(m_rows.size()));
    beginInsertRows({}, row, row);
    m_rows.insert(row, Row{texts, data});
    endInsertRows();
}

void SortListModel::removeRow(int row)
{
    if (!validRow(row))
        return;
    beginRemoveRows({}, row, row);
    m_rows.removeAt(row);
    endRemoveRows();
}

void SortListModel::clear()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void SortListModel::setRows(QList<Row> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void SortListModel::appendRows(QList<Row> rows)
{
    if (rows.isEmpty())
        return;
    const int first = int(m_rows.size());
    beginInsertRows({}, first, first + int(rows.size()) - 1);
    m_rows.append(std::move(rows));
    endInsertRows();
}

QString SortListModel::text(int row, int column) const
{
    return validRow(row) ? m_rows[row].texts.value(column) : QString();
}

void SortListModel::setText(int row, int column, const QString &text)
{
    if (!validRow(row) || column < 0)
        return;
    QStringList &texts = m_rows[row].texts;
    while (texts.size() <= column)
        texts.append(QString());
    texts[column] = text;
    const QModelIndex cell = index(row, column);
    emit dataChanged(cell, cell, {Qt::DisplayRole});
}

QStringList SortListModel::rowTexts(int row) const
{
    return validRow(row) ? m_rows[row].texts : QStringList();
}

qint64 SortListModel::itemData(int row) const
{
    return validRow(row) ? m_rows[row].data : 0;
}

void SortListModel::setItemData(int row, qint64 data)
{
    if (validRow(row))
        m_rows[row].data = data;
}

int SortListModel::findItemData(qint64 data) const
{
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows[row].data == data)
            return row;
    }
    return -1;
}

void SortListModel::setTextBackground(const QColor &colour)
{
    m_textBackground = colour;
    if (!m_rows.isEmpty() && !m_columns.isEmpty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                         {Qt::BackgroundRole});
}

std::vector<int> SortListModel::sortOrder(int column, ColumnKind kind, bool ascending)
{
    std::vector<QStringView> texts;
    texts.reserve(m_rows.size());
    for (const Row &row : std::as_const(m_rows)) {
        if (column >= 0 && column < row.texts.size())
            texts.push_back(row.texts[column]);
        else
            texts.push_back(QStringView());
    }
    return ListSorter::order(texts, kind, ascending, m_textOrder);
}

void SortListModel::permuteRows(const std::vector<int> &order)
{
    QList<Row> sorted;
    sorted.reserve(m_rows.size());
    for (int from : order)
        sorted.append(std::move(m_rows[from]));
    m_rows.swap(sorted);
}
