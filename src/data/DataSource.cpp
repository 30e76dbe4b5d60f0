#include "data/DataSource.h"

#include "core/Prompt.h"
#include "data/OdbcIniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <odbcinst.h>
#include <pwd.h>
#include <unistd.h>

namespace {

QString profileString(const QString &section, const char *key)
{
    char buffer[4096] = {};
    SQLGetPrivateProfileString(section.toUtf8().constData(), key, "", buffer, sizeof buffer,
                               "odbc.ini");
    return QString::fromUtf8(buffer);
}

} // namespace

bool DataSource::Entry::isSqlite() const
{
    const QString lower = driver.toLower();
    return lower == QLatin1String("sqlite3") || lower.contains(QLatin1String("sqlite3odbc"));
}

QHash<QString, QString> &DataSource::ownFiles()
{
    static QHash<QString, QString> files;
    return files;
}

bool DataSource::setUp(const QString &name, const QString &file, const QString &defaultDir)
{
    // What odbc.ini holds, before the program's own file is remembered.
    ownFiles().remove(name);
    const Entry existing = lookup(name);
    // Remembered even when odbc.ini cannot be written: the program still
    // opens its own file directly.
    ownFiles().insert(name, file);
    // A data source that has been pointed at another engine (one database
    // server shared by several tills) is left as it is.
    if (existing.exists() && !existing.isSqlite())
        return true;
    // Already registered for this file: nothing is written at each start, and
    // the installer is not asked (it loads the driver's setup library).
    if (existing.exists() && existing.database == file &&
        existing.driver == QLatin1String(driverName))
        return true;
    return writeUserEntry(name, file, defaultDir);
}

// The shop's odbc.ini may hold comments, its own data sources and spacing of
// its own: only this program's section is touched (the driver manager's own
// writer would write the whole file anew in its own format).
bool DataSource::writeUserEntry(const QString &name, const QString &file, const QString &defaultDir)
{
    OdbcIniFile ini(userIniFile());
    if (!ini.load())
        return false;
    ini.set(name, QStringLiteral("Driver"), QString::fromLatin1(driverName));
    ini.set(name, QStringLiteral("Database"), file);
    ini.set(name, QStringLiteral("DefaultDir"), defaultDir);
    ini.set(name, QStringLiteral("BigInt"), QStringLiteral("1"));
    return !ini.changed() || ini.save();
}

bool DataSource::Entry::isPostgres() const
{
    // By name ("PostgreSQL Unicode") or by library (psqlodbcw.so, psqlodbca.so).
    const QString lower = driver.toLower();
    return lower.contains(QLatin1String("postgres")) || lower.contains(QLatin1String("psqlodbc"));
}

DataSource::Entry DataSource::lookup(const QString &name)
{
    UWORD previousMode = ODBC_BOTH_DSN;
    SQLGetConfigMode(&previousMode);
    SQLSetConfigMode(ODBC_BOTH_DSN);
    Entry entry{profileString(name, "Driver"), profileString(name, "Database")};
    // Only a server is reached by these; each key read parses the ini files again.
    if (entry.isPostgres()) {
        entry.server = profileString(name, "Servername");
        entry.port = profileString(name, "Port");
        entry.user = profileString(name, "Username");
        if (entry.user.isEmpty())
            entry.user = profileString(name, "UID");
    }
    SQLSetConfigMode(previousMode);
    if (!entry.exists() && ownFiles().contains(name))
        entry = {QString::fromLatin1(driverName), ownFiles().value(name)};
    return entry;
}

QString DataSource::userIniFile()
{
    // Where the driver manager looks: $ODBCINI, else the home folder the
    // password database names (not $HOME).
    const QByteArray configured = qgetenv("ODBCINI");
    if (!configured.isEmpty())
        return QString::fromLocal8Bit(configured);
    const passwd *user = getpwuid(getuid());
    const QString home =
        user && user->pw_dir ? QString::fromLocal8Bit(user->pw_dir) : QDir::homePath();
    return QDir(home).filePath(QStringLiteral(".odbc.ini"));
}

QString DataSource::registerFailedMessage()
{
    return QStringLiteral("不能在ODBC配置文件%1中登记本程序的数据源（文件已损坏或不能写入）。"
                          "程序照常使用自己的数据库文件，但其他程序暂时不能通过数据源访问这些数据。"
                          "请检查或删除该文件。")
        .arg(userIniFile());
}

QString DataSource::settingsFile(const QString &programDir)
{
    return QDir(programDir).filePath(QStringLiteral("data/Quillmarch.qmst"));
}

QString DataSource::recordsFile(const QString &programDir)
{
    return QDir(programDir).filePath(QStringLiteral("data/Quillbook.qmbk"));
}

QString DataSource::newBookTemplate(const QString &programDir)
{
    return QDir(programDir).filePath(QStringLiteral("data/NewQuillbook.qmbk"));
}

bool DataSource::checkRecordsFile(const QString &programDir, QWidget *parent)
{
    const QString file = QFileInfo(recordsFile(programDir)).absoluteFilePath();
    if (QFileInfo::exists(file))
        return true;
    Prompt::error(parent,
                  QStringLiteral("数据库文件%1丢失，请不要将运行程序和其他文件分离!").arg(file),
                  QStringLiteral("错误"));
    return false;
}
