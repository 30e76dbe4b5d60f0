#pragma once

#include "sales/UpdateCheckConfig.h"

#include <QByteArray>

#include <optional>

// The work of one update check, done on the worker thread: download the
// version file, keep a copy of it beside the program's working files and
// compare the newest version with our own. Nothing downloaded is ever run.
class UpdateCheckWorker
{
public:
    enum class Outcome
    {
        Unreachable, // no connection, no file on the server, timed out or stopped
        Unreadable,  // a file came, but its first line holds no version number
        Current,
        Newer,
    };

    struct Result
    {
        Outcome outcome = Outcome::Unreachable;
        int newestVersion = 0;
    };

    explicit UpdateCheckWorker(UpdateCheckConfig config);

    // Blocks until the check has ended; returns Unreachable early when the
    // thread it runs on is asked to stop.
    Result run() const;

    // The number at the start of the first line, read like atoi (a byte-order
    // mark and leading blanks are skipped); no digits at all, or a number
    // beyond int, give nothing.
    static std::optional<int> readVersion(const QByteArray &content);

private:
    std::optional<QByteArray> download() const;
    void keepCopy(const QByteArray &content) const;
    void removeCopy() const;

    UpdateCheckConfig m_config;
};
