#pragma once

#include "controls/SortListModel.h"

#include <QTableView>

class SortableHeader;

// The report list of every list window: rows of texts in columns, sorted by a
// click on a column header (first click ascending, the same column again
// turns the direction round, another column starts ascending again). The
// column's kind (integer, decimal, date, text) follows the text of its second
// row; column 1 always sorts as text. Whole rows move, item data included.
//
// Use: create it (or promote a QTableView in a form), set the look and the
// columns, then fill it:
//
//     m_list->setColumns({{"序号", 50}, {"用户名", 100}, {"金额", 78, Qt::AlignRight}});
//     m_list->setGridLines(true);
//     m_list->setRowHeights(17);
//     m_list->setColours(QColor(135, 215, 215), QColor(135, 215, 215), Qt::black);
//     m_list->addRow({"1", "admin", "12.50"}, 0);          // item data 0
//     m_list->setRows(rows);                               // bulk: 100,000 rows at once
//
// Read it back with rowCount(), text(row, column), itemData(row),
// selectedRows() and currentRow() (the selection mark, -1 for none). Owners
// connect rowClicked (mouse click, -1 outside the rows), rowDoubleClicked,
// selectedRowsChanged, contextMenuAt (right click) and deletePressed (the
// Delete key; the list itself deletes nothing). clear() removes the rows but
// keeps the columns and the sort state, so the next click on the same column
// turns the direction round.
class SortableList : public QTableView
{
    Q_OBJECT

public:
    struct Column
    {
        QString title;
        int width = 100;
        Qt::Alignment alignment = Qt::AlignLeft;
    };

    explicit SortableList(QWidget *parent = nullptr);

    SortListModel *listModel() const { return m_model; }
    // Shows a model of the owner's instead of the list's own rows (a large
    // list keeps its values compactly); the row functions below that take
    // texts act on the list's own rows only.
    void setSortableModel(SortableModel *model);
    SortableModel *sortableModel() const { return m_sortable; }
    SortableHeader *sortHeader() const { return m_header; }

    // Columns.
    void setColumns(const QList<Column> &columns);
    void addColumn(const Column &column);
    int columnCount() const { return m_sortable->columnCount(); }
    void setColumnTitle(int column, const QString &title);
    QString columnTitle(int column) const { return m_model->columnTitle(column); }

    // Rows.
    int rowCount() const { return m_sortable->rowCount(); }
    int addRow(const QStringList &texts, qint64 data);
    void insertRow(int row, const QStringList &texts, qint64 data);
    void removeRow(int row);
    void clear();
    // Replaces all rows at once; the plain-text form gives each row its
    // position as item data.
    void setRows(QList<SortListModel::Row> rows);
    void setRows(const QList<QStringList> &rows);
    void appendRows(QList<SortListModel::Row> rows);
    // The text shown in a cell (of the owner's model when it has one).
    QString text(int row, int column) const;
    void setText(int row, int column, const QString &text) { m_model->setText(row, column, text); }
    QStringList rowTexts(int row) const { return m_model->rowTexts(row); }
    qint64 itemData(int row) const { return m_model->itemData(row); }
    void setItemData(int row, qint64 data) { m_model->setItemData(row, data); }

    // Selection. The current row is the selection mark; -1 for none.
    QList<int> selectedRows() const;
    int currentRow() const;
    void setCurrentRow(int row);
    // Makes ROW the only selected row and the current one, and shows it.
    void selectOnly(int row);
    void setMultiSelect(bool multi);

    // Look.
    void setRowHeights(int pixels);
    int rowHeights() const;
    void setColours(const QColor &background, const QColor &textBackground, const QColor &text);
    void setGridLines(bool on) { setShowGrid(on); }
    void setFullRowSelect(bool on);
    void setMovableColumns(bool movable);

    // Sorting as a header click on COLUMN does it.
    void sortByClick(int column);
    int sortColumn() const { return m_sortable->sortColumn(); }
    bool sortAscending() const { return m_sortable->sortAscending(); }

signals:
    void rowClicked(int row);
    void rowDoubleClicked(int row);
    void selectedRowsChanged();
    void contextMenuAt(int row, const QPoint &globalPos);
    void deletePressed();
    void sorted(int column, bool ascending);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    SortListModel *m_model;
    SortableModel *m_sortable;
    SortableHeader *m_header;
    bool m_leftPressed = false;
};
