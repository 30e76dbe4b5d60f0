#include "controls/SortableHeader.h"

#include <QMouseEvent>
#include <QPainter>

#include <cstdlib>

namespace {

// Lines drawn the way the classic line-to primitive draws them: one pixel
// wide, each segment from its first point up to but not including its last,
// in the direction given. (Qt's own lines may leave out either end.)
void drawPolyline(QPainter &painter, const QList<QPoint> &points, const QColor &colour)
{
    for (int i = 1; i < points.size(); ++i) {
        for (const QPoint &pixel : SortableHeader::linePixels(points[i - 1], points[i]))
            painter.fillRect(QRect(pixel, QSize(1, 1)), colour);
    }
}

} // namespace

SortableHeader::SortableHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(true);
    setHighlightSections(false);
    setSortIndicatorShown(false);
}

void SortableHeader::setSortMark(int column, bool ascending)
{
    m_sortColumn = column;
    m_sortAscending = ascending;
    m_ownerDrawn.insert(column);
    viewport()->update();
}

QList<QPoint> SortableHeader::linePixels(QPoint from, QPoint to)
{
    // Bresenham from FROM towards TO, stopping before TO.
    QList<QPoint> pixels;
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const int stepX = from.x() < to.x() ? 1 : -1;
    const int stepY = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    QPoint at = from;
    while (at != to) {
        pixels.append(at);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            at.rx() += stepX;
        }
        if (twice <= dx) {
            error += dx;
            at.ry() += stepY;
        }
    }
    return pixels;
}

SortableHeader::Triangle SortableHeader::triangle(const QRect &section, bool ascending)
{
    const int right = section.left() + section.width();
    const int top = section.top();
    const int bottom = section.top() + section.height();
    const int o = (bottom - top) / 4;
    // Heights are measured from the top of the header, which is the section's top.
    if (ascending)
        return {{QPoint(right - 2 * o, o), QPoint(right - o, bottom - o - 1),
                 QPoint(right - 3 * o - 2, bottom - o - 1)},
                {QPoint(right - 3 * o - 1, bottom - o - 1), QPoint(right - 2 * o, o - 1)}};
    return {{QPoint(right - o - 1, o), QPoint(right - 2 * o - 1, bottom - o)},
            {QPoint(right - 2 * o - 2, bottom - o), QPoint(right - 3 * o - 1, o),
             QPoint(right - o - 1, o)}};
}

QRect SortableHeader::textRect(const QRect &section, bool sortColumn, bool pressed)
{
    int left = section.left();
    int top = section.top();
    int right = section.left() + section.width();
    const int bottom = section.top() + section.height();
    const int o = (bottom - top) / 4;
    if (pressed) {
        left += 1;
        right += 1;
        top += 2;
    }
    if (sortColumn)
        right -= 3 * o;
    left += o;
    right -= o;
    if (left >= right)
        return {};
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

void SortableHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    if (m_ownerDrawn.contains(logicalIndex))
        paintOwnerDrawn(painter, rect, logicalIndex);
    else
        QHeaderView::paintSection(painter, rect, logicalIndex);
}

void SortableHeader::paintOwnerDrawn(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    painter->save();
    painter->setClipRect(rect);
    painter->fillRect(rect, palette().button());
    // The thin separators the other sections have, so the row stays one piece.
    painter->setPen(palette().color(QPalette::Mid));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());

    const bool sorted = logicalIndex == m_sortColumn;
    const bool pressed = logicalIndex == m_pressed && m_pressedInside;
    const QRect textArea = textRect(rect, sorted, pressed);
    if (!textArea.isEmpty()) {
        const QString text =
            model() ? model()->headerData(logicalIndex, orientation()).toString() : QString();
        const int format =
            model()
                ? model()->headerData(logicalIndex, orientation(), Qt::TextAlignmentRole).toInt()
                : 0;
        Qt::Alignment align = Qt::AlignLeft;
        if (format & Qt::AlignHCenter)
            align = Qt::AlignHCenter;
        else if (format & Qt::AlignRight)
            align = Qt::AlignRight;
        painter->setFont(font());
        painter->setPen(palette().color(QPalette::ButtonText));
        const QString shown =
            painter->fontMetrics().elidedText(text.left(255), Qt::ElideRight, textArea.width());
        painter->drawText(textArea, int(align | Qt::AlignVCenter | Qt::TextSingleLine), shown);
    }

    if (sorted) {
        const Triangle marks = triangle(rect, m_sortAscending);
        drawPolyline(*painter, marks.highlight, palette().color(QPalette::Light));
        drawPolyline(*painter, marks.shadow, palette().color(QPalette::Dark));
    }
    painter->restore();
}

void SortableHeader::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = logicalIndexAt(event->position().toPoint());
        m_pressedInside = true;
    }
    QHeaderView::mousePressEvent(event);
    viewport()->update();
}

void SortableHeader::mouseMoveEvent(QMouseEvent *event)
{
    if (m_pressed >= 0) {
        const bool inside = logicalIndexAt(event->position().toPoint()) == m_pressed;
        if (inside != m_pressedInside) {
            m_pressedInside = inside;
            viewport()->update();
        }
    }
    QHeaderView::mouseMoveEvent(event);
}

void SortableHeader::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = -1;
        m_pressedInside = false;
    }
    QHeaderView::mouseReleaseEvent(event);
    viewport()->update();
}
