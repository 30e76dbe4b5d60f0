#pragma once

#include <QHeaderView>
#include <QSet>

// The header of a sortable list. A column that has been sorted is drawn by the
// header itself from then on: flat, its text shrunk to leave room, and the
// sorted column with a small triangle at its right (apex up ascending, down
// descending) in the button highlight and shadow colours. The other columns
// keep the style's look.
class SortableHeader : public QHeaderView
{
    Q_OBJECT

public:
    explicit SortableHeader(QWidget *parent = nullptr);

    // Moves the triangle to COLUMN with the direction; repaints the header.
    void setSortMark(int column, bool ascending);
    int sortColumn() const { return m_sortColumn; }
    bool sortAscending() const { return m_sortAscending; }
    bool isOwnerDrawn(int column) const { return m_ownerDrawn.contains(column); }

    // The triangle's two strokes for a section rectangle (left, top, right,
    // bottom exclusive as in the drawing rules): highlight first, then shadow.
    struct Triangle
    {
        QList<QPoint> highlight;
        QList<QPoint> shadow;
    };
    static Triangle triangle(const QRect &section, bool ascending);
    // The pixels of a one-pixel line from FROM up to, not including, TO.
    static QList<QPoint> linePixels(QPoint from, QPoint to);
    // Where the text of an owner-drawn section goes; empty when there is no room.
    static QRect textRect(const QRect &section, bool sortColumn, bool pressed);

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void paintOwnerDrawn(QPainter *painter, const QRect &rect, int logicalIndex) const;

    int m_sortColumn = -1;
    bool m_sortAscending = true;
    QSet<int> m_ownerDrawn;
    int m_pressed = -1;
    bool m_pressedInside = false;
};
