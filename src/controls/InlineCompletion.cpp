#include "controls/InlineCompletion.h"

InlineCompletion::Result InlineCompletion::complete(const QStringList &entries,
                                                    const QString &typed, int selectionStart,
                                                    int selectionEnd)
{
    const int typedLength = int(typed.size());
    Result result{-1, typed, selectionStart, selectionEnd};
    // An empty box stays empty: nothing was typed that could be completed.
    if (!typed.isEmpty()) {
        for (int i = 0; i < entries.size(); ++i) {
            if (entries[i].startsWith(typed, Qt::CaseInsensitive)) {
                result.entry = i;
                result.text = entries[i];
                break;
            }
        }
    }
    // Typing in the middle keeps the caret where it was; typing at the end
    // selects the completed remainder (nothing when there is none).
    if (selectionEnd >= typedLength) {
        result.selectionStart = typedLength;
        result.selectionEnd = result.entry >= 0 ? int(result.text.size()) : typedLength;
    }
    return result;
}
