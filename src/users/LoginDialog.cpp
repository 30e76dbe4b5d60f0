#include "users/LoginDialog.h"
#include "ui_LoginDialog.h"

#include "controls/DbOperation.h"
#include "controls/Prompt.h"
#include "controls/SalesIcons.h"
#include "controls/TextOrder.h"
#include "core/AppSettings.h"
#include "data/Database.h"
#include "data/LoginRow.h"
#include "users/UserAccounts.h"

#include <QApplication>
#include <QCompleter>

#include <algorithm>

LoginDialog::LoginDialog(AppSettings &settings, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_ui(std::make_unique<Ui::LoginDialog>())
{
    m_ui->setupUi(this);
    setWindowIcon(SalesIcons::window());
    // Names are exact: typing "ADMIN" must not be completed or matched to "admin".
    m_ui->userName->completer()->setCaseSensitivity(Qt::CaseSensitive);
    applyColours();
    m_hint = m_ui->hint->text();
    showConnected(fillUserNames());
    connect(m_ui->logInButton, &QPushButton::clicked, this, &LoginDialog::logIn);
    connect(m_ui->retryButton, &QPushButton::clicked, this, &LoginDialog::retry);
    connect(m_ui->exitButton, &QPushButton::clicked, this, &QDialog::reject);
    m_ui->password->setFocus();
}

void LoginDialog::showConnected(bool connected)
{
    m_connected = connected;
    m_ui->retryButton->setVisible(!connected);
    m_ui->hint->setText(connected ? m_hint : offlineHint());
}

bool LoginDialog::retry()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Database db;
    const bool answered = db.open(m_settings.settingsDsn);
    db.close();
    QApplication::restoreOverrideCursor();
    if (!answered) {
        Prompt::info(this, db.openFailureMessage());
        return false;
    }
    if (m_onReconnect)
        m_onReconnect();
    // A name the person typed meanwhile stays in the box.
    const QString typed = m_ui->userName->currentText();
    if (!fillUserNames())
        return false;
    if (!typed.trimmed().isEmpty())
        m_ui->userName->setEditText(typed);
    showConnected(true);
    m_ui->password->setFocus();
    return true;
}

LoginDialog::~LoginDialog() = default;

void LoginDialog::applyColours()
{
    QPalette background = palette();
    background.setColor(QPalette::Window, backgroundColour());
    setPalette(background);
    setAutoFillBackground(true);

    QPalette blue = m_ui->hint->palette();
    blue.setColor(QPalette::WindowText, hintColour());
    m_ui->hint->setPalette(blue);
}

bool LoginDialog::fillUserNames()
{
    Database db;
    if (!DbOperation::open(db, m_settings.settingsDsn, this))
        return false;
    QStringList names;
    if (!DbOperation::run(this, [&] {
            for (const UserAccount &account : UserAccounts(db).all())
                names.append(account.name);
        }))
        return false;
    TextOrder().sort(names); // the program's one order of texts, as in the cashier box

    m_ui->userName->clear();
    m_ui->userName->addItems(names);
    const int stored = names.indexOf(m_settings.userName);
    m_ui->userName->setCurrentIndex(stored >= 0 ? stored : 0);
    return true;
}

void LoginDialog::logIn()
{
    // The list could not be filled: the connection is tried first, so an
    // unreachable server is named instead of an empty name being refused.
    if (!m_connected && !retry())
        return;
    const QString typedName = m_ui->userName->currentText();
    const QString password = m_ui->password->text();
    if (typedName.trimmed().isEmpty()) {
        Prompt::warn(this, QStringLiteral("用户名不能为空!"), QStringLiteral("错误"));
        return;
    }
    Database db;
    if (!DbOperation::open(db, m_settings.settingsDsn, this))
        return;
    auto result = UserAccounts::LoginResult::NoSuchUser;
    QString power;
    QString name = typedName.trimmed();
    if (!DbOperation::run(
            this, [&] { result = UserAccounts(db).login(typedName, password, &power, &name); }))
        return;
    db.close();

    switch (result) {
    case UserAccounts::LoginResult::EmptyName:
        Prompt::warn(this, QStringLiteral("用户名不能为空!"), QStringLiteral("错误"));
        return;
    case UserAccounts::LoginResult::NoSuchUser:
        Prompt::warn(this, name + QStringLiteral("  此用户名不存在!"),
                     QStringLiteral("用户名错误"));
        return;
    case UserAccounts::LoginResult::WrongPassword:
        Prompt::warn(this, QStringLiteral("请输入正确的密码!"), QStringLiteral("密码错误"));
        m_ui->password->clear();
        m_ui->password->setFocus();
        return;
    case UserAccounts::LoginResult::LoggedIn:
        break;
    }
    storeLogin(name, power);
    m_settings.userName = name;
    m_settings.userPower = power;
    accept();
}

void LoginDialog::storeLogin(const QString &name, const QString &power)
{
    // A login row that cannot be written does not keep the user out.
    Database db;
    if (!DbOperation::open(db, m_settings.settingsDsn, this))
        return;
    DbOperation::run(this,
                     [&] { LoginRow::store(db, name, power, m_ui->directLogin->isChecked()); });
}
