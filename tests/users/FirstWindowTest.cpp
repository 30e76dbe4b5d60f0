// The first window of start-up and the direct-login round trip: log in with
// "下次直接登录" ticked, start again, switch it off on the users page, start
// again.
#include "UsersTestBase.h"
#include "support/Gui.h"
#include "support/ScriptedDialogs.h"

#include "app/FirstWindow.h"
#include "app/SettingsLoader.h"
#include "data/LoginRow.h"
#include "sales/SalesDialog.h"
#include "users/LoginDialog.h"
#include "users/UserAccounts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

class FirstWindowTest : public UsersTest
{
protected:
    // The settings as a fresh start of the program loads them.
    AppSettings restart()
    {
        AppSettings fresh;
        fresh.programDir = settings().programDir;
        fresh.workingDir = settings().workingDir;
        fresh.settingsDsn = settings().settingsDsn;
        fresh.recordsDsn = settings().recordsDsn;
        EXPECT_TRUE(SettingsLoader::load(fresh, QDate(2024, 3, 7), QString()));
        return fresh;
    }

    void logInThroughTheDialog(AppSettings &current, const QString &name, const QString &pw,
                               bool direct)
    {
        LoginDialog dialog(current);
        dialog.show();
        auto *names = child<QComboBox>(&dialog, "userName");
        names->lineEdit()->clear();
        commitText(names->lineEdit(), name);
        commitText(child<QLineEdit>(&dialog, "password"), pw);
        if (direct)
            tick(child<QCheckBox>(&dialog, "directLogin"));
        click(child<QPushButton>(&dialog, "logInButton"));
        ASSERT_EQ(dialog.result(), QDialog::Accepted) << prompt().lastText().toStdString();
    }
};

TEST_F(FirstWindowTest, DeliveredDatabaseStartsWithTheLoginDialog)
{
    AppSettings started = restart();
    EXPECT_EQ(started.directLogin, 0);
    EXPECT_EQ(FirstWindow::choose(started), FirstWindow::Window::Login);
}

TEST_F(FirstWindowTest, DirectLoginRoundTrip)
{
    ASSERT_EQ(UserAccounts(db()).add(QStringLiteral("收银 O'Neil"), QStringLiteral("pw"),
                                     QStringLiteral("pw"), ordinary()),
              UserAccounts::AddResult::Added);
    AppSettings first = restart();
    logInThroughTheDialog(first, QStringLiteral("收银 O'Neil"), QStringLiteral("pw"), true);

    AppSettings second = restart();
    EXPECT_EQ(second.directLogin, 1);
    EXPECT_EQ(FirstWindow::choose(second), FirstWindow::Window::Sales);
    EXPECT_EQ(second.userName, QStringLiteral("收银 O'Neil"));
    EXPECT_EQ(second.userPower, ordinary());

    // Logging in again without the tick switches direct login off as well.
    logInThroughTheDialog(second, QStringLiteral("admin"), QString(), false);
    AppSettings third = restart();
    EXPECT_EQ(FirstWindow::choose(third), FirstWindow::Window::Login);
    EXPECT_EQ(third.userName, QStringLiteral("admin"));
}

TEST_F(FirstWindowTest, DirectLoginRereadsThePowerOfTheStoredUser)
{
    UserAccounts accounts(db());
    ASSERT_EQ(accounts.add(QStringLiteral("店长"), QString(), QString(), admin()),
              UserAccounts::AddResult::Added);
    AppSettings first = restart();
    logInThroughTheDialog(first, QStringLiteral("店长"), QString(), true);
    EXPECT_EQ(first.userPower, admin());

    // Demoted after the stored login: the next start gives ordinary rights.
    ASSERT_EQ(accounts.modify(QStringLiteral("店长"), QString(), QString(), QString(), ordinary()),
              UserAccounts::ModifyResult::Modified);
    AppSettings second = restart();
    EXPECT_EQ(second.userPower, admin()) << "the login row still says administrator";
    EXPECT_EQ(FirstWindow::choose(second), FirstWindow::Window::Sales);
    EXPECT_EQ(second.userPower, ordinary());
    EXPECT_FALSE(second.isAdministrator());

    // The sales window the next start opens shows and applies the new power.
    AppSettings third = restart();
    QString title;
    bool cashierLocked = false;
    whenModal([&](QDialog *dialog) {
        title = dialog->windowTitle();
        if (auto *cashier = dialog->findChild<QComboBox *>(QStringLiteral("cashierBox")))
            cashierLocked = !cashier->isEnabled();
        dialog->close();
    });
    EXPECT_EQ(FirstWindow::run(third), 0);
    EXPECT_EQ(title, QStringLiteral("QuillmarchV3.5.1 —— 收银员：店长（普通用户）"));
    EXPECT_TRUE(cashierLocked);
}

TEST_F(FirstWindowTest, DirectLoginOfADeletedUserShowsTheLoginDialog)
{
    UserAccounts accounts(db());
    ASSERT_EQ(accounts.add(QStringLiteral("临时工"), QString(), QString(), admin()),
              UserAccounts::AddResult::Added);
    AppSettings first = restart();
    logInThroughTheDialog(first, QStringLiteral("临时工"), QString(), true);
    accounts.remove(QStringLiteral("临时工"));

    AppSettings second = restart();
    EXPECT_EQ(FirstWindow::choose(second), FirstWindow::Window::Login);
    EXPECT_TRUE(prompt().messages().isEmpty());

    // Started for real, the login dialog comes up on the first remaining name.
    AppSettings third = restart();
    bool sawLogin = false;
    QString offered;
    whenModal([&](QDialog *dialog) {
        sawLogin = qobject_cast<LoginDialog *>(dialog) != nullptr;
        if (auto *names = dialog->findChild<QComboBox *>(QStringLiteral("userName")))
            offered = names->currentText();
        dialog->reject();
    });
    EXPECT_EQ(FirstWindow::run(third), 0);
    EXPECT_TRUE(sawLogin);
    EXPECT_EQ(offered, QStringLiteral("admin"));
}

TEST_F(FirstWindowTest, ExitInTheLoginDialogEndsTheProgram)
{
    AppSettings started = restart();
    bool sawLogin = false;
    whenModal([&](QDialog *dialog) {
        sawLogin = qobject_cast<LoginDialog *>(dialog) != nullptr;
        click(child<QPushButton>(dialog, "exitButton"));
    });
    EXPECT_EQ(FirstWindow::run(started), 0);
    EXPECT_TRUE(sawLogin);
    EXPECT_EQ(loginRowText(QStringLiteral("directLogin")), QStringLiteral("0"));
}

TEST_F(FirstWindowTest, FreshStartLogsTheDeliveredAdminIntoTheSalesWindow)
{
    AppSettings started = restart();
    QString salesTitle;
    whenModal([&](QDialog *login) {
        ASSERT_NE(qobject_cast<LoginDialog *>(login), nullptr);
        // The sales window follows once the login dialog has gone.
        whenModal([&](QDialog *sales) {
            if (qobject_cast<SalesDialog *>(sales))
                salesTitle = sales->windowTitle();
            sales->close();
        });
        click(child<QPushButton>(login, "logInButton"));
    });
    EXPECT_EQ(FirstWindow::run(started), 0);
    EXPECT_EQ(salesTitle, QStringLiteral("QuillmarchV3.5.1 —— 收银员：admin（管理员）"));
}

TEST_F(FirstWindowTest, DirectLoginGoesStraightToTheSalesWindow)
{
    LoginRow::store(db(), QStringLiteral("admin"), admin(), true);
    AppSettings started = restart();
    bool salesFirst = false;
    whenModal([&](QDialog *dialog) {
        salesFirst = qobject_cast<SalesDialog *>(dialog) != nullptr;
        dialog->close();
    });
    EXPECT_EQ(FirstWindow::run(started), 0);
    EXPECT_TRUE(salesFirst);
}

} // namespace
