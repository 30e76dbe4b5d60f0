#pragma once

#include <QFont>
#include <QList>
#include <QString>

// Measuring and breaking receipt texts the way the layout needs: one line
// widths, and texts broken into lines that fit a width (line feeds break too).
class ReceiptText
{
public:
    struct Line
    {
        QString text;
        int width = 0; // dots, trailing blanks not counted
    };

    enum class Breaks
    {
        Words,        // only between words; an overlong word stands alone
        WordsOrGlyphs // and inside an overlong word, so nothing is lost
    };

    // Width of TEXT as one line, in dots (rounded up).
    static int width(const QFont &font, const QString &text);

    // TEXT broken to lines of at most WIDTH dots; at least one line.
    static QList<Line> wrap(const QFont &font, const QString &text, int width, Breaks breaks);
};
