#include "sales/SaleNumbers.h"

#include "core/NumberText.h"

namespace SaleNumbers {

double value(const QString &text)
{
    return NumberText::toDouble(text);
}

namespace {

// "-0.00" and "-0" name zero; the sign is dropped.
QString withoutNegativeZero(QString text)
{
    if (!text.startsWith(QLatin1Char('-')))
        return text;
    for (const QChar c : text)
        if (c.isDigit() && c != QLatin1Char('0'))
            return text;
    if (text.contains(QLatin1Char('e')) || text.contains(QLatin1Char('n')))
        return text; // "-1e-07" has a non-zero digit anyway; "-inf", "-nan" stay
    return text.mid(1);
}

} // namespace

QString money(double value)
{
    return withoutNegativeZero(NumberText::money(value));
}

QString quantity(double value)
{
    return withoutNegativeZero(NumberText::quantity(value));
}

double rounded(double value)
{
    return NumberText::toDouble(money(value));
}

} // namespace SaleNumbers
