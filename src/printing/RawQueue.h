#pragma once

#include <QByteArray>
#include <QString>

// A CUPS queue without a driver ("Local Raw Printer": set up with no model or
// with -m raw). Whatever is sent to it reaches the printer byte for byte, so
// the program speaks the printer's own language to it.
class RawQueue
{
public:
    static bool isRaw(const QString &queue);

    // Sends BYTES to QUEUE as one raw job titled TITLE. On failure returns
    // false and puts CUPS's reason into ERROR.
    static bool submit(const QString &queue, const QString &title, const QByteArray &bytes,
                       QString *error = nullptr);
};
