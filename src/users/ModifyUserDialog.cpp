#include "users/ModifyUserDialog.h"
#include "ui_ModifyUserDialog.h"

#include "controls/DbOperation.h"
#include "controls/ModalDialogs.h"
#include "controls/Prompt.h"
#include "core/AppSettings.h"
#include "data/Database.h"
#include "users/PowerInfoDialog.h"
#include "users/UserAccounts.h"

ModifyUserDialog::ModifyUserDialog(const AppSettings &settings, const QString &name,
                                   const QString &power, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_ui(std::make_unique<Ui::ModifyUserDialog>())
{
    m_ui->setupUi(this);
    m_ui->userName->setText(name);
    m_ui->power->setCurrentIndex(power == AppSettings::administratorPower() ? 0 : 1);
    connect(m_ui->modifyButton, &QPushButton::clicked, this, &ModifyUserDialog::modify);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->powerInfoButton, &QPushButton::clicked, this, &ModifyUserDialog::showPowerInfo);
    m_ui->oldPassword->setFocus();
}

ModifyUserDialog::~ModifyUserDialog() = default;

void ModifyUserDialog::modify()
{
    Database db;
    if (!DbOperation::open(db, m_settings.settingsDsn, this))
        return;
    const QString power = m_ui->power->currentIndex() == 1 ? AppSettings::ordinaryPower()
                                                           : AppSettings::administratorPower();
    auto result = UserAccounts::ModifyResult::NoSuchUser;
    if (!DbOperation::run(this, [&] {
            result = UserAccounts(db).modify(m_ui->userName->text(), m_ui->oldPassword->text(),
                                             m_ui->newPassword->text(), m_ui->confirmation->text(),
                                             power);
        }))
        return;
    db.close();

    switch (result) {
    case UserAccounts::ModifyResult::LastAdministrator:
        Prompt::warn(this, QStringLiteral("系统中必须保留至少一个管理员!"), QStringLiteral("注意"));
        m_ui->power->setCurrentIndex(0);
        m_ui->power->setFocus();
        return;
    case UserAccounts::ModifyResult::WrongOldPassword:
        Prompt::warn(this, QStringLiteral("旧密码错误!"), QStringLiteral("密码错误"));
        return;
    case UserAccounts::ModifyResult::NewPasswordsDiffer:
        Prompt::warn(this, QStringLiteral("两次输入的新密码不同!"), QStringLiteral("密码错误"));
        return;
    case UserAccounts::ModifyResult::NoSuchUser:
        Prompt::warn(this, QStringLiteral("不存在此用户"));
        reject();
        return;
    case UserAccounts::ModifyResult::Modified:
        accept();
        Prompt::info(parentWidget(), QStringLiteral("用户信息修改成功！下次登录时生效！"),
                     QStringLiteral("修改成功"));
        return;
    }
}

void ModifyUserDialog::showPowerInfo()
{
    PowerInfoDialog info(this);
    ModalDialogs::run(info);
}
