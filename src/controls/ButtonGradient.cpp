#include "controls/ButtonGradient.h"

#include <algorithm>

QColor ButtonGradient::colour(int index, bool hovered)
{
    index = std::clamp(index, 0, kColours - 1);
    const int redGreen = 255 - index / 2;
    return QColor(redGreen, redGreen, hovered ? 255 - index : 255 - index / 5);
}

QList<int> ButtonGradient::rowIndices(int top, int bottom, bool pressed)
{
    const int h = bottom - top;
    QList<int> indices;
    if (h <= 0)
        return indices;
    // The index runs on the client row number, not on the distance from the
    // top, so the last rows of a small button all reach colour 63.
    for (int y = top; y < h + 2; ++y)
        indices.append(std::min(kColours - 1, (kColours - 1) * y / h));
    if (pressed)
        std::reverse(indices.begin(), indices.end());
    return indices;
}
