#include "printing/ReceiptData.h"

void ReceiptData::setLabels(int labelLanguage)
{
    const bool english = labelLanguage != 0;
    auto pick = [english](const char *chinese, const char *inEnglish) {
        return english ? QString::fromUtf8(inEnglish) : QString::fromUtf8(chinese);
    };
    numberLabel = pick("单号:", "Receipt No.");
    timeLabel = pick("时间:", "Time: ");
    nameHeader = pick("名称", "Items");
    quantityHeader = pick("数量", "No.");
    priceHeader = pick("单价", "Price");
    amountHeader = pick("金额", "Sub Total");
    totalQuantityLabel = pick("合计数量:", "Quantity: ");
    totalLabel = pick("总额:", "Total: ");
    discountedTotalLabel = pick("折后总额:", "Total after Rounding: ");
    cashLabel = pick("实收金额:", "Cash: ");
    changeLabel = pick("找零:", "Change: ");
    cashierLabel = pick("收银员:", "Cashier: ");
    paymentLabel = pick("付款方式:", "Cash: ");
    customerLabel = pick("客户:", "Customer:");
    phoneLabel = pick("电话:", "phone:");
    discountHeader = pick("折后", "Discount");
}

void ReceiptData::setHeaders(bool showPrice)
{
    headers[0] = nameHeader;
    headers[1] = quantityHeader;
    headers[2] = showPrice ? priceHeader : amountHeader;
    headers[3] = showPrice ? amountHeader : QString();
    headers[4] = discountHeader;
}

void ReceiptData::addLine(const QString &name, const QString &quantity, const QString &price,
                          const QString &amount, const QString &discounted, bool showPrice)
{
    ReceiptLine line;
    line.name = name;
    line.quantity = quantity;
    line.third = showPrice ? price : amount;
    line.fourth = showPrice ? amount : QString();
    line.discounted = discounted;
    lines.append(line);
}
