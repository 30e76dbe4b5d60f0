#pragma once

#include <QDateTime>
#include <QString>

// The header fields of the sale in the sales window, as last taken from the
// controls, with the check boxes that switch some of them on.
struct SaleHeader
{
    QString shopName;
    QString number;
    QDateTime time;
    bool timeEditable = false; // "修改时间": the time stops following the clock
    QString cashier;
    QString remark;
    QString customer;
    bool customerEnabled = false;
    QString phone;
    bool phoneEnabled = false;
    QString payment;
    bool paymentEnabled = false;
    bool cashEnabled = false; // "实收：" prints cash received and change
};
