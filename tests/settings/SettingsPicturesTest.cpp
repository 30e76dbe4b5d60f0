// Pictures of the settings, customers and payment-methods windows for the
// documentation: written to QM_SCREENSHOT_DIR when it is set, otherwise to
// the temporary folder.
#include "data/Database.h"
#include "settings/CustomerBook.h"
#include "settings/CustomerDialog.h"
#include "settings/PageTabCtrl.h"
#include "settings/PaymentMethodDialog.h"
#include "settings/PaymentMethods.h"
#include "settings/SettingsDialog.h"
#include "support/TestEnv.h"
#include "users/PasswordHash.h"
#include "users/UserAccounts.h"
#include "users/UsersPage.h"

#include <QDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

void save(QWidget *window, const char *name)
{
    QString dir = qEnvironmentVariable("QM_SCREENSHOT_DIR");
    if (dir.isEmpty())
        dir = QDir::tempPath();
    const QString file = QDir(dir).filePath(QString::fromLatin1(name));
    window->show();
    QTest::qWait(50);
    EXPECT_TRUE(window->grab().save(file)) << file.toStdString();
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
    }

    {
        SettingsDialog window(settings, {QStringLiteral("我的小店"), QString(), QString()});
        PageTabCtrl *tabs = window.tabs();
        tabs->setCurrentIndex(tabs->indexOf(window.findChild<UsersPage *>()));
        save(&window, "settings-window.png");
    }
    {
        CustomerDialog window(settings);
        save(&window, "customers-window.png");
    }
    {
        PaymentMethodDialog window(settings);
        save(&window, "payment-methods-window.png");
    }
    PasswordHash::setCost(PasswordHash::interactiveCost());
}

} // namespace
