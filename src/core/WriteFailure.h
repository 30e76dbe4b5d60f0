#pragma once

#include <QString>

// Why a file could not be written, for the person who asked for it: a full
// disk is said in words (the system's own text follows for whoever helps).
class WriteFailure
{
public:
    // FILE: the file that was being written; SYSTEM_TEXT: what the system said.
    static QString reason(const QString &file, const QString &systemText);

    static bool diskFull(const QString &file, const QString &systemText);
};
