#include "data/SqlDialect.h"

#include <QSqlError>

QString SqlDialect::lockCounter() const
{
    if (m_engine == Engine::Postgres) {
        // Blocks the other tills' counter locks and counter rows, not their reads.
        return QStringLiteral("lock table \"AUTO_NUM\" in share row exclusive mode");
    }
    // SQLite locks the whole file at the first write of a transaction; a write
    // that changes nothing takes that lock before the counter is read.
    return QStringLiteral("update \"AUTO_NUM\" set \"num\" = \"num\" where 0 = 1");
}

QString SqlDialect::insertCounterRow() const
{
    if (m_engine == Engine::Postgres)
        return QStringLiteral("insert into \"AUTO_NUM\" (\"id\",\"num\") "
                              "select coalesce(max(\"id\"), 0) + 1, ? from \"AUTO_NUM\"");
    return QStringLiteral("insert into \"AUTO_NUM\" (\"num\") values (?)");
}

QString SqlDialect::lineOrder() const
{
    if (m_engine == Engine::Postgres)
        return QStringLiteral("\"seq\"");
    return QStringLiteral("rowid");
}

QString SqlDialect::manySalesLineOrder() const
{
    if (m_engine == Engine::Postgres)
        return QStringLiteral(" order by \"seq\"");
    return QString();
}

QString SqlDialect::like() const
{
    return m_engine == Engine::Postgres ? QStringLiteral("ilike") : QStringLiteral("like");
}

bool SqlDialect::isUniqueViolation(const QSqlError &error) const
{
    const QString code = error.nativeErrorCode();
    switch (m_engine) {
    case Engine::Postgres:
        return code == QLatin1String("23505");
    case Engine::Sqlite:
        return code == QLatin1String("2067") || code == QLatin1String("1555");
    case Engine::Other:
        return code.startsWith(QLatin1String("23"));
    }
    return false;
}
