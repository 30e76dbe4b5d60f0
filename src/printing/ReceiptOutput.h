#pragma once

#include "printing/SaleSnapshot.h"

// Where the receipt of a sale just finished goes: the shop's printers, with
// the copies the cashier asks for. The finishing of a sale prints through it
// without knowing what is on the other side.
class ReceiptOutput
{
public:
    virtual ~ReceiptOutput() = default;

    // Prints SALE's receipt as the sale's own (the cash drawer may open).
    // True when it reached a printer; why it did not has been told.
    virtual bool print(const SaleSnapshot &sale) = 0;
};
