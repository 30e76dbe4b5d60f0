#pragma once

#include <QStringList>

// Inline completion of a combo box's typed text from its own list: the first
// entry that begins with the text (ignoring case, as the list search of the
// classic combo box does) is shown, and the part the user did not type is
// selected so that the next keystroke replaces it.
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

    // TYPED is the edit's text after the keystroke, SELECTIONSTART/END its
    // selection (both the caret position when nothing is selected).
    static Result complete(const QStringList &entries, const QString &typed, int selectionStart,
                           int selectionEnd);
};
