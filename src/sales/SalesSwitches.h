#pragma once

#include <QString>

class Database;

// The sales window's check boxes that are remembered between runs. Each
// writes one column of the settings database.
// Throws DatabaseError.
class SalesSwitches
{
public:
    static void storeDiscountEnabled(Database &settings, bool on);           // INFO set3
    static void storeCustomerEnabled(Database &settings, bool on);           // INFO set9
    static void storeCashEnabled(Database &settings, bool on);               // INFO set10
    static void storePhoneEnabled(Database &settings, bool on);              // options row set2
    static void storePaymentEnabled(Database &settings, bool on);            // login row set4
    static void storeLastPayment(Database &settings, const QString &method); // login row set5

private:
    static void storeInfo(Database &settings, const char *column, bool on);
};
