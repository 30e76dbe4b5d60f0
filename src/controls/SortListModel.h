#pragma once

#include "controls/SortableModel.h"
#include "controls/TextOrder.h"

#include <QColor>
#include <QList>
#include <QStringList>

// The rows of a sortable list: every row holds one text per column and the
// owner's item data. Sorting by a header click follows the list's rules
// (direction, column kind, stable order) and moves whole rows; the selection
// and current row of any view travel with their rows.
class SortListModel : public SortableModel
{
    Q_OBJECT

public:
    struct Column
    {
        QString title;
        Qt::Alignment alignment = Qt::AlignLeft;
    };
    struct Row
    {
        QStringList texts;
        qint64 data = 0;
    };

    explicit SortListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Columns.
    void setColumns(const QList<Column> &columns);
    void addColumn(const Column &column);
    void setColumnTitle(int column, const QString &title);
    QString columnTitle(int column) const;
    Qt::Alignment columnAlignment(int column) const;

    // Rows. Texts beyond the column count are kept but not shown; missing
    // texts read as empty.
    int appendRow(const QStringList &texts, qint64 data);
    void insertRow(int row, const QStringList &texts, qint64 data);
    void removeRow(int row);
    void clear();
    // Bulk fill: one reset for the whole list instead of one notice per row.
    void setRows(QList<Row> rows);
    void appendRows(QList<Row> rows);

    QString text(int row, int column) const;
    void setText(int row, int column, const QString &text);
    QStringList rowTexts(int row) const;
    qint64 itemData(int row) const;
    void setItemData(int row, qint64 data);
    int findItemData(qint64 data) const;

    // A cell background of its own (the text background); invalid: none.
    void setTextBackground(const QColor &colour);
    QColor textBackground() const { return m_textBackground; }

protected:
    std::vector<int> sortOrder(int column, ColumnKind kind, bool ascending) override;
    void permuteRows(const std::vector<int> &order) override;

private:
    bool validRow(int row) const { return row >= 0 && row < m_rows.size(); }

    QList<Column> m_columns;
    QList<Row> m_rows;
    QColor m_textBackground;
    TextOrder m_textOrder;
};
