#pragma once

#include <QString>

class Database;

// The shop's print options of the INFO row, held in memory by the sales
// window from the moment it opens. The print dialogs change the fields and
// their columns together.
struct ShopPrintSettings
{
    QString shopName;
    bool saveOnPrint = false;   // "保存记录", ifSave
    QString defaultRemark;      // remark1
    bool finishedNotice = true; // "显示完毕", remark2 not "0"
    bool secondCopy = false;    // "再次打印", saler
    bool showPrice = false;     // "打印单价", showPrice
    bool printLogo = false;     // set2
    QString printer1Name;       // set4; the default printer when empty
    // In screen pixels: four per millimetre typed on the settings page.
    int paperMargin = 0; // set5
    int printOffset = 0; // set6
    int logoOffset = 0;  // set7, as typed

    // Reads the shop row (ShopRow). Throws
    // DatabaseError. Without a row the defaults stay.
    static ShopPrintSettings load(Database &settingsDb, const QString &defaultPrinter);
};
