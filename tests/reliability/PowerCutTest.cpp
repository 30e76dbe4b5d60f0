// A till switched off in the middle of a save: the program's own save path runs
// in a process of its own (qm_save_loop) on a copy of the data file and is
// killed at random moments. After every kill the file must be sound, every
// stored sale whole, no line without its sale, no number given twice.
#include "data/Database.h"
#include "data/OptionsRow.h"
#include "printing/PrintInfo.h"
#include "printing/ReceiptNumber.h"
#include "sales/SaleStore.h"
#include "support/TestEnv.h"
#include "users/PasswordHash.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <functional>

#include <gtest/gtest.h>

namespace {

class PowerCutTest : public ::testing::Test
{
protected:
    // Starts the save loop on DSN, lets it run for a random while and kills it.
    // True when the kill came while a transaction was open (its journal left behind).
    bool killMidway(const char *kind, const QString &dsn, const QString &file)
    {
        QProcess loop;
        loop.start(QStringLiteral(QM_SAVE_LOOP),
                   {QString::fromLatin1(kind), dsn, QString::number(m_random.generate())});
        EXPECT_TRUE(loop.waitForReadyRead(10000)) << loop.readAllStandardError().constData();
        QThread::usleep(m_random.bounded(1, 40000));
        loop.kill();
        loop.waitForFinished(5000);
        EXPECT_EQ(loop.exitStatus(), QProcess::CrashExit)
            << "the save loop stopped by itself: " << loop.readAllStandardError().constData();
        const QFile journal(file + QStringLiteral("-journal"));
        return journal.exists() && journal.size() > 0;
    }

    // KILLS times: the settings save loop KIND killed midway, the file opened
    // again as the program would and found sound, then CHECK looks at it.
    void afterEachKill(const char *kind, int kills,
                       const std::function<void(Database &settings, int kill)> &check)
    {
        const QString dsn = m_env.settings().settingsDsn;
        for (int kill = 0; kill < kills; ++kill) {
            killMidway(kind, dsn, m_env.settingsFile());
            Database settings;
            ASSERT_TRUE(settings.open(dsn));
            ASSERT_EQ(scalar(settings, "PRAGMA integrity_check"), "ok") << "after kill " << kill;
            check(settings, kill);
        }
    }

    static QString scalar(Database &db, const char *sql)
    {
        return db.scalar(QString::fromUtf8(sql));
    }

    TestEnv m_env;
    QRandomGenerator m_random{20260908};
};

TEST_F(PowerCutTest, StoredSalesAreWholeOrAbsentAndNoNumberIsGivenTwice)
{
    const QString dsn = m_env.settings().recordsDsn;
    int midTransaction = 0;
    int previousSales = 0;
    for (int kill = 0; kill < 120; ++kill) {
        midTransaction += killMidway("sales", dsn, m_env.recordsFile());
        Database records;
        ASSERT_TRUE(records.open(dsn)); // what the program does next: recovers the journal
        ASSERT_EQ(scalar(records, "PRAGMA integrity_check"), "ok") << "after kill " << kill;
        ASSERT_EQ(scalar(records, "select count(*) from \"POS_RECORD\" r where "
                                  "cast(r.\"standby1\" as integer) <> (select count(*) from "
                                  "\"POS_RECORD_DETAIL\" d where d.\"NO\" = r.\"NO\")"),
                  "0")
            << "a sale lost lines, after kill " << kill;
        ASSERT_EQ(scalar(records, "select count(*) from \"POS_RECORD_DETAIL\" d where not exists "
                                  "(select 1 from \"POS_RECORD\" r where r.\"NO\" = d.\"NO\")"),
                  "0")
            << "lines without their sale, after kill " << kill;
        ASSERT_EQ(scalar(records, "select count(*) from (select \"NO\" from \"POS_RECORD\" "
                                  "group by \"NO\" having count(*) > 1)"),
                  "0")
            << "one number for two sales, after kill " << kill;
        ASSERT_FALSE(SaleStore::numberExists(records, ReceiptNumber::load(records, QString())))
            << "the counter offers a stored sale's number, after kill " << kill;
        const int sales = scalar(records, "select count(*) from \"POS_RECORD\"").toInt();
        ASSERT_GE(sales, previousSales) << "a stored sale disappeared, after kill " << kill;
        previousSales = sales;
    }
    EXPECT_GT(previousSales, 0);
    EXPECT_GT(midTransaction, 0) << "no kill came while a sale was being written";
}

TEST_F(PowerCutTest, PrintSettingsAreStoredAllTogetherOrNotAtAll)
{
    {
        Database settings;
        ASSERT_TRUE(settings.open(m_env.settings().settingsDsn));
        OptionsRow::ensure(settings);
        PrintInfo first;
        first.shopName = first.remark = first.margin = first.offset = first.paperLengthAdjust =
            QStringLiteral("0");
        first.store(settings);
    }
    afterEachKill("print", 40, [](Database &settings, int kill) {
        Database::Rows row = settings.query(QStringLiteral(
            "select i.\"shopName\", i.\"remark1\", i.\"set5\", i.\"set6\", u.\"set7\" "
            "from \"INFO\" i, \"USER_SET\" u where i.\"id\" = 1 and "
            "u.\"directLogin\" = 6"));
        ASSERT_TRUE(row.next());
        const int generation = row.text(0).toInt();
        EXPECT_EQ(row.text(1), row.text(0)) << "after kill " << kill;
        EXPECT_EQ(row.text(2).toInt(), 4 * generation) << "after kill " << kill;
        EXPECT_EQ(row.text(3).toInt(), 4 * generation) << "after kill " << kill;
        EXPECT_EQ(row.text(4).toInt(), generation)
            << "paper length of another write, after kill " << kill;
    });
}

TEST_F(PowerCutTest, AnAccountIsStoredWithItsPasswordOrNotAtAll)
{
    afterEachKill("accounts", 40, [](Database &settings, int kill) {
        Database::Rows newest = settings.query(
            QStringLiteral("select \"name\", \"code\" from \"USER\" order by rowid desc"));
        ASSERT_TRUE(newest.next());
        if (newest.text(0) == QLatin1String("admin"))
            return;
        EXPECT_EQ(PasswordHash::check(newest.text(0), newest.text(1)), PasswordHash::Match::Yes)
            << "account " << qPrintable(newest.text(0)) << " after kill " << kill;
    });
    Database settings;
    ASSERT_TRUE(settings.open(m_env.settings().settingsDsn));
    EXPECT_EQ(scalar(settings, "select count(*) from \"USER\" where \"name\" = 'admin'"), "1");
}

TEST_F(PowerCutTest, AnImportedCatalogueReplacesTheOldOneWholeOrNotAtAll)
{
    {
        Database settings;
        ASSERT_TRUE(settings.open(m_env.settings().settingsDsn));
        settings.exec(QStringLiteral("delete from \"PRODUCT_NAME\""));
    }
    afterEachKill("import", 40, [](Database &settings, int kill) {
        // Every product of one import names that import and its size.
        Database::Rows imports = settings.query(QStringLiteral(
            "select substr(\"items\", 1, instr(\"items\", '/') - 1), count(*), "
            "min(substr(\"items\", instr(\"items\", '/') + 1)) from \"PRODUCT_NAME\" "
            "group by 1"));
        int catalogues = 0;
        while (imports.next()) {
            ++catalogues;
            const int size = imports.text(2).section(QLatin1Char('/'), 0, 0).toInt();
            EXPECT_EQ(imports.text(1).toInt(), size)
                << "import " << qPrintable(imports.text(0)) << " torn, after kill " << kill;
        }
        EXPECT_LE(catalogues, 1) << "two imports mixed, after kill " << kill;
    });
}

} // namespace
