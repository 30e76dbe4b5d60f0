// The sales window's state and database work without its widgets: opening,
// look-ups, stored switches, save-only, the end of the print path.
#include "sales/SalesSession.h"
#include "core/AppSettings.h"
#include "data/Database.h"
#include "sales/SaleStore.h"
#include "support/Gui.h"
#include "support/SaleFinishing.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

namespace {

class SessionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_env.settings().userName = s("admin");
        m_env.settings().userPower = s("管理员");
        ASSERT_TRUE(m_check.open(m_env.settings().recordsDsn));
    }

    void enter(SalesSession &session, const char *name, const char *quantity, const char *price)
    {
        session.sale().entry().setName(s(name));
        session.sale().entry().typeQuantity(s(quantity));
        session.sale().entry().setPrice(s(price));
        ASSERT_TRUE(session.sale().addLine().message.isEmpty());
    }

    QString records(const QString &sql, const QVariantList &values = {})
    {
        return m_check.scalar(sql, values);
    }

    TestEnv m_env;
    Database m_check;
};

TEST_F(SessionTest, OpeningLoadsEverythingTheWindowShows)
{
    m_env.settings().lastPayment = s("微信");
    m_env.settings().paymentEnabled = true;
    SalesSession session(m_env.settings());
    ASSERT_TRUE(session.setUpRecordsSource());
    ASSERT_TRUE(session.open());
    EXPECT_EQ(session.header().number, s("0000000"));
    EXPECT_EQ(session.header().shopName, s("我的小店"));
    EXPECT_EQ(session.header().remark, s("谢谢惠顾，欢迎再次光临！"));
    EXPECT_EQ(session.header().cashier, s("admin"));
    EXPECT_EQ(session.header().payment, s("微信"));
    EXPECT_TRUE(session.header().paymentEnabled);
    EXPECT_FALSE(session.header().customerEnabled);
    EXPECT_EQ(session.cashiers(), QStringList{s("admin")});
    EXPECT_EQ(session.paymentMethods(), QStringList{s("现金")});
    EXPECT_EQ(session.sale().summary(), s(" 总量:0  总额:0.00"));
    EXPECT_FALSE(session.takeFailure());
}

TEST_F(SessionTest, SaveOnlyStoresTakesTheNumberAndStartsTheNextSale)
{
    SalesSession session(m_env.settings());
    ASSERT_TRUE(session.open());
    EXPECT_FALSE(saveOnly(session));
    EXPECT_EQ(m_env.prompt().lastText(), FinishSale::nothingToSaveMessage());

    enter(session, "苹果", "1.5", "4");
    session.header().remark = s("今日特价");
    session.header().time = QDateTime(QDate(2024, 3, 15), QTime(9, 5, 7));
    ASSERT_TRUE(saveOnly(session));
    EXPECT_EQ(records(QStringLiteral("select \"date\" from \"POS_RECORD\" where \"NO\"=?"),
                      {s("0000000")}),
              s("2024-03-15 09:05:07"));
    EXPECT_EQ(records(QStringLiteral("select \"number\" from \"POS_RECORD\"")), s("1.5"));
    EXPECT_EQ(session.header().number, s("0000001"));
    EXPECT_TRUE(session.sale().lines().isEmpty());
    EXPECT_EQ(session.sale().cash(), s("0.00"));
    EXPECT_EQ(session.header().remark, s("今日特价"));
}

TEST_F(SessionTest, AnOldNumberTypedOverIsRefusedAndTheSaleStays)
{
    SalesSession session(m_env.settings());
    ASSERT_TRUE(session.open());
    enter(session, "苹果", "1", "4");
    ASSERT_TRUE(saveOnly(session));

    enter(session, "香蕉", "2", "3");
    session.header().number = s("0000000");
    EXPECT_FALSE(saveOnly(session));
    EXPECT_EQ(m_env.prompt().lastText(), SaleStore::numberTakenMessage(s("0000000")));
    EXPECT_EQ(session.sale().lines().count(), 1);
    EXPECT_EQ(records(QStringLiteral("select count(*) from \"POS_RECORD_DETAIL\"")), s("1"));
    EXPECT_EQ(records(QStringLiteral("select count(*) from \"AUTO_NUM\"")), s("1"));

    // A fresh number typed by the administrator is saved as typed; the counter goes on.
    session.header().number = s("手工-001");
    ASSERT_TRUE(saveOnly(session));
    EXPECT_EQ(records(QStringLiteral("select count(*) from \"POS_RECORD\" where \"NO\"=?"),
                      {s("手工-001")}),
              s("1"));
    EXPECT_EQ(session.header().number, s("0000002"));
}

TEST_F(SessionTest, ACounterNumberAlreadyTakenMovesOnToTheNextFreeOne)
{
    SalesSession session(m_env.settings());
    ASSERT_TRUE(session.open());
    // An administrator once stored sales under numbers the counter had not reached.
    for (const char *number : {"0000001", "0000002"}) {
        enter(session, "苹果", "1", "4");
        session.header().number = s(number);
        ASSERT_TRUE(saveOnly(session));
    }
    ASSERT_EQ(session.header().number, s("0000002"));

    enter(session, "香蕉", "2", "3");
    EXPECT_FALSE(saveOnly(session));
    EXPECT_EQ(m_env.prompt().lastText(),
              SalesSession::numberMovedMessage(s("0000002"), s("0000003")));
    EXPECT_EQ(session.header().number, s("0000003"));
    EXPECT_EQ(session.sale().lines().count(), 1);
    EXPECT_EQ(records(QStringLiteral("select count(*) from \"POS_RECORD_DETAIL\"")), s("2"));

    // The print path meets the same: a free number, and the sale is stored and
    // printed under it.
    KeptReceipts printer;
    ASSERT_TRUE(printSale(session, printer));
    EXPECT_EQ(records(QStringLiteral("select \"name\" from \"POS_RECORD_DETAIL\" where \"NO\"=?"),
                      {s("0000003")}),
              s("香蕉"));
    ASSERT_EQ(printer.receipts.size(), 1);
    EXPECT_EQ(printer.receipts[0].receiptNumber, s("0000003"));
    EXPECT_EQ(session.header().number, s("0000004"));
}

TEST_F(SessionTest, ACounterThatCannotGoFurtherRefusesWithoutMovingOn)
{
    // The counter beyond the largest number it can show: the number stays the same.
    m_check.exec(QStringLiteral("insert into \"AUTO_NUM\" (\"id\",\"num\") values (?,'1')"),
                 {qint64(2147483648LL)});
    m_check.exec(QStringLiteral("insert into \"POS_RECORD\" (\"NO\") values (?)"),
                 {s("2147483647")});
    SalesSession session(m_env.settings());
    ASSERT_TRUE(session.open());
    ASSERT_EQ(session.header().number, s("2147483647"));
    enter(session, "苹果", "1", "4");
    EXPECT_FALSE(saveOnly(session));
    EXPECT_EQ(m_env.prompt().lastText(), SaleStore::numberTakenMessage(s("2147483647")));
    EXPECT_EQ(records(QStringLiteral("select count(*) from \"AUTO_NUM\"")), s("1"));
    EXPECT_EQ(session.sale().lines().count(), 1);
}

TEST_F(SessionTest, CustomerPhoneAndPaymentAreStoredOnlyWhenTicked)
{
    SalesSession session(m_env.settings());
    ASSERT_TRUE(session.open());
    enter(session, "苹果", "1", "4");
    session.header().customer = s("张三");
    session.header().customerEnabled = false;
    session.header().phone = QString();
    session.header().phoneEnabled = true;
    session.header().payment = s("现金");
    session.header().paymentEnabled = true;
    ASSERT_TRUE(saveOnly(session));
    Database::Rows row = m_check.query(
        QStringLiteral("select \"standby2\", \"standby3\", \"standby4\" from \"POS_RECORD\""));
    ASSERT_TRUE(row.next());
    EXPECT_EQ(row.text(0), QString());
    EXPECT_EQ(row.text(1), QString());
    EXPECT_EQ(row.text(2), s("现金"));
}

TEST_F(SessionTest, WithCodesHiddenTheLineIsStoredUnderItsName)
{
    m_env.settings().showProductCode = false;
    SalesSession session(m_env.settings());
    ASSERT_TRUE(session.open());
    enter(session, "A01-可乐", "1", "3");
    ASSERT_TRUE(saveOnly(session));
    EXPECT_EQ(records(QStringLiteral("select \"name\" from \"POS_RECORD_DETAIL\"")), s("可乐"));
}

TEST_F(SessionTest, LookUpsFillTheirPartners)
{
    {
        Database db;
        ASSERT_TRUE(db.open(m_env.settings().settingsDsn));
        db.exec(QStringLiteral("insert into \"PRODUCT_NAME\" (\"items\",\"price\") values (?,?)"),
                {s("牛奶"), s("6.5")});
        db.exec(QStringLiteral("insert into \"SALER\" (\"items\",\"standby\") values (?,?)"),
                {s("李四"), s("139")});
    }
    // Looked up in what the window loaded when it opened.
    SalesSession session(m_env.settings());
    ASSERT_TRUE(session.open());
    session.lookUpCustomer(s("李四"));
    EXPECT_EQ(session.header().phone, s("139"));
    session.header().customer.clear();
    session.lookUpPhone(s("139"));
    EXPECT_EQ(session.header().customer, s("李四"));
    session.lookUpPhone(s("000"));
    EXPECT_EQ(session.header().customer, s("李四")); // nothing found changes nothing

    session.sale().entry().typeQuantity(s("2"));
    session.lookUpProduct(s("牛奶"));
    EXPECT_EQ(session.sale().entry().price(), s("6.5"));
    EXPECT_EQ(session.sale().entry().amount(), s("13.00"));
    // A name that turns out to be no product gives back the price it had.
    session.lookUpProduct(s("牛奶糖"));
    EXPECT_EQ(session.sale().entry().price(), QString());
    session.sale().entry().setPrice(s("3"));
    session.lookUpProduct(s("牛"));
    EXPECT_EQ(session.sale().entry().price(), s("3")); // typed by the person: stays
}

TEST_F(SessionTest, AdministratorsAddingLinesRememberProducts)
{
    SalesSession session(m_env.settings());
    ASSERT_TRUE(session.open());
    enter(session, "新品", "1", "9.9");
    EXPECT_EQ(session.products(), QStringList{s("新品")});
    EXPECT_EQ(session.settingsDb().scalar(
                  QStringLiteral("select \"price\" from \"PRODUCT_NAME\" where \"items\"=?"),
                  {s("新品")}),
              s("9.9"));

    m_env.settings().userPower = s("普通用户");
    SalesSession ordinary(m_env.settings());
    ASSERT_TRUE(ordinary.open());
    enter(ordinary, "另一个", "1", "1");
    EXPECT_EQ(ordinary.products(), QStringList{s("新品")});
}

TEST_F(SessionTest, ThePrintPathStoresPrintsAndStartsTheNextSale)
{
    SalesSession session(m_env.settings());
    ASSERT_TRUE(session.open());
    KeptReceipts printer;
    enter(session, "苹果", "1", "4");
    session.header().remark = s("临时备注");
    session.header().payment = s("微信");
    session.header().paymentEnabled = true;
    ASSERT_TRUE(printSale(session, printer));
    ASSERT_EQ(printer.receipts.size(), 1);
    EXPECT_EQ(printer.receipts[0].remark, s("临时备注"));
    EXPECT_EQ(printer.receipts[0].receiptNumber, s("0000000"));
    EXPECT_EQ(session.header().remark, s("谢谢惠顾，欢迎再次光临！"));
    EXPECT_EQ(session.header().number, s("0000001"));
    EXPECT_TRUE(session.sale().lines().isEmpty());
    EXPECT_EQ(records(QStringLiteral("select count(*) from \"POS_RECORD\" where \"NO\"=?"),
                      {s("0000000")}),
              s("1"));
    EXPECT_EQ(session.settingsDb().scalar(
                  QStringLiteral("select \"set5\" from \"USER_SET\" where \"id\"=1")),
              s("微信"));
    EXPECT_EQ(m_env.settings().lastPayment, s("微信"));

    // Printing without saving still takes a number and empties the sale.
    enter(session, "梨", "1", "3");
    ASSERT_TRUE(printSale(session, printer, false));
    EXPECT_EQ(session.header().number, s("0000002"));
    EXPECT_EQ(records(QStringLiteral("select count(*) from \"POS_RECORD\"")), s("1"));

    // A receipt that did not print, saving off: nothing of the sale would be
    // left anywhere, so it stays.
    printer.printerWorks = false;
    enter(session, "桃", "1", "3");
    EXPECT_FALSE(printSale(session, printer, false));
    EXPECT_EQ(session.sale().lines().count(), 1);
    EXPECT_EQ(session.header().number, s("0000002"));
    // Saving on: the sale is stored and leaves, and the cashier is told.
    EXPECT_TRUE(printSale(session, printer));
    EXPECT_EQ(m_env.prompt().lastText(), FinishSale::notPrintedMessage(s("0000002")));
    EXPECT_EQ(records(QStringLiteral("select count(*) from \"POS_RECORD\" where \"NO\"=?"),
                      {s("0000002")}),
              s("1"));
}

TEST_F(SessionTest, RecordsConnectionClosesForTheQueryWindow)
{
    SalesSession session(m_env.settings());
    ASSERT_TRUE(session.open());
    session.closeRecords();
    EXPECT_FALSE(session.recordsDb().isOpen());
    // The file may be replaced meanwhile (restore): numbering continues from the new file.
    m_check.exec(QStringLiteral("insert into \"AUTO_NUM\" (\"num\") values ('1')"));
    ASSERT_TRUE(session.reopenRecords());
    ASSERT_TRUE(session.loadReceiptNumber());
    EXPECT_EQ(session.header().number, s("0000001"));

    session.closeRecords();
    m_env.settings().recordsDsn = s("QmNoSuchSource");
    EXPECT_FALSE(session.reopenRecords());
    const std::optional<Failure> failure = session.takeFailure();
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->text, s("不能打开数据库"));
    EXPECT_EQ(failure->weight, Failure::Weight::Notice);
    EXPECT_FALSE(session.takeFailure()) << "a failure is handed over once";
}

} // namespace
