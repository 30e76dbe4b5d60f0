#pragma once

#include "data/DatabaseError.h"
#include "data/SqlDialect.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <functional>
#include <map>
#include <memory>
#include <optional>

// One connection to a data source. SQLite3 data sources open through Qt's
// SQLite driver on their file, psqlODBC data sources through Qt's PostgreSQL
// driver with the server, port, database and user they name; any other data
// source through ODBC by name. Statements take their values as bound
// parameters ("?"); a null QString is stored as the empty text, QVariant() as
// NULL. Failures throw DatabaseError with the driver's text.
//
// A server connection that was lost (server restarted, network gone) is opened
// again at the next statement. A read that failed on the lost connection is
// tried once more on the new one; anything inside a transaction is not, and
// ends with connectionLostMessage().
class Database
{
public:
    class Rows;

    Database() = default;
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;
    Database(Database &&other) noexcept;
    Database &operator=(Database &&other) noexcept;

    // Auto: SQLite3 and PostgreSQL data sources through Qt's own drivers,
    // others through ODBC.
    enum class Route
    {
        Auto,
        Odbc
    };

    // How long a statement waits for a records or settings file that another
    // program is writing before it gives up (DatabaseErrorText says so).
    static constexpr int busyTimeoutMs = 3000;

    bool open(const QString &dsn, Route route = Route::Auto);
    bool isOpen() const;
    // The server went away and the connection is not open again yet: the
    // next statement tries to reconnect.
    bool isLost() const { return mustReconnect(); }
    void close();
    QString dsn() const { return m_dsn; }
    // Opened through Qt's SQLite driver on the file.
    bool isSqlite() const { return m_sqlite; }
    const SqlDialect &dialect() const { return m_dialect; }
    // The expression that puts the lines of a sale (rows of TABLE) in the
    // order they were stored: SQLite's rowid, the server schema's "seq".
    QString insertionOrder(const QString &table) const;
    QString lastOpenError() const { return m_openError; }
    // What the person reads when open() failed: "不能打开数据库", and for a
    // database server the server, port and database it was looked for on and
    // the driver's own words, so a server that is down can be told from a
    // wrong address.
    QString openFailureMessage() const;
    // The SQLite file under the data source is no longer the one opened. The
    // next statement outside a transaction opens the new file.
    bool fileReplaced() const;

    static QString connectionLostMessage();

    void exec(const QString &sql, const QVariantList &values = {});
    Rows query(const QString &sql, const QVariantList &values = {});
    // First column of the first row as text; DEFAULTVALUE when there is no row.
    QString scalar(const QString &sql, const QVariantList &values = {},
                   const QString &defaultValue = {});

    void begin();
    void commit();
    void rollback();

    QSqlDatabase handle() const { return QSqlDatabase::database(m_connection, false); }

    // A forward-only walk over the rows of one select, columns read by position.
    class Rows
    {
    public:
        explicit Rows(QSqlQuery query) : m_query(std::move(query)) {}
        bool next() { return m_query.next(); }
        QString text(int column) const;
        QVariant value(int column) const { return m_query.value(column); }
        double number(int column) const { return m_query.value(column).toDouble(); }
        int columnCount() const;

    private:
        QSqlQuery m_query;
    };

private:
    struct FileIdentity
    {
        quint64 device = 0;
        quint64 inode = 0;
        bool operator==(const FileIdentity &) const = default;
    };
    static std::optional<FileIdentity> fileIdentity(const QString &path);

    static void setUpSqlite(const QSqlDatabase &db);
    bool openConnection();
    QSqlQuery *kept(const QString &sql);
    void run(QSqlQuery &query, const QVariantList &values);
    void withConnection(const QString &sql, const std::function<void()> &work);
    bool connectionLost() const;
    bool mustReconnect() const;
    // An error of this database: its file is named in what the person reads.
    DatabaseError failure(const QString &text,
                          DatabaseError::Kind kind = DatabaseError::Kind::Statement) const;
    void reconnectOrThrow();
    void dropConnection();

    QString m_connection;
    QString m_dsn;
    Route m_route = Route::Auto;
    QString m_openError;
    SqlDialect m_dialect;
    QString m_file;                       // named in error messages
    std::optional<FileIdentity> m_fileId; // of the SQLite file opened
    bool m_sqlite = false;
    bool m_inTransaction = false;
    bool m_lost = false;
    // Writes are prepared once per connection: on a server every prepare is a
    // round trip of its own.
    std::map<QString, std::unique_ptr<QSqlQuery>> m_statements;
};
