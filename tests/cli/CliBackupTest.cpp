// quillmarch-cli backup and check as a script runs them: backups taken while
// four tills are selling, the rotation of --keep, a damaged book, a server,
// another folder's data beside a selling till.
#include "CliHome.h"

#include "data/DataSource.h"
#include "data/Database.h"
#include "records/BookFile.h"
#include "support/PgServer.h"
#include "support/Text.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <odbcinst.h>
#include <sqlite3.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// The path the backup said it wrote (its last line).
QString writtenBackup(const CliRun &run)
{
    const QStringList lines = run.out.trimmed().split(u'\n');
    for (const QString &line : lines) {
        if (line.endsWith(QLatin1String(".qmbk")))
            return line.trimmed();
    }
    return {};
}

void registerAsTheProgramDoes(const CliHome &home)
{
    ASSERT_TRUE(DataSource::setUp(s("Quillmarch"), home.settingsFile(), home.path()));
    ASSERT_TRUE(DataSource::setUp(s("Quillbook"), home.recordsFile(), home.path()));
}

// Each till's sales in BOOK are its first ones, each whole with its three
// lines; returns how many sales the book holds.
int expectPrefixOfEachTill(const QString &book)
{
    EXPECT_EQ(BookFile::examine(book), BookFile::Verdict::Book) << book.toStdString();
    EXPECT_EQ(CliRun::sqlite(book, s("select count(*) from POS_RECORD r where (select count(*) "
                                     "from POS_RECORD_DETAIL d where d.\"NO\" = r.\"NO\") != 3")),
              s("0"))
        << "a sale without all of its lines in " << book.toStdString();
    EXPECT_EQ(CliRun::sqlite(book, s("select count(*) from POS_RECORD_DETAIL d where not exists "
                                     "(select 1 from POS_RECORD r where r.\"NO\" = d.\"NO\")")),
              s("0"))
        << "lines without their sale in " << book.toStdString();
    QHash<QString, QSet<int>> sales; // till -> its sale numbers
    const QString names = CliRun::sqlite(book, s("select name from POS_RECORD_DETAIL"));
    for (const QString &name : names.split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList parts = name.split(u':');
        if (parts.size() == 3)
            sales[parts[0]].insert(parts[1].toInt());
    }
    int total = 0;
    for (auto it = sales.cbegin(); it != sales.cend(); ++it) {
        const int count = int(it.value().size());
        for (int sale = 1; sale <= count; ++sale)
            EXPECT_TRUE(it.value().contains(sale))
                << it.key().toStdString() << " lacks sale " << sale << " of " << count;
        total += count;
    }
    EXPECT_EQ(CliRun::sqlite(book, s("select count(*) from POS_RECORD")), QString::number(total));
    return total;
}

} // namespace

TEST(CliBackup, BackupsTakenWhileFourTillsSellAreWholeBooksAndKeepRotates)
{
    CliHome home;
    QTemporaryDir backups;
    // The data sources "Quillmarch" and "Quillbook" that the tills use, as
    // the window program registers them at its start.
    registerAsTheProgramDoes(home);
    const int salesPerTill = 40;
    std::vector<std::unique_ptr<QProcess>> tills;
    for (int i = 1; i <= 4; ++i) {
        auto till = std::make_unique<QProcess>();
        till->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        till->start(QStringLiteral(QM_TEST_TILL),
                    {s("Quillmarch"), s("Quillbook"), QString::number(salesPerTill),
                     QStringLiteral("till%1").arg(i)});
        ASSERT_TRUE(till->waitForStarted());
        tills.push_back(std::move(till));
    }
    QStringList written;
    int previous = 0;
    bool selling = true;
    while (selling) {
        selling = false;
        // Without an event loop a process is known to have ended only when asked.
        for (auto &till : tills)
            selling =
                (!till->waitForFinished(0) && till->state() != QProcess::NotRunning) || selling;
        const CliRun run = home.cli({s("backup"), s("--keep"), s("3"), backups.path()});
        ASSERT_EQ(run.exit, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(s("数据库备份成功!"))) << run.out.toStdString();
        const QString backup = writtenBackup(run);
        ASSERT_TRUE(QFile::exists(backup)) << run.out.toStdString();
        const int held = expectPrefixOfEachTill(backup);
        EXPECT_GE(held, previous) << "a later backup holds fewer sales";
        previous = held;
        written.append(backup);
    }
    for (auto &till : tills) {
        till->waitForFinished(60000);
        ASSERT_EQ(till->state(), QProcess::NotRunning);
        EXPECT_EQ(till->exitCode(), 0) << till->readAllStandardOutput().toStdString();
    }
    EXPECT_GE(written.size(), 2);
    EXPECT_EQ(previous, 4 * salesPerTill) << "the backup after the last sale holds every sale";

    // --keep 3: the newest three stay, in the order they were written.
    QStringList left;
    for (const QString &name : QDir(backups.path()).entryList(QDir::Files, QDir::Name))
        left.append(QDir(backups.path()).filePath(name));
    std::sort(left.begin(), left.end(), [&written](const QString &a, const QString &b) {
        return written.indexOf(a) < written.indexOf(b);
    });
    EXPECT_EQ(left, written.mid(written.size() - 3));

    // --dry-run names what it would write and delete, and writes nothing.
    const CliRun dry = home.cli({s("backup"), s("--keep"), s("1"), s("--dry-run"), backups.path()});
    EXPECT_EQ(dry.exit, 0) << dry.err.toStdString();
    EXPECT_EQ(dry.out.count(s("将删除较早的备份")), 3) << dry.out.toStdString();
    EXPECT_EQ(QDir(backups.path()).entryList(QDir::Files).size(), 3);
}

// The owner works on a copy (--data-home) while the till sells: the copy's
// files change, and the till's next sale still goes into the shop's own book.
TEST(CliBackup, ACopysDataHomeLeavesTheTillOnTheShopsOwnBooks)
{
    CliHome shop;
    CliHome copy;
    registerAsTheProgramDoes(shop);
    QTemporaryDir out;
    const QString list = QDir(out.path()).filePath(s("products.csv"));
    QFile csv(list);
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write(s("序号,名称,单价\n1,绿茶,3.5\n2,可乐,2\n").toUtf8());
    csv.close();

    const CliRun imported = copy.cli({s("import-products"), list});
    ASSERT_EQ(imported.exit, 0) << imported.err.toStdString();
    const CliRun check = copy.cli({s("check")});
    EXPECT_EQ(check.exit, 0) << check.err.toStdString();
    EXPECT_TRUE(check.out.contains(copy.recordsFile())) << check.out.toStdString();
    const QString catalogue = s("select count(*) from PRODUCT_NAME");
    EXPECT_EQ(CliRun::sqlite(copy.settingsFile(), catalogue), s("2"));
    EXPECT_EQ(CliRun::sqlite(shop.settingsFile(), catalogue), s("0"));

    QProcess till;
    till.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    till.start(QStringLiteral(QM_TEST_TILL), {s("Quillmarch"), s("Quillbook"), s("2"), s("till1")});
    ASSERT_TRUE(till.waitForFinished(60000));
    ASSERT_EQ(till.exitCode(), 0) << till.readAllStandardOutput().toStdString();
    const QString sales = s("select count(*) from POS_RECORD");
    EXPECT_EQ(CliRun::sqlite(shop.recordsFile(), sales), s("2"));
    EXPECT_EQ(CliRun::sqlite(copy.recordsFile(), sales), s("0"));
}

TEST(CliBackup, CheckPassesASoundBookAndNamesADamagedOne)
{
    CliHome home;
    const CliRun sound = home.cli({s("check")});
    EXPECT_EQ(sound.exit, 0) << sound.err.toStdString();
    EXPECT_EQ(sound.out.count(s("完好")), 2) << sound.out.toStdString();

    // Two pages of the book overwritten, as a failing disk leaves them: one
    // among the rows of a table, one among its index.
    const QString book = home.recordsFile();
    {
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(book).constData(), &db), SQLITE_OK);
        sqlite3_exec(db,
                     "create table filler (x);"
                     "with recursive n(i) as (select 1 union all select i + 1 from n where i < 200)"
                     " insert into filler select printf('%0500d', i) from n;"
                     "create index filler_x on filler (x);",
                     nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    QFile file(book);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_GT(file.size(), 40000);
    for (const qint64 at : {file.size() / 3, file.size() * 2 / 3}) {
        file.seek(at / 4096 * 4096);
        file.write(QByteArray(4096, '\x5a'));
    }
    file.close();

    const CliRun damaged = home.cli({s("check")});
    EXPECT_EQ(damaged.exit, 1);
    EXPECT_TRUE(damaged.err.contains(book)) << damaged.err.toStdString();
    EXPECT_TRUE(damaged.err.contains(s("损坏"))) << damaged.err.toStdString();
    EXPECT_TRUE(damaged.out.contains(s("设置库"))) << "the sound settings are still reported";

    // A backup of a damaged book is refused, and nothing is left behind.
    QTemporaryDir backups;
    const CliRun backup = home.cli({s("backup"), backups.path()});
    EXPECT_EQ(backup.exit, 1) << backup.out.toStdString();
    EXPECT_TRUE(backup.err.contains(s("数据库备份失败!"))) << backup.err.toStdString();
    EXPECT_TRUE(QDir(backups.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());

    const CliRun wrong = home.cli({s("check"), s("--bogus")});
    EXPECT_EQ(wrong.exit, 2);
    EXPECT_TRUE(wrong.err.contains(s("--bogus"))) << wrong.err.toStdString();
    // Help for a command that does not exist is a wrong command line too.
    const CliRun noSuchHelp = home.cli({s("help"), s("bogus")});
    EXPECT_EQ(noSuchHelp.exit, 2);
    EXPECT_TRUE(noSuchHelp.err.contains(s("bogus"))) << noSuchHelp.err.toStdString();
}

TEST(CliBackup, ABookOnAServerIsLeftToTheServersTools)
{
    QM_REQUIRE_POSTGRES();
    CliHome home;
    PgServer::registerDataSource(s("Quillbook"), PgServer::createDatabase());
    // The data source is the test program's; the next test finds it a SQLite file again.
    struct Forget
    {
        ~Forget()
        {
            UWORD mode = ODBC_BOTH_DSN;
            SQLGetConfigMode(&mode);
            SQLSetConfigMode(ODBC_USER_DSN);
            SQLRemoveDSNFromIni("Quillbook");
            SQLSetConfigMode(mode);
        }
    } forget;
    ASSERT_EQ(CliRun::cli({s("init-database"), s("Quillbook"), s("records")}).exit, 0);
    const CliRun again = CliRun::cli({s("init-database"), s("Quillbook"), s("records")});
    EXPECT_EQ(again.exit, 1) << "a prepared database is left as it is";
    QTemporaryDir backups;
    const CliRun backup = home.cli({s("backup"), backups.path()});
    EXPECT_EQ(backup.exit, 1);
    EXPECT_TRUE(backup.err.contains(s("请使用数据库服务器的备份工具"))) << backup.err.toStdString();
    EXPECT_TRUE(QDir(backups.path()).isEmpty());
    const CliRun check = home.cli({s("check")});
    EXPECT_EQ(check.exit, 0) << check.err.toStdString();
    EXPECT_TRUE(check.out.contains(s("数据源 Quillbook：完好"))) << check.out.toStdString();

    // The day's figures come from the server's own sums.
    {
        Database db;
        ASSERT_TRUE(db.open(s("Quillbook"))) << db.lastOpenError().toStdString();
        const QString sale =
            s("insert into \"POS_RECORD\" (\"NO\", \"date\", \"money\", \"saler\", "
              "\"number\", \"standby4\") values (?, ?, ?, ?, ?, ?)");
        const QString line = s("insert into \"POS_RECORD_DETAIL\" (\"NO\", \"name\", \"num\", "
                               "\"price\", \"money\", \"standby1\") values (?, ?, ?, ?, ?, ?)");
        db.exec(sale, {s("0000001"), s("2024-03-07 09:15:00"), 18.0, s("张敏"), 2.0, s("现金")});
        db.exec(line, {s("0000001"), s("绿茶"), 2.0, 10.0, 20.0, 18.0});
        db.exec(sale, {s("0000002"), s("2024-03-07 17:40:10"), 7.5, s("李强"), 3.0, s("微信")});
        db.exec(line, {s("0000002"), s("可乐"), 3.0, 2.5, 7.5, 7.5});
        db.exec(sale, {s("0000003"), s("2024-03-08 08:00:00"), 100.0, s("李强"), 1.0, s("微信")});
    }
    const CliRun report =
        home.cli({s("report"), s("--date"), s("2024-03-07"), s("--format"), s("csv")});
    ASSERT_EQ(report.exit, 0) << report.err.toStdString();
    EXPECT_EQ(
        report.out.trimmed().split(u'\n'),
        (QStringList{s("section,name,sales,items,takings,discounts"), s("total,,2,5,25.50,2.00"),
                     s("payment,现金,1,,18.00,"), s("payment,微信,1,,7.50,"),
                     s("cashier,张敏,1,,18.00,"), s("cashier,李强,1,,7.50,"),
                     s("hour,09,1,,18.00,"), s("hour,17,1,,7.50,")}));
}
