#include "data/DataSource.h"

#include "data/OdbcIniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <pwd.h>
#include <unistd.h>

// The driver manager's folder of the system-wide odbc.ini ($ODBCSYSINI or its
// built-in /etc); exported by libodbcinst, declared only in its private header.
extern "C" char *odbcinst_system_file_path(char *buffer);

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

QHash<QString, QString> &DataSource::hereFiles()
{
    static QHash<QString, QString> files;
    return files;
}

void DataSource::useFileHere(const QString &name, const QString &file)
{
    hereFiles().insert(name, file);
}

// Read from the files themselves, the user's first, as the driver manager
// does: its own reading keeps what it read once, and would not see the
// program's own edits of odbc.ini in this process.
DataSource::Entry DataSource::lookup(const QString &name)
{
    Entry entry;
    if (hereFiles().contains(name))
        return {QString::fromLatin1(driverName), hereFiles().value(name)};
    for (const QString &file : {userIniFile(), systemIniFile()}) {
        OdbcIniFile ini(file);
        if (!ini.load() || !ini.hasSection(name))
            continue;
        const auto key = [&](const char *key) { return ini.value(name, QLatin1String(key)); };
        entry.driver = key("Driver");
        entry.database = key("Database");
        if (entry.isPostgres()) {
            entry.server = key("Servername");
            entry.port = key("Port");
            entry.user = key("Username");
            if (entry.user.isEmpty())
                entry.user = key("UID");
        }
        break;
    }
    if (!entry.exists() && ownFiles().contains(name))
        entry = {QString::fromLatin1(driverName), ownFiles().value(name)};
    return entry;
}

QString DataSource::systemIniFile()
{
    char folder[4096] = {};
    odbcinst_system_file_path(folder);
    return QDir(QString::fromLocal8Bit(folder)).filePath(QStringLiteral("odbc.ini"));
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

QString DataSource::missingRecordsFileMessage(const QString &programDir)
{
    const QString file = QFileInfo(recordsFile(programDir)).absoluteFilePath();
    if (QFileInfo::exists(file))
        return {};
    return QStringLiteral("数据库文件%1丢失，请不要将运行程序和其他文件分离!").arg(file);
}
