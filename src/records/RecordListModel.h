#pragma once

#include "controls/SortableModel.h"
#include "controls/TextOrder.h"
#include "records/SaleRows.h"
#include "spreadsheet/ExportCells.h"

#include <QColor>
#include <QList>

#include <optional>

class Database;
struct QueryStatement;

// What the two lists of the query window share: the sales of the last fill,
// the columns, the colours, sorting from the stored values, and which sale a
// row stands for. Each row carries its place at the fill as item data.
class RecordListModel : public SortableModel, public ExportCells
{
    Q_OBJECT

public:
    struct Column
    {
        QString title;
        int width = 0;
        Qt::Alignment alignment = Qt::AlignLeft;
    };

    explicit RecordListModel(QList<Column> columns, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    const QList<Column> &columns() const { return m_columns; }
    void setTextBackground(const QColor &colour) { m_background = colour; }

    // Runs the statement and shows its sales. Throws DatabaseError; the list
    // is then empty.
    virtual void fill(Database &db, const QueryStatement &sales) = 0;

    const SaleRows &sales() const { return m_sales; }
    // The sale a row stands for (a line row stands for its sale); -1 outside.
    virtual int saleAt(int row) const = 0;
    // Takes the rows of the given sales out of the list; they no longer count.
    void removeSales(const QList<int> &sales);
    // Shows the values a sale was saved with.
    void updateSale(int sale, double money, double quantity,
                    const std::array<QString, SaleRows::FieldCount> &texts);

    QString text(int row, int column) const;
    double totalQuantity() const { return m_sales.totalQuantity(); }
    double totalMoney() const { return m_sales.totalMoney(); }

    std::optional<QByteArrayView> exportText(int row, int column) const override
    {
        return cellBytes(row, column);
    }

protected:
    // The display text of a cell, and its stored number when the column holds
    // one for that row.
    virtual int rowTotal() const = 0;
    virtual QString cellText(int row, int column) const = 0;
    virtual std::optional<double> cellNumber(int row, int column) const = 0;
    // The stored UTF-8 of a cell that shows a stored text as it is.
    virtual std::optional<QByteArrayView> cellBytes(int row, int column) const = 0;
    virtual void dropSales(const QList<int> &sales) = 0;

    QString sortSample(int row, int column) const override { return cellText(row, column); }
    std::vector<int> sortOrder(int column, ColumnKind kind, bool ascending) override;

    SaleRows m_sales;

private:
    std::optional<std::vector<int>> storedTextOrder(int column, bool ascending);

    QList<Column> m_columns;
    QColor m_background;
    TextOrder m_textOrder;
};
