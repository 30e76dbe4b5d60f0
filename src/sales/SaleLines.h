#pragma once

#include "sales/SaleLine.h"
#include "sales/SaleTotals.h"

#include <QList>
#include <QVector>

// The lines of the sale being entered, in list order.
class SaleLines
{
public:
    int count() const { return int(m_lines.size()); }
    bool isEmpty() const { return m_lines.isEmpty(); }
    const SaleLine &at(int row) const { return m_lines.at(row); }
    const QVector<SaleLine> &all() const { return m_lines; }

    void append(const SaleLine &line) { m_lines.append(line); }
    void replace(int row, const SaleLine &line) { m_lines[row] = line; }
    // Removes the given rows (any order, duplicates ignored), highest first.
    void remove(QList<int> rows);
    void clear() { m_lines.clear(); }

    // Row numbers "1", "2", ... and item data 0, 1, ... in the current order.
    void renumber();
    // Puts the rows in the order given by their item data (after a sort of the list).
    void reorder(const QVector<int> &itemDataInOrder);

    SaleTotals totals() const;
    // The totals if LINE were put at ROW (ROW == count(): appended).
    SaleTotals totalsWith(int row, const SaleLine &line) const;

private:
    QVector<SaleLine> m_lines;
};
