// A sale stored while another program holds the records book, or while the
// disk is full: the program waits a little, then says so in words; the sale
// stays on screen and nothing half-written is left in the book.
#include "core/AppSettings.h"
#include "data/Database.h"
#include "records/BookCommands.h"
#include "sales/SalesSession.h"
#include "spreadsheet/ExportList.h"
#include "support/Gui.h"
#include "support/RealService.h"
#include "support/SaleFinishing.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardItemModel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <unistd.h>

namespace {

class BusyAndFullDiskTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_env.settings().userName = s("admin");
        m_env.settings().userPower = s("管理员");
    }

    void enterSale(SalesSession &session, int lines)
    {
        for (int i = 0; i < lines; ++i) {
            session.sale().entry().setName(s("商品%1").arg(i));
            session.sale().entry().typeQuantity(s("2"));
            session.sale().entry().setPrice(s("3.5"));
            ASSERT_TRUE(session.sale().addLine().message.isEmpty());
        }
    }

    static QString scalar(const QString &dsn, const char *sql)
    {
        Database db;
        if (!db.open(dsn))
            return s("cannot open");
        return db.scalar(QString::fromUtf8(sql));
    }

    // The sqlite3 program on the same file, as a query tool or another till
    // would hold it: SCRIPT is fed to it and it is left running.
    static void startOtherProgram(QProcess &other, const QString &file, const QByteArray &script)
    {
        other.start(QStringLiteral("sqlite3"), {file});
        ASSERT_TRUE(other.waitForStarted(5000));
        other.write(script);
        ASSERT_TRUE(other.waitForReadyRead(5000)) << "the other program did not take the lock";
    }

    TestEnv m_env;
};

TEST_F(BusyAndFullDiskTest, ABookHeldByAnotherProgramIsWaitedForThenReportedAndTheSaleStays)
{
    SalesSession session(m_env.settings());
    ASSERT_TRUE(session.open());
    enterSale(session, 3);
    const QString number = session.header().number;

    QProcess other;
    startOtherProgram(other, m_env.recordsFile(), "BEGIN IMMEDIATE;\n.print locked\n");
    QElapsedTimer waited;
    waited.start();
    EXPECT_FALSE(saveOnly(session));
    EXPECT_GE(waited.elapsed(), Database::busyTimeoutMs - 500) << "gave up without waiting";
    EXPECT_TRUE(m_env.prompt().lastText().startsWith(
        QStringLiteral("数据库文件%1正被另一个程序使用").arg(m_env.recordsFile())))
        << qPrintable(m_env.prompt().lastText());
    EXPECT_EQ(session.sale().lines().count(), 3) << "the sale left the screen";
    EXPECT_EQ(session.header().number, number);

    other.write("ROLLBACK;\n.quit\n");
    other.waitForFinished(5000);
    EXPECT_TRUE(saveOnly(session)) << qPrintable(m_env.prompt().lastText());
    const QString dsn = m_env.settings().recordsDsn;
    EXPECT_EQ(scalar(dsn, "select count(*) from \"POS_RECORD_DETAIL\""), s("3"));
    EXPECT_EQ(scalar(dsn, "select count(*) from \"POS_RECORD\""), s("1"));
}

TEST_F(BusyAndFullDiskTest, AShortWriteByAnotherTillIsWaitedOutAndBothSalesAreKept)
{
    SalesSession session(m_env.settings());
    ASSERT_TRUE(session.open());
    enterSale(session, 2);

    QProcess other;
    startOtherProgram(other, m_env.recordsFile(),
                      "BEGIN IMMEDIATE;\n.print locked\n"
                      "insert into \"POS_RECORD\" (\"NO\") values ('other-till');\n"
                      ".shell sleep 1\nCOMMIT;\n.quit\n");
    EXPECT_TRUE(saveOnly(session)) << qPrintable(m_env.prompt().lastText());
    EXPECT_TRUE(session.sale().lines().isEmpty());
    other.waitForFinished(5000);
    EXPECT_EQ(scalar(m_env.settings().recordsDsn, "select count(*) from \"POS_RECORD\""), s("2"));
}

// A small tmpfs of its own holds the records book; a filler file takes the
// rest of the room.
class FullDisk
{
public:
    FullDisk()
    {
        if (geteuid() != 0)
            return;
        m_mounted = mount("tmpfs", qPrintable(m_dir.path()), "tmpfs", 0, "size=2m") == 0;
    }
    ~FullDisk()
    {
        if (m_mounted)
            umount2(qPrintable(m_dir.path()), MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    void fill()
    {
        QFile filler(path("filler"));
        filler.open(QIODevice::WriteOnly);
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }
    void makeRoom() { QFile::remove(path("filler")); }
    // Gives back BYTES of the filler's room.
    void makeRoom(qint64 bytes)
    {
        QFile filler(path("filler"));
        filler.resize(qMax<qint64>(0, filler.size() - bytes));
    }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

TEST_F(BusyAndFullDiskTest, ASaleOnAFullDiskIsReportedTheSaleStaysAndTheBookIsIntact)
{
    FullDisk disk;
    if (!disk.mounted())
        QM_SKIP_WITHOUT_SERVICE("mounting a small tmpfs needs root (run the tests as root to check "
                                "a full disk)");
    const QString book = disk.path("Quillbook.qmbk");
    ASSERT_TRUE(QFile::copy(m_env.recordsFile(), book));
    m_env.settings().recordsDsn = s("QmFullDiskRecords");
    TestEnv::registerDataSource(m_env.settings().recordsDsn, book);

    SalesSession session(m_env.settings());
    ASSERT_TRUE(session.open());
    enterSale(session, 200);
    const QString number = session.header().number;
    disk.fill();

    EXPECT_FALSE(saveOnly(session));
    EXPECT_TRUE(m_env.prompt().lastText().startsWith(
        QStringLiteral("磁盘空间已满，数据库文件%1").arg(book)))
        << qPrintable(m_env.prompt().lastText());
    EXPECT_EQ(session.sale().lines().count(), 200) << "the sale left the screen";
    EXPECT_EQ(session.header().number, number);
    const QString dsn = m_env.settings().recordsDsn;
    EXPECT_EQ(scalar(dsn, "PRAGMA integrity_check"), s("ok"));
    EXPECT_EQ(scalar(dsn, "select count(*) from \"POS_RECORD_DETAIL\""), s("0"));
    EXPECT_EQ(scalar(dsn, "select count(*) from \"AUTO_NUM\""), s("0"));

    disk.makeRoom();
    EXPECT_TRUE(saveOnly(session)) << qPrintable(m_env.prompt().lastText());
    EXPECT_EQ(scalar(dsn, "select count(*) from \"POS_RECORD_DETAIL\""), s("200"));
    session.close();
}

TEST_F(BusyAndFullDiskTest, ABackupAndAnExportOnAFullDiskAreReportedAndLeaveNoHalfFile)
{
    FullDisk disk;
    if (!disk.mounted())
        QM_SKIP_WITHOUT_SERVICE("mounting a small tmpfs needs root (run the tests as root to check "
                                "a full disk)");
    {
        SalesSession session(m_env.settings());
        ASSERT_TRUE(session.open());
        enterSale(session, 200);
        ASSERT_TRUE(saveOnly(session));
    }
    disk.fill();

    m_env.prompt().fileNext(disk.path("backup.qmbk"));
    BookCommands(
        m_env.settings(), nullptr, [] {}, [] {})
        .backUp();
    EXPECT_TRUE(m_env.prompt().lastText().startsWith(s("数据库备份失败!\n磁盘空间已满，")))
        << qPrintable(m_env.prompt().lastText());

    QStandardItemModel list(2000, 3);
    for (int row = 0; row < list.rowCount(); ++row)
        for (int column = 0; column < 3; ++column)
            list.setItem(row, column, new QStandardItem(s("第%1行第%2列").arg(row).arg(column)));
    for (const char *name : {"list.xlsx", "list.xls"}) {
        m_env.prompt().fileNext(disk.path(name));
        exportList(nullptr, list, s("查询结果"), {});
        EXPECT_TRUE(m_env.prompt().lastText().contains(s("失败：磁盘空间已满，")))
            << qPrintable(m_env.prompt().lastText());
    }

    disk.makeRoom();
    EXPECT_EQ(QDir(disk.path("")).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList())
        << "a half file was left on the full disk";
    EXPECT_EQ(scalar(m_env.settings().recordsDsn, "PRAGMA integrity_check"), s("ok"));
    EXPECT_EQ(scalar(m_env.settings().recordsDsn, "select count(*) from \"POS_RECORD_DETAIL\""),
              s("200"));
}

TEST_F(BusyAndFullDiskTest, ARestoreThatCannotBeCompletedKeepsTheOldBookAndItsConnection)
{
    FullDisk disk;
    if (!disk.mounted())
        QM_SKIP_WITHOUT_SERVICE("mounting a small tmpfs needs root (run the tests as root to check "
                                "a full disk)");
    const QString book = disk.path("Quillbook.qmbk");
    ASSERT_TRUE(QFile::copy(m_env.recordsFile(), book));
    const QString dsn = s("QmFullDiskRecords");
    m_env.settings().recordsDsn = dsn;
    TestEnv::registerDataSource(dsn, book);
    {
        SalesSession session(m_env.settings());
        ASSERT_TRUE(session.open());
        enterSale(session, 5);
        ASSERT_TRUE(saveOnly(session));
    }
    // A backup that is bigger than the room left beside the book.
    QTemporaryDir elsewhere;
    const QString backup = QDir(elsewhere.path()).filePath(s("backup.qmbk"));
    ASSERT_TRUE(QFile::copy(m_env.recordsFile(), backup));
    {
        TestEnv::registerDataSource(s("QmBigBackup"), backup);
        Database big;
        ASSERT_TRUE(big.open(s("QmBigBackup")));
        big.exec(s("insert into \"POS_RECORD\" (\"NO\", \"standby1\") values ('big', ?)"),
                 {QString(600000, u'x')});
    }
    disk.fill();
    disk.makeRoom(256 * 1024);

    int closed = 0;
    int reopened = 0;
    m_env.prompt().fileNext(backup);
    m_env.prompt().answerNext(Prompt::Answer::Yes);
    const BookCommands::Outcome outcome =
        BookCommands(
            m_env.settings(), nullptr, [&] { ++closed; }, [&] { ++reopened; })
            .restore();
    EXPECT_EQ(outcome, BookCommands::Outcome::Kept);
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(reopened, 1) << "the window's connection was not opened again";
    EXPECT_TRUE(m_env.prompt().lastText().startsWith(s("数据库恢复失败!\n磁盘空间已满，")))
        << qPrintable(m_env.prompt().lastText());
    EXPECT_TRUE(m_env.prompt().lastText().endsWith(s("原有数据没有改动。")));

    disk.makeRoom();
    EXPECT_EQ(QDir(disk.path("")).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({s("Quillbook.qmbk")}))
        << "a half copy was left beside the book";
    EXPECT_EQ(scalar(dsn, "PRAGMA integrity_check"), s("ok"));
    EXPECT_EQ(scalar(dsn, "select count(*) from \"POS_RECORD_DETAIL\""), s("5"));
}

} // namespace
