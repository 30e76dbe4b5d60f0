#pragma once

#include "printing/SaleSnapshot.h"

class Database;
class QWidget;

// What the print flow and the preview need from the sales window. The sales
// window implements it; the tests use a double.
class PrintHost
{
public:
    virtual ~PrintHost() = default;

    // The sales window: parent of the messages and of the preview.
    virtual QWidget *window() = 0;
    // The settings connection the window holds open.
    virtual Database &settingsDatabase() = 0;

    // Rows in the sale list.
    virtual int saleLineCount() const = 0;
    // Pulls the controls into the window's values and returns the sale.
    virtual SaleSnapshot takeSale() = 0;
    // saveSaleRecord. False when the sale was not stored (the reason has been
    // shown); the print flow then ends and the sale stays in the window.
    virtual bool saveSaleRecord() = 0;
    // The remark edit back to the default remark, shown in the control.
    virtual void resetRemark() = 0;
    // consumeReceiptNumber. False when its statement failed (shown already).
    virtual bool consumeReceiptNumber() = 0;
    // finishSale from its step 2: next number, empty list, totals, entry row.
    virtual void startNextSale() = 0;
};
