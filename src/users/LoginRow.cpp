#include "users/LoginRow.h"

#include "data/Database.h"

void LoginRow::store(Database &db, const QString &name, const QString &power, bool directLogin)
{
    db.exec(QStringLiteral("update \"USER_SET\" set \"userName\"=?,\"userPower\"=?,"
                           "\"directLogin\"=? where \"id\"=1"),
            {name, power, directLogin ? 1 : 0});
}

void LoginRow::cancelDirectLogin(Database &db)
{
    db.exec(QStringLiteral("update \"USER_SET\" set \"directLogin\"=? where \"id\"=1"), {0});
}
