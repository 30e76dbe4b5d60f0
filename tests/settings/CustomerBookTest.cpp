// The customer list of the settings database: search, duplicate check, and
// changes that address one row, on both connection routes.
#include "settings/CustomerBook.h"
#include "data/Database.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

namespace {

class CustomerBookTest : public ::testing::TestWithParam<Database::Route>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_db.open(m_env.settings().settingsDsn, GetParam()))
            << m_db.lastOpenError().toStdString();
    }

    QStringList names(const QList<Customer> &customers) const
    {
        QStringList list;
        for (const Customer &customer : customers)
            list << customer.name;
        return list;
    }

    TestEnv m_env;
    Database m_db;
    CustomerBook m_book{m_db};
};

TEST_P(CustomerBookTest, DeliveredBookIsEmptyAndAddsKeepTheirOrder)
{
    EXPECT_TRUE(m_book.all().isEmpty());
    m_book.add(QStringLiteral("张三"), QStringLiteral("13800000001"));
    m_book.add(QStringLiteral("李四"), QString());
    m_book.add(QStringLiteral("Anna"), QStringLiteral("555"));

    const QList<Customer> all = m_book.all();
    ASSERT_EQ(all.size(), 3);
    EXPECT_EQ(names(all), (QStringList{"张三", "李四", "Anna"}));
    EXPECT_EQ(all[0].phone, QStringLiteral("13800000001"));
    EXPECT_EQ(all[1].phone, QString());
    EXPECT_LT(all[0].id, all[1].id);
}

TEST_P(CustomerBookTest, QuotesChineseAndLongNamesAreStoredAsTyped)
{
    const QString quoted = QStringLiteral("O'Brien \"老王\" 的店; drop table SALER --");
    const QString longName = QString(100, QChar(0x5F20)); // 100 times 张
    const QString phone = QStringLiteral("'0755' 8888-1234");
    m_book.add(quoted, phone);
    m_book.add(longName, QString(100, QLatin1Char('9')));

    const QList<Customer> all = m_book.all();
    ASSERT_EQ(all.size(), 2);
    EXPECT_EQ(all[0].name, quoted);
    EXPECT_EQ(all[0].phone, phone);
    EXPECT_EQ(all[1].name, longName);
    EXPECT_EQ(all[1].phone.size(), 100);
    EXPECT_TRUE(m_book.contains(quoted));
}

TEST_P(CustomerBookTest, DuplicateCheckLooksAtTheWholeTable)
{
    m_book.add(QStringLiteral("张三"), QStringLiteral("1"));
    m_book.add(QStringLiteral("王五"), QStringLiteral("2"));

    // A search that hides 张三 does not hide it from the check.
    const QList<Customer> shown = m_book.find({QStringLiteral("王"), QString()});
    ASSERT_EQ(names(shown), QStringList{QStringLiteral("王五")});
    EXPECT_TRUE(m_book.contains(QStringLiteral("张三")));

    // Exact comparison: neither a part nor a padded name counts.
    EXPECT_FALSE(m_book.contains(QStringLiteral("张")));
    EXPECT_FALSE(m_book.contains(QStringLiteral("张三 ")));
}

TEST_P(CustomerBookTest, SearchMatchesTextAnywhereInBothColumns)
{
    m_book.add(QStringLiteral("张三"), QStringLiteral("13800000001"));
    m_book.add(QStringLiteral("小张"), QString());
    m_book.add(QStringLiteral("李四"), QStringLiteral("13900000002"));
    m_db.exec(QStringLiteral("insert into \"SALER\" (\"items\") values (?)"),
              {QStringLiteral("老张")}); // no telephone at all (NULL)

    EXPECT_EQ(names(m_book.find({QStringLiteral("张"), QString()})),
              (QStringList{"张三", "小张", "老张"}));
    EXPECT_EQ(names(m_book.find({QString(), QString()})).size(), 4);
    EXPECT_EQ(names(m_book.find({QString(), QStringLiteral("0000")})),
              (QStringList{"张三", "李四"}));
    EXPECT_EQ(names(m_book.find({QStringLiteral("张"), QStringLiteral("138")})),
              QStringList{QStringLiteral("张三")});
    EXPECT_TRUE(m_book.find({QStringLiteral("赵"), QString()}).isEmpty());
}

TEST_P(CustomerBookTest, WildcardCharactersInASearchAreLiteral)
{
    m_book.add(QStringLiteral("100%满意"), QString());
    m_book.add(QStringLiteral("A_B"), QString());
    m_book.add(QStringLiteral("AXB"), QString());
    m_book.add(QStringLiteral("C\\D"), QString());

    EXPECT_EQ(names(m_book.find({QStringLiteral("%"), QString()})),
              QStringList{QStringLiteral("100%满意")});
    EXPECT_EQ(names(m_book.find({QStringLiteral("_"), QString()})),
              QStringList{QStringLiteral("A_B")});
    EXPECT_EQ(names(m_book.find({QStringLiteral("\\"), QString()})),
              QStringList{QStringLiteral("C\\D")});
    EXPECT_EQ(names(m_book.find({QStringLiteral("'"), QString()})), QStringList());
}

TEST_P(CustomerBookTest, ChangeAndRemoveTouchOnlyTheChosenRow)
{
    m_book.add(QStringLiteral("张三"), QStringLiteral("111"));
    m_book.add(QStringLiteral("李四"), QStringLiteral("222"));
    QList<Customer> all = m_book.all();

    // Changing to a name that exists elsewhere is allowed and gives two rows.
    m_book.change(all[1].id, QStringLiteral("张三"), QStringLiteral("333"));
    all = m_book.all();
    ASSERT_EQ(names(all), (QStringList{"张三", "张三"}));

    // The two namesakes stay separate people.
    m_book.change(all[0].id, QStringLiteral("张三"), QStringLiteral("999"));
    all = m_book.all();
    EXPECT_EQ(all[0].phone, QStringLiteral("999"));
    EXPECT_EQ(all[1].phone, QStringLiteral("333"));

    m_book.remove(all[1].id);
    all = m_book.all();
    ASSERT_EQ(all.size(), 1);
    EXPECT_EQ(all[0].phone, QStringLiteral("999"));
}

INSTANTIATE_TEST_SUITE_P(Routes, CustomerBookTest,
                         ::testing::Values(Database::Route::Auto, Database::Route::Odbc));

TEST(CustomerBookBlank, BlankNamesCountAsEmpty)
{
    EXPECT_TRUE(CustomerBook::isBlank(QString()));
    EXPECT_TRUE(CustomerBook::isBlank(QStringLiteral(" \t\n")));
    EXPECT_TRUE(CustomerBook::isBlank(QStringLiteral("\u3000"))); // full-width space
    EXPECT_FALSE(CustomerBook::isBlank(QStringLiteral(" 张 ")));
}

} // namespace
