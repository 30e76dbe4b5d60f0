#include "controls/SortableModel.h"

QString SortableModel::sortSample(int row, int column) const
{
    return data(index(row, column), Qt::DisplayRole).toString();
}

void SortableModel::clickColumn(int column)
{
    const bool ascending = m_previousColumn != column ? true : !m_sortAscending;
    const QString sample = rowCount() >= 2 ? sortSample(1, column) : QString();
    sortRows(column, ListSorter::kindOf(column, sample), ascending);
}

void SortableModel::sortRows(int column, ColumnKind kind, bool ascending)
{
    m_sortColumn = column;
    m_previousColumn = column;
    m_sortAscending = ascending;
    m_columnKind = kind;
    applyOrder(sortOrder(column, kind, ascending));
    emit sorted(column, ascending);
}

void SortableModel::applyOrder(const std::vector<int> &order)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    permuteRows(order);

    std::vector<int> newPosition(order.size());
    for (size_t place = 0; place < order.size(); ++place)
        newPosition[order[place]] = int(place);
    const int rows = int(order.size());
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex &old : from)
        to.append(old.row() >= 0 && old.row() < rows ? index(newPosition[old.row()], old.column())
                                                     : QModelIndex());
    changePersistentIndexList(from, to);

    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
