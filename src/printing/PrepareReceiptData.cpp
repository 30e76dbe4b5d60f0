#include "printing/PrepareReceiptData.h"

#include "core/Clock.h"
#include "core/NumberText.h"
#include "printing/SaleSnapshot.h"

#include <cmath>

ReceiptData prepareReceiptData(const SaleSnapshot &sale, int labelLanguage, bool showPrice)
{
    ReceiptData data;
    data.setLabels(labelLanguage);

    data.receiptNumber = sale.receiptNumber;
    data.time = Clock::stamp(sale.time);
    data.totalQuantity = NumberText::quantity(sale.totalQuantity);
    data.total = NumberText::money(sale.totalAmount);
    // A cash amount that is not a number (the sales window refuses to compute
    // change from it) leaves the line blank rather than printing "inf".
    const double cash = NumberText::toDouble(sale.cashReceived);
    data.cash = std::isfinite(cash) ? NumberText::money(cash) : QString();
    data.change = sale.change;
    data.cashier = sale.cashier;
    data.discountedTotal = NumberText::money(sale.discountedTotal);
    data.remark = sale.remark;
    data.itemCount = QString::number(sale.lines.size());
    data.customer = sale.customer;
    data.phone = sale.phone;
    data.payment = sale.payment;

    data.setHeaders(showPrice);
    for (const SaleSnapshot::Line &line : sale.lines)
        data.addLine(line.name, line.quantity, line.price, line.amount, line.discounted, showPrice);
    return data;
}
