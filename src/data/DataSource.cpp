#include "data/DataSource.h"

#include "app/Prompt.h"

#include <QDir>
#include <QFileInfo>

#include <odbcinst.h>

namespace {

QString profileString(const QString &section, const char *key)
{
    char buffer[4096] = {};
    SQLGetPrivateProfileString(section.toUtf8().constData(), key, "", buffer, sizeof buffer,
                               "odbc.ini");
    return QString::fromUtf8(buffer);
}

bool writeProfileString(const QString &section, const char *key, const QString &value)
{
    return SQLWritePrivateProfileString(section.toUtf8().constData(), key,
                                        value.toUtf8().constData(), "odbc.ini");
}

} // namespace

bool DataSource::Entry::isSqlite() const
{
    const QString lower = driver.toLower();
    return lower == QLatin1String("sqlite3") || lower.contains(QLatin1String("sqlite3odbc"));
}

QByteArray DataSource::attributeList(const QString &name, const QString &file,
                                     const QString &defaultDir)
{
    QByteArray list;
    const auto add = [&list](const QString &entry) {
        list += entry.toUtf8();
        list += '\0';
    };
    add(QStringLiteral("DSN=") + name);
    add(QStringLiteral("Database=") + file);
    add(QStringLiteral("DefaultDir=") + defaultDir);
    add(QStringLiteral("BigInt=1"));
    list += '\0';
    return list;
}

bool DataSource::setUp(const QString &name, const QString &file, const QString &defaultDir)
{
    // A data source that has been pointed at another engine (one database
    // server shared by several tills) is left as it is.
    const Entry existing = lookup(name);
    if (existing.exists() && !existing.isSqlite())
        return true;
    if (configureThroughInstaller(name, file, defaultDir))
        return true;
    return writeUserEntry(name, file, defaultDir);
}

bool DataSource::configureThroughInstaller(const QString &name, const QString &file,
                                           const QString &defaultDir)
{
    const QByteArray attributes = attributeList(name, file, defaultDir);
    return SQLConfigDataSource(nullptr, ODBC_ADD_DSN, driverName, attributes.constData());
}

bool DataSource::writeUserEntry(const QString &name, const QString &file, const QString &defaultDir)
{
    UWORD previousMode = ODBC_BOTH_DSN;
    SQLGetConfigMode(&previousMode);
    SQLSetConfigMode(ODBC_USER_DSN);
    const QByteArray dsn = name.toUtf8();
    bool ok = SQLWriteDSNToIni(dsn.constData(), driverName);
    ok = ok && writeProfileString(name, "Database", file);
    ok = ok && writeProfileString(name, "DefaultDir", defaultDir);
    ok = ok && writeProfileString(name, "BigInt", QStringLiteral("1"));
    SQLSetConfigMode(previousMode);
    return ok;
}

DataSource::Entry DataSource::lookup(const QString &name)
{
    UWORD previousMode = ODBC_BOTH_DSN;
    SQLGetConfigMode(&previousMode);
    SQLSetConfigMode(ODBC_BOTH_DSN);
    Entry entry{profileString(name, "Driver"), profileString(name, "Database")};
    SQLSetConfigMode(previousMode);
    return entry;
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
