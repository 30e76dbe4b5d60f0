#include "records/RecordValue.h"

#include "core/NumberText.h"

#include <cmath>
#include <limits>

namespace RecordValue {

double number(const QVariant &value)
{
    if (value.isNull())
        return std::numeric_limits<double>::quiet_NaN();
    switch (value.typeId()) {
    case QMetaType::QString:
        return NumberText::toDouble(value.toString());
    case QMetaType::QByteArray:
        return NumberText::toDouble(QString::fromUtf8(value.toByteArray()));
    default:
        return value.toDouble();
    }
}

QByteArray utf8(const QVariant &value)
{
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::QString)
        return value.toString().toUtf8();
    return value.toByteArray();
}

QString money(double value)
{
    return std::isnan(value) ? QString() : NumberText::money(value);
}

QString quantity(double value)
{
    return std::isnan(value) ? QString() : NumberText::quantity(value);
}

std::optional<ExportCells::Number> shownMoney(double value)
{
    // "%.2f" rounds the exact value to whole cents. The product with 100
    // rounds to the same cents unless it lies about half-way, where its own
    // rounding error could tip it. Cents divided by 100 is the double that the
    // text reads as: both are the double nearest the same decimal.
    if (!(std::abs(value) < 1e9))
        return std::nullopt; // NaN, or too large for that margin
    const double cents = value * 100;
    const double whole = std::nearbyint(cents);
    if (std::abs(std::abs(cents - whole) - 0.5) < 1e-3)
        return std::nullopt;
    return ExportCells::Number{whole == 0 ? 0.0 : whole / 100, 2};
}

std::optional<ExportCells::Number> shownQuantity(double value)
{
    // "%g" writes a whole number below a million with all its digits.
    if (!(std::abs(value) < 1e6) || value != std::trunc(value))
        return std::nullopt;
    return ExportCells::Number{value == 0 ? 0.0 : value, 0};
}

} // namespace RecordValue
