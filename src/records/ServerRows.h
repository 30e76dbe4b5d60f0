#pragma once

#include <QByteArrayView>

#include <memory>

class Database;
struct PostgresLibrary;
struct QueryStatement;
struct pg_conn;
struct pg_result;

// The rows of one select run with libpq on the connection under Qt's
// PostgreSQL driver: texts come as the server's UTF-8 bytes, numbers are read
// from the server's text as the driver reads them, with no value made per
// cell. The query window fills its lists this way on a server; through the
// driver a value object and a text per cell took three times libpq's own time.
class ServerRows
{
public:
    // The rows of STATEMENT, or nullptr when the connection is not on the
    // PostgreSQL driver, a value has a type not sent this way, or the
    // statement failed here: the driver's own way then runs it, with its
    // reconnection and its error texts.
    static std::unique_ptr<ServerRows> run(Database &db, const QueryStatement &statement);

    ~ServerRows();
    ServerRows(const ServerRows &) = delete;
    ServerRows &operator=(const ServerRows &) = delete;

    bool next() { return ++m_row < m_rows; }
    // Valid while the rows live; empty for NULL.
    QByteArrayView text(int column) const;
    // NaN for NULL.
    double number(int column) const;
    qint64 integer(int column) const;

private:
    ServerRows(const PostgresLibrary &pq, pg_result *result);

    const PostgresLibrary &m_pq;
    pg_result *m_result;
    int m_rows = 0;
    int m_row = -1;
};
