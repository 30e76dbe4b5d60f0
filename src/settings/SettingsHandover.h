#pragma once

#include <QString>

// What the sales window hands to the settings window and takes back when it
// closes: the pages may change any of the three.
struct SettingsHandover
{
    QString shopName;
    QString remark;
    QString receiptNumber;

    bool operator==(const SettingsHandover &) const = default;
};
