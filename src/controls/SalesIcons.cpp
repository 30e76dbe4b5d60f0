#include "controls/SalesIcons.h"

#include <QPainter>
#include <QPixmap>

namespace {

QPixmap canvas(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QIcon SalesIcons::window()
{
    QPixmap pixmap = canvas(32);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A receipt with a torn bottom edge and a few printed lines.
    QPolygonF paper;
    paper << QPointF(6, 2) << QPointF(26, 2);
    for (int i = 0; i <= 5; ++i)
        paper << QPointF(26 - i * 4, i % 2 ? 27 : 30);
    p.setPen(QPen(QColor(50, 100, 160), 1.5));
    p.setBrush(Qt::white);
    p.drawPolygon(paper);
    p.setPen(QPen(QColor(115, 151, 236), 2));
    for (int y = 8; y <= 20; y += 4)
        p.drawLine(QPointF(10, y), QPointF(y == 20 ? 16 : 22, y));
    return QIcon(pixmap);
}

QIcon SalesIcons::calculator()
{
    QPixmap pixmap = canvas(32);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1.2));
    p.setBrush(QColor(220, 222, 230));
    p.drawRoundedRect(QRectF(5, 1.5, 22, 29), 3, 3);
    p.setBrush(QColor(190, 220, 170));
    p.drawRect(QRectF(8, 4.5, 16, 6));
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col) {
            p.setBrush(row == 3 && col == 2 ? QColor(230, 120, 40) : QColor(90, 90, 100));
            p.drawRect(QRectF(8.5 + col * 5.5, 13 + row * 4.3, 4, 3));
        }
    return QIcon(pixmap);
}
