#pragma once

#include <QString>

// The three totals summed from the list: total quantity (column 2), total
// amount (column 4) and the discounted total (column 6), the sum payable.
struct SaleTotals
{
    double quantity = 0;
    double amount = 0;
    double discounted = 0;

    bool isFinite() const;
    // The summary line under the list; the "折后" part only with the discount on.
    QString summary(bool discountEnabled) const;
};
