#pragma once

#include <QString>

class Database;

// The login row of USER_SET (id 1), the one place its statements live: the
// last user who logged in, that user's power, whether the next start skips
// the login dialog, the receipt-number format, the payment switch and last
// method, and the receipt fonts. Stored files keep the column order
// id, userName, userPower, directLogin, set1 ... set10. Every function
// throws DatabaseError.
struct LoginRow
{
    QString userName;
    QString userPower;
    QString directLogin;
    QString useCustomPrefix; // set1: "1" the custom prefix is on
    QString useDatePrefix;   // set2: "1" today's date follows
    QString customPrefix;    // set3
    QString paymentEnabled;  // set4
    QString lastPayment;     // set5
    QString titleFont;       // set6
    QString titleSize;       // set7
    QString bodyFont;        // set8
    QString bodySize;        // set9
    QString lineSpacing;     // set10

    // False (and every text empty) when there is no row 1.
    static bool read(Database &db, LoginRow &row);

    static void store(Database &db, const QString &name, const QString &power, bool directLogin);
    static void cancelDirectLogin(Database &db);
    static void storeReceiptFormat(Database &db, bool useCustom, bool useDate,
                                   const QString &custom);
    static void storePaymentEnabled(Database &db, bool on);
    static void storeLastPayment(Database &db, const QString &method);
    static void storeFonts(Database &db, const QString &titleFont, const QString &titleSize,
                           const QString &bodyFont, const QString &bodySize,
                           const QString &lineSpacing);
};
