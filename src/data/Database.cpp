#include "data/Database.h"

#include "app/Prompt.h"
#include "data/DataSource.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>

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

} // namespace

Database::~Database()
{
    close();
}

Database::Database(Database &&other) noexcept
    : m_connection(std::exchange(other.m_connection, QString())), m_dsn(std::move(other.m_dsn)),
      m_openError(std::move(other.m_openError)), m_sqlite(other.m_sqlite)
{
}

Database &Database::operator=(Database &&other) noexcept
{
    if (this != &other) {
        close();
        m_connection = std::exchange(other.m_connection, QString());
        m_dsn = std::move(other.m_dsn);
        m_openError = std::move(other.m_openError);
        m_sqlite = other.m_sqlite;
    }
    return *this;
}

bool Database::open(const QString &dsn, Route route)
{
    close();
    m_dsn = dsn;
    m_connection = nextConnectionName();
    const DataSource::Entry entry = DataSource::lookup(dsn);
    m_sqlite = route == Route::Auto && entry.isSqlite();

    QSqlDatabase db;
    if (m_sqlite) {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        db.setDatabaseName(entry.database);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        // Never create an empty database in place of a missing file.
        if (!QFileInfo::exists(entry.database)) {
            m_openError = QStringLiteral("missing file %1").arg(entry.database);
            close();
            return false;
        }
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), m_connection);
        db.setDatabaseName(dsn); // Qt forms "DSN=..." itself
    }
    if (!db.open()) {
        m_openError = errorText(db.lastError());
        db = QSqlDatabase();
        close();
        return false;
    }
    if (m_sqlite) {
        QSqlQuery pragma(db);
        pragma.exec(QStringLiteral("PRAGMA foreign_keys = OFF"));
    }
    return true;
}

bool Database::openOrWarn(const QString &dsn, QWidget *parent)
{
    if (open(dsn))
        return true;
    Prompt::info(parent, QStringLiteral("不能打开数据库"));
    return false;
}

bool Database::isOpen() const
{
    return !m_connection.isEmpty() && handle().isOpen();
}

void Database::close()
{
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

QSqlQuery Database::prepared(const QString &sql, const QVariantList &values)
{
    if (!isOpen())
        throw DatabaseError(QStringLiteral("数据库连接未打开"));
    QSqlQuery query(handle());
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw DatabaseError(errorText(query.lastError()));
    for (const QVariant &value : values)
        query.addBindValue(boundValue(value));
    if (!query.exec())
        throw DatabaseError(errorText(query.lastError()));
    return query;
}

void Database::exec(const QString &sql, const QVariantList &values)
{
    prepared(sql, values);
}

Database::Rows Database::query(const QString &sql, const QVariantList &values)
{
    return Rows(prepared(sql, values));
}

QString Database::scalar(const QString &sql, const QVariantList &values,
                         const QString &defaultValue)
{
    Rows rows = query(sql, values);
    return rows.next() ? rows.text(0) : defaultValue;
}

void Database::begin()
{
    if (!handle().transaction())
        throw DatabaseError(errorText(handle().lastError()));
}

void Database::commit()
{
    if (!handle().commit())
        throw DatabaseError(errorText(handle().lastError()));
}

void Database::rollback()
{
    handle().rollback();
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
