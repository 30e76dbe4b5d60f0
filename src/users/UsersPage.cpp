#include "users/UsersPage.h"
#include "ui_UsersPage.h"

#include "controls/DbOperation.h"
#include "controls/ModalDialogs.h"
#include "controls/Prompt.h"
#include "core/AppSettings.h"
#include "data/Database.h"
#include "data/LoginRow.h"
#include "users/AddUserDialog.h"
#include "users/DeleteUserDialog.h"
#include "users/ModifyUserDialog.h"
#include "users/UserAccounts.h"

namespace {

const int NameColumn = 1;
const int PowerColumn = 2;

QString attention()
{
    return QStringLiteral("注意");
}

} // namespace

UsersPage::UsersPage(AppSettings &settings, QWidget *parent)
    : QWidget(parent), m_settings(settings), m_ui(std::make_unique<Ui::UsersPage>())
{
    m_ui->setupUi(this);
    setUpList();
    fill();

    const bool administrator = m_settings.isAdministrator();
    m_ui->addButton->setEnabled(administrator);
    m_ui->modifyButton->setEnabled(administrator);
    m_ui->deleteButton->setEnabled(administrator);

    connect(m_ui->addButton, &QPushButton::clicked, this, &UsersPage::addUser);
    connect(m_ui->modifyButton, &QPushButton::clicked, this, &UsersPage::modifyUser);
    connect(m_ui->deleteButton, &QPushButton::clicked, this, &UsersPage::deleteUser);
    connect(m_ui->cancelDirectLoginButton, &QPushButton::clicked, this,
            &UsersPage::cancelDirectLogin);
    connect(m_ui->list, &SortableList::rowDoubleClicked, this, [this](int row) {
        if (row >= 0 && m_ui->modifyButton->isEnabled())
            modifyUser();
    });
    connect(m_ui->list, &SortableList::deletePressed, this, [this] {
        if (m_ui->deleteButton->isEnabled())
            deleteUser();
    });
}

UsersPage::~UsersPage() = default;

void UsersPage::setUpList()
{
    SortableList *list = m_ui->list;
    list->setGridLines(true);
    list->setFullRowSelect(true);
    list->setMovableColumns(true);
    list->setMultiSelect(false);
    list->setRowHeights(17);
    list->setColours(listColour(), listColour(), Qt::black);
    list->setColumns({{QStringLiteral("序号"), 50},
                      {QStringLiteral("用户名"), 100},
                      {QStringLiteral("权限"), 100}});
}

void UsersPage::fill()
{
    m_ui->list->clear();
    Database db;
    if (!DbOperation::open(db, m_settings.settingsDsn, this))
        return;
    DbOperation::run(this, [&] {
        QList<SortListModel::Row> rows;
        const QList<UserAccount> accounts = UserAccounts(db).all();
        for (int i = 0; i < accounts.size(); ++i)
            rows.append({{QString::number(i + 1), accounts[i].name, accounts[i].power}, i});
        m_ui->list->setRows(rows);
    });
}

void UsersPage::selectRow(int row)
{
    if (row >= 0 && row < m_ui->list->rowCount())
        m_ui->list->selectOnly(row);
    m_ui->list->setFocus();
}

std::optional<int> UsersPage::selectedRow() const
{
    const QList<int> rows = m_ui->list->selectedRows();
    if (rows.isEmpty())
        return std::nullopt;
    return rows.first();
}

void UsersPage::addUser()
{
    if (!m_ui->addButton->isEnabled())
        return;
    AddUserDialog dialog(m_settings, this);
    if (ModalDialogs::run(dialog) != QDialog::Accepted)
        return;
    fill();
    selectRow(m_ui->list->rowCount() - 1);
}

void UsersPage::modifyUser()
{
    const std::optional<int> row = selectedRow();
    if (!row) {
        Prompt::warn(this, QStringLiteral("请选择您要修改的行!"), attention());
        m_ui->list->setFocus();
        return;
    }
    ModifyUserDialog dialog(m_settings, m_ui->list->text(*row, NameColumn),
                            m_ui->list->text(*row, PowerColumn), this);
    if (ModalDialogs::run(dialog) == QDialog::Accepted) {
        fill();
        selectRow(*row);
    }
    m_ui->list->setFocus();
}

bool UsersPage::mayDelete(Database &db, const std::optional<QString> &name)
{
    auto check = UserAccounts::DeleteCheck::NothingSelected;
    if (!DbOperation::run(this, [&] {
            check = UserAccounts(db).checkDelete(name, m_ui->list->rowCount(), m_settings.userName);
        }))
        return false;
    switch (check) {
    case UserAccounts::DeleteCheck::NothingSelected:
        Prompt::warn(this, QStringLiteral("请选择您要删除的行!"), attention());
        return false;
    case UserAccounts::DeleteCheck::OnlyOneUser:
        Prompt::warn(this, QStringLiteral("当前只有一个用户不能再删除了!"), attention());
        return false;
    case UserAccounts::DeleteCheck::CurrentUser:
        Prompt::warn(this, QStringLiteral("当前用户“ %1 ”正在使用无法删除!").arg(*name),
                     attention());
        return false;
    case UserAccounts::DeleteCheck::LastAdministrator:
        Prompt::warn(this, QStringLiteral("系统中必须保留至少一个管理员!"), attention());
        return false;
    case UserAccounts::DeleteCheck::Allowed:
        break;
    }
    return true;
}

void UsersPage::deleteUser()
{
    Database db;
    if (!DbOperation::open(db, m_settings.settingsDsn, this))
        return;
    const std::optional<int> row = selectedRow();
    const std::optional<QString> name =
        row ? std::optional<QString>(m_ui->list->text(*row, NameColumn)) : std::nullopt;
    if (!mayDelete(db, name))
        return;
    if (!Prompt::yesNo(this, QStringLiteral("真的要删除用户“ %1 ”吗？").arg(*name), attention()))
        return;

    DeleteUserDialog dialog(m_settings, *name, this);
    if (dialog.userFound()) {
        if (ModalDialogs::run(dialog) != QDialog::Accepted) {
            m_ui->list->setFocus();
            return;
        }
        if (!DbOperation::run(this, [&] { UserAccounts(db).remove(*name); }))
            return;
    }
    // Deleted, or gone meanwhile: show the table as it is now.
    db.close();
    fill();
    selectRow(std::min(*row, m_ui->list->rowCount() - 1));
}

void UsersPage::cancelDirectLogin()
{
    Database db;
    if (!DbOperation::open(db, m_settings.settingsDsn, this))
        return;
    if (DbOperation::run(this, [&] { LoginRow::cancelDirectLogin(db); })) {
        m_settings.directLogin = 0;
        Prompt::info(this, QStringLiteral("设置成功！"));
    }
}

void UsersPage::showEvent(QShowEvent *event)
{
    m_ui->addButton->setDefault(true);
    QWidget::showEvent(event);
}

void UsersPage::hideEvent(QHideEvent *event)
{
    m_ui->addButton->setDefault(false);
    QWidget::hideEvent(event);
}
