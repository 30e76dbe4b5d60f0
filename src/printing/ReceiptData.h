#pragma once

#include <QList>
#include <QString>

// One item row of a receipt: the name and four value slots. With the unit
// price printed the slots are quantity, unit price, amount, discounted amount;
// without it they are quantity, amount, (empty), discounted amount.
struct ReceiptLine
{
    QString name;
    QString quantity;
    QString third;
    QString fourth;
    QString discounted;
};

// The texts a receipt prints, filled from the sale on screen or from a stored
// sale. Drawing never changes it, so the same record can be printed again.
struct ReceiptData
{
    // Labels; a label and its value print joined without a separator.
    QString numberLabel;
    QString timeLabel;
    QString nameHeader;
    QString quantityHeader;
    QString priceHeader;
    QString amountHeader;
    QString totalQuantityLabel;
    QString totalLabel;
    QString discountedTotalLabel;
    QString cashLabel;
    QString changeLabel;
    QString cashierLabel;
    QString paymentLabel;
    QString customerLabel;
    QString phoneLabel;
    QString discountHeader;

    // Values.
    QString receiptNumber;
    QString time;
    QString totalQuantity;
    QString total;
    QString cash;
    QString change;
    QString cashier;
    QString discountedTotal;
    QString remark;
    QString itemCount;
    QString customer;
    QString phone;
    QString payment;

    // The five column-header slots and the item rows, in list order.
    QString headers[5];
    QList<ReceiptLine> lines;

    // Chinese labels for language 0, English for any other value.
    void setLabels(int labelLanguage);
    // Header slots for the current labels, with or without the unit price.
    void setHeaders(bool showPrice);
    // Appends a row, placing the values into the slots as the headers do.
    void addLine(const QString &name, const QString &quantity, const QString &price,
                 const QString &amount, const QString &discounted, bool showPrice);
};
