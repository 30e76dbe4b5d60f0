#include "sales/SaleTotals.h"

#include "sales/SaleNumbers.h"

#include <cmath>

bool SaleTotals::isFinite() const
{
    return std::isfinite(quantity) && std::isfinite(amount) && std::isfinite(discounted);
}

QString SaleTotals::summary(bool discountEnabled) const
{
    QString text = QStringLiteral(" 总量:") + SaleNumbers::quantity(quantity) +
                   QStringLiteral("  总额:") + SaleNumbers::money(amount);
    if (discountEnabled)
        text += QStringLiteral("  折后:") + SaleNumbers::money(discounted);
    return text;
}
