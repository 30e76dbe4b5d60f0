#pragma once

#include <QString>

class Database;

// The shop's row of INFO (id "1"), the one place its statements live. The
// texts are kept as stored ("1"/"0" switches, numbers as typed); the names
// say what each column holds. Stored files keep the column order
// id, shopName, ifSave, remark1, remark2, saler, showPrice, set1 ... set10.
// Every function throws DatabaseError.
struct ShopRow
{
    QString shopName;        // shopName
    QString saveOnPrint;     // ifSave: "1" stores every printed sale
    QString remark;          // remark1: receipt remark, default remark of a sale
    QString finishedNotice;  // remark2: "0" no print-finished notice
    QString secondCopy;      // saler: "1" offers a second copy
    QString showPrice;       // showPrice: "1" prints the unit price
    QString reserved;        // set1
    QString printLogo;       // set2: "1" prints the logo
    QString discountEnabled; // set3
    QString printer1;        // set4: empty means the default printer
    QString paperMargin;     // set5, in screen pixels
    QString printOffset;     // set6, in screen pixels
    QString logoOffset;      // set7, as typed
    QString productMemory;   // set8: "0" does not remember products
    QString customerEnabled; // set9
    QString cashEnabled;     // set10: "1" cash received ticked

    // False (and every text empty) when the table has no row.
    static bool read(Database &settingsDb, ShopRow &row);

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
