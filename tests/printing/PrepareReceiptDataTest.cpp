// The receipt record prepared from a sale: labels, value formats, header
// slots and rows with and without the unit price.
#include "printing/PrepareReceiptData.h"
#include "printing/ReceiptSample.h"

#include <gtest/gtest.h>

namespace {

QStringList labels(const ReceiptData &d)
{
    return {d.numberLabel,          d.timeLabel,     d.nameHeader,         d.quantityHeader,
            d.priceHeader,          d.amountHeader,  d.totalQuantityLabel, d.totalLabel,
            d.discountedTotalLabel, d.cashLabel,     d.changeLabel,        d.cashierLabel,
            d.paymentLabel,         d.customerLabel, d.phoneLabel,         d.discountHeader};
}

TEST(PrepareReceiptData, ChineseAndEnglishLabels)
{
    const SaleSnapshot sale = ReceiptSample::sale();
    EXPECT_EQ(labels(prepareReceiptData(sale, 0, true)),
              (QStringList{"单号:", "时间:", "名称", "数量", "单价", "金额",
                           "合计数量:", "总额:", "折后总额:", "实收金额:", "找零:", "收银员:",
                           "付款方式:", "客户:", "电话:", "折后"}));
    // Any non-zero language is English; the payment label repeats "Cash: ".
    EXPECT_EQ(labels(prepareReceiptData(sale, 3, true)),
              (QStringList{"Receipt No.", "Time: ", "Items", "No.", "Price", "Sub Total",
                           "Quantity: ", "Total: ", "Total after Rounding: ", "Cash: ", "Change: ",
                           "Cashier: ", "Cash: ", "Customer:", "phone:", "Discount"}));
}

TEST(PrepareReceiptData, ValuesInTheirPrintFormats)
{
    SaleSnapshot sale;
    sale.lines.append({"茶叶", "1.5", "20.00", "30.00", "28.50"});
    sale.totalQuantity = 1.5;
    sale.totalAmount = 30;
    sale.discountedTotal = 28.5;
    sale.cashReceived = QStringLiteral(" 50.5元");
    sale.change = QStringLiteral("22.00");
    sale.cashier = QStringLiteral("小李");
    sale.customer = QStringLiteral("王'五");
    sale.phone = QStringLiteral("010-1234");
    sale.payment = QStringLiteral("微信");
    sale.time = QDateTime(QDate(2024, 3, 15), QTime(9, 5, 7));
    sale.receiptNumber = QStringLiteral("A2403150000012");
    sale.remark = QStringLiteral("第一行\n第二行");

    const ReceiptData d = prepareReceiptData(sale, 0, true);
    EXPECT_EQ(d.receiptNumber, "A2403150000012");
    EXPECT_EQ(d.time, "2024-03-15 09:05:07");
    EXPECT_EQ(d.totalQuantity, "1.5");
    EXPECT_EQ(d.total, "30.00");
    EXPECT_EQ(d.cash, "50.50"); // read like atof: the leading number
    EXPECT_EQ(d.change, "22.00");
    EXPECT_EQ(d.discountedTotal, "28.50");
    EXPECT_EQ(d.cashier, "小李");
    EXPECT_EQ(d.customer, "王'五");
    EXPECT_EQ(d.phone, "010-1234");
    EXPECT_EQ(d.payment, "微信");
    EXPECT_EQ(d.remark, "第一行\n第二行");
    EXPECT_EQ(d.itemCount, "1");

    sale.cashReceived = QStringLiteral("abc");
    sale.totalQuantity = 12;
    const ReceiptData other = prepareReceiptData(sale, 0, true);
    EXPECT_EQ(other.cash, "0.00");
    EXPECT_EQ(other.totalQuantity, "12");
}

TEST(PrepareReceiptData, SlotsWithAndWithoutUnitPrice)
{
    SaleSnapshot sale;
    sale.lines.append({"可乐", "2", "3.50", "7.00", "6.65"});
    sale.lines.append({"面包", "1", "4.00", "4.00", "4.00"});

    const ReceiptData withPrice = prepareReceiptData(sale, 0, true);
    EXPECT_EQ(QStringList(std::begin(withPrice.headers), std::end(withPrice.headers)),
              (QStringList{"名称", "数量", "单价", "金额", "折后"}));
    ASSERT_EQ(withPrice.lines.size(), 2);
    const ReceiptLine &a = withPrice.lines[0];
    EXPECT_EQ(QStringList({a.name, a.quantity, a.third, a.fourth, a.discounted}),
              (QStringList{"可乐", "2", "3.50", "7.00", "6.65"}));
    EXPECT_EQ(withPrice.lines[1].name, "面包");

    const ReceiptData without = prepareReceiptData(sale, 1, false);
    EXPECT_EQ(QStringList(std::begin(without.headers), std::end(without.headers)),
              (QStringList{"Items", "No.", "Sub Total", "", "Discount"}));
    const ReceiptLine &b = without.lines[0];
    EXPECT_EQ(QStringList({b.name, b.quantity, b.third, b.fourth, b.discounted}),
              (QStringList{"可乐", "2", "7.00", "", "6.65"}));
}

TEST(PrepareReceiptData, EmptySaleAndManyRows)
{
    SaleSnapshot empty;
    empty.time = QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5));
    const ReceiptData d = prepareReceiptData(empty, 0, false);
    EXPECT_TRUE(d.lines.isEmpty());
    EXPECT_EQ(d.itemCount, "0");
    EXPECT_EQ(d.totalQuantity, "0");
    EXPECT_EQ(d.total, "0.00");
    EXPECT_EQ(d.time, "2024-01-02 03:04:05");

    // No fixed capacity: every row of a long sale is kept, in order.
    const SaleSnapshot big = ReceiptSample::sale(150);
    const ReceiptData many = prepareReceiptData(big, 0, true);
    EXPECT_EQ(many.lines.size(), big.lines.size());
    EXPECT_EQ(many.itemCount, QString::number(big.lines.size()));
    EXPECT_EQ(many.lines.last().name, "商品150");
}

} // namespace

TEST(PrepareReceiptData, CashThatIsNotANumberLeavesTheLineBlank)
{
    SaleSnapshot sale;
    for (const char *typed : {"1e309", "inf", "nan", "-1e400"}) {
        sale.cashReceived = QString::fromLatin1(typed);
        EXPECT_EQ(prepareReceiptData(sale, 0, true).cash, QString()) << typed;
    }
    sale.cashReceived = QStringLiteral("100abc");
    EXPECT_EQ(prepareReceiptData(sale, 0, true).cash, QStringLiteral("100.00"));
}
