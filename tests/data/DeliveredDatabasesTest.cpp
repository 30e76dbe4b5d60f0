// The delivered database files: every table with its columns in the order the
// program reads them by position, the seed rows, the indexes, and the empty
// book template.
#include "data/DataSource.h"
#include "data/Database.h"
#include "support/TestEnv.h"

#include <QSqlRecord>

#include <gtest/gtest.h>

namespace {

using Schema = QMap<QString, QStringList>;

QStringList sets(const QString &prefix, int count)
{
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names << prefix + QString::number(i);
    return names;
}

Schema settingsSchema()
{
    return {
        {"USER", {"id", "name", "code", "power"}},
        {"USER_SET", QStringList{"id", "userName", "userPower", "directLogin"} + sets("set", 10)},
        {"INFO",
         QStringList{"id", "shopName", "ifSave", "remark1", "remark2", "saler", "showPrice"} +
             sets("set", 10)},
        {"PRODUCT_NAME", {"id", "items", "price"}},
        {"SALER", {"id", "items", "standby"}},
        {"AUTO_NUM", {"id", "num", "standby1"}},
        {"RAW_PRINTER", {"printer", "paperDots", "openDrawer"}},
    };
}

Schema recordsSchema()
{
    return {
        {"AUTO_NUM", {"id", "num"}},
        {"POS_RECORD",
         QStringList{"id", "NO", "date", "money", "saler", "number"} + sets("standby", 4)},
        {"POS_RECORD_DETAIL", {"NO", "name", "num", "price", "money", "standby1"}},
    };
}

Schema schemaOf(Database &db)
{
    Schema schema;
    for (const QString &table : db.handle().tables(QSql::Tables)) {
        if (table.startsWith(QLatin1String("sqlite_")))
            continue;
        const QSqlRecord record = db.handle().record(table);
        QStringList columns;
        for (int i = 0; i < record.count(); ++i)
            columns << record.fieldName(i);
        schema.insert(table, columns);
    }
    return schema;
}

QStringList indexesOf(Database &db)
{
    QStringList names;
    Database::Rows rows = db.query(QStringLiteral(
        "select \"tbl_name\", \"sql\" from sqlite_master where \"type\"='index' and \"sql\" is "
        "not null"));
    while (rows.next())
        names << rows.text(1).section(QLatin1String(" ON "), 1).remove(u'"').remove(u' ');
    names.sort();
    return names;
}

QStringList recordsIndexes()
{
    return {"POS_RECORD(NO)", "POS_RECORD(date)", "POS_RECORD_DETAIL(NO)"}; // sorted
}

} // namespace

TEST(DeliveredDatabases, SettingsFileHasEveryColumnInItsPlaceAndTheSeedRows)
{
    TestEnv env;
    Database db;
    ASSERT_TRUE(db.open(env.settings().settingsDsn));
    EXPECT_EQ(schemaOf(db), settingsSchema());

    Database::Rows admin = db.query(QStringLiteral("select * from \"USER\""));
    ASSERT_TRUE(admin.next());
    EXPECT_EQ(admin.text(1), QStringLiteral("admin"));
    EXPECT_EQ(admin.text(2), QString());
    EXPECT_EQ(admin.text(3), QStringLiteral("管理员"));
    EXPECT_FALSE(admin.next());

    // The login row is delivered; the options row is made at the first start.
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from \"USER_SET\" where \"id\"=1")),
              QStringLiteral("1"));
    EXPECT_EQ(
        db.scalar(QStringLiteral("select count(*) from \"USER_SET\" where \"directLogin\"=6")),
        QStringLiteral("0"));
    // The shop row is addressed with the quoted '1'.
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from \"INFO\" where \"id\"=?"),
                        {QStringLiteral("1")}),
              QStringLiteral("1"));
    Database::Rows payment = db.query(QStringLiteral("select * from \"AUTO_NUM\""));
    ASSERT_TRUE(payment.next());
    EXPECT_EQ(payment.text(1), QStringLiteral("1"));
    EXPECT_EQ(payment.text(2), QString());
    EXPECT_FALSE(payment.next());
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from \"PRODUCT_NAME\"")),
              QStringLiteral("0"));
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from \"SALER\"")), QStringLiteral("0"));
}

TEST(DeliveredDatabases, RecordsFileAndNewBookTemplateAreTheSameEmptyBook)
{
    TestEnv env;
    const QString templateDsn = env.settings().recordsDsn + QStringLiteral("New");
    TestEnv::registerDataSource(templateDsn, DataSource::newBookTemplate(env.programDir()));
    for (const QString &dsn : {env.settings().recordsDsn, templateDsn}) {
        Database db;
        ASSERT_TRUE(db.open(dsn)) << dsn.toStdString();
        EXPECT_EQ(schemaOf(db), recordsSchema()) << dsn.toStdString();
        EXPECT_EQ(indexesOf(db), recordsIndexes()) << dsn.toStdString();
        for (const char *table : {"AUTO_NUM", "POS_RECORD", "POS_RECORD_DETAIL"})
            EXPECT_EQ(
                db.scalar(QStringLiteral("select count(*) from \"%1\"").arg(QLatin1String(table))),
                QStringLiteral("0"))
                << table;
    }
}

TEST(DeliveredDatabases, ReceiptCounterNumbersAreNeverGivenTwice)
{
    TestEnv env;
    Database db;
    ASSERT_TRUE(db.open(env.settings().recordsDsn));
    const QString add = QStringLiteral("insert into \"AUTO_NUM\" (\"num\") values ('1')");
    const QString largest = QStringLiteral("select max(\"id\") from \"AUTO_NUM\"");
    db.exec(add);
    db.exec(add);
    EXPECT_EQ(db.scalar(largest), QStringLiteral("2"));
    // Even after the newest row goes, the next number is a new one.
    db.exec(QStringLiteral("delete from \"AUTO_NUM\" where \"id\"=2"));
    db.exec(add);
    EXPECT_EQ(db.scalar(largest), QStringLiteral("3"));
}
