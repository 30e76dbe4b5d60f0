#include "controls/InlineCompletion.h"

namespace {

bool isWholeNumber(const QString &text)
{
    for (const QChar c : text)
        if (!c.isDigit())
            return false;
    return !text.isEmpty();
}

// The entry is the typed text itself, the typed whole number written with
// its one decimal ("8" names "8.0", eight tenths in the discount list, not
// "8.9" listed before it), or the typed text is its code (the part before
// the first "-"): "1234" names "1234-茶" and not "12345-咖啡".
bool namesWhole(const QString &entry, const QString &typed)
{
    if (entry.size() == typed.size())
        return true;
    if (entry.size() == typed.size() + 2 && entry.endsWith(QLatin1String(".0")) &&
        isWholeNumber(typed))
        return true;
    return entry.at(typed.size()) == QLatin1Char('-') && !typed.contains(QLatin1Char('-'));
}

} // namespace

int InlineCompletion::completingEntry(const QStringList &entries, const QString &typed)
{
    int first = -1;
    if (typed.isEmpty()) // an empty box stays empty: nothing was typed that could be completed
        return first;
    for (int i = 0; i < entries.size(); ++i) {
        if (!entries[i].startsWith(typed, Qt::CaseInsensitive))
            continue;
        if (namesWhole(entries[i], typed))
            return i;
        if (first < 0)
            first = i;
    }
    return first;
}

InlineCompletion::Result InlineCompletion::complete(const QStringList &entries,
                                                    const QString &typed, int selectionStart,
                                                    int selectionEnd)
{
    const int typedLength = int(typed.size());
    Result result{completingEntry(entries, typed), typed, selectionStart, selectionEnd};
    if (result.entry >= 0)
        result.text = entries[result.entry];
    // Typing in the middle keeps the caret where it was; typing at the end
    // selects the completed remainder (nothing when there is none).
    if (selectionEnd >= typedLength) {
        result.selectionStart = typedLength;
        result.selectionEnd = result.entry >= 0 ? int(result.text.size()) : typedLength;
    }
    return result;
}
