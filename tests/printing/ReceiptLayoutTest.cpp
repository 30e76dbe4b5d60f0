// The receipt's geometry at 203 dpi on 576 printable dots, by numbers:
// rx = ry = 203/96, dy = trunc(17 ry) = 35, the shop-name box 27-69 (B = 69),
// line k at 69 + 35k.
#include "ReceiptFixture.h"

#include "printing/ReceiptRenderer.h"
#include "printing/ReceiptText.h"
#include "support/Gui.h"

#include <QFontMetricsF>

namespace {

using Text = ReceiptDrawing::Text;

QList<int> ruleYs(const ReceiptDrawing &d)
{
    QList<int> ys;
    for (const auto &rule : d.rules)
        ys << rule.y;
    return ys;
}

QRect boxOf(const ReceiptDrawing &d, const QString &text)
{
    const Text *item = d.find(text);
    return item ? item->box : QRect(-1, -1, 0, 0);
}

QPoint originOf(const ReceiptDrawing &d, const QString &text)
{
    const Text *item = d.find(text);
    return item ? item->origins.value(0) : QPoint(-1, -1);
}

// Every drawn line of text as the box its glyphs take, at the size drawn.
QList<QPair<QString, QRect>> lineBoxes(const ReceiptDrawing &d)
{
    QList<QPair<QString, QRect>> boxes;
    for (const Text &t : d.texts) {
        const ReceiptFont font = d.fontOf(t);
        for (qsizetype i = 0; i < t.lines.size(); ++i) {
            const int width = ReceiptText::width(font.withExtra(t.extra), t.lines[i]);
            if (width > 0)
                boxes.append({t.lines[i], QRect(t.origins[i], QSize(width, font.cellHeight()))});
        }
    }
    return boxes;
}

// X bounds [x1, x2) of a DrawText rectangle.
QPair<int, int> xBounds(const QRect &box)
{
    return {box.left(), box.left() + box.width()};
}

class ReceiptLayoutTest : public ReceiptFixture
{
protected:
    void emptySale()
    {
        sale.lines.clear();
        sale.totalQuantity = sale.totalAmount = sale.discountedTotal = 0;
    }
};

TEST_F(ReceiptLayoutTest, FontsAreCellHeightsAtScreenResolution)
{
    EXPECT_EQ(ReceiptFont::cellHeightFor(21), 28);
    EXPECT_EQ(ReceiptFont::cellHeightFor(23), 31); // 30.67 rounds up
    EXPECT_EQ(ReceiptFont::cellHeightFor(9), 12);
    const ReceiptDrawing d = draw();
    EXPECT_EQ(d.bodyFont.cellHeight(), 28);
    EXPECT_EQ(d.titleFont.cellHeight(), 31);
    // The face fills the cell: ascent plus descent within it, not much less.
    const QFontMetricsF body(d.bodyFont.font());
    EXPECT_LE(body.ascent() + body.descent(), 28.01);
    EXPECT_GE(body.ascent() + body.descent(), 25.0);
    // Independent of the device: the same layout at 300 dpi keeps 28 dots.
    const ReceiptData data = this->data();
    const ReceiptDrawing at300 = ReceiptLayout(data, style, {300, 300, 850}).renderReceipt();
    EXPECT_EQ(at300.bodyFont.cellHeight(), 28);
}

TEST_F(ReceiptLayoutTest, Template01HeaderLines)
{
    const ReceiptDrawing d = draw();
    EXPECT_EQ(d.width, 576);
    const Text *shop = d.find("我的小店");
    ASSERT_TRUE(shop);
    EXPECT_EQ(shop->box, QRect(0, 27, 576, 42));
    EXPECT_EQ(shop->font, ReceiptDrawing::FontRole::Title);
    EXPECT_TRUE(shop->alignment & Qt::AlignHCenter);

    EXPECT_EQ(originOf(d, "单号:2403070000012"), QPoint(0, 104));
    EXPECT_TRUE(d.find("单号:2403070000012")->textOut);
    EXPECT_EQ(boxOf(d, "客户:张先生"), QRect(0, 139, 576, 35));
    EXPECT_EQ(boxOf(d, "电话:13800138000"), QRect(0, 174, 576, 35));
    EXPECT_EQ(originOf(d, "时间:2024-03-07 09:05:03"), QPoint(0, 209));
    // Two rules under the name, one above and one below the column headers.
    EXPECT_EQ(ruleYs(d).mid(0, 4), (QList<int>{88, 92, 244, 298}));
    EXPECT_EQ(boxOf(d, "名称").top(), 258);
    EXPECT_EQ(boxOf(d, "名称").height(), 35);
    for (const auto &rule : d.rules) {
        EXPECT_EQ(rule.x1, 0);
        EXPECT_EQ(rule.x2, 576);
    }
}

TEST_F(ReceiptLayoutTest, Template02HeaderLinesStartOneLineHigher)
{
    style.template02 = true;
    const ReceiptDrawing d = draw();
    EXPECT_EQ(boxOf(d, "我的小店"), QRect(0, 27, 576, 42));
    EXPECT_EQ(originOf(d, "单号:2403070000012"), QPoint(0, 69));
    EXPECT_EQ(boxOf(d, "客户:张先生").top(), 104);
    EXPECT_EQ(boxOf(d, "电话:13800138000").top(), 139);
    EXPECT_EQ(originOf(d, "时间:2024-03-07 09:05:03"), QPoint(0, 174));
    // No rules under the shop name.
    EXPECT_EQ(ruleYs(d).mid(0, 2), (QList<int>{209, 263}));
    EXPECT_EQ(boxOf(d, "名称 数量").top(), 223);
}

TEST_F(ReceiptLayoutTest, OptionalHeaderLinesCloseUp)
{
    sale.switches.customer = false;
    style.switches = sale.switches;
    ReceiptDrawing d = draw();
    EXPECT_FALSE(d.find("客户:张先生"));
    // The phone takes the customer's line and the time follows directly.
    EXPECT_EQ(boxOf(d, "电话:13800138000").top(), 139);
    EXPECT_EQ(originOf(d, "时间:2024-03-07 09:05:03").y(), 174);

    style.switches.phone = false;
    d = draw();
    EXPECT_FALSE(d.find("电话:13800138000"));
    EXPECT_EQ(originOf(d, "时间:2024-03-07 09:05:03").y(), 139);
    EXPECT_EQ(ruleYs(d).mid(2, 2), (QList<int>{174, 228}));
}

TEST_F(ReceiptLayoutTest, LongCustomerIsMeasuredAndWrapped)
{
    sale.customer = QStringLiteral("北京市海淀区某某科技发展有限公司采购部张先生收");
    const ReceiptDrawing d = draw();
    const Text *customer = d.find("客户:" + sale.customer);
    ASSERT_TRUE(customer);
    const int lines = customer->lines.size();
    ASSERT_GE(lines, 2);
    const int h = lines * 28;
    EXPECT_EQ(customer->box, QRect(0, 139, 576, 35 * (1 + h / 35)));
    EXPECT_EQ(customer->lines.join(QString()), "客户:" + sale.customer);
    // The phone and everything after it move down by the extra lines.
    EXPECT_EQ(boxOf(d, "电话:13800138000").top(), 139 + 35 * (1 + h / 35));
}

TEST_F(ReceiptLayoutTest, LongPhoneWrapsLikeTheCustomer)
{
    sale.phone = QStringLiteral("13800138000 / 010-62345678 / 0755-12345678 转 8001");
    const ReceiptDrawing d = draw();
    const Text *phone = d.find("电话:" + sale.phone);
    ASSERT_TRUE(phone);
    ASSERT_GE(phone->lines.size(), 2);
    const int h = phone->lines.size() * 28;
    EXPECT_EQ(phone->box, QRect(0, 174, 576, 35 * (1 + h / 35)));
    EXPECT_EQ(originOf(d, "时间:2024-03-07 09:05:03").y(), 174 + 35 * (1 + h / 35));
}

TEST_F(ReceiptLayoutTest, Template01ColumnsInAllFourSets)
{
    const ReceiptData data = this->data();
    ReceiptLayout layout(data, style, {dpi, dpi, width});
    using Bounds = QList<QPair<int, int>>;
    // Every share (576 k)/n is truncated on its own.
    EXPECT_EQ(layout.columns({14, 6, 8, 11, 11}, 50),
              (Bounds{{0, 161}, {161, 230}, {230, 322}, {322, 448}, {448, 574}}));
    EXPECT_EQ(layout.columns({17, 8, 10, 15}, 50),
              (Bounds{{0, 195}, {195, 287}, {287, 402}, {402, 574}}));
    EXPECT_EQ(layout.columns({8, 2, 5, 5}, 20),
              (Bounds{{0, 230}, {230, 288}, {287, 431}, {431, 575}}));
    EXPECT_EQ(layout.columns({10, 3, 7}, 20), (Bounds{{0, 288}, {288, 375}, {374, 576}}));

    struct Case
    {
        bool price;
        bool discount;
        QStringList headers;
        Bounds bounds;
    };
    const QList<Case> cases = {
        {true,
         true,
         {"名称", "数量", "单价", "金额", "折后"},
         layout.columns({14, 6, 8, 11, 11}, 50)},
        {true, false, {"名称", "数量", "单价", "金额"}, layout.columns({17, 8, 10, 15}, 50)},
        {false, true, {"名称", "数量", "金额", "折后"}, layout.columns({8, 2, 5, 5}, 20)},
        {false, false, {"名称", "数量", "金额"}, layout.columns({10, 3, 7}, 20)},
    };
    for (const Case &c : cases) {
        style.showPrice = c.price;
        style.switches.discount = c.discount;
        const ReceiptDrawing d = draw();
        for (int i = 0; i < c.headers.size(); ++i) {
            const Text *header = d.find(c.headers[i]);
            ASSERT_TRUE(header) << c.headers[i].toStdString();
            EXPECT_EQ(xBounds(header->box), c.bounds[i]) << c.price << c.discount << i;
            EXPECT_EQ(header->box.top(), 258);
            EXPECT_EQ(bool(header->alignment & Qt::AlignHCenter), i > 0);
        }
        if (!c.price)
            EXPECT_FALSE(d.find("单价"));
        if (!c.discount)
            EXPECT_FALSE(d.find("折后"));
    }
}

TEST_F(ReceiptLayoutTest, Template01RowsWrapTheirNamesAndPushLaterRowsDown)
{
    style.showPrice = true;
    const ReceiptDrawing d = draw();
    const int r0 = 317;
    const Text *cola = d.find("橙味汽水 500ml");
    ASSERT_TRUE(cola);
    EXPECT_EQ(cola->box, QRect(0, r0, 161, 35));
    EXPECT_EQ(cola->extra, -1); // one dot tighter inside the item table

    const Text *noodles = d.find("老坛红烧牛肉面（五连包，大碗装）");
    ASSERT_TRUE(noodles);
    const int u = noodles->lines.size() * 28;
    ASSERT_GT(u, 35);
    EXPECT_EQ(noodles->box, QRect(0, r0 + 35, 161, 35 * (1 + u / 35)));
    for (const QPoint &origin : noodles->origins)
        EXPECT_EQ(origin.x(), 0);

    // The values of a row share its rectangle and are centred in their columns.
    int checked = 0;
    for (const Text &t : d.texts) {
        if (t.box.top() == r0 + 35 && t.text != noodles->text) {
            EXPECT_EQ(t.box.height(), noodles->box.height());
            EXPECT_TRUE(t.alignment & Qt::AlignHCenter);
            EXPECT_EQ(t.extra, -1);
            const int lineWidth = ReceiptText::width(d.bodyFont.withExtra(-1), t.lines[0]);
            EXPECT_LE(
                std::abs(2 * t.origins[0].x() + lineWidth - (2 * t.box.left() + t.box.width())), 1);
            ++checked;
        }
    }
    EXPECT_EQ(checked, 4); // quantity, price, amount, discounted

    // The next row starts below the last wrapped line.
    const int next = r0 + 35 * (2 + u / 35);
    EXPECT_EQ(boxOf(d, "天然泉水").top(), next);
    EXPECT_EQ(boxOf(d, "全麦面包").top(), next + 35);
    EXPECT_EQ(boxOf(d, "12.83"), QRect(448, next + 35, 126, 35));
    // The totals keep one dot wider characters after the table.
    EXPECT_EQ(d.find("合计数量:12")->extra, 1);
    EXPECT_EQ(d.find("名称")->extra, 0);
}

TEST_F(ReceiptLayoutTest, Template02RowsPutValuesUnderTheName)
{
    style.template02 = true;
    style.showPrice = true;
    const ReceiptDrawing d = draw();
    const int r0 = 282;
    using Bounds = QList<QPair<int, int>>;
    const ReceiptData data = this->data();
    ReceiptLayout layout(data, style, {dpi, dpi, width});
    const Bounds headers = layout.columns({14, 12, 12, 12}, 50);
    const Bounds values = layout.columns({11, 13, 13, 13}, 50);
    EXPECT_EQ(headers, (Bounds{{0, 161}, {161, 299}, {299, 437}, {437, 575}}));
    EXPECT_EQ(values, (Bounds{{0, 126}, {126, 275}, {275, 424}, {424, 573}}));
    EXPECT_EQ(xBounds(boxOf(d, "名称 数量")), headers[0]);
    EXPECT_EQ(xBounds(boxOf(d, "单价")), headers[1]);
    EXPECT_EQ(xBounds(boxOf(d, "折后")), headers[3]);
    EXPECT_TRUE(d.find("名称 数量")->alignment & Qt::AlignRight);

    // Name across the full width; values one measured name height lower.
    EXPECT_EQ(boxOf(d, "橙味汽水 500ml"), QRect(0, r0, 576, 35));
    EXPECT_EQ(boxOf(d, "3.50"), QRect(126, r0 + 28, 149, 35));
    EXPECT_EQ(boxOf(d, "7.00").top(), r0 + 28);
    const Text *price = d.find("3.50");
    EXPECT_EQ(price->origins[0].x() + ReceiptText::width(d.bodyFont.font(), "3.50"), 275);
    EXPECT_EQ(price->extra, 0);
    // Two lines per row.
    EXPECT_EQ(boxOf(d, "老坛红烧牛肉面（五连包，大碗装）").top(), r0 + 70);

    // Without price and discount the headers are joined by two blanks.
    style.showPrice = false;
    style.switches.discount = false;
    const ReceiptDrawing plain = draw();
    EXPECT_EQ(xBounds(boxOf(plain, "名称  数量")), (QPair<int, int>{0, 288}));
    EXPECT_EQ(xBounds(boxOf(plain, "金额")), (QPair<int, int>{288, 576}));
    EXPECT_FALSE(plain.find("单价"));
}

TEST_F(ReceiptLayoutTest, Template02LongNameTakesExtraLines)
{
    style.template02 = true;
    sale.lines.clear();
    sale.lines.append({QString(30, QChar(0x7C73)), "1", "2.00", "2.00", "2.00"}); // 米 x 30
    sale.lines.append({QStringLiteral("盐"), "2", "1.00", "2.00", "2.00"});
    const ReceiptDrawing d = draw();
    const Text *name = d.find(QString(30, QChar(0x7C73)));
    ASSERT_TRUE(name);
    const int u = name->lines.size() * 28;
    ASSERT_GT(u, 35);
    EXPECT_EQ(name->box, QRect(0, 282, 576, 35 * (1 + u / 35)));
    // The values line follows the wrapped name, the next row after two more lines.
    EXPECT_EQ(boxOf(d, "1").top(), 282 + u);
    EXPECT_EQ(boxOf(d, "盐").top(), 282 + 35 * (u / 35 + 2));
}

TEST_F(ReceiptLayoutTest, TotalsBlockInAllSwitchCombinations)
{
    emptySale();
    struct Case
    {
        bool discount;
        bool cash;
        int discounted; // -1: not printed
        int cashLine;
        int changeTop;
        int cashier;
        int paymentTop;
        QList<int> rules;
        int remark;
    };
    // Template 01 with no rows: E = 317, O = 336, the right column from 326
    // to the paper's edge.
    const QList<Case> cases = {
        {true, true, 371, 406, 406, 441, 441, {480, 484}, 499},
        {true, false, 371, -1, -1, 406, 371, {445, 449}, 464},
        {false, true, -1, 371, 371, 406, 406, {445, 449}, 464},
        {false, false, -1, -1, -1, 371, 371, {410, 414}, 429},
    };
    for (const Case &c : cases) {
        style.switches.discount = c.discount;
        style.switches.cash = c.cash;
        const ReceiptDrawing d = draw();
        SCOPED_TRACE(testing::Message() << c.discount << c.cash);
        EXPECT_EQ(originOf(d, "合计数量:0"), QPoint(0, 336));
        EXPECT_EQ(boxOf(d, "总额:0.00"), QRect(326, 336, 250, 35));
        EXPECT_EQ(originOf(d, "折后总额:0.00").y(), c.discounted);
        EXPECT_EQ(originOf(d, "实收金额:100.00").y(), c.cashLine);
        EXPECT_EQ(boxOf(d, "找零:" + sale.change).top(), c.changeTop);
        EXPECT_EQ(originOf(d, "收银员:admin"), QPoint(0, c.cashier));
        EXPECT_EQ(boxOf(d, "付款方式:现金"), QRect(326, c.paymentTop, 250, 35));
        EXPECT_EQ(ruleYs(d).mid(4), (QList<int>{321} + c.rules));
        EXPECT_EQ(boxOf(d, "谢谢惠顾，欢迎再次光临！").top(), c.remark);
    }
    style.switches.payment = false;
    EXPECT_FALSE(draw().find("付款方式:现金"));
}

TEST_F(ReceiptLayoutTest, EmptySaleStillPrintsEverythingButRows)
{
    emptySale();
    style.template02 = true;
    const ReceiptDrawing d = draw();
    EXPECT_TRUE(d.find("名称 数量"));
    EXPECT_TRUE(d.find("合计数量:0"));
    EXPECT_TRUE(d.find("总额:0.00"));
    // Template 02, no rows: E = R0 = 282, O = 301, no character extra.
    EXPECT_EQ(ruleYs(d), (QList<int>{209, 263, 286, 445, 449}));
    EXPECT_EQ(d.find("合计数量:0")->extra, 0);
    const Text *dot = d.find(".");
    ASSERT_TRUE(dot);
    EXPECT_EQ(dot->origins[0], QPoint(0, 464 + 70));
    EXPECT_EQ(d.height, 464 + 70 + 28);
}

TEST_F(ReceiptLayoutTest, RemarkPiecesTakeTheirBandsAndEndWithADot)
{
    emptySale();
    sale.remark = QStringLiteral("第一行\n\n第三行");
    ReceiptDrawing d = draw();
    EXPECT_EQ(boxOf(d, "第一行"), QRect(0, 499, 576, 35));
    EXPECT_EQ(boxOf(d, "第三行").top(), 499 + 70);
    EXPECT_EQ(originOf(d, "."), QPoint(0, 499 + 105));

    // A piece longer than a line takes (its right edge / right) extra bands.
    const QString longPiece = QString(30, QChar(0x597D)); // 好 x 30
    sale.remark = longPiece + QStringLiteral("\n末行");
    d = draw();
    const Text *piece = d.find(longPiece);
    ASSERT_TRUE(piece);
    const int rm = ReceiptText::width(d.bodyFont.withExtra(1), longPiece);
    ASSERT_GT(rm, 576);
    EXPECT_EQ(piece->box, QRect(0, 499, 576, 35 * (1 + rm / 576)));
    EXPECT_GE(piece->box.height(), piece->lines.size() * 28);
    EXPECT_EQ(boxOf(d, "末行").top(), 499 + 35 * (1 + rm / 576));
}

TEST_F(ReceiptLayoutTest, LongRemarkPieceIsNeverCut)
{
    // With a left margin the ratio of the edges undercounts the lines a piece
    // needs; the piece gets as many bands as its wrapped lines fill.
    emptySale();
    style.paperMargin = 40; // left 84, right 492
    const int inner = 492 - 84;
    QString piece;
    const QFont font = ReceiptFont(style.bodyFontName, style.bodyFontSize).withExtra(1);
    while (ReceiptText::width(font, piece) <= 3 * inner + 10)
        piece += QChar(0x597D);
    sale.remark = piece;
    const ReceiptDrawing d = draw();
    const Text *item = d.find(piece);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->box.left(), 84);
    EXPECT_GE(item->lines.size(), 4);
    EXPECT_GE(item->box.height(), item->lines.size() * 28);
    EXPECT_EQ(item->lines.join(QString()), piece);
    EXPECT_GE(originOf(d, ".").y(), item->box.top() + item->box.height());
}

TEST_F(ReceiptLayoutTest, MarginsAndOffsetMoveTheBlock)
{
    style.paperMargin = 8;
    ReceiptDrawing d = draw();
    EXPECT_EQ(boxOf(d, "我的小店"), QRect(16, 27, 544, 42)); // trunc(8 rx) = 16 each side

    style.printOffset = -4; // left trunc(4 rx) = 8, right 576 - trunc(12 rx) = 551
    d = draw();
    EXPECT_EQ(boxOf(d, "我的小店"), QRect(8, 27, 543, 42));
    EXPECT_EQ(originOf(d, "单号:2403070000012").x(), 8);
    EXPECT_EQ(d.rules.first().x1, 8);
    EXPECT_EQ(d.rules.first().x2, 551);

    style.printOffset = 0;
    style.paperMargin = -8; // a negative margin widens the block on both sides
    d = draw();
    EXPECT_EQ(boxOf(d, "我的小店"), QRect(-16, 27, 608, 42));
}

TEST_F(ReceiptLayoutTest, LogoSitsAboveTheShopName)
{
    style.printLogo = true;
    style.logoPath = QStringLiteral("/nonexistent/logo.bmp");
    style.logoWidth = 200;
    style.logoHeight = 80;
    style.logoOffset = 10;
    style.printOffset = 2;
    style.paperMargin = 4;
    const ReceiptDrawing d = draw();
    ASSERT_EQ(d.logos.size(), 1);
    EXPECT_EQ(d.logos[0].target, QRect(33, 27, 200, 80)); // trunc(16 rx) = 33, not scaled
    // The shop name and everything below move down by the logo's height.
    EXPECT_EQ(boxOf(d, "我的小店").top(), 27 + 80);
    EXPECT_EQ(originOf(d, "单号:2403070000012").y(), 104 + 80);
}

TEST_F(ReceiptLayoutTest, UnitPriceOffPrintsNoPriceAnywhere)
{
    for (bool tpl02 : {false, true}) {
        for (int lang : {0, 1}) {
            style.template02 = tpl02;
            style.showPrice = false;
            language = lang;
            const ReceiptDrawing d = draw();
            for (const Text &t : d.texts) {
                for (const QString &unitPrice : {"3.50", "4.50", "2.00"})
                    EXPECT_NE(t.text, unitPrice);
                EXPECT_FALSE(t.text.contains("单价") || t.text.contains("Price"));
            }
            // The amount stands in the third column instead.
            EXPECT_TRUE(d.find("13.50"));
        }
    }
}

TEST_F(ReceiptLayoutTest, EnglishReceiptTexts)
{
    language = 1;
    style.showPrice = true;
    const ReceiptDrawing d = draw();
    for (const char *text :
         {"Receipt No.2403070000012", "Customer:张先生", "phone:13800138000",
          "Time: 2024-03-07 09:05:03", "Items", "No.", "Price", "Sub Total", "Discount",
          "Quantity: 12", "Total: 51.40", "Total after Rounding: 50.73", "Cash: 100.00",
          "Change: 49.27", "Cashier: admin", "Cash: 现金"})
        EXPECT_TRUE(d.find(QString::fromUtf8(text))) << text;
}

TEST_F(ReceiptLayoutTest, NoCapacityLimits)
{
    sale = ReceiptSample::sale(150);
    style.switches = sale.switches;
    QStringList pieces;
    for (int i = 1; i <= 250; ++i)
        pieces << QStringLiteral("备注%1").arg(i);
    sale.remark = pieces.join('\n');
    const ReceiptDrawing d = draw();
    for (int i = 1; i <= 150; ++i)
        ASSERT_TRUE(d.find(QStringLiteral("商品%1").arg(i))) << i;
    for (int i = 1; i <= 250; ++i)
        ASSERT_TRUE(d.find(QStringLiteral("备注%1").arg(i))) << i;
    // Rows follow each other down one page, one band each.
    EXPECT_EQ(boxOf(d, "商品150").top() - boxOf(d, "商品149").top(), 35);
    EXPECT_EQ(originOf(d, ".").y() - boxOf(d, "备注250").top(), 35);
}

TEST_F(ReceiptLayoutTest, DrawingTwiceGivesTheSameReceipt)
{
    const ReceiptData data = this->data();
    ReceiptLayout layout(data, style, {dpi, dpi, width});
    const ReceiptDrawing first = layout.renderReceipt();
    const ReceiptDrawing second = layout.renderReceipt();
    ASSERT_EQ(first.texts.size(), second.texts.size());
    for (qsizetype i = 0; i < first.texts.size(); ++i) {
        EXPECT_EQ(first.texts[i].text, second.texts[i].text);
        EXPECT_EQ(first.texts[i].box, second.texts[i].box);
    }
    EXPECT_EQ(data.remark, sale.remark);
}

TEST_F(ReceiptLayoutTest, TinyLineSpacingDoesNotBreakTheLayout)
{
    style.lineSpacing = 0;
    const ReceiptDrawing d = draw();
    EXPECT_TRUE(d.find("."));
    EXPECT_GT(d.height, 0);
    EXPECT_EQ(estimate(), 0); // counted in line spacings
}

TEST_F(ReceiptLayoutTest, NothingLeavesThePaperOrOverlaps)
{
    // Long texts everywhere and numbers of every width, on 58 mm (384 dots
    // printable) and 80 mm rolls.
    sale.lines[1] = {QStringLiteral("电饭煲"), "2", "1499.00", "2998.00", "2848.10"};
    sale.lines[3] = {QStringLiteral("啤酒"), "12", "128.80", "1545.60", "1468.32"};
    sale.lines.append(
        {QStringLiteral("整箱"), "1234.5", "99999.99", "123456787.65", "117283948.27"});
    sale.payment = QStringLiteral("微信支付（扫码）/支付宝/银联卡");
    sale.customer = QStringLiteral("北京市海淀区某某科技发展有限公司采购部张先生收");
    sale.cashier = QStringLiteral("收银员一号 Zhang Wei");
    sale.switches.shopName = QStringLiteral("幸福路十八号社区便民生活超市总店");
    sale.lines[0].name = QStringLiteral("Organic Orange Juice Not From Concentrate 1L");
    sale.lines[2].name = QString(24, QChar(0x6C34)); // 水 x 24
    for (const int paper : {384, 576}) {
        for (const bool tpl02 : {false, true}) {
            for (const int lang : {0, 1}) {
                for (const bool price : {false, true}) {
                    for (const bool cash : {false, true}) {
                        language = lang;
                        style.template02 = tpl02;
                        style.showPrice = price;
                        style.switches = sale.switches;
                        style.switches.cash = cash;
                        const ReceiptDrawing d = drawAt(paper);
                        SCOPED_TRACE(testing::Message()
                                     << paper << " tpl02 " << tpl02 << " en " << lang << " price "
                                     << price << " cash " << cash);
                        if (cash && qEnvironmentVariableIsSet("QM_PICTURES_DIR"))
                            keepPicture(ReceiptRenderer::toImage(d),
                                        QStringLiteral("receipt-long-%1-%2-%3-%4")
                                            .arg(paper)
                                            .arg(tpl02 ? 2 : 1)
                                            .arg(lang ? "en" : "zh")
                                            .arg(price ? "price" : "noprice"));
                        const auto boxes = lineBoxes(d);
                        for (const auto &[text, box] : boxes) {
                            EXPECT_GE(box.left(), 0) << text.toStdString();
                            EXPECT_LE(box.left() + box.width(), paper) << text.toStdString();
                        }
                        // Neighbours keep at least two dots apart, so "1499.00" and
                        // "2998.00" never read as one number.
                        for (qsizetype i = 0; i < boxes.size(); ++i)
                            for (qsizetype j = i + 1; j < boxes.size(); ++j)
                                EXPECT_FALSE(boxes[i]
                                                 .second.adjusted(-1, 0, 1, 0)
                                                 .intersects(boxes[j].second.adjusted(-1, 0, 1, 0)))
                                    << boxes[i].first.toStdString() << " | "
                                    << boxes[j].first.toStdString();
                        // A number that does not fit its column is drawn smaller,
                        // whole where it can be; the quantity header never splits.
                        const Text *price = d.find(QStringLiteral("1499.00"));
                        ASSERT_TRUE(!price == !style.showPrice);
                        if (price)
                            EXPECT_EQ(price->lines, QStringList{"1499.00"});
                        const Text *quantity =
                            d.find(lang ? QStringLiteral("No.") : QStringLiteral("数量"));
                        if (quantity)
                            EXPECT_EQ(quantity->lines.size(), 1);
                        const Text *amount = d.find(QStringLiteral("2998.00"));
                        ASSERT_TRUE(amount);
                        EXPECT_EQ(amount->lines, QStringList{"2998.00"});
                        for (const auto &rule : d.rules)
                            for (const auto &[text, box] : boxes)
                                EXPECT_FALSE(box.top() < rule.y && rule.y < box.bottom())
                                    << text.toStdString() << " over the rule at " << rule.y;
                        // Nothing is lost: the payment method is there, whole.
                        const Text *payment =
                            d.find((lang ? QStringLiteral("Cash: ") : QStringLiteral("付款方式:")) +
                                   sale.payment);
                        ASSERT_TRUE(payment);
                        EXPECT_EQ(payment->lines.join(QString()).remove(' '),
                                  QString(payment->text).remove(' '));
                        EXPECT_GE(d.height, boxes.last().second.bottom());
                    }
                }
            }
        }
    }
}

TEST_F(ReceiptLayoutTest, EstimatedPaperLength)
{
    // Short names: template 01 counts 2 + customer 1 + phone 1 + 2 + 4 rows
    // + 2 + cash 1 + 2 remark pieces = 15 lines of (263 x 17)/100 = 44 tenths
    // of a millimetre, plus 13 line spacings.
    sale.lines[1].name = QStringLiteral("方便面");
    EXPECT_EQ(estimate(), 15 * 44 + 13 * 17);

    style.template02 = true; // two lines a row
    EXPECT_EQ(estimate(), 19 * 44 + 13 * 17);

    style.template02 = false;
    style.paperLengthAdjust = 3;
    style.printLogo = true;
    style.logoHeight = 120;
    EXPECT_EQ(estimate(), 15 * 44 + 16 * 17 + 120);

    style.paperLengthAdjust = 0;
    style.printLogo = false;
    style.switches.customer = style.switches.phone = style.switches.cash = false;
    EXPECT_EQ(estimate(), 12 * 44 + 13 * 17);

    // A name wrapped in its column (0-230 without the price) adds its extra lines.
    style.switches = sale.switches;
    sale.lines[1].name = QString(20, QChar(0x9762));
    const int u = ReceiptText::wrap(ReceiptFont(style.bodyFontName, 21).font(), sale.lines[1].name,
                                    230, ReceiptText::Breaks::WordsOrGlyphs)
                      .size() *
                  28;
    EXPECT_EQ(estimate(), (15 + u / 35) * 44 + 13 * 17);
}

} // namespace
