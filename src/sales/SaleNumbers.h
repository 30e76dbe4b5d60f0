#pragma once

#include <QString>

// The number texts of a sale. Typed numbers follow the atof rule; money is
// written "%.2f" and quantities "%g". A negative zero is written as zero, so
// "-0" or a rounded -0.4 never shows as "-0.00".
namespace SaleNumbers {

double value(const QString &text);
QString money(double value);
QString quantity(double value);
// Money rounded to two decimals as it is written, e.g. for storing.
double rounded(double value);

} // namespace SaleNumbers
