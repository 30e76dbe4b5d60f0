#include "records/SqliteRows.h"

#include "core/NumberText.h"
#include "data/Database.h"
#include "data/DatabaseError.h"
#include "records/QueryStatement.h"

#include <QSqlDriver>

#include <sqlite3.h>

#include <limits>

namespace {

[[noreturn]] void fail(sqlite3 *db)
{
    throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(db)));
}

} // namespace

sqlite3 *SqliteRows::handleOf(Database &db)
{
    if (!db.isOpen() || !db.isSqlite())
        return nullptr;
    const QVariant handle = db.handle().driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.constData());
}

SqliteRows::SqliteRows(sqlite3 *db, const QueryStatement &statement) : m_db(db)
{
    const QByteArray sql = statement.sql.toUtf8();
    if (sqlite3_prepare_v2(m_db, sql.constData(), int(sql.size()), &m_statement, nullptr) !=
        SQLITE_OK)
        fail(m_db);
    for (int i = 0; i < statement.values.size(); ++i) {
        const QVariant &value = statement.values[i];
        int result = SQLITE_OK;
        if (value.isNull()) {
            result = sqlite3_bind_null(m_statement, i + 1);
        } else if (value.typeId() == QMetaType::Double) {
            result = sqlite3_bind_double(m_statement, i + 1, value.toDouble());
        } else if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong) {
            result = sqlite3_bind_int64(m_statement, i + 1, value.toLongLong());
        } else {
            const QByteArray text = value.toString().toUtf8();
            result = sqlite3_bind_text(m_statement, i + 1, text.constData(), int(text.size()),
                                       SQLITE_TRANSIENT);
        }
        if (result != SQLITE_OK) {
            sqlite3_finalize(m_statement);
            fail(m_db);
        }
    }
}

SqliteRows::~SqliteRows()
{
    sqlite3_finalize(m_statement);
}

bool SqliteRows::next()
{
    const int result = sqlite3_step(m_statement);
    if (result == SQLITE_ROW)
        return true;
    if (result != SQLITE_DONE)
        fail(m_db);
    return false;
}

QByteArrayView SqliteRows::text(int column) const
{
    const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    return bytes ? QByteArrayView(bytes, sqlite3_column_bytes(m_statement, column))
                 : QByteArrayView();
}

double SqliteRows::number(int column) const
{
    switch (sqlite3_column_type(m_statement, column)) {
    case SQLITE_NULL:
        return std::numeric_limits<double>::quiet_NaN();
    case SQLITE_TEXT:
    case SQLITE_BLOB:
        return NumberText::toDouble(QString::fromUtf8(text(column)));
    default:
        return sqlite3_column_double(m_statement, column);
    }
}

qint64 SqliteRows::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}
