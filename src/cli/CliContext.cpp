#include "cli/CliContext.h"

#include "core/DataLocation.h"
#include "data/DataSource.h"
#include "data/Database.h"

#include <QDir>

CliContext::CliContext(QString programDir, QString dataHome)
    : m_programDir(std::move(programDir)), m_dataHome(std::move(dataHome))
{
}

QString CliContext::prepare()
{
    if (m_dataHome.isEmpty()) {
        const DataLocation location(
            DataLocation::standardPlaces(m_programDir, QDir::currentPath()));
        const QString problem = location.prepare();
        if (!problem.isEmpty())
            return problem;
        m_dataHome = location.dataHome();
    } else if (!QDir(m_dataHome).exists(QStringLiteral("data"))) {
        return QStringLiteral("文件夹%1里没有数据文件夹 data。")
            .arg(QDir::toNativeSeparators(m_dataHome));
    }
    m_dataHome = QDir(m_dataHome).absolutePath();
    // Registered as the window program registers them at its start.
    const bool settings =
        DataSource::setUp(settingsDsn(), DataSource::settingsFile(m_dataHome), m_dataHome);
    const bool records =
        DataSource::setUp(recordsDsn(), DataSource::recordsFile(m_dataHome), m_dataHome);
    if (!settings || !records)
        m_warning = DataSource::registerFailedMessage();
    return {};
}

QString CliContext::backupFolder() const
{
    return QDir(m_dataHome).filePath(QStringLiteral("backups"));
}

QString CliContext::open(Database &db, const QString &dsn)
{
    if (db.open(dsn))
        return {};
    return QStringLiteral("不能打开数据库（数据源 %1）：%2").arg(dsn, db.lastOpenError());
}
