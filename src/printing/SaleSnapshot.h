#pragma once

#include "printing/ReceiptSwitches.h"

#include <QDateTime>
#include <QList>
#include <QString>

// The sale on the sales window as plain values, taken just before printing:
// the list's text columns, the totals and the header fields. The receipt is
// prepared from it without touching any widget.
struct SaleSnapshot
{
    // List columns 1, 2, 3, 4 and 6 of one sale line, as displayed.
    struct Line
    {
        QString name;
        QString quantity;
        QString price;
        QString amount;
        QString discounted;
    };

    QList<Line> lines;
    double totalQuantity = 0;
    double totalAmount = 0;
    double discountedTotal = 0;
    QString cashReceived; // the cash box as typed
    QString change;       // as shown
    QString cashier;
    QString customer;
    QString phone;
    QString payment;
    QDateTime time;
    QString receiptNumber;
    QString remark;
    ReceiptSwitches switches;
};
