#pragma once

#include <QByteArray>
#include <QString>

// The 8-bit Chinese text of the files exchanged with the older Windows version
// of the program (code page 936, read and written as its superset GB18030).
class Gb18030
{
public:
    static QByteArray encode(const QString &text);
    // OK is false when BYTES are not valid GB18030; the result is then empty.
    static QString decode(const QByteArray &bytes, bool *ok = nullptr);
};
