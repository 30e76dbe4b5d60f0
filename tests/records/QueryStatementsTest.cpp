// The statements of the query window against a real records file: which
// sales each condition finds, hostile texts, NULL columns, sales without
// lines, the time range's bounds, amount bounds, and the lists built from them.
#include "RecordsBook.h"

#include "records/DetailListModel.h"
#include "records/QueryBuilder.h"
#include "records/SaleDeletion.h"
#include "records/SalesListModel.h"
#include "records/StoredSaleReceipt.h"
#include "support/Gui.h"
#include "support/TestEnv.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

class QueryStatements : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_db.open(m_env.settings().recordsDsn));
        const QVariant null;
        storeSale(m_db,
                  {s("A'1%_"), s("2024-03-07 09:00:00"), 12.5, s("张敏"), 3.0, s("会员'"),
                   s("O'Neil"), s("139"), s("现金")},
                  {{s("A01-绿茶"), 2.0, 5.0, 10.0, 10.0}, {s("纯牛奶"), 1.0, 2.5, 2.5, 2.5}});
        storeSale(m_db,
                  {s("A21x"), s("2024-03-07 09:00:59"), 100.0, s("李强"), 1.0, s(""), s(""), s(""),
                   s("微信")},
                  {{s("酸奶"), 1.0, 100.0, 100.0, 100.0}});
        // Brought over from an older file: NULL texts, no lines.
        storeSale(m_db,
                  {s("B7"), s("2024-03-07 09:01:00"), 20.0, null, 24, null, null, null, null});
        // Amount stored as text, quantity as a whole number.
        storeSale(m_db,
                  {s("C8"), s("2024-03-08 00:00:00"), s("9.5"), s("张敏"), 19.5, s(""), s(""),
                   s(""), s("现金")},
                  {{s("面包"), 19.5, 0.5, 9.75, 9.5}});
    }

    QStringList numbers(const QueryStatement &statement)
    {
        EXPECT_TRUE(statement.isValid()) << qPrintable(statement.error);
        QStringList found;
        for (auto rows = m_db.query(statement.sql, statement.values); rows.next();)
            found << rows.text(1);
        found.sort();
        return found;
    }

    QStringList numbers(const QueryConditions &conditions)
    {
        return numbers(QueryBuilder::sales(conditions, m_db.dialect()));
    }

    TestEnv m_env;
    Database m_db;
};

TEST_F(QueryStatements, EmptyConditionsListEverySaleEvenWithoutLinesOrWithNullColumns)
{
    EXPECT_EQ(numbers(QueryConditions()), (QStringList{s("A'1%_"), "A21x", "B7", "C8"}));
    QueryConditions blanks;
    blanks.number = s("  ");
    blanks.exact = true;
    EXPECT_EQ(numbers(blanks).size(), 4);
    EXPECT_EQ(numbers(QueryBuilder::numberContains(QString(), m_db.dialect())).size(), 4);
}

TEST_F(QueryStatements, QuotesPercentAndUnderscoreAreSearchedForLiterally)
{
    QueryConditions c;
    c.number = s("%");
    EXPECT_EQ(numbers(c), QStringList{s("A'1%_")});
    c.number = s("_");
    EXPECT_EQ(numbers(c), QStringList{s("A'1%_")}); // "_" is not "any character"
    c.number = s("A_1");
    EXPECT_TRUE(numbers(c).isEmpty()); // A21x stays out
    c.number = s("A'1%_");
    c.exact = true;
    EXPECT_EQ(numbers(c), QStringList{s("A'1%_")});
    c.number = s("A'1");
    EXPECT_TRUE(numbers(c).isEmpty()); // exact means the whole text
    c = QueryConditions();
    c.customer = s("O'Neil");
    c.remark = s("'");
    EXPECT_EQ(numbers(c), QStringList{s("A'1%_")});
    EXPECT_EQ(numbers(QueryBuilder::numberContains(s("%"), m_db.dialect())),
              QStringList{s("A'1%_")});
}

TEST_F(QueryStatements, TimeRangeHoldsSecondZeroOfItsFirstMinuteAndSecond59OfItsLast)
{
    QueryConditions c;
    c.timeRange = true;
    c.from = QDateTime(QDate(2024, 3, 7), QTime(9, 0));
    c.to = QDateTime(QDate(2024, 3, 7), QTime(9, 0));
    EXPECT_EQ(numbers(c), (QStringList{s("A'1%_"), "A21x"}));
    c.to = QDateTime(QDate(2024, 3, 7), QTime(23, 59));
    EXPECT_EQ(numbers(c), (QStringList{s("A'1%_"), "A21x", "B7"}));
    // The day's list: every time of the day, none of the next.
    EXPECT_EQ(numbers(QueryBuilder::day(QDate(2024, 3, 7))),
              (QStringList{s("A'1%_"), "A21x", "B7"}));
    EXPECT_EQ(numbers(QueryBuilder::day(QDate(2024, 3, 8))), QStringList{"C8"});
    EXPECT_FALSE(QueryBuilder::day(QDate(2024, 3, 7)).sql.contains(s("substr")));
}

TEST_F(QueryStatements, AmountBoundsAreNumbersAndUnlimitedIsOpen)
{
    QueryConditions c;
    c.amountFrom = s("10");
    EXPECT_EQ(numbers(c), (QStringList{s("A'1%_"), "A21x", "B7"})); // 100 is above 10, 9.5 below
    c.amountTo = s("20");
    EXPECT_EQ(numbers(c), (QStringList{s("A'1%_"), "B7"}));
    c.amountFrom = QueryConditions::unlimited();
    EXPECT_EQ(numbers(c), (QStringList{s("A'1%_"), "B7", "C8"}));
    for (const char *bad : {"-", "12-3", "1-", "abc"}) {
        c.amountTo = s(bad);
        const QueryStatement refused = QueryBuilder::sales(c, m_db.dialect());
        EXPECT_FALSE(refused.isValid()) << bad;
        EXPECT_EQ(refused.error, QueryBuilder::amountMessage());
    }
    c.amountTo = s("-5");
    EXPECT_TRUE(numbers(c).isEmpty());
}

TEST_F(QueryStatements, ContainedProductFindsEachSaleOnceAndDropsTheCodeWhenCodesAreHidden)
{
    QueryConditions c;
    c.product = s("奶");
    EXPECT_EQ(numbers(c), (QStringList{s("A'1%_"), "A21x"}));
    c.product = s("X9-绿茶");
    c.showProductCode = false;
    EXPECT_EQ(numbers(c), QStringList{s("A'1%_")});
    c.showProductCode = true;
    EXPECT_TRUE(numbers(c).isEmpty());
    c.product = s("A01-绿茶");
    c.exact = true;
    EXPECT_EQ(numbers(c), QStringList{s("A'1%_")});
}

TEST_F(QueryStatements, ListsShowStoredValuesInOneFormatAndTotalTheSalesOnly)
{
    SalesListModel sales;
    sales.fill(m_db, QueryBuilder::sales(QueryConditions(), m_db.dialect()));
    ASSERT_EQ(sales.rowCount(), 4);
    EXPECT_EQ(sales.text(2, 3), s("24")); // stored as a whole number
    EXPECT_EQ(sales.text(2, 4), s("20.00"));
    EXPECT_EQ(sales.text(2, 6), QString()); // NULL cashier
    EXPECT_EQ(sales.text(3, 4), s("9.50")); // stored as text
    EXPECT_EQ(sales.text(3, 3), s("19.5"));
    EXPECT_DOUBLE_EQ(sales.totalMoney(), 142.0);
    EXPECT_DOUBLE_EQ(sales.totalQuantity(), 47.5);

    // Amounts sort as numbers: 9.50 before 12.50 before 100.00.
    sales.clickColumn(4);
    EXPECT_EQ(sales.text(0, 1), s("C8"));
    EXPECT_EQ(sales.text(3, 1), s("A21x"));
    sales.clickColumn(4);
    EXPECT_EQ(sales.text(0, 1), s("A21x"));
    EXPECT_EQ(sales.text(0, 0), s("2")); // the row number travels with its row

    DetailListModel details;
    details.fill(m_db, QueryBuilder::sales(QueryConditions(), m_db.dialect()));
    QStringList rows;
    for (int row = 0; row < details.rowCount(); ++row)
        rows << details.text(row, 1) + u'|' + details.text(row, 2) + u'|' + details.text(row, 4);
    EXPECT_EQ(rows, (QStringList{s("A'1%_|2024-03-07 09:00:00|12.50"), s("|A01-绿茶|10.00"),
                                 s("|纯牛奶|2.50"), s("A21x|2024-03-07 09:00:59|100.00"),
                                 s("|酸奶|100.00"), s("B7|2024-03-07 09:01:00|20.00"),
                                 s("C8|2024-03-08 00:00:00|9.50"), s("|面包|9.50")}));
    EXPECT_TRUE(details.isLineRow(2));
    EXPECT_EQ(details.saleAt(2), details.saleAt(0)); // a line row stands for its sale
    EXPECT_DOUBLE_EQ(details.totalMoney(), 142.0);
}

TEST_F(QueryStatements, DeletingSalesTakesHeadersAndLinesTogether)
{
    SalesListModel sales;
    sales.fill(m_db, QueryBuilder::sales(QueryConditions(), m_db.dialect()));
    SaleDeletion::remove(m_db,
                         {{sales.sales().id(0), s("A'1%_")}, {sales.sales().id(1), s("A21x")}});
    EXPECT_EQ(countRows(m_db, "POS_RECORD", s("A'1%_")), 0);
    EXPECT_EQ(countRows(m_db, "POS_RECORD_DETAIL", s("A'1%_")), 0);
    EXPECT_EQ(countRows(m_db, "POS_RECORD_DETAIL", s("A21x")), 0);
    EXPECT_EQ(countRows(m_db, "POS_RECORD_DETAIL", s("C8")), 1);

    // Two sales under one number (older files allow it): the lines stay
    // while either sale does.
    const QVariantList twin{s("D9"), s("2024-03-09 10:00:00"), 1.0, s(""), 1.0, s(""), s(""), s(""),
                            s("")};
    storeSale(m_db, twin, {{s("糖"), 1.0, 1.0, 1.0, 1.0}});
    storeSale(m_db, twin);
    SalesListModel twins;
    twins.fill(m_db, QueryBuilder::numberContains(s("D9"), m_db.dialect()));
    ASSERT_EQ(twins.rowCount(), 2);
    SaleDeletion::remove(m_db, {{twins.sales().id(0), s("D9")}});
    EXPECT_EQ(countRows(m_db, "POS_RECORD_DETAIL", s("D9")), 1);
    SaleDeletion::remove(m_db, {{twins.sales().id(1), s("D9")}});
    EXPECT_EQ(countRows(m_db, "POS_RECORD_DETAIL", s("D9")), 0);

    // A failure part-way leaves every chosen sale whole.
    m_db.exec(QStringLiteral("create trigger \"refuse\" before delete on \"POS_RECORD_DETAIL\" "
                             "begin select raise(abort, 'refused'); end"));
    EXPECT_THROW(SaleDeletion::remove(m_db, {{sales.sales().id(3), s("C8")}}), DatabaseError);
    EXPECT_EQ(countRows(m_db, "POS_RECORD", s("C8")), 1);
    EXPECT_EQ(countRows(m_db, "POS_RECORD_DETAIL", s("C8")), 1);
}

// What "打印记录" prints: the stored sale as it was, every line in the order
// entered, the amount as the cash and no change.
TEST_F(QueryStatements, AReprintedSaleHasEveryLineInOrderAndNoChange)
{
    QList<StoredLine> lines;
    for (int i = 0; i < 120; ++i)
        lines.append({s("商品%1").arg(119 - i), 1.0, 2.5, 2.5, 2.0});
    storeSale(m_db,
              {s("R120"), s("2024-03-09 10:00:00"), 240.0, s("张敏"), 120.0, s("补打"), s("王"),
               s("139"), s("微信")},
              lines);
    QueryConditions c;
    c.number = s("R120");
    c.exact = true;
    SalesListModel sales;
    sales.fill(m_db, QueryBuilder::sales(c, m_db.dialect()));
    ASSERT_EQ(sales.rowCount(), 1);
    const SaleSnapshot receipt = StoredSaleReceipt::snapshot(m_db, sales.sales(), 0, {});
    ASSERT_EQ(receipt.lines.size(), 120);
    EXPECT_EQ(receipt.lines.first().name, s("商品119"));
    EXPECT_EQ(receipt.lines.last().name, s("商品0"));
    EXPECT_EQ(receipt.lines.first().discounted, s("2.00"));
    EXPECT_EQ(receipt.change, s("0.00"));
    EXPECT_EQ(receipt.cashReceived, s("240.00"));
    EXPECT_EQ(receipt.totalQuantity, 120);
    EXPECT_EQ(receipt.time, QDateTime(QDate(2024, 3, 9), QTime(10, 0)));
    EXPECT_EQ(receipt.remark, s("补打"));
    EXPECT_EQ(receipt.payment, s("微信"));
}

} // namespace
