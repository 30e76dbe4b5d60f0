#include "sales/SaleNumbers.h"

#include "core/NumberText.h"

namespace SaleNumbers {

double value(const QString &text)
{
    return NumberText::toDouble(text);
}

// Neither shows "-0.00" or "-0": NumberText drops the sign of a zero.
QString money(double value)
{
    return NumberText::money(value);
}

QString quantity(double value)
{
    return NumberText::quantity(value);
}

double rounded(double value)
{
    return NumberText::toDouble(money(value));
}

} // namespace SaleNumbers
