#pragma once

#include "data/DatabaseError.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>

class QWidget;

// One connection to a data source. SQLite3 data sources open through Qt's
// SQLite driver on their file; any other data source through ODBC by name.
// Statements take their values as bound parameters ("?"); a null QString is
// stored as the empty text, QVariant() as NULL. Failures throw DatabaseError
// with the driver's text.
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

    // Auto: SQLite3 data sources through Qt's SQLite driver, others through ODBC.
    enum class Route
    {
        Auto,
        Odbc
    };

    bool open(const QString &dsn, Route route = Route::Auto);
    // Opens DSN or shows "不能打开数据库" over PARENT and returns false.
    bool openOrWarn(const QString &dsn, QWidget *parent);
    bool isOpen() const;
    void close();
    QString dsn() const { return m_dsn; }
    bool isSqlite() const { return m_sqlite; }
    QString lastOpenError() const { return m_openError; }

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
    QSqlQuery prepared(const QString &sql, const QVariantList &values);

    QString m_connection;
    QString m_dsn;
    QString m_openError;
    bool m_sqlite = false;
};
