#pragma once

#include "records/RecordListModel.h"

#include <vector>

// The sales list of the query window: one row per sale, eleven columns ("序",
// "销售票号", "销售时间", "数量", "金额", the hidden "实收金额", "收银员",
// "备注", "客户", "电话", "付款方式").
class SalesListModel : public RecordListModel
{
    Q_OBJECT

public:
    explicit SalesListModel(QObject *parent = nullptr);

    void fill(Database &db, const QueryStatement &sales) override;
    int saleAt(int row) const override;
    std::optional<Number> exportNumber(int row, int column) const override;

protected:
    int rowTotal() const override { return int(m_order.size()); }
    QString cellText(int row, int column) const override;
    std::optional<double> cellNumber(int row, int column) const override;
    std::optional<QByteArrayView> cellBytes(int row, int column) const override;
    void dropSales(const QList<int> &sales) override;
    void permuteRows(const std::vector<int> &order) override;

private:
    std::vector<int> m_order; // row -> sale
};
