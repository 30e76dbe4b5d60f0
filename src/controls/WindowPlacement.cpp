#include "controls/WindowPlacement.h"

#include <algorithm>

namespace {

constexpr int gap = 8;

int clamp(int value, int low, int high)
{
    return std::max(low, std::min(value, high));
}

} // namespace

QPoint WindowPlacement::beside(const QSize &size, const QRect &keep, const QRect &screen)
{
    const int roomRight = screen.right() - keep.right() - gap;
    const int roomLeft = keep.left() - screen.left() - gap;
    const int roomBelow = screen.bottom() - keep.bottom() - gap;
    const int roomAbove = keep.top() - screen.top() - gap;
    const int top = clamp(keep.top(), screen.top(), screen.bottom() + 1 - size.height());
    const int left = clamp(keep.left(), screen.left(), screen.right() + 1 - size.width());
    if (roomRight >= size.width())
        return {keep.right() + 1 + gap, top};
    if (roomLeft >= size.width())
        return {keep.left() - gap - size.width(), top};
    if (roomBelow >= size.height())
        return {left, keep.bottom() + 1 + gap};
    if (roomAbove >= size.height())
        return {left, keep.top() - gap - size.height()};
    // No side has room: cover as little as the screen allows.
    const QPoint toRight(screen.right() + 1 - size.width(), top);
    const QPoint toLeft(screen.left(), top);
    return roomRight >= roomLeft ? toRight : toLeft;
}
