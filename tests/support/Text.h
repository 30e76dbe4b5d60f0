#pragma once

#include <QString>

// UTF-8 text in a test, as a QString.
inline QString s(const char *text)
{
    return QString::fromUtf8(text);
}
