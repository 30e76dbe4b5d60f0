// Pictures of the login, settings, customers and payment-methods windows for the
// documentation, written to picturesDir() ($QM_PICTURES_DIR).
#include "data/Database.h"
#include "settings/CustomerBook.h"
#include "settings/CustomerDialog.h"
#include "settings/PaymentMethodDialog.h"
#include "settings/PaymentMethods.h"
#include "settings/ProductCatalogue.h"
#include "settings/ProductPage.h"
#include "settings/SettingsDialog.h"
#include "settings/SettingsTabs.h"
#include "support/Gui.h"
#include "support/TestEnv.h"
#include "users/LoginDialog.h"
#include "users/PasswordHash.h"
#include "users/UserAccounts.h"
#include "users/UsersPage.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

void save(QWidget *window, const char *name)
{
    window->show();
    QTest::qWait(50);
    savePicture(window->grab().toImage(), QString::fromLatin1(name));
}

TEST(SettingsPictures, SettingsCustomersAndPaymentMethods)
{
    TestEnv env;
    PasswordHash::setCost(PasswordHash::minimalCost());
    AppSettings &settings = env.settings();
    settings.userName = QStringLiteral("admin");
    settings.userPower = AppSettings::administratorPower();
    {
        Database db;
        ASSERT_TRUE(db.open(settings.settingsDsn));
        UserAccounts users(db);
        users.add(QStringLiteral("小李"), QString(), QString(), AppSettings::ordinaryPower());
        users.add(QStringLiteral("王芳"), QString(), QString(), AppSettings::ordinaryPower());
        users.add(QStringLiteral("店长"), QString(), QString(), AppSettings::administratorPower());
        CustomerBook customers(db);
        customers.add(QStringLiteral("张三"), QStringLiteral("13800001111"));
        customers.add(QStringLiteral("李四"), QStringLiteral("13900002222"));
        customers.add(QStringLiteral("王五 (批发)"), QStringLiteral("0571-8800123"));
        PaymentMethods methods(db);
        methods.loadWithDefault();
        methods.add(QStringLiteral("微信"));
        methods.add(QStringLiteral("支付宝"));
        ProductCatalogue products(db);
        products.add(QStringLiteral("A01-牛奶"), QStringLiteral("3.50"));
        products.add(QStringLiteral("可乐"), QStringLiteral("2.50"));
        products.add(QStringLiteral("B02-面包"), QStringLiteral("4.00"));
        products.add(QStringLiteral("0012-酸奶"), QStringLiteral("6.00"));
        products.add(QStringLiteral("毛巾"), QStringLiteral("12.80"));
    }

    {
        SettingsDialog window(settings, {QStringLiteral("我的小店"), QString(), QString()});
        SettingsTabs *tabs = window.tabs();
        tabs->setCurrentIndex(tabs->indexOf(window.findChild<UsersPage *>()));
        save(&window, "settings-window");
        tabs->setCurrentIndex(tabs->indexOf(window.findChild<ProductPage *>()));
        save(&window, "product-page");
    }
    {
        CustomerDialog window(settings);
        save(&window, "customers-window");
    }
    {
        PaymentMethodDialog window(settings);
        save(&window, "payment-methods-window");
    }
    PasswordHash::setCost(PasswordHash::interactiveCost());
}

TEST(SettingsPictures, LoginDialog)
{
    TestEnv env;
    env.settings().userName = QStringLiteral("admin");
    LoginDialog window(env.settings());
    save(&window, "login-dialog");
}

} // namespace
