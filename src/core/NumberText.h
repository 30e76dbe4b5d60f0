#pragma once

#include <QString>

// Reading typed numbers the way the C library's atoi/atof do: the leading
// numeric prefix after optional blanks, 0 when there is none. Independent of
// the locale ("." is always the decimal point).
namespace NumberText {

int toInt(const QString &text);
double toDouble(const QString &text);

// "%.2f" and "%g" as printf writes them, but never "-0.00" or "-0".
QString money(double value);
QString quantity(double value);

} // namespace NumberText
