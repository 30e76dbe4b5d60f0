// The module quillmarch_download: the one place that uses Qt's network
// library. Loaded by VersionDownload on the first update check.
#include "sales/VersionDownload.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QThread>
#include <QTimer>

extern "C" Q_DECL_EXPORT int quillmarch_fetch_version_file(const QString &address, int timeoutMs,
                                                           qint64 maxFileSize, QByteArray *content)
{
    QNetworkAccessManager manager;
    QNetworkRequest request{QUrl(address)};
    request.setTransferTimeout(timeoutMs);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Quillmarch/" QM_VERSION));
    QNetworkReply *reply = manager.get(request);

    bool tooLarge = false;
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [&](qint64 received, qint64) {
        if (received > maxFileSize) {
            tooLarge = true;
            reply->abort();
        }
    });
    // A server that trickles bytes would defeat the transfer timeout alone.
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, reply, &QNetworkReply::abort);
    deadline.start(timeoutMs);
    QTimer stopPoll;
    QObject::connect(&stopPoll, &QTimer::timeout, reply, [reply] {
        if (QThread::currentThread()->isInterruptionRequested())
            reply->abort();
    });
    stopPoll.start(50);

    if (!reply->isFinished())
        loop.exec();

    int answer = VersionDownload::Unreachable;
    if (tooLarge) {
        answer = VersionDownload::TooLarge;
    } else if (reply->error() == QNetworkReply::NoError) {
        *content = reply->readAll();
        answer = VersionDownload::Arrived;
    }
    delete reply;
    return answer;
}
