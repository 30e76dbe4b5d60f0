#include "users/UserAccounts.h"

#include "data/Database.h"
#include "users/PasswordHash.h"

namespace {

UserAccount accountFrom(const Database::Rows &row)
{
    return {row.text(1), row.text(2), row.text(3)};
}

} // namespace

QList<UserAccount> UserAccounts::all()
{
    QList<UserAccount> accounts;
    Database::Rows rows = m_db.query(
        QStringLiteral("select \"id\",\"name\",\"code\",\"power\" from \"USER\" order by \"id\""));
    while (rows.next())
        accounts.append(accountFrom(rows));
    return accounts;
}

std::optional<UserAccount> UserAccounts::find(const QString &name)
{
    Database::Rows rows = m_db.query(
        QStringLiteral(
            "select \"id\",\"name\",\"code\",\"power\" from \"USER\" where \"name\" = ?"),
        {name});
    if (!rows.next())
        return std::nullopt;
    return accountFrom(rows);
}

int UserAccounts::administratorCount()
{
    return m_db
        .scalar(QStringLiteral("select count(*) from \"USER\" where \"power\" = ?"),
                {AppSettings::administratorPower()}, QStringLiteral("0"))
        .toInt();
}

UserAccounts::LoginResult UserAccounts::login(const QString &typedName, const QString &password,
                                              QString *power, QString *storedName)
{
    // Names are compared without the blanks around them; a name stored with
    // blanks by an older version is still found as it was stored.
    const QString trimmed = typedName.trimmed();
    if (trimmed.isEmpty())
        return LoginResult::EmptyName;
    std::optional<UserAccount> account = find(trimmed);
    if (!account)
        account = find(typedName);
    const QString name = account ? account->name : trimmed;
    if (!account)
        return LoginResult::NoSuchUser;
    const PasswordHash::Match match = PasswordHash::check(password, account->code);
    if (match == PasswordHash::Match::No)
        return LoginResult::WrongPassword;
    if (match == PasswordHash::Match::YesStoreAgain)
        storePassword(name, password);
    if (power)
        *power = account->power;
    if (storedName)
        *storedName = account->name;
    return LoginResult::LoggedIn;
}

UserAccounts::AddResult UserAccounts::add(const QString &typedName, const QString &password,
                                          const QString &confirmation, const QString &power)
{
    // "admin " would list as a second "admin": names are kept without blanks around them.
    const QString name = typedName.trimmed();
    if (name.isEmpty())
        return AddResult::EmptyName;
    if (find(name))
        return AddResult::NameTaken;
    if (password != confirmation)
        return AddResult::PasswordsDiffer;
    m_db.exec(QStringLiteral("insert into \"USER\" (\"name\",\"code\",\"power\") values (?,?,?)"),
              {name, PasswordHash::hash(password), power});
    return AddResult::Added;
}

UserAccounts::ModifyResult UserAccounts::modify(const QString &name, const QString &oldPassword,
                                                const QString &newPassword,
                                                const QString &confirmation, const QString &power)
{
    const std::optional<UserAccount> account = find(name);
    // The stored power decides, not the one a list showed earlier: the last
    // administrator stays one whatever the caller believed.
    if (account && account->isAdministrator() && power != AppSettings::administratorPower() &&
        administratorCount() <= 1)
        return ModifyResult::LastAdministrator;
    if (!account)
        return ModifyResult::NoSuchUser;
    if (PasswordHash::check(oldPassword, account->code) == PasswordHash::Match::No)
        return ModifyResult::WrongOldPassword;
    if (newPassword != confirmation)
        return ModifyResult::NewPasswordsDiffer;
    m_db.exec(QStringLiteral("update \"USER\" set \"code\" = ?,\"power\" = ? where \"name\" = ?"),
              {PasswordHash::hash(newPassword), power, name});
    return ModifyResult::Modified;
}

bool UserAccounts::passwordMatches(const QString &name, const QString &password)
{
    const std::optional<UserAccount> account = find(name);
    return account && PasswordHash::check(password, account->code) != PasswordHash::Match::No;
}

UserAccounts::DeleteCheck UserAccounts::checkDelete(const std::optional<QString> &selected,
                                                    int rowCount, const QString &currentUser)
{
    if (!selected)
        return DeleteCheck::NothingSelected;
    if (rowCount <= 1)
        return DeleteCheck::OnlyOneUser;
    if (*selected == currentUser)
        return DeleteCheck::CurrentUser;
    // The current user may have been demoted since logging in; the table
    // itself must keep an administrator.
    const std::optional<UserAccount> account = find(*selected);
    if (account && account->isAdministrator() && administratorCount() <= 1)
        return DeleteCheck::LastAdministrator;
    return DeleteCheck::Allowed;
}

void UserAccounts::remove(const QString &name)
{
    m_db.exec(QStringLiteral("delete from \"USER\" where \"name\" = ?"), {name});
}

void UserAccounts::storePassword(const QString &name, const QString &password)
{
    m_db.exec(QStringLiteral("update \"USER\" set \"code\" = ? where \"name\" = ?"),
              {PasswordHash::hash(password), name});
}
