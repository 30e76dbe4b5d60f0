#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where a window of a given size goes so that it leaves a region in sight:
// right of it, else left, below or above it, within the screen; where none
// has room, on the side with the most, kept on the screen.
class WindowPlacement
{
public:
    static QPoint beside(const QSize &size, const QRect &keepInSight, const QRect &screen);
};
