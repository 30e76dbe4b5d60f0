#pragma once

#include <QColor>
#include <QList>

// The face of a hover button: 64 colours from white down to a light blue
// (normal) or a light sand (hovered), painted one row at a time from the top,
// upside down while the button is pressed.
class ButtonGradient
{
public:
    static constexpr int kColours = 64;

    // Colour I (0 to 63): red = green = 255 - I/2, blue 255 - I hovered,
    // 255 - I/5 otherwise.
    static QColor colour(int index, bool hovered);

    // The colour index of every painted row y = top .. h + 1, h = bottom - top,
    // in client coordinates as the rows are painted: min(63, 63 * y / h),
    // mirrored top to bottom while pressed.
    static QList<int> rowIndices(int top, int bottom, bool pressed);
};
