#include "app/FirstWindow.h"

#include "app/SettingsLoader.h"
#include "controls/DbOperation.h"
#include "controls/ModalDialogs.h"
#include "core/AppSettings.h"
#include "core/Clock.h"
#include "data/Database.h"
#include "sales/SalesDialog.h"
#include "users/LoginDialog.h"
#include "users/UserAccounts.h"

FirstWindow::Window FirstWindow::choose(AppSettings &settings)
{
    if (settings.directLogin == 0)
        return Window::Login;
    Database db;
    if (!DbOperation::open(db, settings.settingsDsn, nullptr))
        return Window::Login;
    std::optional<UserAccount> account;
    if (!DbOperation::run(nullptr, [&] { account = UserAccounts(db).find(settings.userName); }))
        return Window::Login;
    if (!account)
        return Window::Login;
    settings.userPower = account->power;
    return Window::Sales;
}

int FirstWindow::run(AppSettings &settings)
{
    if (choose(settings) == Window::Sales)
        return runSalesWindow(settings);
    LoginDialog login(settings);
    // The settings could not be read at start when the database was down.
    login.setOnReconnect(
        [&settings] { SettingsLoader::load(settings, Clock::now().date(), QString()); });
    if (ModalDialogs::run(login) != QDialog::Accepted)
        return 0;
    return runSalesWindow(settings);
}

int FirstWindow::runSalesWindow(AppSettings &settings)
{
    SalesDialog sales(settings);
    ModalDialogs::run(sales);
    return 0;
}
