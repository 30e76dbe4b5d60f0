#pragma once

#include "core/NumberText.h"

#include <QString>

// What the sales window currently shows that shapes a receipt besides its
// texts: the shop name and the five check boxes. Taken at drawing time, so a
// reprint of a stored sale follows the window as it stands.
struct ReceiptSwitches
{
    QString shopName;
    bool discount = false; // "折扣：" - the discounted column and total
    bool customer = false; // "客户："
    bool phone = false;    // "电话："
    bool cash = false;     // "实收：" - cash received and change
    bool payment = false;  // "付款方式："

    // The discounted column and total show while the discount box is on, and
    // also for a sale whose lines keep a discount given before the box went
    // off: its discounted total is what it stores and the cash is counted against.
    static bool showsDiscount(bool boxOn, double amount, double discounted)
    {
        return boxOn || NumberText::money(amount) != NumberText::money(discounted);
    }
};
