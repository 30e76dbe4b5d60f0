#pragma once

#include <QByteArrayView>

#include <vector>

class Database;
struct QueryStatement;
struct sqlite3;
struct sqlite3_stmt;

// A forward walk over one select straight on the SQLite handle under a
// connection: texts come as the engine's UTF-8 bytes, numbers as doubles,
// with no value made per cell. The query window fills its lists this way,
// since a value object per cell would cost it twice the engine's own time on
// years of sales. Errors throw DatabaseError with the engine's text.
class SqliteRows
{
public:
    // The handle of a connection that is SQLite, else nullptr.
    static sqlite3 *handleOf(Database &db);

    SqliteRows(sqlite3 *db, const QueryStatement &statement);
    ~SqliteRows();
    SqliteRows(const SqliteRows &) = delete;
    SqliteRows &operator=(const SqliteRows &) = delete;

    bool next();
    // Valid until next(); empty for NULL.
    QByteArrayView text(int column) const;
    // NaN for NULL; a text reads as atof reads it.
    double number(int column) const;
    qint64 integer(int column) const;

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_statement = nullptr;
};
