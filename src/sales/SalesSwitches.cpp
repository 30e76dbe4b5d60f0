#include "sales/SalesSwitches.h"

#include "data/LoginRow.h"
#include "data/OptionsRow.h"
#include "data/ShopRow.h"

void SalesSwitches::storeDiscountEnabled(Database &settings, bool on)
{
    ShopRow::storeSwitch(settings, ShopRow::Switch::Discount, on);
}

void SalesSwitches::storeCustomerEnabled(Database &settings, bool on)
{
    ShopRow::storeSwitch(settings, ShopRow::Switch::Customer, on);
}

void SalesSwitches::storeCashEnabled(Database &settings, bool on)
{
    ShopRow::storeSwitch(settings, ShopRow::Switch::Cash, on);
}

void SalesSwitches::storePhoneEnabled(Database &settings, bool on)
{
    OptionsRow::storePhoneEnabled(settings, on);
}

void SalesSwitches::storePaymentEnabled(Database &settings, bool on)
{
    LoginRow::storePaymentEnabled(settings, on);
}
