#pragma once

#include "controls/ListSorter.h"

#include <QAbstractTableModel>

#include <optional>
#include <vector>

// The sort state of a sortable list and the header-click rule: the first click
// on a column sorts ascending, a further click on the same column turns the
// direction round, the kind follows the text of the second row. The rows
// themselves live in the subclass, which orders and moves them; the selection
// and current row of any view travel with their rows.
class SortableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void clickColumn(int column);
    void sortRows(int column, ColumnKind kind, bool ascending);
    int sortColumn() const { return m_sortColumn; }
    bool sortAscending() const { return m_sortAscending; }
    ColumnKind columnKind() const { return m_columnKind; }

signals:
    void sorted(int column, bool ascending);

protected:
    // The text that decides the kind of COLUMN (as displayed).
    virtual QString sortSample(int row, int column) const;
    // Position i of the result holds the row that goes to place i.
    virtual std::vector<int> sortOrder(int column, ColumnKind kind, bool ascending) = 0;
    // Rearranges the stored rows by ORDER (as sortOrder gives it).
    virtual void permuteRows(const std::vector<int> &order) = 0;

private:
    void applyOrder(const std::vector<int> &order);

    int m_sortColumn = -1;
    std::optional<int> m_previousColumn;
    bool m_sortAscending = false;
    ColumnKind m_columnKind = ColumnKind::Text;
};
