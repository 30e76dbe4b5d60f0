#pragma once

#include "users/UserAccount.h"

#include <QList>
#include <QString>

#include <optional>

class Database;

// The account rules on the USER table of an open settings connection. Every
// check runs in the order the dialogs report them; statement failures throw
// DatabaseError.
class UserAccounts
{
public:
    explicit UserAccounts(Database &db) : m_db(db) {}

    enum class LoginResult
    {
        LoggedIn,
        EmptyName,
        NoSuchUser,
        WrongPassword
    };
    enum class AddResult
    {
        Added,
        EmptyName,
        NameTaken,
        PasswordsDiffer
    };
    enum class ModifyResult
    {
        Modified,
        LastAdministrator,
        WrongOldPassword,
        NewPasswordsDiffer,
        NoSuchUser,
    };
    enum class DeleteCheck
    {
        Allowed,
        NothingSelected,
        OnlyOneUser,
        CurrentUser,
        LastAdministrator,
    };

    // Every account in the table's own order.
    QList<UserAccount> all();
    std::optional<UserAccount> find(const QString &name);
    int administratorCount();

    // On success POWER receives the user's power; a password stored in plain
    // text (or with an older cost) is stored again as a fresh hash.
    // STOREDNAME: the account's name as stored (NAME may have blanks around it).
    LoginResult login(const QString &name, const QString &password, QString *power,
                      QString *storedName = nullptr);

    AddResult add(const QString &name, const QString &password, const QString &confirmation,
                  const QString &power);

    // The new password replaces the old one even when both new fields are empty.
    ModifyResult modify(const QString &name, const QString &oldPassword, const QString &newPassword,
                        const QString &confirmation, const QString &power);

    // Whether PASSWORD is the one stored for NAME (false for an unknown name).
    bool passwordMatches(const QString &name, const QString &password);

    // SELECTED is the name of the selected row, none when no row is selected.
    DeleteCheck checkDelete(const std::optional<QString> &selected, int rowCount,
                            const QString &currentUser);
    void remove(const QString &name);

private:
    void storePassword(const QString &name, const QString &password);

    Database &m_db;
};
