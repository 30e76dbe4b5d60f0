#include "printing/ReceiptSample.h"

#include "core/NumberText.h"

namespace {

void addLine(SaleSnapshot &sale, const QString &name, double quantity, double price,
             double discount)
{
    const double amount = quantity * price;
    const double discounted = amount * discount * 0.1;
    sale.lines.append({name, NumberText::quantity(quantity), NumberText::money(price),
                       NumberText::money(amount), NumberText::money(discounted)});
    sale.totalQuantity += quantity;
    sale.totalAmount += amount;
    sale.discountedTotal += discounted;
}

} // namespace

SaleSnapshot ReceiptSample::sale(int extraLines)
{
    SaleSnapshot sale;
    addLine(sale, QStringLiteral("橙味汽水 500ml"), 2, 3.5, 10);
    addLine(sale, QStringLiteral("老坛红烧牛肉面（五连包，大碗装）"), 1, 18.9, 10);
    addLine(sale, QStringLiteral("天然泉水"), 6, 2, 10);
    addLine(sale, QStringLiteral("全麦面包"), 3, 4.5, 9.5);
    for (int i = 0; i < extraLines; ++i)
        addLine(sale, QStringLiteral("商品%1").arg(i + 1), 1 + i % 3, 1.25 + i, 10);
    sale.cashReceived = QStringLiteral("100");
    sale.change = NumberText::money(100 - sale.discountedTotal);
    sale.cashier = QStringLiteral("admin");
    sale.customer = QStringLiteral("张先生");
    sale.phone = QStringLiteral("13800138000");
    sale.payment = QStringLiteral("现金");
    sale.time = QDateTime(QDate(2024, 3, 7), QTime(9, 5, 3));
    sale.receiptNumber = QStringLiteral("2403070000012");
    sale.remark = QStringLiteral("谢谢惠顾，欢迎再次光临！\n本店地址：幸福路18号");
    sale.switches.shopName = QStringLiteral("我的小店");
    sale.switches.discount = true;
    sale.switches.customer = true;
    sale.switches.phone = true;
    sale.switches.cash = true;
    sale.switches.payment = true;
    return sale;
}
