// A PostgreSQL server as the data source: preparing its databases with the
// program's own command, the same tables and rows as the delivered files, a
// sale's lines in the order entered, and a connection that survives a restart.
#include "data/DataSource.h"
#include "data/Database.h"
#include "data/DatabaseInit.h"
#include "data/Transaction.h"
#include "records/DetailListModel.h"
#include "records/QueryBuilder.h"
#include "records/SalesListModel.h"
#include "support/PgServer.h"
#include "support/TestEnv.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include <gtest/gtest.h>

namespace {

QStringList columns(Database &db, const QString &table)
{
    QSqlQuery query(db.handle());
    EXPECT_TRUE(query.exec(QStringLiteral("select * from \"%1\" where 1 = 0").arg(table)));
    QStringList names;
    for (int i = 0; i < query.record().count(); ++i)
        names << query.record().fieldName(i);
    return names;
}

QStringList rows(Database &db, const QString &table)
{
    QStringList all;
    Database::Rows rows = db.query(QStringLiteral("select * from \"%1\"").arg(table));
    while (rows.next()) {
        QStringList row;
        for (int i = 0; i < rows.columnCount(); ++i)
            row << rows.text(i);
        all << row.join(QLatin1Char('|'));
    }
    return all;
}

TEST(ServerDatabase, InitCommandBuildsTheDeliveredSchemaOnceAndRefusesASecondTime)
{
    QM_REQUIRE_POSTGRES();
    TestEnv env;
    for (const bool settings : {true, false}) {
        const QString database = PgServer::createDatabase();
        const QString dsn = QStringLiteral("QmInit_") + database;
        PgServer::registerDataSource(dsn, database);
        const QString kind = settings ? QStringLiteral("--settings") : QStringLiteral("--records");
        EXPECT_EQ(DatabaseInit::runCommand({QStringLiteral("--init-database"), dsn}),
                  DatabaseInit::BadUsage); // which kind is not clear from the name
        ASSERT_EQ(DatabaseInit::runCommand({QStringLiteral("--init-database"), dsn, kind}),
                  DatabaseInit::Created);

        Database server;
        ASSERT_TRUE(server.open(dsn));
        server.exec(QStringLiteral("insert into \"AUTO_NUM\" (\"id\",\"num\") values (?,?)"),
                    {qint64(77), QStringLiteral("1")});
        EXPECT_EQ(DatabaseInit::runCommand({QStringLiteral("--init-database"), dsn, kind}),
                  DatabaseInit::AlreadyPrepared);
        EXPECT_EQ(
            server.scalar(QStringLiteral("select count(*) from \"AUTO_NUM\" where \"id\"=77")),
            QStringLiteral("1"));
        server.exec(QStringLiteral("delete from \"AUTO_NUM\" where \"id\"=?"), {qint64(77)});

        Database delivered;
        ASSERT_TRUE(
            delivered.open(settings ? env.settings().settingsDsn : env.settings().recordsDsn));
        for (const QString &table : DatabaseInit::tables(settings ? DatabaseInit::Kind::Settings
                                                                  : DatabaseInit::Kind::Records)) {
            QStringList expected = columns(delivered, table);
            if (table == QLatin1String("POS_RECORD_DETAIL"))
                expected << QStringLiteral("seq"); // after every column read by position
            EXPECT_EQ(columns(server, table), expected) << table.toStdString();
            EXPECT_EQ(rows(server, table), rows(delivered, table)) << table.toStdString();
        }
    }
}

QStringList cells(const RecordListModel &list)
{
    QStringList all;
    for (int row = 0; row < list.rowCount(); ++row) {
        QStringList texts;
        for (int column = 0; column < list.columnCount(); ++column)
            texts << list.text(row, column);
        all << texts.join(QLatin1Char('|'));
    }
    return all;
}

// The query window reads its lists from the server with libpq itself; what
// it shows must be what Qt's driver reads: quotes and question marks in texts
// and in what is searched for, NULL columns, amounts that need every digit.
TEST(ServerDatabase, QueryListsShowWhatTheDriverReads)
{
    QM_REQUIRE_POSTGRES();
    TestEnv env;
    const QString dsn = PgServer::preparedDataSource(false);
    Database direct;
    Database driver;
    ASSERT_TRUE(direct.open(dsn));
    ASSERT_TRUE(driver.open(dsn, Database::Route::Odbc));
    const QVariant null;
    const auto t = [](const char *text) { return QVariant(QString::fromUtf8(text)); };
    const QString insertSale = QStringLiteral(
        "insert into \"POS_RECORD\" (\"NO\", \"date\", \"money\", \"saler\", \"number\", "
        "\"standby1\", \"standby2\", \"standby3\", \"standby4\") values (?,?,?,?,?,?,?,?,?)");
    const QString insertLine = QStringLiteral(
        "insert into \"POS_RECORD_DETAIL\" (\"NO\", \"name\", \"num\", \"price\", \"money\", "
        "\"standby1\") values (?,?,?,?,?,?)");
    direct.exec(insertSale, {t("A?'1"), t("2024-03-07 09:00:00"), 0.1 + 0.2, t("张敏"), 2.5,
                             t("会员'?"), t("O'Neil"), t("$1"), t("现金")});
    direct.exec(insertLine, {t("A?'1"), t("绿茶?"), 1.5, 2.0, 3.0, 2.999});
    direct.exec(insertSale,
                {t("B2"), t("2024-03-07 09:00:01"), null, null, null, null, null, null, null});
    direct.exec(insertSale, {t("C3"), t("2024-03-08 10:00:00"), 1e12 + 0.125, t("admin"), 1e6,
                             t(""), t("\xf0\x9f\x98\x80"), t("\\"), t("微信")});
    direct.exec(insertLine, {t("C3"), null, null, null, null, null});

    QueryConditions searched;
    searched.number = QStringLiteral("?'");
    QueryConditions byTime;
    byTime.timeRange = true;
    byTime.from = QDateTime(QDate(2024, 3, 7), QTime(0, 0));
    byTime.to = QDateTime(QDate(2024, 3, 7), QTime(23, 59));
    for (const QueryConditions &conditions : {QueryConditions(), searched, byTime}) {
        const QueryStatement statement = QueryBuilder::sales(conditions, direct.dialect());
        SalesListModel directSales, driverSales;
        directSales.fill(direct, statement);
        driverSales.fill(driver, statement);
        EXPECT_EQ(cells(directSales), cells(driverSales));
        EXPECT_EQ(directSales.totalMoney(), driverSales.totalMoney());
        DetailListModel directDetails, driverDetails;
        directDetails.fill(direct, statement);
        driverDetails.fill(driver, statement);
        EXPECT_EQ(cells(directDetails), cells(driverDetails));
    }
    SalesListModel all;
    all.fill(direct, QueryBuilder::sales(QueryConditions(), direct.dialect()));
    ASSERT_EQ(all.rowCount(), 3);
    EXPECT_EQ(
        cells(all).first(),
        QString::fromUtf8("1|A?'1|2024-03-07 09:00:00|2.5|0.30|0.30|张敏|会员'?|O'Neil|$1|现金"));
    SalesListModel found;
    found.fill(direct, QueryBuilder::sales(searched, direct.dialect()));
    EXPECT_EQ(found.rowCount(), 1);
}

TEST(ServerDatabase, ReceiptNumbersAreUniqueOnTheServer)
{
    QM_REQUIRE_POSTGRES();
    TestEnv env;
    Database db;
    ASSERT_TRUE(db.open(PgServer::preparedDataSource(false)));
    const QString insert = QStringLiteral("insert into \"POS_RECORD\" (\"NO\") values (?)");
    db.exec(insert, {QStringLiteral("0000001")});
    try {
        db.exec(insert, {QStringLiteral("0000001")});
        FAIL() << "a second sale under one number was stored";
    } catch (const DatabaseError &error) {
        EXPECT_EQ(error.kind(), DatabaseError::Kind::UniqueViolation);
    }
}

class LineOrder : public ::testing::TestWithParam<bool>
{
};

TEST_P(LineOrder, ASalesLinesComeBackInTheOrderEntered)
{
    TestEnv env;
    QString dsn = env.settings().recordsDsn;
    if (GetParam()) {
        QM_REQUIRE_POSTGRES();
        dsn = PgServer::preparedDataSource(false);
    }
    Database db;
    ASSERT_TRUE(db.open(dsn));
    const QString insert =
        QStringLiteral("insert into \"POS_RECORD_DETAIL\" (\"NO\",\"name\") values (?,?)");
    {
        Transaction transaction(db);
        for (const char *name : {"香蕉", "苹果", "西瓜", "菠萝"})
            db.exec(insert, {QStringLiteral("7"), QString::fromUtf8(name)});
        db.exec(insert, {QStringLiteral("8"), QStringLiteral("别的单")});
        db.exec(insert, {QStringLiteral("7"), QStringLiteral("最后")});
        transaction.commit();
    }
    db.exec(QStringLiteral("update \"POS_RECORD_DETAIL\" set \"num\" = ? where \"name\" = ?"),
            {2.0, QStringLiteral("香蕉")}); // an edited line keeps its place
    Database::Rows rows =
        db.query(QStringLiteral("select * from \"POS_RECORD_DETAIL\" where \"NO\" = ? order by ") +
                     db.dialect().lineOrder(),
                 {QStringLiteral("7")});
    QStringList names;
    while (rows.next())
        names << rows.text(1);
    EXPECT_EQ(names.join(QLatin1Char(' ')), QStringLiteral("香蕉 苹果 西瓜 菠萝 最后"));
}

INSTANTIATE_TEST_SUITE_P(BothEngines, LineOrder, ::testing::Values(false, true),
                         [](const auto &info) {
                             return info.param ? std::string("Postgres") : std::string("Sqlite");
                         });

TEST(ServerDatabase, AConnectionLostToARestartIsOpenedAgain)
{
    QM_REQUIRE_POSTGRES();
    TestEnv env;
    Database db;
    ASSERT_TRUE(db.open(PgServer::preparedDataSource(false)));
    const QString insert = QStringLiteral("insert into \"POS_RECORD\" (\"NO\") values (?)");
    db.exec(insert, {QStringLiteral("1")});

    // A read after the restart is simply read again on a new connection.
    ASSERT_TRUE(PgServer::restart(100));
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from \"POS_RECORD\"")),
              QStringLiteral("1"));

    // A transaction cut off by the restart ends with the message and leaves nothing.
    try {
        Transaction transaction(db);
        db.exec(insert, {QStringLiteral("2")});
        ASSERT_TRUE(PgServer::restart(100));
        db.exec(insert, {QStringLiteral("3")});
        transaction.commit();
        FAIL() << "the cut transaction was reported as done";
    } catch (const DatabaseError &error) {
        EXPECT_EQ(error.kind(), DatabaseError::Kind::ConnectionLost);
        EXPECT_EQ(error.driverText(), Database::connectionLostMessage());
    }
    {
        Transaction transaction(db);
        db.exec(insert, {QStringLiteral("4")});
        transaction.commit();
    }
    Database::Rows numbers =
        db.query(QStringLiteral("select \"NO\" from \"POS_RECORD\" order by \"NO\""));
    QStringList stored;
    while (numbers.next())
        stored << numbers.text(0);
    EXPECT_EQ(stored, (QStringList{"1", "4"}));
}

} // namespace
