// The sale being entered, without widgets: the entry-row rules, adding,
// modifying, selecting and deleting lines, totals, cash and change.
#include "sales/SaleEntry.h"
#include "sales/SaleNumbers.h"
#include "support/Gui.h"

#include <gtest/gtest.h>

namespace {

using Field = SaleEntry::Field;
using Selection = SaleEntry::Selection;

// Types a line into the entry row the way a cashier does: name, quantity
// (typed in its field), price, optional discount; then adds it.
SaleEntry::Outcome enter(SaleEntry &sale, const char *name, const char *quantity, const char *price,
                         const char *discount = nullptr)
{
    sale.entry().setName(s(name));
    sale.entry().typeQuantity(s(quantity));
    sale.entry().setPrice(s(price));
    if (discount)
        sale.entry().setDiscount(s(discount));
    return sale.addLine();
}

QStringList row(const SaleEntry &sale, int index)
{
    QStringList texts;
    for (int c = 0; c < SaleLine::ColumnCount; ++c)
        texts << sale.lines().at(index).text(c);
    return texts;
}

TEST(EntryRowRules, QuantityAndPriceGiveAmountAndDiscountedAmount)
{
    EntryRow entry;
    entry.setDiscount(s("9.5"));
    entry.typeQuantity(s("2"));
    entry.setPrice(s("10"));
    EXPECT_EQ(entry.amount(), s("20.00"));
    EXPECT_EQ(entry.discounted(), s("19.00"));
    // The typed quantity is never rewritten by its own consequences.
    EXPECT_EQ(entry.quantity(), s("2"));

    entry.typeQuantity(s("3"));
    EXPECT_EQ(entry.amount(), s("30.00"));
    EXPECT_EQ(entry.discounted(), s("28.50"));
}

TEST(EntryRowRules, TypedAmountSellsByValue)
{
    EntryRow entry;
    entry.setPrice(s("3"));
    entry.typeAmount(s("10"));
    EXPECT_EQ(entry.quantity(), s("3.33"));
    EXPECT_EQ(entry.discounted(), s("10.00"));

    // Without a unit price the quantity stays as it is.
    EntryRow free;
    free.typeQuantity(s("2"));
    free.setDiscount(s("8"));
    free.typeAmount(s("50"));
    EXPECT_EQ(free.quantity(), s("2"));
    EXPECT_EQ(free.discounted(), s("40.00"));
}

TEST(EntryRowRules, PriceAfterQuantityKeepsTheQuantityExact)
{
    // A quantity recomputed from a rounded amount would turn 2.5 into 3.00.
    EntryRow entry;
    entry.typeQuantity(s("2.5"));
    entry.setPrice(s("0.01"));
    EXPECT_EQ(entry.quantity(), s("2.5"));
    entry.typeQuantity(s("1.5"));
    entry.setPrice(s("0.33"));
    EXPECT_EQ(entry.quantity(), s("1.5"));
    EXPECT_EQ(entry.amount(), SaleNumbers::money(1.5 * 0.33));
}

TEST(EntryRowRules, DiscountTypedOrChosenRecomputesOnlyTheDiscountedAmount)
{
    EntryRow entry;
    entry.typeQuantity(s("4"));
    entry.setPrice(s("2.50"));
    entry.setDiscount(s("8"));
    EXPECT_EQ(entry.amount(), s("10.00"));
    EXPECT_EQ(entry.discounted(), s("8.00"));
    entry.setDiscount(s("9.9"));
    EXPECT_EQ(entry.discounted(), s("9.90"));
    entry.setDiscount(QString()); // an empty discount counts 0
    EXPECT_EQ(entry.discounted(), s("0.00"));
}

TEST(EntryRowRules, RoundOffTruncatesTowardZero)
{
    const struct
    {
        const char *before;
        const char *after;
    } cases[] = {{"23.75", "23.00"}, {"0.99", "0.00"}, {"-5.5", "-5.00"},
                 {"-0.5", "0.00"},   {"abc", "0.00"},  {"", "0.00"}};
    for (const auto &c : cases) {
        EntryRow entry;
        entry.setDiscounted(s(c.before));
        entry.roundOff();
        EXPECT_EQ(entry.discounted(), s(c.after)) << c.before;
    }
}

TEST(EntryRowRules, ClearingThePriceResetsAmounts)
{
    EntryRow entry;
    entry.setName(s("苹果"));
    entry.typeQuantity(s("2"));
    entry.setPrice(s("3"));
    entry.clear();
    EXPECT_EQ(entry.name(), QString());
    EXPECT_EQ(entry.quantity(), s("1"));
    EXPECT_EQ(entry.price(), QString());
    EXPECT_EQ(entry.amount(), s("0.00"));
    EXPECT_EQ(entry.discounted(), s("0.00"));
}

TEST(addLine, ComposesTheRowFromTheEntryRow)
{
    SaleEntry sale;
    sale.loadDiscountEnabled(true);
    const auto out = enter(sale, "A01-可乐", "2", "10", "9.5");
    EXPECT_TRUE(out.message.isEmpty());
    EXPECT_EQ(row(sale, 0), (QStringList{s("1"), s("A01-可乐"), s("2"), s("10.00"), s("20.00"),
                                         s("A01-可乐"), s("19.00")}));
    EXPECT_EQ(sale.lines().at(0).itemData, 0);
    EXPECT_EQ(out.list, SaleEntry::ListChange::Appended);
    EXPECT_EQ(out.selection, (Selection{{0}, 0}));
    EXPECT_TRUE(out.scrollToMark);
    EXPECT_EQ(out.focus, Field::Name);
    // The entry row is ready for the next line; the discount stays.
    EXPECT_EQ(sale.entry().name(), QString());
    EXPECT_EQ(sale.entry().quantity(), s("1"));
    EXPECT_EQ(sale.entry().price(), QString());
    EXPECT_EQ(sale.entry().amount(), s("0.00"));
    EXPECT_EQ(sale.entry().discounted(), s("0.00"));
    EXPECT_EQ(sale.entry().discount(), s("9.5"));

    // With the discount off, column 6 repeats the amount.
    SaleEntry plain;
    enter(plain, "可乐", "2", "10", "9.5");
    EXPECT_EQ(plain.lines().at(0).discounted, s("20.00"));
}

TEST(addLine, DisplayNameFollowsTheShowCodeSetting)
{
    SaleEntry sale;
    sale.setOptions({.showProductCode = false});
    enter(sale, "A01-可乐", "1", "3");
    enter(sale, "B-02-雪碧-大瓶", "1", "3");
    enter(sale, "矿泉水", "1", "2");
    EXPECT_EQ(sale.lines().at(0).name, s("可乐"));
    EXPECT_EQ(sale.lines().at(0).fullName, s("A01-可乐"));
    EXPECT_EQ(sale.lines().at(1).name, s("02-雪碧-大瓶"));
    EXPECT_EQ(sale.lines().at(2).name, s("矿泉水"));
}

TEST(addLine, RefusesEmptyNameAndZeroQuantity)
{
    SaleEntry sale;
    auto out = enter(sale, "", "1", "3");
    EXPECT_EQ(out.message, s("名称不能为空！"));
    EXPECT_EQ(out.focus, Field::Name);
    for (const char *quantity : {"0", "", "abc", "-0", "0.0"}) {
        out = enter(sale, "茶", quantity, "3");
        EXPECT_EQ(out.message, s("数量不能为零！")) << quantity;
        EXPECT_EQ(out.focus, Field::Quantity);
    }
    EXPECT_TRUE(sale.lines().isEmpty());
    // The refused entry is left as typed.
    EXPECT_EQ(sale.entry().name(), s("茶"));
}

TEST(addLine, NegativeQuantityGivesNegativeAmounts)
{
    SaleEntry sale;
    sale.loadDiscountEnabled(true);
    enter(sale, "退货", "-1", "5", "8");
    EXPECT_EQ(row(sale, 0).mid(2, 3), (QStringList{s("-1"), s("5.00"), s("-5.00")}));
    EXPECT_EQ(sale.lines().at(0).discounted, s("-4.00"));
    EXPECT_EQ(sale.summary(), s(" 总量:-1  总额:-5.00  折后:-4.00"));
}

TEST(addLine, EmptyPriceAndDiscountTakeTheirDefaults)
{
    SaleEntry sale;
    sale.loadDiscountEnabled(true);
    sale.entry().setName(s("赠品"));
    sale.entry().setDiscount(QString());
    sale.entry().typeQuantity(s("2"));
    const auto out = sale.addLine();
    EXPECT_TRUE(out.message.isEmpty());
    EXPECT_EQ(sale.lines().at(0).price, s("0.00"));
    EXPECT_EQ(sale.lines().at(0).amount, s("0.00"));
    EXPECT_EQ(sale.entry().discount(), s("10"));
}

TEST(addLine, AmountTypedAtAKnownPriceSellsByValue)
{
    SaleEntry sale;
    sale.entry().setName(s("猪肉"));
    sale.entry().setPrice(s("3"));
    sale.entry().typeAmount(s("10"));
    sale.addLine();
    EXPECT_EQ(sale.lines().at(0).quantity, s("3.33"));
    EXPECT_EQ(sale.lines().at(0).amount, s("10.00"));
}

TEST(addLine, NumbersBeyondRangeAreRefusedAndNothingIsAdded)
{
    SaleEntry sale;
    auto out = enter(sale, "大额", "1e308", "10");
    EXPECT_EQ(out.message, SaleEntry::outOfRangeMessage());
    EXPECT_TRUE(sale.lines().isEmpty());

    sale.entry().setName(s("怪数"));
    sale.entry().setPrice(s("1"));
    sale.entry().typeAmount(s("nan"));
    EXPECT_EQ(sale.addLine().message, SaleEntry::outOfRangeMessage());

    // Each line fits, but their sum would not.
    out = enter(sale, "一", "1", "1.5e308");
    EXPECT_TRUE(out.message.isEmpty());
    out = enter(sale, "二", "1", "1.5e308");
    EXPECT_EQ(out.message, SaleEntry::outOfRangeMessage());
    EXPECT_EQ(sale.lines().count(), 1);
}

TEST(addLine, ProductsAreRememberedOnlyForAdministratorsWithMemoryOn)
{
    QStringList remembered;
    const auto memory = [&remembered](const QString &name, const QString &price) {
        remembered << name + QLatin1Char('=') + price;
        return true;
    };
    for (const bool admin : {false, true})
        for (const bool on : {false, true}) {
            SaleEntry sale;
            sale.setProductMemory(memory);
            sale.setOptions(
                {.showProductCode = false, .productMemory = on, .administrator = admin});
            enter(sale, "A01-可乐", "1", "3.5");
        }
    // The full name and the price as typed.
    EXPECT_EQ(remembered, QStringList{s("A01-可乐=3.5")});
}

TEST(addLine, AFailedRememberLeavesTheLineAddedAndTheEntryRowAsItWas)
{
    SaleEntry sale;
    sale.setOptions({.administrator = true});
    sale.setProductMemory([](const QString &, const QString &) { return false; });
    const auto out = enter(sale, "茶", "2", "3");
    EXPECT_EQ(sale.lines().count(), 1);
    EXPECT_EQ(out.focus, Field::None);
    EXPECT_EQ(sale.entry().name(), s("茶"));
}

TEST(Totals, SummaryCashAndChange)
{
    SaleEntry sale;
    sale.loadDiscountEnabled(true);
    enter(sale, "甲", "2", "10", "9.5");
    enter(sale, "乙", "1.5", "45", "10");
    EXPECT_EQ(sale.summary(), s(" 总量:3.5  总额:87.50  折后:86.50"));
    EXPECT_EQ(sale.cash(), s("86.50"));
    EXPECT_EQ(sale.change(), s("0.00"));
    sale.setCash(s("100"));
    EXPECT_EQ(sale.change(), s("13.50"));
    sale.setCash(s("50"));
    EXPECT_EQ(sale.change(), s("-36.50"));
    sale.setCash(s("abc"));
    EXPECT_EQ(sale.change(), s("-86.50"));
    // A cash beyond any number gives no change rather than "inf" or "nan".
    for (const char *cash : {"1e309", "-1e309", "inf", "nan"}) {
        EXPECT_FALSE(sale.setCash(s(cash))) << cash;
        EXPECT_EQ(sale.change(), QString()) << cash;
        EXPECT_EQ(sale.cash(), s(cash));
    }
    EXPECT_TRUE(sale.setCash(s("1e308")));
    EXPECT_EQ(sale.change().size(), 312); // all 309 digits, exact as "%.2f" writes them

    // Every change of the list puts the cash back to the total.
    enter(sale, "丙", "1", "1");
    EXPECT_EQ(sale.cash(), s("87.50"));
    EXPECT_EQ(sale.change(), s("0.00"));
}

TEST(Totals, CashAgainstAnUndiscountedTotal)
{
    SaleEntry sale;
    enter(sale, "甲", "1", "87.5");
    EXPECT_EQ(sale.summary(), s(" 总量:1  总额:87.50"));
    sale.setCash(s("100"));
    EXPECT_EQ(sale.change(), s("12.50"));
    sale.setCash(s("50"));
    EXPECT_EQ(sale.change(), s("-37.50"));
}

TEST(Totals, SwitchingTheDiscount)
{
    SaleEntry sale;
    EXPECT_EQ(sale.summary(), s("汇总信息："));
    sale.setDiscountEnabled(true);
    enter(sale, "甲", "2", "10", "9.5");
    EXPECT_EQ(sale.summary(), s(" 总量:2  总额:20.00  折后:19.00"));
    sale.setDiscountEnabled(false);
    EXPECT_EQ(sale.entry().discount(), s("10"));
    // The payable sum stays the sum of column 6, and the summary says so.
    EXPECT_EQ(sale.summary(), s(" 总量:2  总额:20.00  折后:19.00"));
    EXPECT_EQ(sale.cash(), s("19.00"));
}

TEST(selectLine, LoadsTheEntryRowAndEnablesTheButtons)
{
    SaleEntry sale;
    sale.loadDiscountEnabled(true);
    enter(sale, "甲", "2", "10", "9.5");
    enter(sale, "乙", "3", "1", "10");

    sale.entry().setDiscount(s("5"));
    auto out = sale.selectLine({{0}, 0});
    EXPECT_EQ(sale.entry().name(), s("甲"));
    EXPECT_EQ(sale.entry().quantity(), s("2"));
    EXPECT_EQ(sale.entry().price(), s("10.00"));
    EXPECT_EQ(sale.entry().amount(), s("20.00"));
    EXPECT_EQ(sale.entry().discounted(), s("19.00")); // the stored value, not 2 x 10 x 0.5
    EXPECT_EQ(out.modifyEnabled, true);
    EXPECT_EQ(out.deleteEnabled, true);

    out = sale.selectLine({{0, 1}, 1});
    EXPECT_EQ(sale.entry().name(), QString());
    EXPECT_EQ(sale.entry().quantity(), s("1"));
    EXPECT_EQ(out.modifyEnabled, false);
    EXPECT_EQ(out.deleteEnabled, true);

    out = sale.selectLine({{}, -1});
    EXPECT_EQ(out.modifyEnabled, false);
    EXPECT_EQ(out.deleteEnabled, false);
}

TEST(modifyLine, StoresTheTextsAsTypedAndKeepsTheNumber)
{
    SaleEntry sale;
    sale.loadDiscountEnabled(true);
    enter(sale, "甲", "2", "10");
    enter(sale, "乙", "1", "4");
    sale.selectLine({{1}, 1});
    sale.entry().typeQuantity(s("2.50"));
    sale.entry().setDiscount(s("8"));
    const auto out = sale.modifyLine(1);
    EXPECT_TRUE(out.message.isEmpty());
    EXPECT_EQ(row(sale, 1),
              (QStringList{s("2"), s("乙"), s("2.50"), s("4.00"), s("10.00"), s("乙"), s("8.00")}));
    EXPECT_EQ(sale.summary(), s(" 总量:4.5  总额:30.00  折后:28.00"));
    EXPECT_EQ(sale.entry().name(), QString());
    EXPECT_EQ(sale.entry().quantity(), s("1"));

    sale.entry().setName(QString());
    EXPECT_EQ(sale.modifyLine(0).message, s("名称不能为空！"));
    EXPECT_EQ(sale.lines().at(0).name, s("甲"));
}

TEST(deleteLines, DeletingTheLastRowSelectsTheNewLastRow)
{
    SaleEntry sale;
    enter(sale, "甲", "1", "1");
    enter(sale, "乙", "2", "2");
    enter(sale, "丙", "3", "3");
    const auto out = sale.deleteLines({{2}, 2});
    EXPECT_EQ(sale.lines().count(), 2);
    EXPECT_EQ(out.selection, (Selection{{1}, 1}));
    EXPECT_EQ(sale.entry().name(), s("乙"));
    EXPECT_EQ(sale.entry().quantity(), s("2"));
    EXPECT_EQ(sale.entry().price(), s("2.00"));
    EXPECT_EQ(sale.summary(), s(" 总量:3  总额:5.00"));
    EXPECT_EQ(out.focus, Field::Name);
}

TEST(deleteLines, DeletingInTheMiddleRenumbers)
{
    SaleEntry sale;
    enter(sale, "甲", "1", "1");
    enter(sale, "乙", "2", "2");
    enter(sale, "丙", "3", "3");
    const auto out = sale.deleteLines({{0}, 0});
    EXPECT_EQ(out.selection, (Selection{{0}, 0}));
    EXPECT_EQ(sale.lines().at(0).number, s("1"));
    EXPECT_EQ(sale.lines().at(0).name, s("乙"));
    EXPECT_EQ(sale.lines().at(1).number, s("2"));
    EXPECT_EQ(sale.lines().at(1).itemData, 1);
}

TEST(deleteLines, DeletingTheOnlyRowEmptiesListAndEntryRow)
{
    SaleEntry sale;
    enter(sale, "甲", "2", "5");
    sale.selectLine({{0}, 0});
    const auto out = sale.deleteLines({{0}, 0});
    EXPECT_TRUE(sale.lines().isEmpty());
    EXPECT_EQ(out.selection, (Selection{{}, -1}));
    EXPECT_EQ(out.modifyEnabled, false);
    EXPECT_EQ(out.deleteEnabled, false);
    EXPECT_EQ(sale.entry().name(), QString());
    EXPECT_EQ(sale.entry().quantity(), s("1"));
    EXPECT_EQ(sale.summary(), s(" 总量:0  总额:0.00"));
    EXPECT_EQ(sale.cash(), s("0.00"));
}

TEST(deleteLines, SeveralSelectedRowsGoTogether)
{
    SaleEntry sale;
    for (const char *name : {"甲", "乙", "丙", "丁"})
        enter(sale, name, "1", "1");
    const auto out = sale.deleteLines({{3, 1}, 3});
    ASSERT_EQ(sale.lines().count(), 2);
    EXPECT_EQ(sale.lines().at(0).name, s("甲"));
    EXPECT_EQ(sale.lines().at(1).name, s("丙"));
    EXPECT_EQ(sale.lines().at(1).number, s("2"));
    EXPECT_EQ(out.modifyEnabled, false);
    EXPECT_EQ(out.deleteEnabled, false);
    EXPECT_EQ(out.selection, (Selection{{}, -1}));
    EXPECT_EQ(sale.summary(), s(" 总量:2  总额:2.00"));
}

TEST(Sorting, ReorderFollowsTheListAndRowNumbersTravel)
{
    SaleEntry sale;
    enter(sale, "甲", "1", "30");
    enter(sale, "乙", "1", "10");
    enter(sale, "丙", "1", "20");
    sale.reorder({1, 2, 0});
    EXPECT_EQ(sale.lines().at(0).name, s("乙"));
    EXPECT_EQ(sale.lines().at(0).number, s("2"));
    EXPECT_EQ(sale.lines().at(2).name, s("甲"));
    // A deletion renumbers in the order shown.
    sale.deleteLines({{1}, 1});
    EXPECT_EQ(sale.lines().at(0).number, s("1"));
    EXPECT_EQ(sale.lines().at(1).name, s("甲"));
    EXPECT_EQ(sale.lines().at(1).number, s("2"));
}

TEST(Wheel, StepsTheFocusedField)
{
    SaleEntry sale;
    sale.wheel(false, Field::Quantity);
    EXPECT_EQ(sale.entry().quantity(), s("1"));
    sale.entry().typeQuantity(s("1.5"));
    sale.wheel(false, Field::Quantity);
    EXPECT_EQ(sale.entry().quantity(), s("0.5"));
    sale.wheel(true, Field::Quantity);
    sale.wheel(true, Field::Quantity);
    EXPECT_EQ(sale.entry().quantity(), s("2.5"));

    // An empty price turns into 0.00 on any turn of the wheel; forward then gives 1.00.
    sale.wheel(true, Field::Price);
    EXPECT_EQ(sale.entry().price(), s("1.00"));
    EXPECT_EQ(sale.entry().amount(), s("2.50"));
    sale.entry().setPrice(s("0.50"));
    sale.wheel(false, Field::Price);
    EXPECT_EQ(sale.entry().price(), s("0.50"));

    sale.entry().setQuantity(QString());
    sale.wheel(true, Field::Name);
    EXPECT_EQ(sale.entry().quantity(), s("0"));
}

TEST(ClearSale, EmptiesEverythingButTheDiscount)
{
    SaleEntry sale;
    sale.loadDiscountEnabled(true);
    enter(sale, "甲", "2", "10", "9");
    sale.entry().setName(s("乙"));
    const auto out = sale.clearSale();
    EXPECT_TRUE(sale.lines().isEmpty());
    EXPECT_EQ(sale.summary(), s(" 总量:0  总额:0.00  折后:0.00"));
    EXPECT_EQ(sale.cash(), s("0.00"));
    EXPECT_EQ(sale.entry().name(), QString());
    EXPECT_EQ(sale.entry().discount(), s("9"));
    EXPECT_EQ(out.focus, Field::Name);
}

TEST(Numbers, AtofRuleWithoutNonsense)
{
    EXPECT_EQ(SaleNumbers::money(SaleNumbers::value(s("-0"))), s("0.00"));
    EXPECT_EQ(SaleNumbers::money(-0.004), s("0.00"));
    EXPECT_EQ(SaleNumbers::money(-0.006), s("-0.01"));
    EXPECT_EQ(SaleNumbers::quantity(SaleNumbers::value(s("-0"))), s("0"));
    EXPECT_EQ(SaleNumbers::value(s("12abc")), 12.0);
    EXPECT_EQ(SaleNumbers::value(s("  3.5kg")), 3.5);
    EXPECT_EQ(SaleNumbers::value(s("abc")), 0.0);
}

TEST(SaleLineTexts, HeadersInBothLanguages)
{
    QStringList chinese, english;
    for (int c = 0; c < SaleLine::ColumnCount; ++c) {
        chinese << SaleLine::header(c, false);
        english << SaleLine::header(c, true);
    }
    EXPECT_EQ(chinese, (QStringList{s("序号"), s("名称"), s("数量"), s("单价"), s("金额"),
                                    s("序号加商品名"), s("折后")}));
    EXPECT_EQ(english, (QStringList{s("ID"), s("Items"), s("No."), s("Price"), s("Sub Total"),
                                    s("序号加商品名"), s("Discount")}));
    EXPECT_EQ(SaleLine::width(SaleLine::FullName), 0);
}

} // namespace
