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

} // namespace RecordValue
