#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Fetches the version file of an update check. The fetching itself lives in a
// module of its own (quillmarch_download, beside the program) that is loaded
// on the first check: Qt's network library and what it brings (Kerberos,
// proxy look-up) would otherwise be loaded at every start-up for a check the
// person may never ask for.
class VersionDownload
{
public:
    struct Request
    {
        QString address;
        int timeoutMs = 0;
        qint64 maxFileSize = 0;
    };

    // The file's content; an empty one when more than maxFileSize arrived;
    // nothing when the server could not be reached, sent an error, the time
    // ran out or the thread was asked to stop.
    static std::optional<QByteArray> fetch(const Request &request);

    // The name of the module's entry point.
    static constexpr const char *entryPoint = "quillmarch_fetch_version_file";
    enum Answer
    {
        Unreachable = 0,
        Arrived = 1,
        TooLarge = 2
    };
    using Entry = int (*)(const QString &address, int timeoutMs, qint64 maxFileSize,
                          QByteArray *content);
};
