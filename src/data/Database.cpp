#include "data/Database.h"

#include "data/DataSource.h"
#include "data/PostgresLibrary.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>

#include <sys/stat.h>

namespace {

QString nextConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("qm-%1").arg(counter.fetchAndAddRelaxed(1));
}

QString errorText(const QSqlError &error)
{
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.driverText();
    if (text.isEmpty())
        text = error.text();
    return text;
}

// Qt's drivers bind a null QString as SQL NULL. Text is stored as typed, and
// an empty field is the empty text, so a "like '%%'" condition still finds its
// row. A real NULL is asked for with an invalid QVariant.
QVariant boundValue(const QVariant &value)
{
    if (value.typeId() == QMetaType::QString && value.toString().isNull())
        return QVariant(QStringLiteral(""));
    return value;
}

SqlDialect::Engine engineOf(const DataSource::Entry &entry)
{
    if (entry.isSqlite())
        return SqlDialect::Engine::Sqlite;
    if (entry.isPostgres())
        return SqlDialect::Engine::Postgres;
    return SqlDialect::Engine::Other;
}

[[noreturn]] void fail(const QSqlError &error, const SqlDialect &dialect, const QString &file)
{
    throw DatabaseError(errorText(error),
                        dialect.isUniqueViolation(error) ? DatabaseError::Kind::UniqueViolation
                                                         : DatabaseError::Kind::Statement,
                        file);
}

bool isRead(const QString &sql)
{
    return sql.trimmed().startsWith(QLatin1String("select"), Qt::CaseInsensitive);
}

} // namespace

Database::~Database()
{
    close();
}

Database::Database(Database &&other) noexcept
    : m_connection(std::exchange(other.m_connection, QString())), m_dsn(std::move(other.m_dsn)),
      m_route(other.m_route), m_openError(std::move(other.m_openError)), m_dialect(other.m_dialect),
      m_file(std::move(other.m_file)), m_fileId(other.m_fileId), m_sqlite(other.m_sqlite),
      m_inTransaction(std::exchange(other.m_inTransaction, false)),
      m_lost(std::exchange(other.m_lost, false)), m_statements(std::move(other.m_statements))
{
}

Database &Database::operator=(Database &&other) noexcept
{
    if (this != &other) {
        close();
        m_connection = std::exchange(other.m_connection, QString());
        m_dsn = std::move(other.m_dsn);
        m_route = other.m_route;
        m_openError = std::move(other.m_openError);
        m_dialect = other.m_dialect;
        m_file = std::move(other.m_file);
        m_fileId = other.m_fileId;
        m_sqlite = other.m_sqlite;
        m_inTransaction = std::exchange(other.m_inTransaction, false);
        m_lost = std::exchange(other.m_lost, false);
        m_statements = std::move(other.m_statements);
    }
    return *this;
}

QString Database::connectionLostMessage()
{
    return QStringLiteral("与数据库服务器的连接中断了，刚才的操作没有完成，什么也没有保存。"
                          "请检查服务器和网络，稍后再试一次。");
}

bool Database::open(const QString &dsn, Route route)
{
    close();
    m_dsn = dsn;
    m_route = route;
    m_lost = false;
    return openConnection();
}

bool Database::openConnection()
{
    m_connection = nextConnectionName();
    const DataSource::Entry entry = DataSource::lookup(m_dsn);
    m_dialect = SqlDialect(engineOf(entry));
    m_sqlite = m_route == Route::Auto && entry.isSqlite();
    m_file = m_sqlite ? entry.database : QStringLiteral("（数据源%1）").arg(m_dsn);
    const bool postgres = m_route == Route::Auto && entry.isPostgres();

    QSqlDatabase db;
    if (m_sqlite) {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        db.setDatabaseName(entry.database);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
        // Never create an empty database in place of a missing file.
        if (!QFileInfo::exists(entry.database)) {
            m_openError = QStringLiteral("missing file %1").arg(entry.database);
            dropConnection();
            return false;
        }
    } else if (postgres) {
        // No password is kept by the program: the server admits the till by
        // peer authentication or through the user's ~/.pgpass.
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connection);
        db.setHostName(entry.server);
        if (!entry.port.isEmpty())
            db.setPort(entry.port.toInt());
        db.setDatabaseName(entry.database);
        db.setUserName(entry.user);
        db.setConnectOptions(QStringLiteral("connect_timeout=5"));
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), m_connection);
        db.setDatabaseName(m_dsn); // Qt forms "DSN=..." itself
    }
    if (!db.open()) {
        m_openError = errorText(db.lastError());
        db = QSqlDatabase();
        dropConnection();
        return false;
    }
    if (m_sqlite) {
        setUpSqlite(db);
        m_fileId = fileIdentity(m_file);
    }
    return true;
}

// Another program may have put a new file in the place of the one opened (a
// restore on another till, a new book): the open connection still reads the
// old, deleted file, so writes to it would be lost or refused.
bool Database::fileReplaced() const
{
    if (!m_sqlite || !m_fileId)
        return false;
    const std::optional<FileIdentity> now = fileIdentity(m_file);
    return now && *now != *m_fileId;
}

// A sale reported as stored must survive a power cut, and the file must stay
// one file: backup, restore and the query tools copy or open the .qmbk alone.
// So the rollback journal (deleted at each commit) rather than WAL, whose
// committed sales can sit in a -wal file beside the book, and FULL
// synchronous: the journal and the file reach the disk before a commit
// returns. A file another tool switched to WAL is switched back when no one
// else has it open.
void Database::setUpSqlite(const QSqlDatabase &db)
{
    QSqlQuery pragma(db);
    pragma.exec(QStringLiteral("PRAGMA foreign_keys = OFF"));
    pragma.exec(QStringLiteral("PRAGMA journal_mode = DELETE"));
    pragma.exec(QStringLiteral("PRAGMA synchronous = FULL"));
}

DatabaseError Database::failure(const QString &text, DatabaseError::Kind kind) const
{
    return DatabaseError(text, kind, m_file);
}

QString Database::openFailureMessage() const
{
    const QString plain = QStringLiteral("不能打开数据库");
    const DataSource::Entry entry = DataSource::lookup(m_dsn);
    // A missing data source or a file of the program's own: the plain words.
    if (!entry.exists() || (entry.isSqlite() && m_route == Route::Auto))
        return plain;
    QString where;
    if (entry.isPostgres() && m_route == Route::Auto) {
        where =
            QStringLiteral("连接不上数据库服务器（服务器：%1，端口：%2，数据库：%3）。"
                           "请检查服务器是否已开启、网络是否畅通，然后重试。")
                .arg(entry.server.isEmpty() ? QStringLiteral("本机") : entry.server,
                     entry.port.isEmpty() ? QStringLiteral("5432") : entry.port, entry.database);
    } else {
        where = QStringLiteral("数据源%1连接不上。").arg(m_dsn);
    }
    QString text = plain + QStringLiteral("：") + where;
    if (!m_openError.trimmed().isEmpty())
        text += QStringLiteral("\n\n") + m_openError.trimmed();
    return text;
}

bool Database::isOpen() const
{
    return !m_connection.isEmpty() && handle().isOpen();
}

QString Database::insertionOrder(const QString &table) const
{
    return QStringLiteral("\"%1\".%2").arg(table, m_dialect.lineOrder());
}

void Database::close()
{
    dropConnection();
    m_lost = false;
    m_inTransaction = false;
}

void Database::dropConnection()
{
    m_statements.clear();
    if (m_connection.isEmpty())
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
    m_connection.clear();
}

// Only a server connection can be lost. After a failure libpq does not always
// know yet that the server went away: an empty statement (accepted even in a
// failed transaction) finds out.
bool Database::connectionLost() const
{
    if (m_connection.isEmpty())
        return false;
    const QSqlDatabase db = handle();
    if (db.driverName() != QLatin1String("QPSQL"))
        return false;
    const PostgresLibrary *pq = PostgresLibrary::loaded();
    PGconn *connection = PostgresLibrary::connectionOf(db);
    if (!pq || !connection || pq->status(connection) == CONNECTION_BAD)
        return true;
    PGresult *probe = pq->exec(connection, "");
    const bool answered = probe && pq->resultStatus(probe) == PGRES_EMPTY_QUERY;
    pq->clear(probe);
    return !answered || pq->status(connection) == CONNECTION_BAD;
}

// The server driver closes its side on its own when it notices the server went
// away; that is a lost connection too, not a database the program closed.
bool Database::mustReconnect() const
{
    return m_lost || (!m_connection.isEmpty() && !handle().isOpen());
}

// The old connection is given up; the new one starts outside any transaction.
void Database::reconnectOrThrow()
{
    dropConnection();
    m_inTransaction = false;
    m_lost = true;
    if (!openConnection())
        throw failure(connectionLostMessage(), DatabaseError::Kind::ConnectionLost);
    m_lost = false;
}

QSqlQuery *Database::kept(const QString &sql)
{
    auto found = m_statements.find(sql);
    if (found != m_statements.end())
        return found->second.get();
    auto query = std::make_unique<QSqlQuery>(handle());
    query->setForwardOnly(true);
    if (!query->prepare(sql))
        throw failure(errorText(query->lastError()));
    return m_statements.emplace(sql, std::move(query)).first->second.get();
}

std::optional<Database::FileIdentity> Database::fileIdentity(const QString &path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return FileIdentity{quint64(info.st_dev), quint64(info.st_ino)};
}

void Database::run(QSqlQuery &query, const QVariantList &values)
{
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, boundValue(values.at(i)));
    if (!query.exec())
        fail(query.lastError(), m_dialect, m_file);
}

void Database::withConnection(const QString &sql, const std::function<void()> &work)
{
    if (mustReconnect())
        reconnectOrThrow();
    // A write outside a transaction is not run twice, so a connection the
    // server dropped while the till stood idle (a restart) is found out before
    // the write is sent: nothing has reached the server yet.
    if (!m_inTransaction && !isRead(sql) && connectionLost())
        reconnectOrThrow();
    if (!m_inTransaction && fileReplaced()) {
        dropConnection();
        if (!openConnection())
            throw failure(
                QStringLiteral("数据库文件已被替换，不能打开新的文件，请重新启动本程序。"));
    }
    if (!isOpen())
        throw failure(QStringLiteral("数据库连接未打开"));
    try {
        work();
        return;
    } catch (const DatabaseError &) {
        if (!connectionLost())
            throw;
    }
    // A read outside a transaction is safe to run again; anything else may
    // have been half done and is reported instead.
    const bool retry = !m_inTransaction && isRead(sql);
    reconnectOrThrow();
    if (!retry)
        throw failure(connectionLostMessage(), DatabaseError::Kind::ConnectionLost);
    work();
}

void Database::exec(const QString &sql, const QVariantList &values)
{
    if (!values.isEmpty()) {
        withConnection(sql, [&] { run(*kept(sql), values); });
        return;
    }
    // Without values the text goes as it is: a server prepares only reads and
    // writes of rows, not CREATE or LOCK.
    withConnection(sql, [&] {
        QSqlQuery query(handle());
        if (!query.exec(sql))
            fail(query.lastError(), m_dialect, m_file);
    });
}

Database::Rows Database::query(const QString &sql, const QVariantList &values)
{
    QSqlQuery result;
    withConnection(sql, [&] {
        QSqlQuery query(handle());
        query.setForwardOnly(true);
        if (!query.prepare(sql))
            throw failure(errorText(query.lastError()));
        run(query, values);
        result = std::move(query);
    });
    return Rows(std::move(result));
}

QString Database::scalar(const QString &sql, const QVariantList &values,
                         const QString &defaultValue)
{
    Rows rows = query(sql, values);
    return rows.next() ? rows.text(0) : defaultValue;
}

// SQLite transactions take the write lock at the start (IMMEDIATE): a second
// writer then waits at the beginning instead of failing half-way, and the
// statements' own errors keep SQLite's result code.
void Database::begin()
{
    if (m_sqlite) {
        exec(QStringLiteral("BEGIN IMMEDIATE"));
        m_inTransaction = true;
        return;
    }
    if (mustReconnect())
        reconnectOrThrow();
    if (!handle().transaction()) {
        // Nothing has happened yet: on a lost connection, begin on a new one.
        if (!connectionLost())
            throw failure(errorText(handle().lastError()));
        reconnectOrThrow();
        if (!handle().transaction())
            throw failure(errorText(handle().lastError()));
    }
    m_inTransaction = true;
}

void Database::commit()
{
    if (m_sqlite) {
        exec(QStringLiteral("COMMIT"));
        m_inTransaction = false;
        return;
    }
    const bool ok = handle().commit();
    m_inTransaction = false;
    if (ok)
        return;
    if (connectionLost()) {
        m_lost = true;
        throw failure(connectionLostMessage(), DatabaseError::Kind::ConnectionLost);
    }
    throw failure(errorText(handle().lastError()));
}

void Database::rollback()
{
    m_inTransaction = false;
    if (m_connection.isEmpty())
        return;
    if (m_sqlite) {
        QSqlQuery query(handle());
        query.exec(QStringLiteral("ROLLBACK"));
        return;
    }
    if (!handle().rollback() && connectionLost())
        m_lost = true;
}
QString Database::Rows::text(int column) const
{
    const QVariant value = m_query.value(column);
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::Double) {
        // Whole numbers read back as "12", not "12.0", like the text of a number column.
        return QString::number(value.toDouble(), 'g', 15);
    }
    return value.toString();
}

int Database::Rows::columnCount() const
{
    return m_query.record().count();
}
