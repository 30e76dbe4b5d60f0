#pragma once

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
};
