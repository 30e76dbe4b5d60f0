// Password hashing and the one comparison of entered and stored passwords.
#include "users/PasswordHash.h"

#include <QString>

#include <gtest/gtest.h>

namespace {

class PasswordHashTest : public ::testing::Test
{
protected:
    PasswordHashTest() { PasswordHash::setCost(PasswordHash::minimalCost()); }
    ~PasswordHashTest() override { PasswordHash::setCost(PasswordHash::interactiveCost()); }
};

TEST_F(PasswordHashTest, HashIsSaltedArgon2idAndOnlyTheRightPasswordMatches)
{
    const QString password = QStringLiteral("收银 O'Neil \"一号\"");
    const QString first = PasswordHash::hash(password);
    const QString second = PasswordHash::hash(password);
    EXPECT_TRUE(first.startsWith(QLatin1String("$argon2id$")));
    EXPECT_TRUE(PasswordHash::isHash(first));
    EXPECT_NE(first, second) << "every hash has its own salt";
    EXPECT_FALSE(first.contains(password));

    EXPECT_EQ(PasswordHash::check(password, first), PasswordHash::Match::Yes);
    EXPECT_EQ(PasswordHash::check(password, second), PasswordHash::Match::Yes);
    EXPECT_EQ(PasswordHash::check(password + QLatin1Char(' '), first), PasswordHash::Match::No);
    EXPECT_EQ(PasswordHash::check(QStringLiteral("收银 o'neil \"一号\""), first),
              PasswordHash::Match::No);
    EXPECT_EQ(PasswordHash::check(QString(), first), PasswordHash::Match::No);
}

TEST_F(PasswordHashTest, EmptyAndLongPasswordsHash)
{
    const QString empty = PasswordHash::hash(QString());
    EXPECT_EQ(PasswordHash::check(QString(), empty), PasswordHash::Match::Yes);
    EXPECT_EQ(PasswordHash::check(QStringLiteral(" "), empty), PasswordHash::Match::No);

    const QString longPassword = QString(200, QChar(0x5BC6)); // 200 × "密"
    const QString stored = PasswordHash::hash(longPassword);
    EXPECT_LT(stored.size(), 128);
    EXPECT_EQ(PasswordHash::check(longPassword, stored), PasswordHash::Match::Yes);
    EXPECT_EQ(PasswordHash::check(longPassword.left(199), stored), PasswordHash::Match::No);
}

TEST_F(PasswordHashTest, PlainTextOfAnOlderInstallationMatchesAndAsksToBeStoredAgain)
{
    EXPECT_EQ(PasswordHash::check(QString(), QString()), PasswordHash::Match::YesStoreAgain);
    EXPECT_EQ(PasswordHash::check(QStringLiteral("1234"), QStringLiteral("1234")),
              PasswordHash::Match::YesStoreAgain);
    EXPECT_EQ(PasswordHash::check(QStringLiteral("1234"), QStringLiteral("12345")),
              PasswordHash::Match::No);
    EXPECT_EQ(PasswordHash::check(QString(), QStringLiteral("1234")), PasswordHash::Match::No);
    EXPECT_EQ(PasswordHash::check(QStringLiteral("ABC"), QStringLiteral("abc")),
              PasswordHash::Match::No);
    EXPECT_FALSE(PasswordHash::isHash(QStringLiteral("1234")));
}

TEST_F(PasswordHashTest, TheHashTextItselfIsNotAPassword)
{
    const QString stored = PasswordHash::hash(QStringLiteral("secret"));
    EXPECT_EQ(PasswordHash::check(stored, stored), PasswordHash::Match::No);
}

TEST_F(PasswordHashTest, HashOfAnotherCostIsStoredAgainWithTheCurrentOne)
{
    const QString cheap = PasswordHash::hash(QStringLiteral("pw"));
    PasswordHash::setCost(
        {PasswordHash::minimalCost().opsLimit + 1, PasswordHash::minimalCost().memLimit});
    EXPECT_EQ(PasswordHash::check(QStringLiteral("pw"), cheap), PasswordHash::Match::YesStoreAgain);
    const QString current = PasswordHash::hash(QStringLiteral("pw"));
    EXPECT_EQ(PasswordHash::check(QStringLiteral("pw"), current), PasswordHash::Match::Yes);
    EXPECT_EQ(PasswordHash::check(QStringLiteral("pW"), cheap), PasswordHash::Match::No);
}

TEST(PasswordHashCost, TheProgramUsesTheInteractiveCost)
{
    EXPECT_EQ(PasswordHash::cost().opsLimit, PasswordHash::interactiveCost().opsLimit);
    EXPECT_EQ(PasswordHash::cost().memLimit, PasswordHash::interactiveCost().memLimit);
    const QString stored = PasswordHash::hash(QStringLiteral("管理员"));
    EXPECT_TRUE(stored.contains(QLatin1String("m=65536,t=2")));
    EXPECT_EQ(PasswordHash::check(QStringLiteral("管理员"), stored), PasswordHash::Match::Yes);
}

} // namespace
