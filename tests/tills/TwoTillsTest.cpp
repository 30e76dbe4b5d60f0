// Two tills selling at once on one records database, on SQLite and on the
// PostgreSQL server: a number shown on both is taken by whichever stores
// first, the other gets the next one without a word; a number typed over that
// the other till stored meanwhile is refused. A till that lost the server says
// so, keeps the sale and stores it once the server is back. A till left alone
// shows the number the other till's sales have moved its counter to.
#include "controls/IdleTicker.h"
#include "core/AppSettings.h"
#include "data/Database.h"
#include "sales/SaleStore.h"
#include "sales/SalesDialog.h"
#include "sales/SalesSession.h"
#include "support/Gui.h"
#include "support/PgServer.h"
#include "support/SaleFinishing.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"

#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

class TwoTills : public ::testing::TestWithParam<bool>
{
protected:
    void SetUp() override
    {
        if (GetParam()) {
            QM_REQUIRE_POSTGRES();
            m_env.settings().recordsDsn = PgServer::preparedDataSource(false);
        }
        m_env.settings().userName = s("admin");
        m_env.settings().userPower = s("管理员");
        ASSERT_TRUE(m_check.open(m_env.settings().recordsDsn));
    }

    static void enter(SalesSession &session, const char *name)
    {
        session.sale().entry().setName(s(name));
        session.sale().entry().typeQuantity(s("1"));
        session.sale().entry().setPrice(s("3"));
        ASSERT_TRUE(session.sale().addLine().message.isEmpty());
    }

    QString lineOf(const QString &number)
    {
        return m_check.scalar(
            QStringLiteral("select \"name\" from \"POS_RECORD_DETAIL\" where \"NO\"=?"), {number});
    }

    TestEnv m_env;
    Database m_check;
};

TEST_P(TwoTills, BothShowingOneNumberBothStoreWithoutAMessage)
{
    SalesSession first(m_env.settings());
    SalesSession second(m_env.settings());
    ASSERT_TRUE(first.open());
    ASSERT_TRUE(second.open());
    ASSERT_EQ(second.header().number, s("0000000"));

    enter(first, "苹果");
    enter(second, "香蕉");
    ASSERT_TRUE(saveOnly(first));
    ASSERT_TRUE(saveOnly(second)); // still shows 0000000
    EXPECT_EQ(lineOf(s("0000000")), s("苹果"));
    EXPECT_EQ(lineOf(s("0000001")), s("香蕉"));
    EXPECT_EQ(second.header().number, s("0000002"));

    // The print path: the receipt carries the number the sale was stored under.
    enter(first, "梨"); // first still shows 0000001
    KeptReceipts printer;
    ASSERT_TRUE(printSale(first, printer));
    ASSERT_EQ(printer.receipts.size(), 1);
    EXPECT_EQ(printer.receipts[0].receiptNumber, s("0000002"));
    EXPECT_EQ(first.header().number, s("0000003"));
    EXPECT_EQ(lineOf(s("0000002")), s("梨"));
    EXPECT_EQ(m_check.scalar(QStringLiteral("select count(*) from \"AUTO_NUM\"")), s("3"));
    EXPECT_TRUE(m_env.prompt().messages().isEmpty()) << m_env.prompt().lastText().toStdString();
}

TEST_P(TwoTills, ANumberTypedOverThatTheOtherTillStoredMeanwhileIsRefused)
{
    SalesSession first(m_env.settings());
    SalesSession second(m_env.settings());
    ASSERT_TRUE(first.open());
    ASSERT_TRUE(second.open());
    enter(first, "苹果");
    enter(second, "香蕉");
    first.header().number = s("手工-9");
    second.header().number = s("手工-9");
    ASSERT_TRUE(saveOnly(second));
    EXPECT_FALSE(saveOnly(first));
    EXPECT_EQ(m_env.prompt().lastText(), SaleStore::numberTakenMessage(s("手工-9")));
    EXPECT_EQ(first.sale().lines().count(), 1);
    EXPECT_EQ(lineOf(s("手工-9")), s("香蕉"));
    EXPECT_EQ(m_check.scalar(QStringLiteral("select count(*) from \"POS_RECORD_DETAIL\"")), s("1"));
    EXPECT_EQ(m_check.scalar(QStringLiteral("select count(*) from \"AUTO_NUM\"")), s("1"));
}

// A cashier who writes down the number shown before the sale is stored must
// not get one another till has taken meanwhile: while the till is left alone,
// the counter's number is shown afresh. A number typed over is the cashier's.
TEST_P(TwoTills, ATillLeftAloneShowsTheNumberTheOtherTillLeftButKeepsATypedOne)
{
    SalesDialog window(m_env.settings());
    window.show();
    auto *ticker = window.findChild<IdleTicker *>();
    ASSERT_NE(ticker, nullptr);
    ticker->setIntervalMs(50);
    auto *number = child<QLineEdit>(&window, "numberEdit");
    ASSERT_EQ(number->text(), s("0000000"));

    SalesSession other(m_env.settings());
    ASSERT_TRUE(other.open());
    enter(other, "苹果");
    ASSERT_TRUE(saveOnly(other));
    enter(other, "香蕉");
    ASSERT_TRUE(saveOnly(other));
    EXPECT_TRUE(waitFor([&] { return number->text() == s("0000002"); }))
        << qPrintable(number->text());

    // The server goes away while the till is left alone, and comes back: the
    // till follows the other till's sales again without anyone touching it.
    if (GetParam()) {
        ASSERT_TRUE(PgServer::restart(
            0, [&] { EXPECT_TRUE(waitFor([&] { return ticker->isSlowed(); })); }));
        enter(other, "葡萄");
        ASSERT_TRUE(saveOnly(other));
        EXPECT_TRUE(waitFor([&] { return number->text() == s("0000003"); }))
            << qPrintable(number->text());
    }

    // The administrator types a number of their own: it stays while the other
    // till sells on.
    retype(number, QStringLiteral("A-77"));
    child<QWidget>(&window, "productBox")->setFocus();
    enter(other, "梨");
    ASSERT_TRUE(saveOnly(other));
    waitFor([] { return false; }, 400); // several turns of the idle wait
    EXPECT_EQ(number->text(), s("A-77"));
    EXPECT_FALSE(ticker->isSlowed());
    EXPECT_TRUE(m_env.prompt().messages().isEmpty()) << m_env.prompt().lastText().toStdString();
}

INSTANTIATE_TEST_SUITE_P(BothEngines, TwoTills, ::testing::Values(false, true),
                         [](const auto &info) {
                             return info.param ? std::string("Postgres") : std::string("Sqlite");
                         });

TEST(TillOnServer, AnOutageIsToldTheSaleStaysAndIsStoredOnceTheServerIsBack)
{
    QM_REQUIRE_POSTGRES();
    TestEnv env;
    env.settings().settingsDsn = PgServer::preparedDataSource(true);
    env.settings().recordsDsn = PgServer::preparedDataSource(false);
    env.settings().userName = s("admin");
    env.settings().userPower = AppSettings::administratorPower();
    SalesSession till(env.settings());
    ASSERT_TRUE(till.open());

    // Restarted between two sales: the till notices nothing, and the product
    // the administrator typed (remembered outside any transaction) reaches the
    // catalogue on the server.
    ASSERT_TRUE(PgServer::restart(100));
    till.sale().entry().setName(s("苹果"));
    till.sale().entry().setPrice(s("3"));
    ASSERT_TRUE(till.sale().addLine().message.isEmpty());
    const std::optional<Failure> typing = till.takeFailure();
    EXPECT_FALSE(typing) << typing->text.toStdString();
    ASSERT_TRUE(saveOnly(till));
    EXPECT_TRUE(env.prompt().messages().isEmpty());
    Database catalogue;
    ASSERT_TRUE(catalogue.open(env.settings().settingsDsn));
    EXPECT_EQ(catalogue.scalar(QStringLiteral("select \"price\" from \"PRODUCT_NAME\" where "
                                              "\"items\"='苹果'")),
              s("3"));

    // Saved while the server is down: told, nothing written, the sale stays.
    till.sale().entry().setName(s("香蕉"));
    till.sale().entry().setPrice(s("2"));
    ASSERT_TRUE(till.sale().addLine().message.isEmpty());
    ASSERT_TRUE(PgServer::restart(0, [&] {
        EXPECT_FALSE(saveOnly(till));
        EXPECT_EQ(env.prompt().lastText(), Database::connectionLostMessage());
        EXPECT_EQ(till.sale().lines().count(), 1);
    }));
    ASSERT_TRUE(saveOnly(till)); // back without a restart of the till
    EXPECT_EQ(till.header().number, s("0000002"));

    Database check;
    ASSERT_TRUE(check.open(env.settings().recordsDsn));
    EXPECT_EQ(check.scalar(QStringLiteral("select count(*) from \"POS_RECORD\"")), s("2"));
    EXPECT_EQ(check.scalar(QStringLiteral("select \"name\" from \"POS_RECORD_DETAIL\" where "
                                          "\"NO\"='0000001'")),
              s("香蕉"));
}

} // namespace
