#pragma once

#include "printing/SaleSnapshot.h"

// A made-up sale that shows every part of a receipt: a wrapped product name,
// a discounted line, customer, phone, payment and a two-line remark. Used for
// the template samples and the measurements.
class ReceiptSample
{
public:
    // EXTRALINES more ordinary lines after the fixed ones.
    static SaleSnapshot sale(int extraLines = 0);
};
