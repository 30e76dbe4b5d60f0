#include "records/BookFile.h"

#include "spreadsheet/ReplacingFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <sqlite3.h>

#include <future>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// The tables of a records book and their columns, by position (rows are read by position).
struct Table
{
    const char *name;
    QStringList columns;
};

const QList<Table> &bookTables()
{
    static const QList<Table> tables{
        {"AUTO_NUM", {"id", "num"}},
        {"POS_RECORD",
         {"id", "NO", "date", "money", "saler", "number", "standby1", "standby2", "standby3",
          "standby4"}},
        {"POS_RECORD_DETAIL", {"NO", "name", "num", "price", "money", "standby1"}}};
    return tables;
}

class Connection
{
public:
    Connection(const QString &path, int flags)
    {
        const QByteArray name = QFile::encodeName(path);
        if (sqlite3_open_v2(name.constData(), &m_db, flags, nullptr) != SQLITE_OK) {
            sqlite3_close(m_db);
            m_db = nullptr;
        } else {
            sqlite3_busy_timeout(m_db, 10000);
        }
    }
    ~Connection() { sqlite3_close(m_db); }
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    bool isOpen() const { return m_db != nullptr; }
    sqlite3 *handle() const { return m_db; }
    QString lastError() const { return QString::fromUtf8(sqlite3_errmsg(m_db)); }

    // The first column of every row; false when the statement fails.
    bool column(const QByteArray &sql, QStringList *values, const QByteArray &bound = {})
    {
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.constData(), -1, &statement, nullptr) != SQLITE_OK)
            return false;
        if (!bound.isNull())
            sqlite3_bind_text(statement, 1, bound.constData(), -1, SQLITE_TRANSIENT);
        int rc;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
            if (values) {
                values->append(QString::fromUtf8(
                    reinterpret_cast<const char *>(sqlite3_column_text(statement, 0))));
            }
        }
        sqlite3_finalize(statement);
        return rc == SQLITE_DONE;
    }

private:
    sqlite3 *m_db = nullptr;
};

bool hasSqliteHeader(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return file.read(16) == QByteArray("SQLite format 3\0", 16);
}

bool copyInto(const QString &source, const QString &temp, QString *error)
{
    QFile in(source);
    QFile out(temp);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *error = in.isOpen() ? out.errorString() : in.errorString();
        return false;
    }
    while (!in.atEnd()) {
        const QByteArray block = in.read(1 << 20);
        if (block.isEmpty() && in.error() != QFile::NoError) {
            *error = in.errorString();
            return false;
        }
        if (out.write(block) != block.size()) {
            *error = out.errorString();
            return false;
        }
    }
    if (!out.flush()) {
        *error = out.errorString();
        return false;
    }
    return true;
}

// A journal left by an interrupted write belongs to the file beside it: it is
// rolled back now, before the file is replaced, so that it can never be
// applied to the new book.
void settleJournal(const QString &live)
{
    if (!QFile::exists(live + QStringLiteral("-journal")) &&
        !QFile::exists(live + QStringLiteral("-wal")))
        return;
    Connection db(live, SQLITE_OPEN_READWRITE);
    if (db.isOpen())
        db.column("select count(*) from sqlite_master", nullptr);
}

// A book kept in WAL mode would leave -wal and -shm files beside it that
// belong to no one once the program ends at once after a restore: the file
// put in place uses the plain rollback journal, which leaves nothing behind.
void useRollbackJournal(const QString &path)
{
    Connection db(path, SQLITE_OPEN_READWRITE);
    if (db.isOpen())
        db.column("pragma journal_mode = delete", nullptr);
}

// Keeps the book at LIVE under a second name (a hard link, else a copy) in a
// hidden folder beside it, so that it can go to the trash under its own name
// after the new book has taken its place.
QString keepOld(const QString &live)
{
    if (!QFileInfo::exists(live))
        return {};
    const QFileInfo info(live);
    QTemporaryDir folder(info.absoluteDir().filePath(QStringLiteral(".replaced-XXXXXX")));
    folder.setAutoRemove(false);
    if (!folder.isValid())
        return {};
    const QString kept = QDir(folder.path()).filePath(info.fileName());
    if (::link(QFile::encodeName(live).constData(), QFile::encodeName(kept).constData()) == 0)
        return kept;
    QString error;
    if (copyInto(live, kept, &error))
        return kept;
    folder.remove();
    return {};
}

// Commits FILE over TARGET; the file that was at TARGET goes to the trash
// afterwards under its own name (NOTE: where it stays when the trash cannot
// take it).
bool putInPlace(ReplacingFile &file, const QString &target, QString *error, QString *note)
{
    const QString kept = keepOld(target);
    if (kept.isEmpty() && QFileInfo::exists(target)) {
        *error = QStringLiteral("不能保留原有的文件");
        return false;
    }
    const QString folder = QFileInfo(kept).absolutePath();
    if (!file.commit()) {
        *error = file.error();
        if (!kept.isEmpty()) {
            QFile::remove(kept);
            QDir().rmdir(folder);
        }
        return false;
    }
    if (!kept.isEmpty()) {
        if (QFile::moveToTrash(kept))
            QDir().rmdir(folder);
        else if (note)
            *note = kept;
    }
    return true;
}

// Two read transactions on the live book that see the same sales: the copy is
// read through one while SQLite checks the other. Under the rollback journal
// no sale can be committed while either is open, so what the second sees is
// what the first sees. A writer already waiting to commit keeps the second
// from starting; the first then lets go so that the sale is stored, and both
// start again.
bool beginSameRead(Connection &first, Connection &second)
{
    QElapsedTimer waited;
    waited.start();
    sqlite3_busy_timeout(second.handle(), 0);
    for (;;) {
        if (first.column("begin", nullptr) &&
            first.column("select count(*) from sqlite_master", nullptr)) {
            if (second.column("begin", nullptr) &&
                second.column("select count(*) from sqlite_master", nullptr)) {
                sqlite3_busy_timeout(second.handle(), 10000);
                return true;
            }
            second.column("rollback", nullptr);
        }
        first.column("rollback", nullptr);
        if (waited.elapsed() > 10000)
            return false;
        QThread::msleep(10);
    }
}

QString journalMode(Connection &db)
{
    QStringList mode;
    db.column("pragma journal_mode", &mode);
    return mode.value(0).toLower();
}

int pageCount(Connection &db)
{
    QStringList count;
    db.column("pragma page_count", &count);
    return count.value(0).toInt();
}

// SQLite's structural check of every page, in the read transaction already open on DB.
bool passesCheck(Connection &db)
{
    QStringList result;
    return db.column("pragma quick_check", &result) && result == QStringList{QStringLiteral("ok")};
}

// The book's three tables with their columns: Book, WrongTables or Damaged.
BookFile::Verdict tablesVerdict(Connection &db)
{
    for (const Table &table : bookTables()) {
        QStringList columns;
        if (!db.column("select name from pragma_table_info(?)", &columns, table.name))
            return BookFile::Verdict::Damaged;
        if (columns != table.columns)
            return BookFile::Verdict::WrongTables;
    }
    return BookFile::Verdict::Book;
}

// The copy at PATH holds PAGES pages and the book's tables (and, when CHECK,
// passes SQLite's check).
bool isWholeCopy(const QString &path, int pages, bool check)
{
    Connection copy(path, SQLITE_OPEN_READONLY);
    return copy.isOpen() && pageCount(copy) == pages &&
           tablesVerdict(copy) == BookFile::Verdict::Book && (!check || passesCheck(copy));
}

// Copies the book page by page from the read transaction open on SOURCE into
// the file TEMP, reporting progress between steps. False when PROGRESS asks to
// stop or the copy fails (ERROR then tells why).
bool copyPages(Connection &source, const QString &temp, const WorkProgress &progress,
               QString *error)
{
    Connection copy(temp, SQLITE_OPEN_READWRITE);
    if (!copy.isOpen()) {
        *error = copy.lastError();
        return false;
    }
    sqlite3_backup *backup = sqlite3_backup_init(copy.handle(), "main", source.handle(), "main");
    if (!backup) {
        *error = copy.lastError();
        return false;
    }
    constexpr int kPagesPerStep = 4096;
    int rc;
    do {
        rc = sqlite3_backup_step(backup, kPagesPerStep);
        const int total = sqlite3_backup_pagecount(backup);
        if (progress && (rc == SQLITE_OK || rc == SQLITE_DONE) &&
            !progress(total - sqlite3_backup_remaining(backup), total)) {
            sqlite3_backup_finish(backup);
            return false;
        }
    } while (rc == SQLITE_OK);
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE) {
        *error = QString::fromUtf8(sqlite3_errstr(rc));
        return false;
    }
    return true;
}

} // namespace

BookFile::Verdict BookFile::examine(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return Verdict::Missing;
    if (!hasSqliteHeader(path))
        return Verdict::NotDatabase;
    Connection db(path, SQLITE_OPEN_READONLY);
    QStringList result;
    if (!db.isOpen() || !db.column("pragma integrity_check", &result) ||
        result != QStringList{QStringLiteral("ok")})
        return Verdict::Damaged;
    return tablesVerdict(db);
}

bool BookFile::isEmptyBook(const QString &path)
{
    if (examine(path) != Verdict::Book)
        return false;
    Connection db(path, SQLITE_OPEN_READONLY);
    QStringList counts;
    return db.column("select count(*) from \"POS_RECORD\" union all "
                     "select count(*) from \"POS_RECORD_DETAIL\"",
                     &counts) &&
           counts == QStringList{QStringLiteral("0"), QStringLiteral("0")};
}

bool BookFile::sameFile(const QString &a, const QString &b)
{
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    if (!canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath())
        return true;
    struct stat statA, statB;
    return ::stat(QFile::encodeName(a).constData(), &statA) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &statB) == 0 && statA.st_dev == statB.st_dev &&
           statA.st_ino == statB.st_ino;
}

bool BookFile::snapshot(const QString &live, const QString &target, QString *error, QString *note,
                        const WorkProgress &progress)
{
    ReplacingFile file(target);
    if (!file.create()) {
        *error = file.error();
        return false;
    }
    const QString temp = file.temporaryPath();
    QFile::setPermissions(temp, QFileDevice::ReadOwner | QFileDevice::WriteOwner); // the sales
    Connection source(live, SQLITE_OPEN_READONLY);
    Connection checked(live, SQLITE_OPEN_READONLY);
    if (!source.isOpen() || !checked.isOpen()) {
        *error = QStringLiteral("不能打开数据库");
        return false;
    }
    if (!beginSameRead(source, checked)) {
        *error = QStringLiteral("数据库正忙，请稍后再试");
        return false;
    }
    // The check of the sales being copied runs beside the copy. A book another
    // tool left in WAL mode may take a sale between the two transactions: its
    // copy is checked afterwards instead.
    const bool checkBeside = journalMode(source) != QStringLiteral("wal");
    std::future<bool> sound;
    if (checkBeside)
        sound = std::async(std::launch::async, [&checked] { return passesCheck(checked); });
    const int pages = pageCount(source);
    const bool copied = copyPages(source, temp, progress, error);
    source.column("rollback", nullptr);
    const bool checkPassed = checkBeside ? sound.get() : true;
    checked.column("rollback", nullptr);
    if (!copied)
        return false;
    useRollbackJournal(temp);
    if (!checkPassed || !isWholeCopy(temp, pages, !checkBeside)) {
        *error = QStringLiteral("备份文件不完整");
        return false;
    }
    return putInPlace(file, target, error, note);
}

bool BookFile::replace(const QString &live, const QString &source, QString *error, QString *note)
{
    ReplacingFile file(live);
    if (!file.create()) {
        *error = file.error();
        return false;
    }
    const QString temp = file.temporaryPath();
    if (!copyInto(source, temp, error) || examine(temp) != Verdict::Book) {
        if (error->isEmpty())
            *error = QStringLiteral("复制的数据库文件不完整");
        return false;
    }
    QFile::setPermissions(temp, QFileInfo::exists(live)
                                    ? QFileInfo(live).permissions()
                                    : QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    useRollbackJournal(temp);
    settleJournal(live);
    return putInPlace(file, live, error, note);
}
