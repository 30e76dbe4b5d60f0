// Backup, restore and new book on real files: what is refused, what ends in
// the trash, and that the records path always holds a whole book, even while
// sales are stored or the program is killed in the middle.
#include "records/BookCommands.h"
#include "data/Database.h"
#include "records/BookFile.h"
#include "records/BookLeftovers.h"
#include "support/Gui.h"
#include "support/RealService.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <sys/mount.h>

#include <atomic>
#include <csignal>
#include <cstdio>

namespace {

QByteArray digest(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// Stores COUNT sales numbered FIRST, FIRST+1, ... in the book at PATH in one
// transaction, through a connection of its own.
void storeSales(const QString &path, int first, int count)
{
    sqlite3 *db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    sqlite3_busy_timeout(db, 10000);
    QByteArray sql = "begin;";
    for (int i = first; i < first + count; ++i) {
        const QByteArray number = QByteArray::number(i);
        sql += "insert into \"POS_RECORD\" (\"NO\", \"date\", \"money\") values ('" + number +
               "', '2024-03-07 09:05:03', 1);" +
               "insert into \"POS_RECORD_DETAIL\" (\"NO\", \"name\", \"num\") values ('" + number +
               "', 'x', 1);";
    }
    sql += "commit;";
    EXPECT_EQ(sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

int salesIn(const QString &path)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *statement = nullptr;
    int count = -1;
    if (sqlite3_prepare_v2(db, "select count(*) from \"POS_RECORD\"", -1, &statement, nullptr) ==
            SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW)
        count = sqlite3_column_int(statement, 0);
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return count;
}

// The private trash of one test.
class PrivateTrash
{
public:
    PrivateTrash() { qputenv("XDG_DATA_HOME", m_dir.path().toUtf8()); }
    ~PrivateTrash() { qunsetenv("XDG_DATA_HOME"); }
    QString path() const { return m_dir.path(); }
    QStringList files() const
    {
        return QDir(m_dir.filePath(QStringLiteral("Trash/files"))).entryList(QDir::Files);
    }
    QString file(const QString &name) const
    {
        return m_dir.filePath(QStringLiteral("Trash/files/") + name);
    }

private:
    QTemporaryDir m_dir;
};

class BookCommandsTest : public ::testing::Test
{
protected:
    BookCommands commands()
    {
        return BookCommands(
            m_env.settings(), nullptr, [this] { ++m_closed; }, [this] { ++m_reopened; });
    }
    QString other(const char *name) const { return QDir(m_env.workingDir()).filePath(s(name)); }

    // The commands set the working folder, which goes with the test.
    ~BookCommandsTest() override { QDir::setCurrent(m_startDir); }

    QString m_startDir = QDir::currentPath();
    PrivateTrash m_trash;
    TestEnv m_env;
    int m_closed = 0;
    int m_reopened = 0;
};

TEST_F(BookCommandsTest, BackUpNewBookAndRestoreBringTheSalesBack)
{
    const QString book = m_env.recordsFile();
    storeSales(book, 1, 3);
    const QString backup = other("2024-3-7销售小票数据库备份.qmbk");

    m_env.prompt().fileNext(other("2024-3-7销售小票数据库备份"));
    commands().backUp();
    ASSERT_EQ(m_env.prompt().lastText(), s("数据库备份成功!"));
    EXPECT_EQ(m_env.prompt().fileRequests().last().caption, s("导出备份数据库"));
    EXPECT_TRUE(m_env.prompt().fileRequests().last().proposedPath.endsWith(
        s("2024-3-7销售小票数据库备份.qmbk")));
    EXPECT_EQ(salesIn(backup), 3);
    EXPECT_EQ(QDir(m_env.workingDir()).entryList(QDir::Files | QDir::Hidden).size(), 1)
        << "no temporary file is left beside the backup";

    m_env.prompt().answerNext(Prompt::Answer::Yes);
    EXPECT_EQ(commands().startNewBook(), BookCommands::Outcome::Replaced);
    EXPECT_EQ(m_env.prompt().lastText(), s("开始新的记账，请重启软件！"));
    EXPECT_EQ(salesIn(book), 0);
    ASSERT_EQ(m_trash.files(), QStringList{s("Quillbook.qmbk")});
    EXPECT_EQ(salesIn(m_trash.file(s("Quillbook.qmbk"))), 3) << "the old book is in the trash";

    // A backup another tool switched to WAL mode comes back as one file.
    sqlite3 *wal = nullptr;
    sqlite3_open(QFile::encodeName(backup).constData(), &wal);
    ASSERT_EQ(sqlite3_exec(wal, "pragma journal_mode = wal", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(wal);
    m_env.prompt().fileNext(backup);
    m_env.prompt().answerNext(Prompt::Answer::Yes);
    EXPECT_EQ(commands().restore(), BookCommands::Outcome::Replaced);
    QFile header(book);
    ASSERT_TRUE(header.open(QIODevice::ReadOnly));
    EXPECT_EQ(header.read(20).mid(18, 2), QByteArray("\x01\x01", 2)) << "rollback journal, not WAL";
    EXPECT_EQ(m_env.prompt().lastText(), s("数据库恢复成功!\n请重新运行程序!"));
    EXPECT_EQ(salesIn(book), 3);
    EXPECT_EQ(salesIn(backup), 3) << "the backup itself stays";
    EXPECT_EQ(m_trash.files().size(), 2);
    EXPECT_EQ(m_closed, 2);
    EXPECT_EQ(m_reopened, 0);
    EXPECT_EQ(QDir(QFileInfo(book).absolutePath())
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{s("NewQuillbook.qmbk"), s("Quillbook.qmbk"), s("Quillmarch.qmst")}));
}

TEST_F(BookCommandsTest, ABackupNeverReplacesTheProgramsOwnFilesAndAReplacedOneGoesToTheTrash)
{
    const QString book = m_env.recordsFile();
    storeSales(book, 1, 2000);
    const QString blank = QDir(m_env.programDir()).filePath(s("data/NewQuillbook.qmbk"));
    QFile::link(m_env.settingsFile(), other("settings-link.qmbk"));
    const QByteArray settingsBefore = digest(m_env.settingsFile());
    const QByteArray blankBefore = digest(blank);
    for (const QString &target : {m_env.settingsFile(), blank, book, other("settings-link.qmbk")}) {
        m_env.prompt().fileNext(target);
        commands().backUp();
        EXPECT_TRUE(
            m_env.prompt().lastText().contains(s("是本程序正在使用的数据库文件，不能用备份覆盖它")))
            << target.toStdString() << ": " << m_env.prompt().lastText().toStdString();
    }
    EXPECT_EQ(digest(m_env.settingsFile()), settingsBefore);
    EXPECT_EQ(digest(blank), blankBefore);
    EXPECT_EQ(salesIn(book), 2000);

    // A backup over an older one: the older one goes to the trash.
    const QString backup = other("backup.qmbk");
    m_env.prompt().fileNext(backup);
    commands().backUp();
    storeSales(book, 2001, 5);
    m_env.prompt().fileNext(backup);
    commands().backUp();
    EXPECT_EQ(m_env.prompt().lastText(), s("数据库备份成功!"));
    EXPECT_EQ(salesIn(backup), 2005);
    ASSERT_EQ(m_trash.files(), QStringList{s("backup.qmbk")});
    EXPECT_EQ(salesIn(m_trash.file(s("backup.qmbk"))), 2000);

    // Cancelled in its progress window: nothing said, the old backup stays, no temporary file.
    storeSales(book, 2006, 5);
    m_env.prompt().clear();
    m_env.prompt().cancelAtReport(1);
    m_env.prompt().fileNext(backup);
    commands().backUp();
    EXPECT_EQ(m_env.prompt().progressTexts().last(), s("正在导出备份数据库…"));
    EXPECT_TRUE(m_env.prompt().messages().isEmpty()) << m_env.prompt().lastText().toStdString();
    EXPECT_EQ(salesIn(backup), 2005);
    EXPECT_EQ(QDir(m_env.workingDir()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{s("backup.qmbk"), s("settings-link.qmbk")}));
}

TEST_F(BookCommandsTest, ABackupOntoAReadOnlyDiskSaysItIsReadOnly)
{
    // A read-only disk with less room than the book: the room is not the reason.
    QTemporaryDir mountPoint;
    if (::mount("tmpfs", qPrintable(mountPoint.path()), "tmpfs", MS_RDONLY, "size=64k") != 0)
        QM_SKIP_WITHOUT_SERVICE("mounting a read-only tmpfs needs root");
    storeSales(m_env.recordsFile(), 1, 2000);
    m_env.prompt().fileNext(QDir(mountPoint.path()).filePath(s("backup.qmbk")));
    commands().backUp();
    const QString text = m_env.prompt().lastText();
    ::umount(qPrintable(mountPoint.path()));
    EXPECT_TRUE(text.startsWith(s("数据库备份失败!"))) << text.toStdString();
    EXPECT_TRUE(text.contains(s("是只读的或没有写入权限"))) << text.toStdString();
    EXPECT_FALSE(text.contains(s("磁盘空间已满"))) << text.toStdString();
}

TEST_F(BookCommandsTest, RestoreRefusesWhatIsNotARecordsBook)
{
    const QString book = m_env.recordsFile();
    storeSales(book, 1, 2000);
    const QByteArray before = digest(book);

    QFile text(other("text.qmbk"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("NO,date,money\n1,2024-03-07,5\n");
    text.close();
    QFile(other("empty.qmbk")).open(QIODevice::WriteOnly);
    QFile::copy(m_env.settingsFile(), other("settings.qmbk"));
    QFile::copy(book, other("truncated.qmbk"));
    QFile::resize(other("truncated.qmbk"), QFileInfo(book).size() / 2);
    QFile::link(book, other("link.qmbk"));

    const QList<QPair<QString, QString>> cases{
        {other("text.qmbk"), s("所选文件不是销售小票数据库，不能用来恢复！")},
        {other("empty.qmbk"), s("所选文件不是销售小票数据库，不能用来恢复！")},
        {other("settings.qmbk"),
         s("所选数据库文件不是本软件的销售记录数据库（或版本不同），不能用来恢复！")},
        {other("truncated.qmbk"), s("所选数据库文件已损坏或不完整，不能用来恢复！")},
        {QDir(m_env.programDir()).filePath(s("data/../data/Quillbook.qmbk")),
         s("试图用原数据库进行恢复,操作失败!")},
        {other("link.qmbk"), s("试图用原数据库进行恢复,操作失败!")}};
    for (const auto &[file, message] : cases) {
        m_env.prompt().clear();
        m_env.prompt().fileNext(file);
        EXPECT_EQ(commands().restore(), BookCommands::Outcome::Kept) << file.toStdString();
        ASSERT_EQ(m_env.prompt().messages().size(), 1) << "refused before the question";
        EXPECT_EQ(m_env.prompt().lastText(), message) << file.toStdString();
        EXPECT_EQ(m_env.prompt().messages().last().caption, s("注意"));
    }
    EXPECT_EQ(digest(book), before);
    EXPECT_EQ(m_closed, 0);
    EXPECT_TRUE(m_trash.files().isEmpty());

    // Answering no changes nothing either.
    QFile::copy(QDir(m_env.programDir()).filePath(s("data/NewQuillbook.qmbk")), other("b.qmbk"));
    m_env.prompt().fileNext(other("b.qmbk"));
    m_env.prompt().answerNext(Prompt::Answer::No);
    EXPECT_EQ(commands().restore(), BookCommands::Outcome::Kept);
    m_env.prompt().answerNext(Prompt::Answer::No);
    EXPECT_EQ(commands().startNewBook(), BookCommands::Outcome::Kept);
    EXPECT_EQ(digest(book), before);
    EXPECT_EQ(m_closed, 0);
}

TEST_F(BookCommandsTest, NewBookRefusesAMissingOrUsedTemplate)
{
    const QString book = m_env.recordsFile();
    storeSales(book, 1, 3);
    const QByteArray before = digest(book);
    const QString blank = QDir(m_env.programDir()).filePath(s("data/NewQuillbook.qmbk"));

    storeSales(blank, 1, 1);
    EXPECT_EQ(commands().startNewBook(), BookCommands::Outcome::Kept);
    EXPECT_TRUE(m_env.prompt().lastText().contains(s("不能重新记账！")));
    QFile::remove(blank);
    EXPECT_EQ(commands().startNewBook(), BookCommands::Outcome::Kept);
    EXPECT_TRUE(m_env.prompt().lastText().contains(s("丢失或已损坏")));
    EXPECT_EQ(m_env.prompt().messages().size(), 2) << "no question is asked";
    EXPECT_EQ(digest(book), before);
    EXPECT_EQ(m_closed, 0);
    EXPECT_TRUE(m_trash.files().isEmpty());
}

TEST_F(BookCommandsTest, ABookOnADatabaseServerIsLeftToTheServersTools)
{
    QFile ini(qEnvironmentVariable("ODBCINI"));
    ASSERT_TRUE(ini.open(QIODevice::Append));
    ini.write("\n[QmServerBook]\nDriver=PostgreSQL Unicode\nServername=localhost\n"
              "Database=Quillbook.qmbk\n");
    ini.close();
    AppSettings settings = m_env.settings();
    settings.recordsDsn = s("QmServerBook");
    BookCommands server(
        settings, nullptr, [this] { ++m_closed; }, [] {});
    const QByteArray before = digest(m_env.recordsFile());

    server.backUp();
    server.restore();
    server.startNewBook();
    ASSERT_EQ(m_env.prompt().messages().size(), 3);
    for (const auto &message : m_env.prompt().messages())
        EXPECT_TRUE(message.text.contains(s("请使用数据库服务器的备份工具")))
            << message.text.toStdString();
    EXPECT_TRUE(m_env.prompt().fileRequests().isEmpty());
    EXPECT_EQ(m_closed, 0);
    EXPECT_EQ(digest(m_env.recordsFile()), before);
}

TEST_F(BookCommandsTest, ABackupTakenWhileSalesAreStoredHoldsAPrefixOfThem)
{
    const QString book = m_env.recordsFile();
    std::atomic<int> stored{0};
    std::atomic<bool> stop{false};
    QThread *writer = QThread::create([&] {
        for (int i = 1; !stop; ++i) {
            storeSales(book, i, 1);
            stored = i;
        }
    });
    writer->start();
    while (stored < 50)
        QThread::msleep(1);
    const QString backup = other("backup.qmbk");
    m_env.prompt().fileNext(backup);
    commands().backUp();
    const int storedAtEnd = stored;
    stop = true;
    writer->wait();
    delete writer;

    ASSERT_EQ(m_env.prompt().lastText(), s("数据库备份成功!"));
    ASSERT_EQ(BookFile::examine(backup), BookFile::Verdict::Book);
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(backup).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *statement = nullptr;
    sqlite3_prepare_v2(db,
                       "select r.\"NO\", (select count(*) from \"POS_RECORD_DETAIL\" d "
                       "where d.\"NO\" = r.\"NO\") from \"POS_RECORD\" r order by r.\"id\"",
                       -1, &statement, nullptr);
    int expected = 1;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        ASSERT_EQ(sqlite3_column_int(statement, 0), expected) << "a prefix of the sales, in order";
        ASSERT_EQ(sqlite3_column_int(statement, 1), 1) << "every sale with its line";
        ++expected;
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    EXPECT_GE(expected - 1, 50);
    EXPECT_LE(expected - 1, storedAtEnd + 1);
}

// The child of the kill test: restores A, starts a new book, restores B, ...
// until it is killed. Runs only when the parent test starts it.
TEST(BookChildProcess, ReplacesTheBookUntilKilled)
{
    const QStringList job = qEnvironmentVariable("QM_BOOK_CHILD").split(u'\n');
    if (job.size() != 4)
        GTEST_SKIP() << "started by KilledRestoresAndNewBooksLeaveAWholeBook";
    AppSettings settings;
    settings.programDir = job[0];
    settings.workingDir = job[0];
    settings.recordsDsn = s("QmChildRecords");
    TestEnv::registerDataSource(settings.recordsDsn, job[1]);
    ScriptedPrompt &prompt = ScriptedPrompt::install();
    BookCommands commands(
        settings, nullptr, [] {}, [] {});
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    for (int round = 0;; ++round) {
        prompt.fileNext(job[2 + round % 2]);
        prompt.answerNext(Prompt::Answer::Yes);
        ASSERT_EQ(commands.restore(), BookCommands::Outcome::Replaced);
        prompt.answerNext(Prompt::Answer::Yes);
        ASSERT_EQ(commands.startNewBook(), BookCommands::Outcome::Replaced);
        prompt.clear();
    }
}

TEST_F(BookCommandsTest, KilledRestoresAndNewBooksLeaveAWholeBook)
{
    const QString book = m_env.recordsFile();
    const QString a = other("a.qmbk");
    const QString b = other("b.qmbk");
    const QString blank = QDir(m_env.programDir()).filePath(s("data/NewQuillbook.qmbk"));
    QFile::copy(blank, a);
    QFile::copy(blank, b);
    storeSales(a, 1, 3);
    storeSales(b, 1, 5);
    storeSales(book, 1, 7);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(s("QM_BOOK_CHILD"), QStringList{m_env.programDir(), book, a, b}.join(u'\n'));
    QElapsedTimer clock;
    clock.start();
    QMap<int, int> seen;
    int kills = 0;
    // Kills within this many microseconds of the start: widened while every
    // kill still lands in the first restore (a slow build, a loaded machine).
    int spanUs = 20000;
    while (kills < 100 && clock.elapsed() < 25000) {
        if (kills > 0 && kills % 8 == 0 && seen.size() < 2 && spanUs < 2000000)
            spanUs *= 2;
        QProcess child;
        child.setProcessEnvironment(environment);
        child.setWorkingDirectory(m_env.programDir());
        child.start(QCoreApplication::applicationFilePath(),
                    {s("--gtest_filter=BookChildProcess.*")});
        QByteArray output;
        while (!output.contains("ready\n")) {
            ASSERT_TRUE(child.waitForReadyRead(10000))
                << output.toStdString() << child.readAllStandardError().toStdString();
            output += child.readAllStandardOutput();
        }
        QThread::usleep(QRandomGenerator::global()->bounded(spanUs));
        ::kill(pid_t(child.processId()), SIGKILL);
        child.waitForFinished();
        ++kills;
        ASSERT_EQ(BookFile::examine(book), BookFile::Verdict::Book) << "after kill " << kills;
        const int sales = salesIn(book);
        ASSERT_TRUE(sales == 7 || sales == 3 || sales == 5 || sales == 0) << sales;
        ++seen[sales];
    }
    EXPECT_GE(kills, 20);
    EXPECT_GE(seen.size(), 2) << "the kills fell into the replacing";

    // What the kills left beside the book is cleaned at the next start; the
    // book itself and the other data files stay.
    const QDir data(QFileInfo(book).absolutePath());
    const int salesBefore = salesIn(book);
    const QStringList leftBehind =
        BookLeftovers::clean(data.path(), {s("Quillbook.qmbk"), s("Quillmarch.qmst")});
    std::printf("left behind by the kills: %s\n", qPrintable(leftBehind.join(u' ')));
    EXPECT_EQ(data.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{s("NewQuillbook.qmbk"), s("Quillbook.qmbk"), s("Quillmarch.qmst")}));
    EXPECT_EQ(salesIn(book), salesBefore);
    std::printf("kills: %d, books seen (sales: times): ", kills);
    for (auto it = seen.cbegin(); it != seen.cend(); ++it)
        std::printf("%d: %d  ", it.key(), it.value());
    std::printf("\n");
}

} // namespace
