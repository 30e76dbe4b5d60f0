#include "sales/UpdateCheckWorker.h"

#include "app/NumberText.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QSaveFile>
#include <QThread>
#include <QTimer>

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
    static const QRegularExpression number(QStringLiteral("^\\s*[+-]?\\d"));
    if (!number.match(text).hasMatch())
        return std::nullopt;
    return NumberText::toInt(text);
}

std::optional<QByteArray> UpdateCheckWorker::download() const
{
    QNetworkAccessManager manager;
    QNetworkRequest request(m_config.address);
    request.setTransferTimeout(m_config.timeoutMs);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Quillmarch/" QM_VERSION));
    QNetworkReply *reply = manager.get(request);

    bool tooLarge = false;
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [&](qint64 received, qint64) {
        if (received > m_config.maxFileSize) {
            tooLarge = true;
            reply->abort();
        }
    });
    // A server that trickles bytes would defeat the transfer timeout alone.
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, reply, &QNetworkReply::abort);
    deadline.start(m_config.timeoutMs);
    QTimer stopPoll;
    QObject::connect(&stopPoll, &QTimer::timeout, reply, [reply] {
        if (QThread::currentThread()->isInterruptionRequested())
            reply->abort();
    });
    stopPoll.start(50);

    if (!reply->isFinished())
        loop.exec();

    std::optional<QByteArray> content;
    if (tooLarge)
        content = QByteArray(); // arrived, but it is no version file
    else if (reply->error() == QNetworkReply::NoError)
        content = reply->readAll();
    delete reply;
    return content;
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
