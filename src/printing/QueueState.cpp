#include "printing/QueueState.h"

#include "printing/CupsLibrary.h"

namespace {

constexpr int stopped = 5;

// A state reason is a keyword with an optional "-report", "-warning" or
// "-error" after it.
bool hasReason(const QStringList &reasons, const char *keyword)
{
    const QString word = QString::fromLatin1(keyword);
    for (const QString &reason : reasons) {
        if (reason == word || reason.startsWith(word + u'-'))
            return true;
    }
    return false;
}

} // namespace

QueueState::QueueState(int state, const QStringList &reasons) : m_state(state), m_reasons(reasons)
{
}

QueueState QueueState::of(const QString &queue)
{
    const CupsLibrary *cups = CupsLibrary::get();
    if (!cups)
        return QueueState(3, {});
    const QByteArray name = queue.toUtf8();
    cups_dest_t *dest = cups->getNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr);
    if (!dest)
        return QueueState(3, {});
    const char *state = cups->getOption("printer-state", dest->num_options, dest->options);
    const char *reasons =
        cups->getOption("printer-state-reasons", dest->num_options, dest->options);
    QueueState result(state ? QByteArray(state).toInt() : 3,
                      QString::fromUtf8(reasons ? reasons : "").split(u',', Qt::SkipEmptyParts));
    cups->freeDests(1, dest);
    return result;
}

QString QueueState::waitingReason() const
{
    QStringList why;
    if (m_state == stopped || hasReason(m_reasons, "paused"))
        why << QStringLiteral("打印机已停用");
    if (hasReason(m_reasons, "offline"))
        why << QStringLiteral("打印机未连接");
    if (hasReason(m_reasons, "media-empty") || hasReason(m_reasons, "media-needed"))
        why << QStringLiteral("打印机缺纸");
    if (hasReason(m_reasons, "media-jam"))
        why << QStringLiteral("打印机卡纸");
    if (hasReason(m_reasons, "cover-open") || hasReason(m_reasons, "door-open"))
        why << QStringLiteral("打印机机盖未合上");
    return why.join(QStringLiteral("，"));
}

QString QueueState::waitingMessage(const QString &printer, const QString &reason)
{
    return QStringLiteral("小票已送到打印机“%1”，但%2，小票正在排队等待打印！请检查打印机，"
                          "处理好后小票会接着打印。")
        .arg(printer, reason);
}
