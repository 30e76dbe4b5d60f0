#pragma once

#include <QString>

// How the settings rows store a switch: "1" when on, "0" when off.
inline QString storedFlag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}
