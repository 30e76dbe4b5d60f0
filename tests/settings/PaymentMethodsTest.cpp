// The payment methods of the settings database and the "现金" default that
// the sales window applies when it loads its box.
#include "settings/PaymentMethods.h"
#include "data/Database.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

namespace {

class PaymentMethodsTest : public ::testing::TestWithParam<Database::Route>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_db.open(m_env.settings().settingsDsn, GetParam()))
            << m_db.lastOpenError().toStdString();
    }

    QString storedRow(int column)
    {
        Database::Rows rows = m_db.query(QStringLiteral("select * from \"AUTO_NUM\""));
        return rows.next() ? rows.text(column) : QStringLiteral("<none>");
    }

    TestEnv m_env;
    Database m_db;
    PaymentMethods m_methods{m_db};
};

TEST_P(PaymentMethodsTest, DeliveredTableGetsCashAndKeepsIt)
{
    EXPECT_EQ(m_methods.texts(), QStringList{QString()});

    EXPECT_EQ(m_methods.loadWithDefault(), QStringList{QStringLiteral("现金")});
    EXPECT_EQ(storedRow(1), QStringLiteral("1"));
    EXPECT_EQ(storedRow(2), QStringLiteral("现金"));
    EXPECT_EQ(m_methods.all().size(), 1);

    // Loading again changes nothing.
    EXPECT_EQ(m_methods.loadWithDefault(), QStringList{QStringLiteral("现金")});
    EXPECT_EQ(m_methods.all().size(), 1);
}

TEST_P(PaymentMethodsTest, OwnMethodsAppearBesideCashInTheirOrder)
{
    m_methods.loadWithDefault();
    m_methods.add(QStringLiteral("微信"));
    m_methods.add(QStringLiteral("支付宝"));
    EXPECT_EQ(m_methods.loadWithDefault(), (QStringList{"现金", "微信", "支付宝"}));
    EXPECT_TRUE(m_methods.contains(QStringLiteral("现金")));
    EXPECT_FALSE(m_methods.contains(QStringLiteral("现")));
    // Rows added here leave num empty.
    EXPECT_EQ(m_db.scalar(QStringLiteral("select \"num\" from \"AUTO_NUM\" where \"standby1\"=?"),
                          {QStringLiteral("微信")}),
              QString());
}

TEST_P(PaymentMethodsTest, EmptyTableStaysEmptyAndOneOwnMethodIsNotReplaced)
{
    for (const PaymentMethod &method : m_methods.all())
        m_methods.remove(method.id);
    EXPECT_TRUE(m_methods.loadWithDefault().isEmpty());
    EXPECT_TRUE(m_methods.all().isEmpty());

    m_methods.add(QStringLiteral("刷卡"));
    EXPECT_EQ(m_methods.loadWithDefault(), QStringList{QStringLiteral("刷卡")});
}

TEST_P(PaymentMethodsTest, EmptyRowBesideOthersIsLeftAlone)
{
    m_methods.add(QStringLiteral("微信"));
    EXPECT_EQ(m_methods.loadWithDefault(), (QStringList{QString(), QStringLiteral("微信")}));
    EXPECT_FALSE(m_methods.contains(QStringLiteral("现金")));
}

TEST_P(PaymentMethodsTest, ChangeAndRemoveAddressOneRowAndKeepTextAsTyped)
{
    m_methods.loadWithDefault();
    const QString odd = QStringLiteral("O'Neil's \"卡\" ") + QString(90, QLatin1Char('x'));
    m_methods.add(odd);
    QList<PaymentMethod> all = m_methods.all();
    ASSERT_EQ(all.size(), 2);
    EXPECT_EQ(all[1].text, odd);

    m_methods.change(all[0].id, QStringLiteral("现金支付"));
    EXPECT_EQ(m_methods.texts(), (QStringList{QStringLiteral("现金支付"), odd}));

    m_methods.remove(all[1].id);
    EXPECT_EQ(m_methods.texts(), QStringList{QStringLiteral("现金支付")});
}

INSTANTIATE_TEST_SUITE_P(Routes, PaymentMethodsTest,
                         ::testing::Values(Database::Route::Auto, Database::Route::Odbc));

} // namespace
