#pragma once

#include <QString>

class Database;

// The shop's row of INFO (id "1"): its settings as the program uses them,
// and the one place its statements live. Stored files keep the column order
// id, shopName, ifSave, remark1, remark2, saler, showPrice, set1 ... set10,
// switches as "1"/"0" and numbers as text; only this file knows that.
// Every function that takes a database throws DatabaseError.
struct ShopRow
{
    QString shopName;
    bool saveOnPrint = false;     // "保存记录" (ifSave): every printed sale is stored
    QString defaultRemark;        // remark1: the receipt remark, default remark of a sale
    bool finishedNotice = true;   // "显示完毕" (remark2 not "0")
    bool secondCopy = false;      // "再次打印" (saler)
    bool showPrice = false;       // "打印单价" (showPrice)
    bool printLogo = false;       // set2
    bool discountEnabled = false; // set3: the sales window's discount box
    QString printer1Name;         // set4; empty means the default printer
    // In screen pixels: four per millimetre typed on the settings page.
    int paperMargin = 0;          // set5
    int printOffset = 0;          // set6
    int logoOffset = 0;           // set7, as typed
    bool productMemory = true;    // set8 not "0": typed products are remembered
    bool customerEnabled = false; // set9
    bool cashEnabled = false;     // set10: "收款" ticked

    // The stored row; a default ShopRow when there is none.
    static ShopRow read(Database &settingsDb);

    // The print information page's columns.
    static void storePrintInfo(Database &settingsDb, const ShopRow &row);
    static void storeFinishedNotice(Database &settingsDb, bool on);
    static void storePrinter1(Database &settingsDb, const QString &name);
    static void storeLogo(Database &settingsDb, bool printLogo, const QString &offset);

    // The sales window's remembered check boxes.
    enum class Switch
    {
        Discount,
        Customer,
        Cash,
        ProductMemory
    };
    static void storeSwitch(Database &settingsDb, Switch which, bool on);
};
