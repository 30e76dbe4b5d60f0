#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

// Reading and showing the values of stored sales, whatever type the engine
// hands back: a REAL may come as a double, an integer or a text.
namespace RecordValue {

// NaN for NULL; a text reads as atof reads it (not a number: 0).
double number(const QVariant &value);
// Empty for NULL.
QByteArray utf8(const QVariant &value);
// "%.2f" and "%g"; empty for NaN (a NULL column).
QString money(double value);
QString quantity(double value);

} // namespace RecordValue
