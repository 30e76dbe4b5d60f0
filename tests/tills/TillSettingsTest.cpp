// What an owner sets up for the tills (accounts, the shop's print settings,
// a raw printer, products, customers, payment methods) is stored and read back
// the same on the server as in the till's own SQLite file, through the
// program's own classes and the loader that every till runs at start.
#include "app/SettingsLoader.h"
#include "core/AppSettings.h"
#include "data/Database.h"
#include "data/LoginRow.h"
#include "data/Transaction.h"
#include "printing/PrintInfo.h"
#include "printing/RawPrinterSetup.h"
#include "data/ShopRow.h"
#include "settings/CustomerBook.h"
#include "settings/PaymentMethods.h"
#include "settings/ProductCatalogue.h"
#include "support/Gui.h"
#include "support/PgServer.h"
#include "support/TestEnv.h"
#include "users/UserAccounts.h"

#include <gtest/gtest.h>

namespace {

class TillSettings : public ::testing::TestWithParam<bool>
{
protected:
    void SetUp() override
    {
        if (GetParam()) {
            QM_REQUIRE_POSTGRES();
            m_env.settings().settingsDsn = PgServer::preparedDataSource(true);
        }
        ASSERT_TRUE(m_db.open(m_env.settings().settingsDsn));
        // As the first till does when it starts.
        SettingsLoader::loadFrom(m_db, m_env.settings(), QDate(2024, 3, 7), QString());
    }

    TestEnv m_env;
    Database m_db;
};

TEST_P(TillSettings, AnOwnersSetUpIsStoredAndEveryTillReadsItBack)
{
    // Accounts: a cashier is added and logs in; the delivered administrator too.
    UserAccounts accounts(m_db);
    EXPECT_EQ(accounts.add(s("张敏"), s("it's 100%"), s("it's 100%"), AppSettings::ordinaryPower()),
              UserAccounts::AddResult::Added);
    EXPECT_EQ(accounts.add(s("张敏"), s("x"), s("x"), AppSettings::ordinaryPower()),
              UserAccounts::AddResult::NameTaken);
    QString power;
    EXPECT_EQ(accounts.login(s(" 张敏 "), s("it's 100%"), &power),
              UserAccounts::LoginResult::LoggedIn);
    EXPECT_EQ(power, AppSettings::ordinaryPower());
    EXPECT_EQ(accounts.login(s("张敏"), s("wrong"), &power),
              UserAccounts::LoginResult::WrongPassword);
    EXPECT_EQ(accounts.login(s("admin"), QString(), &power), UserAccounts::LoginResult::LoggedIn);
    LoginRow::store(m_db, s("张敏"), AppSettings::ordinaryPower(), true);

    // The print-information page and the printer choice, each in one transaction.
    PrintInfo info;
    info.shopName = s("小店 \"O'Brien\"");
    info.remark = s("谢谢惠顾");
    info.showPrice = true;
    info.margin = s("3");
    info.offset = s("-1");
    info.paperLengthAdjust = s("3");
    info.store(m_db);
    {
        Transaction transaction(m_db);
        RawPrinterSetup raw;
        raw.printer = s("热敏58");
        raw.paperDots = RawPrinterSetup::dots58;
        raw.openDrawer = true;
        raw.store(m_db);
        transaction.commit();
    }

    // Products, customers, payment methods.
    ProductCatalogue products(m_db);
    products.replaceAll({{0, s("A01-牛奶"), s("3.50")}, {0, s("可乐"), s("2.50")}});
    products.add(s("B02-面包"), s("5"));
    products.setPrice(s("可乐"), s("3.00"));
    CustomerBook customers(m_db);
    customers.add(s("Wang Li"), s("138"));
    PaymentMethods payments(m_db);
    payments.add(s("微信"));

    // Another till starts on the same settings.
    Database other;
    ASSERT_TRUE(other.open(m_env.settings().settingsDsn));
    AppSettings till;
    SettingsLoader::loadFrom(other, till, QDate(2024, 3, 7), QString());
    EXPECT_EQ(till.userName, s("张敏"));
    EXPECT_EQ(till.userPower, AppSettings::ordinaryPower());
    EXPECT_EQ(till.paperLengthAdjust, 3);
    const ShopRow shop = ShopRow::read(other);
    EXPECT_EQ(shop.shopName, s("小店 \"O'Brien\""));
    EXPECT_EQ(shop.defaultRemark, s("谢谢惠顾"));
    EXPECT_TRUE(shop.showPrice);
    EXPECT_EQ(shop.paperMargin, 12);
    EXPECT_EQ(shop.printOffset, -4);
    const RawPrinterSetup raw = RawPrinterSetup::load(other, s("热敏58"));
    EXPECT_EQ(raw.paperDots, RawPrinterSetup::dots58);
    EXPECT_TRUE(raw.openDrawer);
    EXPECT_EQ(RawPrinterSetup::load(other, s("热敏80")).paperDots, RawPrinterSetup::dots80);

    EXPECT_EQ(ProductCatalogue(other).texts(),
              QStringList({s("A01-牛奶"), s("可乐"), s("B02-面包")}));
    EXPECT_EQ(ProductCatalogue(other).priceOf(s("可乐")), s("3.00"));
    // Latin text is found whatever its case, on both engines.
    const QList<Customer> found = CustomerBook(other).find({s("wang"), QString()});
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found.first().phone, s("138"));
    EXPECT_TRUE(PaymentMethods(other).loadWithDefault().contains(s("微信")));
}

INSTANTIATE_TEST_SUITE_P(BothEngines, TillSettings, ::testing::Values(false, true),
                         [](const auto &info) {
                             return info.param ? std::string("Postgres") : std::string("Sqlite");
                         });

} // namespace
