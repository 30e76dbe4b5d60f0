#include "sales/SaleLines.h"

#include "sales/SaleNumbers.h"

#include <QHash>

#include <algorithm>

void SaleLines::remove(QList<int> rows)
{
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (const int row : rows)
        if (row >= 0 && row < count())
            m_lines.removeAt(row);
}

void SaleLines::renumber()
{
    for (int i = 0; i < count(); ++i) {
        m_lines[i].number = QString::number(i + 1);
        m_lines[i].itemData = i;
    }
}

void SaleLines::reorder(const QVector<int> &itemDataInOrder)
{
    if (itemDataInOrder.size() != m_lines.size())
        return;
    QHash<int, int> rowOf;
    rowOf.reserve(m_lines.size());
    for (int i = 0; i < count(); ++i)
        rowOf.insert(m_lines.at(i).itemData, i);
    QVector<SaleLine> ordered;
    ordered.reserve(m_lines.size());
    for (const int data : itemDataInOrder) {
        const auto found = rowOf.constFind(data);
        if (found == rowOf.constEnd())
            return; // not a permutation of these rows: keep the order we have
        ordered.append(m_lines.at(found.value()));
    }
    m_lines = std::move(ordered);
}

namespace {

void add(SaleTotals &totals, const SaleLine &line)
{
    totals.quantity += SaleNumbers::value(line.quantity);
    totals.amount += SaleNumbers::value(line.amount);
    totals.discounted += SaleNumbers::value(line.discounted);
}

} // namespace

SaleTotals SaleLines::totals() const
{
    SaleTotals totals;
    for (const SaleLine &line : m_lines)
        add(totals, line);
    return totals;
}

SaleTotals SaleLines::totalsWith(int row, const SaleLine &line) const
{
    SaleTotals totals;
    for (int i = 0; i < count(); ++i)
        add(totals, i == row ? line : m_lines.at(i));
    if (row >= count())
        add(totals, line);
    return totals;
}
