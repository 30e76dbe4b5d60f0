// Receipt numbers and storing finished sales in the records database, and the
// settings the sales window reads and writes, on fresh delivered databases.
#include "sales/SaleStore.h"
#include "core/Clock.h"
#include "data/Database.h"
#include "data/DatabaseError.h"
#include "data/ShopRow.h"
#include "printing/ReceiptNumber.h"
#include "printing/ReceiptNumberFormat.h"
#include "sales/SaleEntry.h"
#include "sales/SaleRecord.h"
#include "sales/SalesCatalogue.h"
#include "sales/SalesSwitches.h"
#include "sales/TillProducts.h"
#include "support/Gui.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

namespace {

class RecordsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_records.open(m_env.settings().recordsDsn));
        ASSERT_TRUE(m_settings.open(m_env.settings().settingsDsn));
    }

    QString count(const char *table)
    {
        return m_records.scalar(QStringLiteral("select count(*) from \"%1\"").arg(s(table)));
    }

    // Two lines (2 x 10.00 at discount 9.5, 1 x 5.00 without) entered with the discount on.
    SaleRecord twoLineSale(const QString &number)
    {
        SaleEntry sale;
        sale.loadDiscountEnabled(true);
        sale.entry().setName(s("A01-可乐"));
        sale.entry().typeQuantity(s("2"));
        sale.entry().setPrice(s("10"));
        sale.entry().setDiscount(s("9.5"));
        sale.addLine();
        sale.entry().setName(s("面包"));
        sale.entry().setDiscount(s("10"));
        sale.entry().typeQuantity(s("1"));
        sale.entry().setPrice(s("5"));
        sale.addLine();

        SaleRecord record;
        record.number = number;
        record.time = QDateTime(QDate(2024, 3, 15), QTime(9, 5, 7));
        record.discountedTotal = sale.totals().discounted;
        record.totalQuantity = sale.totals().quantity;
        record.cashier = s("admin");
        record.remark = s("谢谢惠顾");
        record.lines = sale.lines().all();
        return record;
    }

    TestEnv m_env;
    Database m_records;
    Database m_settings;
};

TEST_F(RecordsTest, NumbersFollowTheCounterTable)
{
    EXPECT_EQ(ReceiptNumber::load(m_records, QString()), s("0000000"));
    ReceiptNumber::consume(m_records);
    EXPECT_EQ(ReceiptNumber::load(m_records, QString()), s("0000001"));
    for (int i = 0; i < 11; ++i)
        ReceiptNumber::consume(m_records);
    const QString prefix = ReceiptNumber::computePrefix(true, true, s("A"), QDate(2024, 3, 15));
    EXPECT_EQ(ReceiptNumber::load(m_records, prefix), s("A2403150000012"));
    EXPECT_EQ(m_records.scalar(QStringLiteral("select \"num\" from \"AUTO_NUM\" where \"id\"=12")),
              s("1"));
}

TEST_F(RecordsTest, PrefixRules)
{
    const QDate day(2024, 3, 15);
    EXPECT_EQ(ReceiptNumber::computePrefix(false, true, s("A"), day), s("240315"));
    EXPECT_EQ(ReceiptNumber::computePrefix(true, false, s("A"), day), s("A"));
    EXPECT_EQ(ReceiptNumber::computePrefix(false, false, s("A"), day), QString());
    EXPECT_EQ(ReceiptNumber::computePrefix(false, false, s("A"), QDate(2009, 1, 2)), QString());
    EXPECT_EQ(ReceiptNumber::datePrefix(QDate(2009, 1, 2)), s("090102"));
    EXPECT_EQ(ReceiptNumber::counterText(12345678), s("12345678"));
    EXPECT_EQ(ReceiptNumber::withPrefix(s("A0000012"), s("B")), s("B0000012"));
    EXPECT_EQ(ReceiptNumber::withPrefix(s("A2403150000012"), QString()), s("0000012"));

    // From the stored login row; the custom text is kept while it is off.
    m_settings.exec(QStringLiteral("update \"USER_SET\" set \"set1\"='0', \"set2\"='1', "
                                   "\"set3\"='店A' where \"id\"=1"));
    EXPECT_EQ(ReceiptNumberFormat::load(m_settings).prefix(day), s("240315"));
    m_settings.exec(QStringLiteral("update \"USER_SET\" set \"set1\"='1' where \"id\"=1"));
    EXPECT_EQ(ReceiptNumberFormat::load(m_settings).prefix(day), s("店A240315"));
}

TEST_F(RecordsTest, SavesHeaderAndLinesAsEntered)
{
    SaleRecord sale = twoLineSale(s("0000000"));
    sale.customer = s("O'Brien \"老王\"");
    sale.phone = s("138'0000");
    sale.payment = s("微信");
    ASSERT_EQ(SaleStore::save(m_records, sale), SaleStore::Result::Saved);

    Database::Rows header = m_records.query(QStringLiteral("select * from \"POS_RECORD\""));
    ASSERT_TRUE(header.next());
    QStringList texts;
    for (int c = 1; c < 10; ++c)
        texts << header.text(c);
    EXPECT_EQ(texts,
              (QStringList{s("0000000"), s("2024-03-15 09:05:07"), s("24"), s("admin"), s("3"),
                           s("谢谢惠顾"), s("O'Brien \"老王\""), s("138'0000"), s("微信")}));
    EXPECT_FALSE(header.next());

    Database::Rows lines = m_records.query(QStringLiteral("select * from \"POS_RECORD_DETAIL\""));
    ASSERT_TRUE(lines.next());
    EXPECT_EQ(lines.text(0), s("0000000"));
    EXPECT_EQ(lines.text(1), s("A01-可乐"));
    EXPECT_DOUBLE_EQ(lines.number(2), 2.0);
    EXPECT_DOUBLE_EQ(lines.number(3), 10.0);
    EXPECT_DOUBLE_EQ(lines.number(4), 20.0);
    EXPECT_DOUBLE_EQ(lines.number(5), 19.0);
    ASSERT_TRUE(lines.next());
    EXPECT_EQ(lines.text(1), s("面包"));
    EXPECT_DOUBLE_EQ(lines.number(5), 5.0);
    EXPECT_FALSE(lines.next());
    // Saving alone does not take the number.
    EXPECT_EQ(count("AUTO_NUM"), s("0"));
}

TEST_F(RecordsTest, QuantitiesAndMoneyAreStoredWithTwoDecimals)
{
    SaleRecord sale = twoLineSale(s("N1"));
    sale.lines[0].quantity = s("1.5");
    sale.lines[0].discounted = s("7.126");
    sale.totalQuantity = 2.5;
    sale.discountedTotal = 12.004;
    ASSERT_EQ(SaleStore::save(m_records, sale), SaleStore::Result::Saved);
    EXPECT_EQ(m_records.scalar(QStringLiteral("select \"num\" from \"POS_RECORD_DETAIL\" "
                                              "where \"name\"=?"),
                               {s("A01-可乐")}),
              s("1.5"));
    Database::Rows row = m_records.query(
        QStringLiteral("select \"standby1\" from \"POS_RECORD_DETAIL\" where \"name\"=?"),
        {s("A01-可乐")});
    ASSERT_TRUE(row.next());
    EXPECT_DOUBLE_EQ(row.number(0), 7.13);
    EXPECT_EQ(m_records.scalar(QStringLiteral("select \"money\" from \"POS_RECORD\"")), s("12"));
}

TEST_F(RecordsTest, ANumberAlreadyStoredIsRefusedAndNothingIsWritten)
{
    ASSERT_EQ(SaleStore::save(m_records, twoLineSale(s("0000007"))), SaleStore::Result::Saved);
    EXPECT_EQ(SaleStore::saveAndConsume(m_records, twoLineSale(s("0000007"))),
              SaleStore::Result::NumberTaken);
    EXPECT_EQ(count("POS_RECORD"), s("1"));
    EXPECT_EQ(count("POS_RECORD_DETAIL"), s("2"));
    EXPECT_EQ(count("AUTO_NUM"), s("0"));
    EXPECT_TRUE(SaleStore::numberTakenMessage(s("0000007")).contains(s("0000007")));
}

TEST_F(RecordsTest, SaveAndConsumeTakesTheNumberInTheSameStep)
{
    ASSERT_EQ(SaleStore::saveAndConsume(m_records, twoLineSale(s("0000000"))),
              SaleStore::Result::Saved);
    EXPECT_EQ(count("POS_RECORD"), s("1"));
    EXPECT_EQ(ReceiptNumber::load(m_records, QString()), s("0000001"));
}

TEST_F(RecordsTest, AFailureHalfwayLeavesNothingWritten)
{
    // A line table that refuses the second line: the header and the first line go too.
    m_records.exec(
        QStringLiteral("create trigger refuse_bread before insert on \"POS_RECORD_DETAIL\" "
                       "when new.\"name\" = '面包' begin select raise(abort, 'disk full'); end"));
    EXPECT_THROW(SaleStore::saveAndConsume(m_records, twoLineSale(s("0000000"))), DatabaseError);
    EXPECT_EQ(count("POS_RECORD"), s("0"));
    EXPECT_EQ(count("POS_RECORD_DETAIL"), s("0"));
    EXPECT_EQ(count("AUTO_NUM"), s("0"));
}

TEST_F(RecordsTest, NumbersBeyondRangeAreNotStored)
{
    SaleRecord sale = twoLineSale(s("X"));
    sale.lines[1].amount = s("1e999");
    EXPECT_EQ(SaleStore::save(m_records, sale), SaleStore::Result::NotFinite);
    EXPECT_EQ(count("POS_RECORD"), s("0"));
}

TEST_F(RecordsTest, TheSalesSwitchesStoreInTheirRows)
{
    SalesSwitches::storeDiscountEnabled(m_settings, true);
    SalesSwitches::storeCustomerEnabled(m_settings, true);
    SalesSwitches::storeCashEnabled(m_settings, true);
    const ShopRow info = ShopRow::read(m_settings);
    EXPECT_TRUE(info.discountEnabled);
    EXPECT_TRUE(info.customerEnabled);
    EXPECT_TRUE(info.cashEnabled);

    m_settings.exec(QStringLiteral("insert into \"USER_SET\" (\"directLogin\") values (6)"));
    SalesSwitches::storePhoneEnabled(m_settings, true);
    SalesSwitches::storePaymentEnabled(m_settings, true);
    EXPECT_EQ(m_settings.scalar(
                  QStringLiteral("select \"set2\" from \"USER_SET\" where \"directLogin\"=6")),
              s("1"));
    EXPECT_EQ(m_settings.scalar(QStringLiteral("select \"set4\" from \"USER_SET\" where \"id\"=1")),
              s("1"));
    // The login row keeps its own set2 (the date prefix flag).
    EXPECT_EQ(m_settings.scalar(QStringLiteral("select \"set2\" from \"USER_SET\" where \"id\"=1")),
              s("0"));
}

TEST_F(RecordsTest, CatalogueLookups)
{
    EXPECT_EQ(SalesCatalogue::cashiers(m_settings), QStringList{s("admin")});

    // The delivered payment table holds one empty row: it becomes "现金", also in the table.
    EXPECT_EQ(SalesCatalogue::paymentMethods(m_settings), QStringList{s("现金")});
    EXPECT_EQ(SalesCatalogue::paymentMethods(m_settings), QStringList{s("现金")});
    m_settings.exec(QStringLiteral("insert into \"AUTO_NUM\" (\"standby1\") values (?)"),
                    {s("微信")});
    EXPECT_EQ(SalesCatalogue::paymentMethods(m_settings), (QStringList{s("现金"), s("微信")}));

    m_settings.exec(QStringLiteral("insert into \"SALER\" (\"items\",\"standby\") values (?,?)"),
                    {s("张三's 店"), s("13800000000")});
    EXPECT_EQ(SalesCatalogue::customers(m_settings),
              (QList<QPair<QString, QString>>{{s("张三's 店"), s("13800000000")}}));

    TillProducts products;
    products.assign(SalesCatalogue::productRows(m_settings));
    EXPECT_TRUE(products.texts().isEmpty());
    SalesCatalogue::rememberProduct(m_settings, products, s("A01-O'Neil 可乐"), s("3.5"));
    EXPECT_EQ(products.texts(), QStringList{s("A01-O'Neil 可乐")});
    SalesCatalogue::rememberProduct(m_settings, products, s("A01-O'Neil 可乐"), s("4"));
    EXPECT_EQ(SalesCatalogue::products(m_settings), QStringList{s("A01-O'Neil 可乐")});
    EXPECT_EQ(SalesCatalogue::priceOf(m_settings, s("A01-O'Neil 可乐")), s("4"));
    EXPECT_FALSE(SalesCatalogue::priceOf(m_settings, s("A01")).has_value());
    EXPECT_EQ(products.priceOf(s("A01")), s("4")) << "the held list finds a product by its code";
}

// What the till holds agrees with the table: the last of two rows with one
// text gives the price; a code names its product, and a whole code is not
// taken for the beginning of a longer one.
TEST_F(RecordsTest, TheHeldProductsAnswerAsTheTableDoes)
{
    const auto add = [&](const char *text, const char *price) {
        m_settings.exec(
            QStringLiteral("insert into \"PRODUCT_NAME\" (\"items\",\"price\") values (?,?)"),
            {s(text), s(price)});
    };
    add("69012345678901-大瓶水", "5.00");
    add("6901234567890-矿泉水", "2.00");
    add("可乐", "3.00");
    add("可乐", "3.50");
    TillProducts products;
    products.assign(SalesCatalogue::productRows(m_settings));
    EXPECT_EQ(products.priceOf(s("可乐")), SalesCatalogue::priceOf(m_settings, s("可乐")));
    EXPECT_EQ(products.priceOf(s("可乐")), s("3.50"));
    EXPECT_EQ(products.productFor(s("6901234567890")), s("6901234567890-矿泉水"));
    EXPECT_EQ(products.priceOf(s("6901234567890")), s("2.00"));
    EXPECT_EQ(products.productFor(s("69012345678901")), s("69012345678901-大瓶水"));
    EXPECT_FALSE(products.productFor(s("690123456789")).has_value());
    EXPECT_FALSE(products.productFor(s("可")).has_value());
    EXPECT_FALSE(products.productFor(s("矿泉水")).has_value());
    products.remember(s("可乐"), s("4"));
    EXPECT_EQ(products.priceOf(s("可乐")), s("4"));
    EXPECT_EQ(products.texts().size(), 4);
}

} // namespace
