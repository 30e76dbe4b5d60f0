#pragma once

#include "records/LineRows.h"
#include "records/RecordListModel.h"

#include <vector>

// The detail total list of the query window: each sale followed by its lines,
// ten columns ("序", "销售票号", "销售时间（商品名）", "数量", "金额", "收银员",
// "备注", "客户", "电话", "付款方式"). A line row shows the name, the quantity
// and the discounted amount, and stands for its sale. Lines do not count in
// the totals.
class DetailListModel : public RecordListModel
{
    Q_OBJECT

public:
    explicit DetailListModel(QObject *parent = nullptr);

    void fill(Database &db, const QueryStatement &sales) override;
    int saleAt(int row) const override;
    bool isLineRow(int row) const;
    std::optional<Number> exportNumber(int row, int column) const override;

protected:
    int rowTotal() const override { return int(m_rows.size()); }
    QString cellText(int row, int column) const override;
    std::optional<double> cellNumber(int row, int column) const override;
    std::optional<QByteArrayView> cellBytes(int row, int column) const override;
    void dropSales(const QList<int> &sales) override;
    void permuteRows(const std::vector<int> &order) override;

private:
    struct Row
    {
        int sale = 0;
        int line = -1; // -1: the sale's own row
        int place = 0; // its place at the fill, shown in "序"
    };

    LineRows m_lines;
    std::vector<Row> m_rows;
};
