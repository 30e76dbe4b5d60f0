// The connection helper on its routes: Qt's SQLite driver on the file, ODBC
// through the SQLite3 driver by data-source name, and Qt's PostgreSQL driver
// for a psqlODBC data source on the test server.
#include "data/Database.h"
#include "controls/DbOperation.h"
#include "data/DataSource.h"
#include "data/Transaction.h"
#include "support/PgServer.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

namespace {

enum class Engine
{
    Sqlite,
    SqliteOdbc,
    Postgres
};

class DatabaseRoutes : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override
    {
        QString dsn = m_env.settings().settingsDsn;
        if (GetParam() == Engine::Postgres) {
            QM_REQUIRE_POSTGRES();
            dsn = PgServer::preparedDataSource(true);
        }
        const auto route =
            GetParam() == Engine::SqliteOdbc ? Database::Route::Odbc : Database::Route::Auto;
        ASSERT_TRUE(m_db.open(dsn, route)) << m_db.lastOpenError().toStdString();
    }

    TestEnv m_env;
    Database m_db;
};

TEST_P(DatabaseRoutes, ReadsDeliveredRowsByPosition)
{
    EXPECT_EQ(m_db.isSqlite(), GetParam() == Engine::Sqlite);
    EXPECT_EQ(m_db.dialect().engine() == SqlDialect::Engine::Postgres,
              GetParam() == Engine::Postgres);
    Database::Rows rows = m_db.query(QStringLiteral("select * from \"USER\""));
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(rows.text(1), QStringLiteral("admin"));
    EXPECT_EQ(rows.text(2), QString());
    EXPECT_EQ(rows.text(3), QStringLiteral("管理员"));
    EXPECT_FALSE(rows.next());
}

TEST_P(DatabaseRoutes, StoresQuotesChineseAndNullsAsGiven)
{
    const QString name = QStringLiteral("O'Brien \"老王\" 张三");
    m_db.exec(QStringLiteral("insert into \"SALER\" (\"items\",\"standby\") values (?,?)"),
              {name, QVariant()});
    Database::Rows rows =
        m_db.query(QStringLiteral("select * from \"SALER\" where \"items\" = ?"), {name});
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(rows.text(1), name);
    EXPECT_TRUE(rows.value(2).isNull());
    EXPECT_EQ(rows.text(2), QString());
}

TEST_P(DatabaseRoutes, EmptyTextIsStoredAsEmptyTextNotNull)
{
    // An empty field (customer off, no telephone, ...) is often a null QString.
    // It is stored as '' like any typed text, so "like '%%'" still finds the row.
    m_db.exec(QStringLiteral("insert into \"SALER\" (\"items\",\"standby\") values (?,?)"),
              {QStringLiteral("李四"), QString()});
    Database::Rows rows = m_db.query(QStringLiteral("select * from \"SALER\""));
    ASSERT_TRUE(rows.next());
    EXPECT_FALSE(rows.value(2).isNull());
    EXPECT_EQ(rows.text(2), QString());
    EXPECT_EQ(m_db.scalar(QStringLiteral("select count(*) from \"SALER\" where \"standby\" like ?"),
                          {QStringLiteral("%%")}),
              QStringLiteral("1"));
    EXPECT_EQ(m_db.scalar(QStringLiteral("select count(*) from \"SALER\" where \"standby\" = ?"),
                          {QString()}),
              QStringLiteral("1"));
}

TEST_P(DatabaseRoutes, SearchesIgnoreTheCaseOfLatinLettersOnEveryEngine)
{
    m_db.exec(QStringLiteral("insert into \"SALER\" (\"items\",\"standby\") values (?,?)"),
              {QStringLiteral("Cola 可乐"), QStringLiteral("139")});
    EXPECT_EQ(m_db.scalar(QStringLiteral("select count(*) from \"SALER\" where \"items\" ") +
                              m_db.dialect().like() + QStringLiteral(" ?"),
                          {QStringLiteral("%cola 可%")}),
              QStringLiteral("1"));
}

TEST_P(DatabaseRoutes, LargeIntegersSurvive)
{
    const qint64 big = 9007199254740993LL;
    m_db.exec(
        QStringLiteral("insert into \"USER_SET\" (\"directLogin\",\"userName\") values (?,?)"),
        {big, QStringLiteral("big")});
    EXPECT_EQ(m_db.scalar(QStringLiteral("select \"directLogin\" from \"USER_SET\" where "
                                         "\"userName\"=?"),
                          {QStringLiteral("big")}),
              QStringLiteral("9007199254740993"));
}

TEST_P(DatabaseRoutes, RolledBackTransactionLeavesNothing)
{
    {
        Transaction transaction(m_db);
        m_db.exec(QStringLiteral("insert into \"SALER\" (\"items\") values (?)"),
                  {QStringLiteral("临时")});
    }
    EXPECT_EQ(m_db.scalar(QStringLiteral("select count(*) from \"SALER\"")), QStringLiteral("0"));

    {
        Transaction transaction(m_db);
        m_db.exec(QStringLiteral("insert into \"SALER\" (\"items\") values (?)"),
                  {QStringLiteral("留下")});
        transaction.commit();
    }
    EXPECT_EQ(m_db.scalar(QStringLiteral("select count(*) from \"SALER\"")), QStringLiteral("1"));
}

TEST_P(DatabaseRoutes, FailedStatementAbandonsOperationWithDriverText)
{
    bool reachedEnd = false;
    const bool ok = DbOperation::run(nullptr, [&] {
        m_db.exec(QStringLiteral("insert into \"SALER\" (\"items\") values (?)"),
                  {QStringLiteral("甲")});
        m_db.exec(QStringLiteral("select * from \"NO_SUCH_TABLE\""));
        reachedEnd = true;
    });
    EXPECT_FALSE(ok);
    EXPECT_FALSE(reachedEnd);
    ASSERT_EQ(m_env.prompt().messages().size(), 1);
    // First what it means in Chinese, then the driver's own words for whoever helps.
    EXPECT_TRUE(m_env.prompt().lastText().startsWith(QStringLiteral("数据库文件")))
        << m_env.prompt().lastText().toStdString();
    EXPECT_TRUE(m_env.prompt().lastText().contains(QStringLiteral("缺少本程序需要的表或列")))
        << m_env.prompt().lastText().toStdString();
    EXPECT_TRUE(m_env.prompt().lastText().contains(QStringLiteral("NO_SUCH_TABLE")))
        << m_env.prompt().lastText().toStdString();
    // The statement that ran before the failure stays done.
    EXPECT_EQ(m_db.scalar(QStringLiteral("select count(*) from \"SALER\"")), QStringLiteral("1"));
}

INSTANTIATE_TEST_SUITE_P(AllRoutes, DatabaseRoutes,
                         ::testing::Values(Engine::Sqlite, Engine::SqliteOdbc, Engine::Postgres),
                         [](const auto &info) {
                             switch (info.param) {
                             case Engine::Sqlite:
                                 return std::string("Sqlite");
                             case Engine::SqliteOdbc:
                                 return std::string("Odbc");
                             case Engine::Postgres:
                                 break;
                             }
                             return std::string("Postgres");
                         });

TEST(DatabaseOpen, UnknownDataSourceWarnsCannotOpen)
{
    TestEnv env;
    Database db;
    EXPECT_FALSE(DbOperation::open(db, QStringLiteral("QmNoSuchSource"), nullptr));
    EXPECT_EQ(env.prompt().lastText(), QStringLiteral("不能打开数据库"));
}

TEST(DatabaseOpen, MissingFileIsNotCreatedEmpty)
{
    TestEnv env;
    QFile::remove(env.settingsFile());
    Database db;
    EXPECT_FALSE(db.open(env.settings().settingsDsn));
    EXPECT_FALSE(QFile::exists(env.settingsFile()));
}

} // namespace
