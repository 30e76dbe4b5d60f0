#include "core/NumberText.h"

#include <cerrno>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace {

locale_t cLocale()
{
    static locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return locale;
}

QString printfC(const char *format, double value)
{
    char buffer[512];
    locale_t previous = uselocale(cLocale());
    std::snprintf(buffer, sizeof buffer, format, value);
    uselocale(previous);
    return QString::fromLatin1(buffer);
}

} // namespace

namespace NumberText {

int toInt(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    errno = 0;
    const long value = strtol_l(bytes.constData(), nullptr, 10, cLocale());
    // Out-of-range input saturates instead of wrapping to nonsense.
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return int(value);
}

double toDouble(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    return strtod_l(bytes.constData(), nullptr, cLocale());
}

QString money(double value)
{
    // A value that rounds to nothing is "0.00", whatever its sign: cash a
    // fraction of a cent short of the total must not show "-0.00".
    if (std::abs(value) < 0.005)
        value = 0;
    return printfC("%.2f", value);
}

QString quantity(double value)
{
    if (value == 0)
        value = 0; // -0 is shown as "0"
    return printfC("%g", value);
}

} // namespace NumberText
