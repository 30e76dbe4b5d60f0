#pragma once

#include <QString>

class Database;

// The options row of USER_SET (the row whose directLogin is 6), the one place
// its statements live. Stored files keep the column order of USER_SET; this
// row uses set1 ... set7. Every function throws DatabaseError.
struct OptionsRow
{
    QString labelLanguage;     // set1: "1" English labels
    QString phoneEnabled;      // set2
    QString showProductCode;   // set3: "0" hides the product code
    QString template02;        // set4: "1" the second receipt template
    QString printer2;          // set5: empty means the default printer
    QString usePrinter2;       // set6
    QString paperLengthAdjust; // set7

    // False (and every text empty) when the row is missing.
    static bool read(Database &db, OptionsRow &row);
    // Adds the row, all texts empty, when it is missing.
    static void ensure(Database &db);

    static void storeLabelLanguage(Database &db, int language);
    static void storePhoneEnabled(Database &db, bool on);
    static void storeTemplate(Database &db, bool template02);
    static void storePrinter2(Database &db, const QString &name, bool use);
    static void storePaperLengthAdjust(Database &db, const QString &adjust);
    static void storeShowProductCode(Database &db, bool on);
};
