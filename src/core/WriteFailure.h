#pragma once

#include <QString>

// Why a file could not be written, for the person who asked for it: a full
// disk is said in words (the system's own text follows for whoever helps).
class WriteFailure
{
public:
    // FILE: the file that was being written; SYSTEM_TEXT: what the system said
    // (a short write may say nothing useful); NEEDED_BYTES: the size it was to
    // have, where known.
    static QString reason(const QString &file, const QString &systemText, qint64 neededBytes = 0);

    static bool diskFull(const QString &file, const QString &systemText, qint64 neededBytes = 0);
};
