#include "sales/SaleLines.h"

#include "sales/SaleNumbers.h"

#include <QHash>

#include <algorithm>

SaleLines::Values SaleLines::valuesOf(const SaleLine &line)
{
    return {SaleNumbers::value(line.quantity), SaleNumbers::value(line.amount),
            SaleNumbers::value(line.discounted)};
}

void SaleLines::add(SaleTotals &totals, const Values &values)
{
    totals.quantity += values.quantity;
    totals.amount += values.amount;
    totals.discounted += values.discounted;
}

void SaleLines::append(const SaleLine &line)
{
    m_lines.append(line);
    m_values.append(valuesOf(line));
}

void SaleLines::replace(int row, const SaleLine &line)
{
    m_lines[row] = line;
    m_values[row] = valuesOf(line);
}

void SaleLines::clear()
{
    m_lines.clear();
    m_values.clear();
}

void SaleLines::remove(QList<int> rows)
{
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (const int row : rows)
        if (row >= 0 && row < count()) {
            m_lines.removeAt(row);
            m_values.removeAt(row);
        }
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
    QVector<SaleLine> lines;
    QVector<Values> values;
    lines.reserve(m_lines.size());
    values.reserve(m_values.size());
    for (const int data : itemDataInOrder) {
        const auto found = rowOf.constFind(data);
        if (found == rowOf.constEnd())
            return; // not a permutation of these rows: keep the order we have
        lines.append(m_lines.at(found.value()));
        values.append(m_values.at(found.value()));
    }
    m_lines = std::move(lines);
    m_values = std::move(values);
}

// Summed in list order, as the texts would be.
SaleTotals SaleLines::totals() const
{
    SaleTotals totals;
    for (const Values &values : m_values)
        add(totals, values);
    return totals;
}

SaleTotals SaleLines::totalsWith(int row, const SaleLine &line) const
{
    const Values changed = valuesOf(line);
    SaleTotals totals;
    for (int i = 0; i < count(); ++i)
        add(totals, i == row ? changed : m_values.at(i));
    if (row >= count())
        add(totals, changed);
    return totals;
}
