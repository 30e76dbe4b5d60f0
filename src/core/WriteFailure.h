#pragma once

#include <QString>

// Why a file could not be written, for the person who asked for it: a
// read-only place and a full disk are said in words (the system's own text
// follows for whoever helps).
class WriteFailure
{
public:
    // FILE: the file that was being written; SYSTEM_TEXT: what the system said
    // (a short write may say nothing useful); NEEDED_BYTES: the size it was to
    // have, where known.
    static QString reason(const QString &file, const QString &systemText, qint64 neededBytes = 0);

    // The folder of FILE cannot be written: a read-only disk or no permission.
    static bool readOnly(const QString &file, const QString &systemText);
    static bool diskFull(const QString &file, const QString &systemText, qint64 neededBytes = 0);
};
