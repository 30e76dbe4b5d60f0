#pragma once

#include "sales/SaleLine.h"

#include <QDateTime>
#include <QString>
#include <QVector>

// What is stored of a finished sale: one POS_RECORD header and one
// POS_RECORD_DETAIL row per line. Customer, phone and payment method are
// empty when their check boxes are not ticked.
struct SaleRecord
{
    QString number;
    QDateTime time;
    double discountedTotal = 0;
    double totalQuantity = 0;
    QString cashier;
    QString remark;
    QString customer;
    QString phone;
    QString payment;
    QVector<SaleLine> lines;
};
