// The settings window opened from the sales window's "设置(&S)..." button, the
// way the program wires it: values handed over and taken back, and the
// cashier list following the users page.
#include "app/SettingsLoader.h"
#include "data/Database.h"
#include "sales/SalesDialog.h"
#include "settings/SettingsDialog.h"
#include "support/Gui.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"
#include "users/AddUserDialog.h"
#include "users/PasswordHash.h"
#include "users/UsersPage.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

TEST(SettingsRoundTrip, SalesWindowGetsBackNumberRemarkAndNewCashiers)
{
    TestEnv env;
    PasswordHash::setCost(PasswordHash::minimalCost());
    AppSettings &settings = env.settings();
    {
        Database db;
        ASSERT_TRUE(db.open(settings.settingsDsn));
        SettingsLoader::loadFrom(db, settings, QDate(2024, 3, 7), QString());
    }
    settings.userName = QStringLiteral("admin");
    settings.userPower = AppSettings::administratorPower();

    SalesDialog sales(settings);
    SalesWindows windows;
    windows.settings = [&settings](QWidget *owner, SettingsHandover &texts) {
        texts = SettingsDialog::run(settings, texts, owner);
    };
    sales.setWindows(windows);
    sales.show();
    auto *number = child<QLineEdit>(&sales, "numberEdit");
    auto *remark = child<QPlainTextEdit>(&sales, "remarkEdit");
    auto *cashiers = child<QComboBox>(&sales, "cashierBox");
    ASSERT_EQ(cashiers->count(), 1);

    QString handedNumber;
    QString handedRemark;
    whenModal([&](QDialog *dialog) {
        auto *window = qobject_cast<SettingsDialog *>(dialog);
        ASSERT_NE(window, nullptr);
        handedNumber = window->handover().receiptNumber;
        handedRemark = window->handover().remark;
        // A new cashier added on the users page...
        whenModal([](QDialog *add) {
            auto *name = child<QLineEdit>(add, "userName");
            commitText(name, QStringLiteral("新收银员"));
            click(child<QPushButton>(add, "addButton"));
        });
        click(child<QPushButton>(window->findChild<UsersPage *>(), "addButton"));
        // ...and a page that changes the number and the remark.
        window->handover().receiptNumber = QStringLiteral("X2403070000001");
        window->handover().remark = QStringLiteral("新备注");
        dialog->close();
    });
    click(child<QPushButton>(&sales, "settingsButton"));

    EXPECT_EQ(handedNumber, QStringLiteral("0000000"));
    EXPECT_EQ(handedRemark, QStringLiteral("谢谢惠顾，欢迎再次光临！"));
    EXPECT_EQ(number->text(), QStringLiteral("X2403070000001"));
    EXPECT_EQ(remark->toPlainText(), QStringLiteral("新备注"));
    QStringList names;
    for (int i = 0; i < cashiers->count(); ++i)
        names.append(cashiers->itemText(i));
    EXPECT_TRUE(names.contains(QStringLiteral("新收银员"))) << names.join(',').toStdString();
    PasswordHash::setCost(PasswordHash::interactiveCost());
}

} // namespace
