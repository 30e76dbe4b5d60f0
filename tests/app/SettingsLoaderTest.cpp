// Loading the login row and the options row of USER_SET into AppSettings.
#include "app/SettingsLoader.h"
#include "core/AppSettings.h"
#include "data/Database.h"
#include "printing/ReceiptNumber.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

namespace {

const QDate kToday(2024, 3, 7);

class SettingsLoaderTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_db.open(m_env.settings().settingsDsn)); }

    void setLoginColumn(const char *column, const QVariant &value)
    {
        m_db.exec(QStringLiteral("update \"USER_SET\" set \"%1\"=? where \"id\"=1")
                      .arg(QLatin1String(column)),
                  {value});
    }

    AppSettings load()
    {
        AppSettings settings = m_env.settings();
        EXPECT_TRUE(SettingsLoader::load(settings, kToday, QStringLiteral("DefaultQueue")));
        return settings;
    }

    TestEnv m_env;
    Database m_db;
};

TEST_F(SettingsLoaderTest, DeliveredFileGivesDefaultsAndCreatesTheOptionsRow)
{
    const AppSettings settings = load();
    EXPECT_EQ(settings.userName, QStringLiteral("admin"));
    EXPECT_EQ(settings.userPower, QStringLiteral("管理员"));
    EXPECT_EQ(settings.directLogin, 0);
    EXPECT_EQ(settings.receiptPrefix, QString());
    EXPECT_EQ(settings.titleFontName, QStringLiteral("黑体"));
    EXPECT_EQ(settings.titleFontSize, 23);
    EXPECT_EQ(settings.bodyFontName, QStringLiteral("华文中宋"));
    EXPECT_EQ(settings.bodyFontSize, 21);
    EXPECT_EQ(settings.lineSpacing, 17);
    // A fresh options row: codes shown (empty counts as on), template 01, default printer 2.
    EXPECT_TRUE(settings.showProductCode);
    EXPECT_FALSE(settings.templateIndex);
    EXPECT_EQ(settings.printer2Name, QStringLiteral("DefaultQueue"));
    EXPECT_FALSE(settings.usePrinter2);
    EXPECT_EQ(settings.labelLanguage, 0);

    Database::Rows rows =
        m_db.query(QStringLiteral("select * from \"USER_SET\" where \"directLogin\"=6"));
    ASSERT_TRUE(rows.next());
    for (int column = 4; column <= 13; ++column)
        EXPECT_EQ(rows.text(column), QString()) << column;
    EXPECT_FALSE(rows.next());

    // A second start does not add another options row.
    load();
    EXPECT_EQ(m_db.scalar(QStringLiteral("select count(*) from \"USER_SET\"")),
              QStringLiteral("2"));
}

TEST_F(SettingsLoaderTest, ReceiptPrefixFromFlagsAndDate)
{
    EXPECT_EQ(ReceiptNumber::datePrefix(kToday), QStringLiteral("240307"));
    EXPECT_EQ(ReceiptNumber::computePrefix(true, true, "A", kToday), QStringLiteral("A240307"));
    EXPECT_EQ(ReceiptNumber::computePrefix(false, true, "A", kToday), QStringLiteral("240307"));
    EXPECT_EQ(ReceiptNumber::computePrefix(true, false, "A", kToday), QStringLiteral("A"));
    EXPECT_EQ(ReceiptNumber::computePrefix(false, false, "A", kToday), QString());

    // Only "1" switches a part on.
    setLoginColumn("set1", "yes");
    setLoginColumn("set3", "A");
    EXPECT_EQ(load().receiptPrefix, QString());

    setLoginColumn("set1", "1");
    setLoginColumn("set2", "1");
    setLoginColumn("set3", "店");
    EXPECT_EQ(load().receiptPrefix, QStringLiteral("店240307"));
}

TEST_F(SettingsLoaderTest, DirectLoginAndSizesFollowTheAtoiRule)
{
    setLoginColumn("directLogin", "1");
    EXPECT_EQ(load().directLogin, 1);
    setLoginColumn("directLogin", "abc");
    EXPECT_EQ(load().directLogin, 0);
    setLoginColumn("directLogin", QVariant());
    EXPECT_EQ(load().directLogin, 0);

    setLoginColumn("set7", "大号");
    setLoginColumn("set9", "19pt");
    setLoginColumn("set10", "");
    const AppSettings settings = load();
    EXPECT_EQ(settings.titleFontSize, 0);
    EXPECT_EQ(settings.bodyFontSize, 19);
    EXPECT_EQ(settings.lineSpacing, 17);
}

TEST_F(SettingsLoaderTest, OptionsRowFlagsCompareWithExactTexts)
{
    load();
    m_db.exec(QStringLiteral("update \"USER_SET\" set \"set1\"='1', \"set2\"='1', \"set3\"='0', "
                             "\"set4\"='1', \"set5\"=?, \"set6\"='1', \"set7\"='-8' "
                             "where \"directLogin\"=6"),
              {QStringLiteral("Kitchen")});
    AppSettings settings = load();
    EXPECT_EQ(settings.labelLanguage, 1);
    EXPECT_TRUE(settings.phoneEnabled);
    EXPECT_FALSE(settings.showProductCode);
    EXPECT_TRUE(settings.templateIndex);
    EXPECT_EQ(settings.printer2Name, QStringLiteral("Kitchen"));
    EXPECT_TRUE(settings.usePrinter2);
    EXPECT_EQ(settings.paperLengthAdjust, -8);

    m_db.exec(QStringLiteral("update \"USER_SET\" set \"set2\"='true', \"set4\"='2', \"set6\"='' "
                             "where \"directLogin\"=6"));
    settings = load();
    EXPECT_FALSE(settings.phoneEnabled);
    EXPECT_FALSE(settings.templateIndex);
    EXPECT_FALSE(settings.usePrinter2);
}

TEST_F(SettingsLoaderTest, MissingLoginRowKeepsDefaults)
{
    m_db.exec(QStringLiteral("delete from \"USER_SET\" where \"id\"=1"));
    const AppSettings settings = load();
    EXPECT_EQ(settings.userName, QString());
    EXPECT_EQ(settings.directLogin, 0);
    EXPECT_EQ(settings.titleFontSize, 23);
}

TEST_F(SettingsLoaderTest, MissingTableIsReportedAndDefaultsStay)
{
    m_db.exec(QStringLiteral("drop table \"USER_SET\""));
    AppSettings settings = m_env.settings();
    EXPECT_FALSE(SettingsLoader::load(settings, kToday, QString()));
    ASSERT_EQ(m_env.prompt().messages().size(), 1);
    // What it means for the cashier first, then the driver's words naming the table.
    EXPECT_TRUE(m_env.prompt().lastText().startsWith(SettingsLoader::failureText(QString())));
    EXPECT_TRUE(m_env.prompt().lastText().contains(QStringLiteral("USER_SET")));
    EXPECT_EQ(m_env.prompt().messages().first().caption, QStringLiteral("Quillmarch"));
    EXPECT_EQ(settings.directLogin, 0);
    EXPECT_EQ(settings.titleFontName, QStringLiteral("黑体"));
}

TEST_F(SettingsLoaderTest, UnopenableDatabaseSaysSoAndKeepsDefaults)
{
    m_db.close();
    QFile::remove(m_env.settingsFile());
    AppSettings settings = m_env.settings();
    EXPECT_FALSE(SettingsLoader::load(settings, kToday, QString()));
    EXPECT_EQ(m_env.prompt().texts(), QStringList{QStringLiteral("不能打开数据库")});
    EXPECT_EQ(m_env.prompt().messages().first().caption, QStringLiteral("Quillmarch"));
    EXPECT_EQ(settings.userName, QString());
    EXPECT_EQ(settings.directLogin, 0);
}

} // namespace
