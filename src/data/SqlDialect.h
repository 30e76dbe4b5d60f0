#pragma once

#include <QString>

class QSqlError;

// The few statements that each engine needs in its own form. Everything else
// the program runs is written once, in the subset SQLite and PostgreSQL share.
class SqlDialect
{
public:
    enum class Engine
    {
        Sqlite,
        Postgres,
        Other
    };

    explicit SqlDialect(Engine engine = Engine::Sqlite) : m_engine(engine) {}
    Engine engine() const { return m_engine; }

    // Run first in a transaction that takes a receipt number: it holds the
    // counter's lock until commit, so tills sharing one database take numbers
    // one after another and every read that follows sees the newest counter.
    QString lockCounter() const;

    // Adds the counter row of a finished sale. On the server the id is the
    // newest one plus one, taken under the lock: a transaction that was rolled
    // back (a lost connection) leaves no hole in the numbers.
    QString insertCounterRow() const;

    // The expression that puts a sale's lines in the order they were entered:
    // "order by " + lineOrder().
    QString lineOrder() const;

    // Ends a select of the lines of many sales so that each sale's lines come
    // in the order they were entered. The server hands rows over in no set
    // order; every plan SQLite makes for such a select gives one sale's lines
    // in rowid order, so nothing is added there and it keeps its choice of plan.
    QString manySalesLineOrder() const;

    // The LIKE that ignores the case of Latin letters ("cola" finds "Cola"),
    // as SQLite's own like does.
    QString like() const;

    // The statement failed because a unique index refused a second row
    // (a receipt number stored meanwhile by another till).
    bool isUniqueViolation(const QSqlError &error) const;

private:
    Engine m_engine;
};
