#pragma once

#include <QDateTime>
#include <QString>

// The conditions of one query as the conditions window holds them. A text
// that is empty after leading blanks sets no condition; "无限" in an amount
// field is an open bound.
struct QueryConditions
{
    QString number;
    bool timeRange = false;
    QDateTime from;
    QDateTime to;
    QString customer;
    QString phone;
    QString amountFrom = unlimited();
    QString amountTo = unlimited();
    QString cashier;
    QString payment;
    QString remark;
    QString product;
    bool exact = false; // "精确查询"; otherwise "模糊查询"
    // With product codes hidden, "A01-绿茶" searches for the name after the code.
    bool showProductCode = true;

    static QString unlimited() { return QStringLiteral("无限"); }
};
