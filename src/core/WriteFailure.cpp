#include "core/WriteFailure.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace {

// Less room than this left beside the file counts as a full disk: the failed
// write has already given back what it had taken.
constexpr qint64 kNearlyFullBytes = 256 * 1024;

} // namespace

bool WriteFailure::readOnly(const QString &file, const QString &systemText)
{
    for (const char *words : {"Read-only file system", "Permission denied", "not permitted"}) {
        if (systemText.contains(QLatin1String(words), Qt::CaseInsensitive))
            return true;
    }
    const QStorageInfo storage(QFileInfo(file).absolutePath());
    return storage.isValid() && storage.isReadOnly();
}

bool WriteFailure::diskFull(const QString &file, const QString &systemText, qint64 neededBytes)
{
    for (const char *words : {"No space left", "disk is full", "disk full"}) {
        if (systemText.contains(QLatin1String(words), Qt::CaseInsensitive))
            return true;
    }
    const QStorageInfo storage(QFileInfo(file).absolutePath());
    return storage.isValid() && storage.bytesAvailable() < qMax(kNearlyFullBytes, neededBytes);
}

QString WriteFailure::reason(const QString &file, const QString &systemText, qint64 neededBytes)
{
    // Checked first: a read-only place that happens to be nearly full is not full.
    if (readOnly(file, systemText)) {
        return QStringLiteral(
                   "“%1”是只读的或没有写入权限，不能在这里保存文件，请选择其他位置。（%2）")
            .arg(QDir::toNativeSeparators(QFileInfo(file).absolutePath()), systemText);
    }
    if (!diskFull(file, systemText, neededBytes))
        return systemText;
    return QStringLiteral("磁盘空间已满，请腾出磁盘空间后再试一次。（%1）").arg(systemText);
}
