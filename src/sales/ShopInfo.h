#pragma once

#include <QString>

class Database;

// The shop's row of INFO, read when the sales window opens. The texts are
// kept as stored; the accessors give their meaning.
struct ShopInfo
{
    QString shopName;
    QString ifSave;    // "1": store every printed sale
    QString remark1;   // receipt remark and default remark of a new sale
    QString remark2;   // "0": no print-finished notice
    QString saler;     // "1": offer a second copy
    QString showPrice; // "1": print the unit price
    QString set1;      // reserved
    QString set2;      // "1": print the logo
    QString set3;      // "1": discount enabled
    QString set4;      // printer 1; empty: the default printer
    QString set5;      // paper margin
    QString set6;      // print offset
    QString set7;      // logo offset
    QString set8;      // "0": do not remember products
    QString set9;      // "1": customer enabled
    QString set10;     // "1": cash received ticked

    bool saveOnPrint() const { return ifSave == QLatin1String("1"); }
    bool discountEnabled() const { return set3 == QLatin1String("1"); }
    bool productMemory() const { return set8 != QLatin1String("0"); }
    bool customerEnabled() const { return set9 == QLatin1String("1"); }
    bool cashEnabled() const { return set10 == QLatin1String("1"); }

    // The shop row (ShopRow); empty set1, set5, set6 and set7 read as "0"; an
    // empty printer name (the default printer) stays empty. Throws DatabaseError.
    static ShopInfo load(Database &settings);
};
