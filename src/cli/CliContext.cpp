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
    if (!m_dataHome.isEmpty())
        return prepareOtherHome();
    const DataLocation location(DataLocation::standardPlaces(m_programDir, QDir::currentPath()));
    const QString problem = location.prepare();
    if (!problem.isEmpty())
        return problem;
    m_dataHome = QDir(location.dataHome()).absolutePath();
    // Registered as the window program registers them at its start.
    const bool settings =
        DataSource::setUp(settingsDsn(), DataSource::settingsFile(m_dataHome), m_dataHome);
    const bool records =
        DataSource::setUp(recordsDsn(), DataSource::recordsFile(m_dataHome), m_dataHome);
    if (!settings || !records)
        m_warning = DataSource::registerFailedMessage();
    return {};
}

QString CliContext::prepareOtherHome()
{
    if (!QDir(m_dataHome).exists(QStringLiteral("data")))
        return QStringLiteral("文件夹%1里没有数据文件夹 data。")
            .arg(QDir::toNativeSeparators(m_dataHome));
    m_dataHome = QDir(m_dataHome).absolutePath();
    // The data sources in odbc.ini are the ones the tills open at every
    // statement: pointing them at a copy would send the next sale there.
    // A data source on a database server is used as it is.
    const QList<std::pair<QString, QString>> sources{
        {settingsDsn(), DataSource::settingsFile(m_dataHome)},
        {recordsDsn(), DataSource::recordsFile(m_dataHome)}};
    for (const auto &[dsn, file] : sources) {
        const DataSource::Entry registered = DataSource::lookup(dsn);
        if (!registered.exists() || registered.isSqlite())
            DataSource::useFileHere(dsn, file);
    }
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
