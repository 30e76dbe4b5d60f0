#pragma once

#include <QString>

// What the sales window hands to the settings window and takes back when it
// closes: the shop name, the remark (also the new default remark) and the
// receipt number (changed when the number format was changed). The print
// information page is the one that edits them.
struct SettingsHandover
{
    QString shopName;
    QString remark;
    QString receiptNumber;
};
