#pragma once

#include "spreadsheet/ExportCells.h"

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

// The numbers money() and quantity() show, as a workbook cell holds them,
// where that is sure without making the text: money below a billion not
// half-way between two cents, whole quantities below a million.
std::optional<ExportCells::Number> shownMoney(double value);
std::optional<ExportCells::Number> shownQuantity(double value);

} // namespace RecordValue
