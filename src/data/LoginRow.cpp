#include "data/LoginRow.h"

#include "data/Database.h"
#include "data/StoredFlag.h"

bool LoginRow::read(Database &db, LoginRow &row)
{
    row = LoginRow();
    Database::Rows rows = db.query(QStringLiteral(
        "select \"userName\",\"userPower\",\"directLogin\",\"set1\",\"set2\",\"set3\",\"set4\","
        "\"set5\",\"set6\",\"set7\",\"set8\",\"set9\",\"set10\" from \"USER_SET\" where \"id\"=1"));
    if (!rows.next())
        return false;
    QString *fields[] = {&row.userName,        &row.userPower,     &row.directLogin,
                         &row.useCustomPrefix, &row.useDatePrefix, &row.customPrefix,
                         &row.paymentEnabled,  &row.lastPayment,   &row.titleFont,
                         &row.titleSize,       &row.bodyFont,      &row.bodySize,
                         &row.lineSpacing};
    for (int i = 0; i < int(std::size(fields)); ++i)
        *fields[i] = rows.text(i);
    return true;
}

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

void LoginRow::storeReceiptFormat(Database &db, bool useCustom, bool useDate, const QString &custom)
{
    db.exec(
        QStringLiteral("update \"USER_SET\" set \"set1\"=?,\"set2\"=?,\"set3\"=? where \"id\"=1"),
        {storedFlag(useCustom), storedFlag(useDate), custom});
}

void LoginRow::storePaymentEnabled(Database &db, bool on)
{
    db.exec(QStringLiteral("update \"USER_SET\" set \"set4\"=? where \"id\"=1"), {storedFlag(on)});
}

void LoginRow::storeLastPayment(Database &db, const QString &method)
{
    db.exec(QStringLiteral("update \"USER_SET\" set \"set5\"=? where \"id\"=1"), {method});
}

void LoginRow::storeFonts(Database &db, const QString &titleFont, const QString &titleSize,
                          const QString &bodyFont, const QString &bodySize,
                          const QString &lineSpacing)
{
    db.exec(QStringLiteral("update \"USER_SET\" set \"set6\"=?,\"set7\"=?,\"set8\"=?,"
                           "\"set9\"=?,\"set10\"=? where \"id\"=1"),
            {titleFont, titleSize, bodyFont, bodySize, lineSpacing});
}
