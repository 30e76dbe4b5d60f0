#include "controls/ListSorter.h"

#include "controls/TextOrder.h"
#include "core/NumberText.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <string>
#include <utility>

namespace {

locale_t cLocale()
{
    static locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return locale;
}

// The numeric prefix that atoi/atof read is pure ASCII, so it is enough to
// copy the text up to its first non-ASCII character. Saves an allocation per
// cell, which matters on a hundred thousand rows.
constexpr qsizetype kPrefixMax = 127;

bool asciiPrefix(QStringView text, char (&buffer)[kPrefixMax + 1])
{
    qsizetype i = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x80 || c == 0)
            break;
        if (i == kPrefixMax)
            return false;
        buffer[i] = char(c);
    }
    buffer[i] = '\0';
    return true;
}

template <class Key>
std::vector<int> sortedPositions(std::vector<std::pair<Key, int>> &keyed, bool ascending)
{
    // The keys travel with their positions, so the sort reads memory in order.
    if (ascending)
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto &a, const auto &b) { return a.first < b.first; });
    else
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto &a, const auto &b) { return b.first < a.first; });
    std::vector<int> order;
    order.reserve(keyed.size());
    for (const auto &entry : keyed)
        order.push_back(entry.second);
    return order;
}

template <class Key, class MakeKey>
std::vector<int> stableOrder(const std::vector<QStringView> &texts, bool ascending, MakeKey makeKey)
{
    std::vector<std::pair<Key, int>> keyed;
    keyed.reserve(texts.size());
    for (size_t i = 0; i < texts.size(); ++i)
        keyed.emplace_back(makeKey(texts[i]), int(i));
    return sortedPositions(keyed, ascending);
}

// A text that reads as "nan" has no place among numbers; it goes first so the
// sort stays a proper order.
double decimalKey(QStringView text)
{
    const double value = ListSorter::decimalOf(text);
    return std::isnan(value) ? -std::numeric_limits<double>::infinity() : value;
}

template <class T> int sign(const T &a, const T &b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

ColumnKind ListSorter::kindOf(int column, QStringView sample)
{
    if (column == 1)
        return ColumnKind::Text;
    if (sample.contains(u'.'))
        return ColumnKind::Decimal;
    if (sample.contains(u'年') && sample.contains(u'月') && sample.contains(u'日'))
        return ColumnKind::Date;
    if (sample.isEmpty())
        return ColumnKind::Text;
    for (QChar c : sample) {
        if (c < u'0' || c > u'9')
            return ColumnKind::Text;
    }
    return ColumnKind::Integer;
}

int ListSorter::integerOf(QStringView text)
{
    char buffer[kPrefixMax + 1];
    if (!asciiPrefix(text, buffer))
        return NumberText::toInt(text.toString());
    const long value = strtol_l(buffer, nullptr, 10, cLocale());
    return int(std::clamp<long>(value, INT_MIN, INT_MAX));
}

double ListSorter::decimalOf(QStringView text)
{
    char buffer[kPrefixMax + 1];
    if (!asciiPrefix(text, buffer))
        return NumberText::toDouble(text.toString());
    return strtod_l(buffer, nullptr, cLocale());
}

ListSorter::Date ListSorter::dateOf(QStringView text)
{
    // Each part is the integer that follows the previous marker; a missing
    // marker leaves its part 0.
    Date date;
    const qsizetype year = text.indexOf(u'年');
    if (year < 0)
        return date;
    date.year = integerOf(text.left(year));
    const qsizetype month = text.indexOf(u'月', year + 1);
    if (month < 0)
        return date;
    date.month = integerOf(text.mid(year + 1, month - year - 1));
    const qsizetype day = text.indexOf(u'日', month + 1);
    if (day < 0)
        return date;
    date.day = integerOf(text.mid(month + 1, day - month - 1));
    return date;
}

int ListSorter::compare(ColumnKind kind, QStringView a, QStringView b, TextOrder &textOrder)
{
    switch (kind) {
    case ColumnKind::Integer:
        return sign(integerOf(a), integerOf(b));
    case ColumnKind::Decimal:
        return sign(decimalKey(a), decimalKey(b));
    case ColumnKind::Date:
        return sign(dateOf(a), dateOf(b));
    case ColumnKind::Text:
        break;
    }
    return textOrder.compare(a, b);
}

std::vector<int> ListSorter::order(const std::vector<QStringView> &texts, ColumnKind kind,
                                   bool ascending, TextOrder &textOrder)
{
    switch (kind) {
    case ColumnKind::Integer:
        return stableOrder<int>(texts, ascending, integerOf);
    case ColumnKind::Decimal:
        return stableOrder<double>(texts, ascending, decimalKey);
    case ColumnKind::Date:
        return stableOrder<Date>(texts, ascending, dateOf);
    case ColumnKind::Text:
        break;
    }
    std::vector<std::string> keys = textOrder.sortKeys(texts);
    std::vector<std::pair<std::string, int>> keyed;
    keyed.reserve(keys.size());
    for (size_t i = 0; i < keys.size(); ++i)
        keyed.emplace_back(std::move(keys[i]), int(i));
    return sortedPositions(keyed, ascending);
}

std::vector<int> ListSorter::order(const std::vector<double> &numbers, bool ascending)
{
    std::vector<std::pair<double, int>> keyed;
    keyed.reserve(numbers.size());
    for (size_t i = 0; i < numbers.size(); ++i)
        keyed.emplace_back(
            std::isnan(numbers[i]) ? -std::numeric_limits<double>::infinity() : numbers[i], int(i));
    return sortedPositions(keyed, ascending);
}

std::vector<int> ListSorter::order(const std::vector<int> &ranks, bool ascending)
{
    std::vector<std::pair<int, int>> keyed;
    keyed.reserve(ranks.size());
    for (size_t i = 0; i < ranks.size(); ++i)
        keyed.emplace_back(ranks[i], int(i));
    return sortedPositions(keyed, ascending);
}
