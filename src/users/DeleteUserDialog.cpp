#include "users/DeleteUserDialog.h"
#include "ui_DeleteUserDialog.h"

#include "controls/DbOperation.h"
#include "controls/Prompt.h"
#include "core/AppSettings.h"
#include "data/Database.h"
#include "users/PasswordHash.h"
#include "users/UserAccounts.h"

DeleteUserDialog::DeleteUserDialog(const AppSettings &settings, const QString &name,
                                   QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::DeleteUserDialog>())
{
    m_ui->setupUi(this);
    setWindowTitle(QStringLiteral("删除用户：%1").arg(name));
    connect(m_ui->okButton, &QPushButton::clicked, this, &DeleteUserDialog::confirm);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    m_ui->password->setFocus();
    readStoredPassword(settings, name);
}

DeleteUserDialog::~DeleteUserDialog() = default;

void DeleteUserDialog::readStoredPassword(const AppSettings &settings, const QString &name)
{
    Database db;
    if (!DbOperation::open(db, settings.settingsDsn, parentWidget()))
        return;
    const bool read = DbOperation::run(parentWidget(), [&] {
        if (const auto account = UserAccounts(db).find(name)) {
            m_stored = account->code;
            m_found = true;
        }
    });
    if (read && !m_found)
        Prompt::warn(parentWidget(), QStringLiteral("不存在此用户"));
}

void DeleteUserDialog::confirm()
{
    if (!m_found) {
        reject();
        return;
    }
    if (PasswordHash::check(m_ui->password->text(), m_stored) == PasswordHash::Match::No) {
        Prompt::warn(this, QStringLiteral("密码错误!"), QStringLiteral("密码错误"));
        return;
    }
    accept();
}
