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

    void append(const SaleLine &line);
    void replace(int row, const SaleLine &line);
    // Removes the given rows (any order, duplicates ignored), highest first.
    void remove(QList<int> rows);
    void clear();

    // Row numbers "1", "2", ... and item data 0, 1, ... in the current order.
    void renumber();
    // Puts the rows in the order given by their item data (after a sort of the list).
    void reorder(const QVector<int> &itemDataInOrder);

    SaleTotals totals() const;
    // The totals if LINE were put at ROW (ROW == count(): appended).
    SaleTotals totalsWith(int row, const SaleLine &line) const;

private:
    // Columns 2, 4 and 6 of a line read as numbers, kept beside the texts so
    // that the totals of a long sale are summed without reading every text again.
    struct Values
    {
        double quantity = 0;
        double amount = 0;
        double discounted = 0;
    };
    static Values valuesOf(const SaleLine &line);
    static void add(SaleTotals &totals, const Values &values);

    QVector<SaleLine> m_lines;
    QVector<Values> m_values;
};
