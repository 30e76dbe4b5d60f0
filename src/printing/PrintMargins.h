#pragma once

#include <QString>

// The paper margin and print offset of the print-information page, checked
// against the paper before they are stored: both are whole millimetres, and
// together they must leave the receipt's text on the paper with room to print.
class PrintMargins
{
public:
    // The paper of the receipt printer, in millimetres: the printable width
    // and the unprintable edges either side of it.
    struct Paper
    {
        double printableMm = 72;
        double leftEdgeMm = 4;
        double rightEdgeMm = 4;
    };

    // The text block keeps at least this share of the printable width.
    static constexpr double minimumShare = 0.5;

    // A stored unit is four screen pixels per typed millimetre; in millimetres
    // on the paper that is 4 / 96 inch.
    static double paperMmPerTypedMm() { return 4 * 25.4 / 96; }

    // Empty when MARGIN and OFFSET (as typed, empty meaning 0) keep the text
    // on PAPER; otherwise the message to show.
    static QString check(const QString &margin, const QString &offset, const Paper &paper);

    // Whether TEXT is empty or a whole number of at most four digits.
    static bool isWholeNumber(const QString &text);
};
