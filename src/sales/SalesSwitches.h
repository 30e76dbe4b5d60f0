#pragma once

class Database;

// The sales window's check boxes that are remembered between runs. Each
// writes one column of the shop row, the login row or the options row.
// Throws DatabaseError.
class SalesSwitches
{
public:
    static void storeDiscountEnabled(Database &settings, bool on); // shop row set3
    static void storeCustomerEnabled(Database &settings, bool on); // shop row set9
    static void storeCashEnabled(Database &settings, bool on);     // shop row set10
    static void storePhoneEnabled(Database &settings, bool on);    // options row set2
    static void storePaymentEnabled(Database &settings, bool on);  // login row set4
};
