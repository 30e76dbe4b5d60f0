#pragma once

#include <QStringList>

// Inline completion of a combo box's typed text from its own list: the first
// entry that begins with the text (ignoring case, as the list search of the
// classic combo box does) is shown, and the part the user did not type is
// selected so that the next keystroke replaces it.
//
// An entry that the text names in full wins over longer entries listed before
// it: the entry equal to the text, the whole number with its one decimal, or
// a "code-name" entry whose code is the text. A scanned "1234" so shows
// "1234-茶" even when "12345-咖啡" comes first, and a typed discount "8" shows
// "8.0" (eight tenths) even though "8.9" comes first.
class InlineCompletion
{
public:
    struct Result
    {
        int entry = -1; // the completing entry, -1 when none begins with the text
        QString text;
        int selectionStart = 0;
        int selectionEnd = 0;
    };

    // The index of the entry that completes TYPED; -1 when none does.
    static int completingEntry(const QStringList &entries, const QString &typed);

    // TYPED is the edit's text after the keystroke, SELECTIONSTART/END its
    // selection (both the caret position when nothing is selected).
    static Result complete(const QStringList &entries, const QString &typed, int selectionStart,
                           int selectionEnd);
};
