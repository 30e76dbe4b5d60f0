#include "sales/SalesSwitches.h"

#include "data/Database.h"

namespace {

QString flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

void SalesSwitches::storeInfo(Database &settings, const char *column, bool on)
{
    settings.exec(QStringLiteral("update \"INFO\" set \"%1\" = ? where \"id\" = ?")
                      .arg(QLatin1String(column)),
                  {flag(on), QStringLiteral("1")});
}

void SalesSwitches::storeDiscountEnabled(Database &settings, bool on)
{
    storeInfo(settings, "set3", on);
}

void SalesSwitches::storeCustomerEnabled(Database &settings, bool on)
{
    storeInfo(settings, "set9", on);
}

void SalesSwitches::storeCashEnabled(Database &settings, bool on)
{
    storeInfo(settings, "set10", on);
}

void SalesSwitches::storePhoneEnabled(Database &settings, bool on)
{
    settings.exec(QStringLiteral("update \"USER_SET\" set \"set2\" = ? where \"directLogin\" = 6"),
                  {flag(on)});
}

void SalesSwitches::storePaymentEnabled(Database &settings, bool on)
{
    settings.exec(QStringLiteral("update \"USER_SET\" set \"set4\" = ? where \"id\" = 1"),
                  {flag(on)});
}
