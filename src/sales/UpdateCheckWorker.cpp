#include "sales/UpdateCheckWorker.h"

#include "core/NumberText.h"
#include "sales/VersionDownload.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

#include <climits>

UpdateCheckWorker::UpdateCheckWorker(UpdateCheckConfig config) : m_config(std::move(config)) {}

UpdateCheckWorker::Result UpdateCheckWorker::run() const
{
    const std::optional<QByteArray> content = download();
    if (!content)
        return {Outcome::Unreachable, 0};

    // A copy left from an earlier check must not be taken for this one's.
    removeCopy();
    const std::optional<int> newest = readVersion(*content);
    if (!newest)
        return {Outcome::Unreadable, 0};
    if (*newest <= m_config.currentVersion)
        return {Outcome::Current, *newest};
    keepCopy(*content); // for the updater, which reads what is on offer
    return {Outcome::Newer, *newest};
}

std::optional<int> UpdateCheckWorker::readVersion(const QByteArray &content)
{
    const qsizetype end = content.indexOf('\n');
    QByteArray line = end < 0 ? content : content.first(end);
    if (line.startsWith("\xEF\xBB\xBF"))
        line.remove(0, 3);
    const QString text = QString::fromLatin1(line);
    static const QRegularExpression number(QStringLiteral("^\\s*[+-]?0*(\\d+)"));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    // A number no version can have (beyond int) is no version file: reading it
    // as the largest version would start the updater for any server's say-so.
    if (match.capturedLength(1) > 10)
        return std::nullopt;
    const qint64 value = match.captured(0).trimmed().toLongLong();
    if (value > INT_MAX || value < INT_MIN)
        return std::nullopt;
    return NumberText::toInt(text);
}

std::optional<QByteArray> UpdateCheckWorker::download() const
{
    return VersionDownload::fetch(
        {m_config.address.toString(QUrl::FullyEncoded), m_config.timeoutMs, m_config.maxFileSize});
}

void UpdateCheckWorker::keepCopy(const QByteArray &content) const
{
    QSaveFile file(m_config.versionFilePath());
    if (file.open(QIODevice::WriteOnly)) {
        file.write(content);
        file.commit();
    }
}

void UpdateCheckWorker::removeCopy() const
{
    QFile::remove(m_config.versionFilePath());
}
