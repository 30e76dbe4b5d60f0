// The account rules on the USER table: login, add, modify, delete checks,
// and the login row.
#include "UsersTestBase.h"

#include "data/LoginRow.h"
#include "users/UserAccounts.h"

namespace {

using Login = UserAccounts::LoginResult;
using Add = UserAccounts::AddResult;
using Modify = UserAccounts::ModifyResult;
using Delete = UserAccounts::DeleteCheck;

class UserAccountsTest : public UsersTest
{
protected:
    UserAccounts accounts() { return UserAccounts(db()); }
};

TEST_F(UserAccountsTest, DeliveredAdminLogsInWithEmptyPasswordWhichIsThenStoredHashed)
{
    ASSERT_EQ(storedCode(QStringLiteral("admin")), QString());
    QString power;
    EXPECT_EQ(accounts().login(QStringLiteral("admin"), QString(), &power), Login::LoggedIn);
    EXPECT_EQ(power, admin());
    const QString code = storedCode(QStringLiteral("admin"));
    EXPECT_TRUE(PasswordHash::isHash(code)) << code.toStdString();

    // The hashed empty password keeps working; nothing else does.
    EXPECT_EQ(accounts().login(QStringLiteral("admin"), QString(), &power), Login::LoggedIn);
    EXPECT_EQ(storedCode(QStringLiteral("admin")), code) << "a current hash is left alone";
    EXPECT_EQ(accounts().login(QStringLiteral("admin"), QStringLiteral(" "), &power),
              Login::WrongPassword);
}

TEST_F(UserAccountsTest, LegacyPlainPasswordIsAcceptedOnceAndStoredAgainHashed)
{
    insertPlain(QStringLiteral("小李"), QStringLiteral("8888"), ordinary());
    QString power;
    EXPECT_EQ(accounts().login(QStringLiteral("小李"), QStringLiteral("888"), &power),
              Login::WrongPassword);
    EXPECT_EQ(storedCode(QStringLiteral("小李")), QStringLiteral("8888"));

    EXPECT_EQ(accounts().login(QStringLiteral("小李"), QStringLiteral("8888"), &power),
              Login::LoggedIn);
    EXPECT_EQ(power, ordinary());
    EXPECT_TRUE(PasswordHash::isHash(storedCode(QStringLiteral("小李"))));
    EXPECT_EQ(accounts().login(QStringLiteral("小李"), QStringLiteral("8888"), &power),
              Login::LoggedIn);
}

TEST_F(UserAccountsTest, NamesKeepTheirCaseDropSurroundingBlanksAndMayNotBeEmpty)
{
    QString power = QStringLiteral("untouched");
    EXPECT_EQ(accounts().login(QString(), QString(), &power), Login::EmptyName);
    EXPECT_EQ(accounts().login(QStringLiteral("ADMIN"), QString(), &power), Login::NoSuchUser);
    EXPECT_EQ(accounts().login(QStringLiteral("   "), QString(), &power), Login::EmptyName);
    EXPECT_EQ(accounts().login(QStringLiteral("admin"), QStringLiteral("x"), &power),
              Login::WrongPassword);
    EXPECT_EQ(power, QStringLiteral("untouched")) << "no power is handed out on failure";
    QString stored;
    EXPECT_EQ(accounts().login(QStringLiteral(" admin  "), QString(), &power, &stored),
              Login::LoggedIn)
        << "blanks around a name are not part of it";
    EXPECT_EQ(stored, QStringLiteral("admin"));
}

TEST_F(UserAccountsTest, AddChecksInOrderAndStoresOnlyAHash)
{
    // Empty name comes first, then a taken name, then differing passwords.
    EXPECT_EQ(accounts().add(QString(), QStringLiteral("a"), QStringLiteral("b"), admin()),
              Add::EmptyName);
    EXPECT_EQ(
        accounts().add(QStringLiteral("admin"), QStringLiteral("a"), QStringLiteral("b"), admin()),
        Add::NameTaken);
    EXPECT_EQ(
        accounts().add(QStringLiteral("新人"), QStringLiteral("a"), QStringLiteral("b"), admin()),
        Add::PasswordsDiffer);
    // Names are compared and kept without the blanks around them.
    EXPECT_EQ(accounts().add(QStringLiteral("   "), QString(), QString(), admin()), Add::EmptyName);
    EXPECT_EQ(accounts().add(QStringLiteral("admin "), QString(), QString(), admin()),
              Add::NameTaken);
    EXPECT_EQ(userCount(), 1);
    EXPECT_EQ(accounts().add(QStringLiteral(" Bob "), QString(), QString(), ordinary()),
              Add::Added);
    EXPECT_EQ(storedPower(QStringLiteral("Bob")), ordinary());

    EXPECT_EQ(accounts().add(QStringLiteral("Admin"), QStringLiteral("pw"), QStringLiteral("pw"),
                             ordinary()),
              Add::Added)
        << "another letter case is another name";
    EXPECT_EQ(storedPower(QStringLiteral("Admin")), ordinary());
    EXPECT_NE(storedCode(QStringLiteral("Admin")), QStringLiteral("pw"));
    EXPECT_EQ(accounts().passwordMatches(QStringLiteral("Admin"), QStringLiteral("pw")), true);
    EXPECT_EQ(accounts().add(QStringLiteral("空密码"), QString(), QString(), ordinary()),
              Add::Added);
    QString power;
    EXPECT_EQ(accounts().login(QStringLiteral("空密码"), QString(), &power), Login::LoggedIn);
}

TEST_F(UserAccountsTest, UnusualNamesAndPasswordsRoundTrip)
{
    const QStringList names = {
        QStringLiteral("O'Brien"),      QStringLiteral("say \"hi\""),
        QStringLiteral("两 个  空格"),  QStringLiteral("张三丰"),
        QString(200, QLatin1Char('n')), QStringLiteral("'; delete from \"USER\"; --"),
    };
    for (const QString &name : names) {
        const QString password = name + QStringLiteral(" 密码'\"");
        ASSERT_EQ(accounts().add(name, password, password, ordinary()), Add::Added)
            << name.toStdString();
    }
    EXPECT_EQ(userCount(), 1 + names.size());
    for (const QString &name : names) {
        QString power;
        EXPECT_EQ(accounts().login(name, name + QStringLiteral(" 密码'\""), &power),
                  Login::LoggedIn)
            << name.toStdString();
        EXPECT_EQ(accounts().add(name, QString(), QString(), ordinary()), Add::NameTaken);
    }
    QStringList stored;
    for (const UserAccount &account : accounts().all())
        stored.append(account.name);
    EXPECT_EQ(stored, QStringList{QStringLiteral("admin")} + names) << "table order";
}

TEST_F(UserAccountsTest, LastAdministratorCannotBeDemoted)
{
    EXPECT_EQ(
        accounts().modify(QStringLiteral("admin"), QString(), QString(), QString(), ordinary()),
        Modify::LastAdministrator);
    EXPECT_EQ(storedPower(QStringLiteral("admin")), admin());

    // The guard comes before the password check.
    EXPECT_EQ(accounts().modify(QStringLiteral("admin"), QStringLiteral("wrong"), QString(),
                                QString(), ordinary()),
              Modify::LastAdministrator);

    ASSERT_EQ(
        accounts().add(QStringLiteral("店长"), QStringLiteral("1"), QStringLiteral("1"), admin()),
        Add::Added);
    EXPECT_EQ(
        accounts().modify(QStringLiteral("admin"), QString(), QString(), QString(), ordinary()),
        Modify::Modified);
    EXPECT_EQ(storedPower(QStringLiteral("admin")), ordinary());
    // Now 店长 is the last one.
    EXPECT_EQ(accounts().modify(QStringLiteral("店长"), QStringLiteral("1"), QStringLiteral("1"),
                                QStringLiteral("1"), ordinary()),
              Modify::LastAdministrator);
    // An administrator who stays one may always change the password.
    EXPECT_EQ(accounts().modify(QStringLiteral("店长"), QStringLiteral("1"), QStringLiteral("2"),
                                QStringLiteral("2"), admin()),
              Modify::Modified);
    EXPECT_TRUE(accounts().passwordMatches(QStringLiteral("店长"), QStringLiteral("2")));
}

TEST_F(UserAccountsTest, ModifyChecksOldPasswordThenConfirmationAndEmptyClearsThePassword)
{
    insertPlain(QStringLiteral("小王"), QStringLiteral("old"), ordinary());
    EXPECT_EQ(accounts().modify(QStringLiteral("小王"), QStringLiteral("OLD"), QStringLiteral("n"),
                                QStringLiteral("m"), ordinary()),
              Modify::WrongOldPassword);
    EXPECT_EQ(accounts().modify(QStringLiteral("小王"), QStringLiteral("old"), QStringLiteral("n"),
                                QStringLiteral("m"), ordinary()),
              Modify::NewPasswordsDiffer);
    EXPECT_EQ(storedCode(QStringLiteral("小王")), QStringLiteral("old"));

    EXPECT_EQ(accounts().modify(QStringLiteral("小王"), QStringLiteral("old"), QString(), QString(),
                                admin()),
              Modify::Modified);
    EXPECT_EQ(storedPower(QStringLiteral("小王")), admin());
    EXPECT_TRUE(PasswordHash::isHash(storedCode(QStringLiteral("小王"))));
    EXPECT_TRUE(accounts().passwordMatches(QStringLiteral("小王"), QString()));
    EXPECT_FALSE(accounts().passwordMatches(QStringLiteral("小王"), QStringLiteral("old")));

    EXPECT_EQ(
        accounts().modify(QStringLiteral("无此人"), QString(), QString(), QString(), ordinary()),
        Modify::NoSuchUser);
}

TEST_F(UserAccountsTest, DeleteChecksInOrder)
{
    const QString current = QStringLiteral("admin");
    EXPECT_EQ(accounts().checkDelete(std::nullopt, 1, current), Delete::NothingSelected);
    EXPECT_EQ(accounts().checkDelete(QStringLiteral("admin"), 1, current), Delete::OnlyOneUser);
    ASSERT_EQ(accounts().add(QStringLiteral("收银员"), QString(), QString(), ordinary()),
              Add::Added);
    EXPECT_EQ(accounts().checkDelete(QStringLiteral("admin"), 2, current), Delete::CurrentUser);
    EXPECT_EQ(accounts().checkDelete(QStringLiteral("收银员"), 2, current), Delete::Allowed);
    accounts().remove(QStringLiteral("收银员"));
    EXPECT_EQ(userCount(), 1);
}

TEST_F(UserAccountsTest, ADemotedCurrentUserCannotDeleteTheLastAdministrator)
{
    // Both administrators; the current one demotes itself (effective at the
    // next login) and then tries to delete the other.
    ASSERT_EQ(accounts().add(QStringLiteral("老板"), QString(), QString(), admin()), Add::Added);
    ASSERT_EQ(
        accounts().modify(QStringLiteral("admin"), QString(), QString(), QString(), ordinary()),
        Modify::Modified);
    EXPECT_EQ(accounts().checkDelete(QStringLiteral("老板"), 2, QStringLiteral("admin")),
              Delete::LastAdministrator);
    ASSERT_EQ(accounts().add(QStringLiteral("二老板"), QString(), QString(), admin()), Add::Added);
    EXPECT_EQ(accounts().checkDelete(QStringLiteral("老板"), 3, QStringLiteral("admin")),
              Delete::Allowed);
}

TEST_F(UserAccountsTest, LoginRowIsStoredAndDirectLoginCancelled)
{
    LoginRow::store(db(), QStringLiteral("O'Neil 小张"), ordinary(), true);
    EXPECT_EQ(loginRowText(QStringLiteral("userName")), QStringLiteral("O'Neil 小张"));
    EXPECT_EQ(loginRowText(QStringLiteral("userPower")), ordinary());
    EXPECT_EQ(loginRowText(QStringLiteral("directLogin")), QStringLiteral("1"));
    LoginRow::cancelDirectLogin(db());
    EXPECT_EQ(loginRowText(QStringLiteral("directLogin")), QStringLiteral("0"));
    EXPECT_EQ(loginRowText(QStringLiteral("userName")), QStringLiteral("O'Neil 小张"));
    // The options row is not touched.
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from \"USER_SET\" where "
                                         "\"directLogin\"=6 or \"id\"<>1")),
              QStringLiteral("0"));
}

} // namespace
