#include "printing/RawQueue.h"

#include "printing/CupsLibrary.h"

namespace {

constexpr const char *rawModel = "Local Raw Printer";

bool fail(const CupsLibrary &cups, QString *error)
{
    if (error)
        *error = QString::fromUtf8(cups.lastErrorString());
    return false;
}

QString missingLibrary()
{
    return QStringLiteral("找不到打印系统CUPS（libcups.so.2），不能打印。");
}

} // namespace

bool RawQueue::isRaw(const QString &queue)
{
    if (queue.isEmpty())
        return false;
    const CupsLibrary *cups = CupsLibrary::get();
    if (!cups)
        return false;
    const QByteArray name = queue.toUtf8();
    cups_dest_t *dest = cups->getNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr);
    if (!dest)
        return false;
    const char *model = cups->getOption("printer-make-and-model", dest->num_options, dest->options);
    const bool raw = model && qstrcmp(model, rawModel) == 0;
    cups->freeDests(1, dest);
    return raw;
}

bool RawQueue::submit(const QString &queue, const QString &title, const QByteArray &bytes,
                      QString *error)
{
    const CupsLibrary *cups = CupsLibrary::get();
    if (!cups) {
        if (error)
            *error = missingLibrary();
        return false;
    }
    const QByteArray name = queue.toUtf8();
    const QByteArray jobTitle = title.toUtf8();
    const int job =
        cups->createJob(CUPS_HTTP_DEFAULT, name.constData(), jobTitle.constData(), 0, nullptr);
    if (job <= 0)
        return fail(*cups, error);
    if (cups->startDocument(CUPS_HTTP_DEFAULT, name.constData(), job, jobTitle.constData(),
                            CUPS_FORMAT_RAW, 1) != HTTP_STATUS_CONTINUE) {
        cups->cancelJob(CUPS_HTTP_DEFAULT, name.constData(), job, 0);
        return fail(*cups, error);
    }
    const bool written = cups->writeRequestData(CUPS_HTTP_DEFAULT, bytes.constData(),
                                                size_t(bytes.size())) == HTTP_STATUS_CONTINUE;
    const ipp_status_t finished = cups->finishDocument(CUPS_HTTP_DEFAULT, name.constData());
    if (!written || finished > IPP_STATUS_OK_CONFLICTING) {
        cups->cancelJob(CUPS_HTTP_DEFAULT, name.constData(), job, 0);
        return fail(*cups, error);
    }
    return true;
}
