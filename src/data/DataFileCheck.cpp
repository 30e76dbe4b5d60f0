#include "data/DataFileCheck.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtEndian>

#include <unistd.h>

namespace {

constexpr int headerSize = 100;

QString restoreHint()
{
    return QStringLiteral("请从备份恢复该文件后再启动程序。");
}

quint32 pageSizeOf(const QByteArray &header)
{
    const quint16 stored = qFromBigEndian<quint16>(header.constData() + 16);
    return stored == 1 ? 65536u : stored;
}

// The page count in the header is valid only when it was written by a
// version that keeps it (its "valid for" counter equals the change counter).
quint32 pageCountOf(const QByteArray &header)
{
    const quint32 changes = qFromBigEndian<quint32>(header.constData() + 24);
    const quint32 validFor = qFromBigEndian<quint32>(header.constData() + 92);
    return changes == validFor ? qFromBigEndian<quint32>(header.constData() + 28) : 0;
}

} // namespace

QStringList DataFileCheck::settingsTables()
{
    return {QStringLiteral("USER"), QStringLiteral("USER_SET"), QStringLiteral("INFO")};
}

QStringList DataFileCheck::recordsTables()
{
    return {QStringLiteral("POS_RECORD"), QStringLiteral("POS_RECORD_DETAIL"),
            QStringLiteral("AUTO_NUM")};
}

DataFileCheck::Result DataFileCheck::check(const QString &file, const QStringList &tables)
{
    const QString path = QFileInfo(file).absoluteFilePath();
    const QFileInfo info(path);
    if (!info.exists())
        return {Problem::Missing, path, {}};
    if (!info.isFile())
        return {Problem::NotAFile, path, {}};
    Result result = readHeader(path);
    if (result.ok())
        result = readTables(path, tables);
    if (result.ok())
        result = checkWritable(path);
    return result;
}

DataFileCheck::Result DataFileCheck::readHeader(const QString &file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {Problem::Unreadable, file, in.errorString()};
    const qint64 size = in.size();
    if (size == 0)
        return {Problem::Empty, file, {}};
    const QByteArray header = in.read(headerSize);
    if (header.size() < headerSize || !header.startsWith(QByteArray("SQLite format 3\0", 16)))
        return {Problem::NotADatabase, file, {}};
    const quint32 pageSize = pageSizeOf(header);
    if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0)
        return {Problem::NotADatabase, file, {}};
    const qint64 expected = qint64(pageSize) * pageCountOf(header);
    if (size < expected || size % pageSize != 0)
        return {Problem::Truncated, file,
                QStringLiteral("%1/%2").arg(size).arg(
                    qMax(expected, size - size % pageSize + pageSize))};
    return {Problem::None, file, {}};
}

DataFileCheck::Result DataFileCheck::readTables(const QString &file, const QStringList &tables)
{
    static QAtomicInt counter;
    const QString connection = QStringLiteral("qm-check-%1").arg(counter.fetchAndAddRelaxed(1));
    Result result{Problem::None, file, {}};
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        QSqlQuery query(db);
        if (!db.open()) {
            result = {Problem::Damaged, file, db.lastError().text()};
        } else if (!query.exec(QStringLiteral("select \"name\" from \"sqlite_master\" where "
                                              "\"type\" = 'table'"))) {
            result = {Problem::Damaged, file, query.lastError().text()};
        } else {
            QStringList missing = tables;
            while (query.next())
                missing.removeAll(query.value(0).toString());
            if (!missing.isEmpty())
                result = {Problem::Foreign, file, missing.join(QStringLiteral("、"))};
        }
        query = QSqlQuery();
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return result;
}

DataFileCheck::Result DataFileCheck::checkWritable(const QString &file)
{
    if (::access(QFile::encodeName(file).constData(), W_OK) != 0)
        return {Problem::ReadOnlyFile, file, {}};
    // SQLite writes its journal beside the file.
    const QString folder = QFileInfo(file).absolutePath();
    if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0)
        return {Problem::ReadOnlyFolder, file, QDir::toNativeSeparators(folder)};
    return {Problem::None, file, {}};
}

QString DataFileCheck::message(const Result &result)
{
    const QString &file = result.file;
    switch (result.problem) {
    case Problem::None:
        return {};
    case Problem::Missing:
        return QStringLiteral("数据库文件%1丢失，请不要将运行程序和其他文件分离!").arg(file);
    case Problem::NotAFile:
        return QStringLiteral("数据库文件%1不是一个普通文件（可能是文件夹）。").arg(file) +
               restoreHint();
    case Problem::Unreadable:
        return QStringLiteral("没有读取数据库文件%1的权限（文件属于其他用户或权限不足）。"
                              "请让管理员给当前用户读写该文件的权限后再启动程序。")
            .arg(file);
    case Problem::Empty:
        return QStringLiteral("数据库文件%1是空文件（0字节），里面没有任何数据。").arg(file) +
               restoreHint();
    case Problem::NotADatabase:
        return QStringLiteral("文件%1不是数据库文件（可能已被其他文件替换或已损坏）。").arg(file) +
               restoreHint();
    case Problem::Truncated:
        return QStringLiteral("数据库文件%1不完整（文件被截断，现有/应有字节数：%2）。")
                   .arg(file, result.detail) +
               restoreHint();
    case Problem::Damaged:
        return QStringLiteral("数据库文件%1已损坏，无法读取。").arg(file) + restoreHint() +
               QStringLiteral("\n\n") + result.detail;
    case Problem::Foreign:
        return QStringLiteral("文件%1是其他程序的数据库，缺少本程序的数据表（%2）。"
                              "请放回本程序的数据库文件后再启动程序。")
            .arg(file, result.detail);
    case Problem::ReadOnlyFile:
        return QStringLiteral("数据库文件%1是只读的，程序不能在其中保存数据。"
                              "请让管理员给当前用户写入该文件的权限后再启动程序。")
            .arg(file);
    case Problem::ReadOnlyFolder:
        return QStringLiteral("数据库文件%1所在的文件夹%2是只读的，程序不能在其中保存数据。"
                              "请让管理员给当前用户写入该文件夹的权限后再启动程序。")
            .arg(file, result.detail);
    }
    return {};
}
