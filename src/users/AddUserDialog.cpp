#include "users/AddUserDialog.h"
#include "ui_AddUserDialog.h"

#include "controls/DbOperation.h"
#include "controls/ModalDialogs.h"
#include "controls/Prompt.h"
#include "core/AppSettings.h"
#include "data/Database.h"
#include "users/PowerInfoDialog.h"
#include "users/UserAccounts.h"

AddUserDialog::AddUserDialog(const AppSettings &settings, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_ui(std::make_unique<Ui::AddUserDialog>())
{
    m_ui->setupUi(this);
    m_ui->power->setCurrentIndex(0);
    connect(m_ui->addButton, &QPushButton::clicked, this, &AddUserDialog::add);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->powerInfoButton, &QPushButton::clicked, this, &AddUserDialog::showPowerInfo);
}

AddUserDialog::~AddUserDialog() = default;

void AddUserDialog::add()
{
    Database db;
    if (!DbOperation::open(db, m_settings.settingsDsn, this))
        return;
    const QString power = m_ui->power->currentIndex() == 1 ? AppSettings::ordinaryPower()
                                                           : AppSettings::administratorPower();
    auto result = UserAccounts::AddResult::EmptyName;
    if (!DbOperation::run(this, [&] {
            result = UserAccounts(db).add(m_ui->userName->text(), m_ui->password->text(),
                                          m_ui->confirmation->text(), power);
        }))
        return;

    const QString caption = QStringLiteral("注意");
    switch (result) {
    case UserAccounts::AddResult::EmptyName:
        Prompt::warn(this, QStringLiteral("用户名不能为空!"), caption);
        return;
    case UserAccounts::AddResult::NameTaken:
        Prompt::warn(this, QStringLiteral("此用户名已存在,请选择其它用户名!"), caption);
        return;
    case UserAccounts::AddResult::PasswordsDiffer:
        Prompt::warn(this, QStringLiteral("两次输入的密码不同!"), caption);
        return;
    case UserAccounts::AddResult::Added:
        accept();
        return;
    }
}

void AddUserDialog::showPowerInfo()
{
    PowerInfoDialog info(this);
    ModalDialogs::run(info);
}
