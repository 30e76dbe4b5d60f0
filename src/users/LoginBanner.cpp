#include "users/LoginBanner.h"

#include <QLinearGradient>
#include <QPainter>

LoginBanner::LoginBanner(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize LoginBanner::sizeHint() const
{
    return {340, 78};
}

void LoginBanner::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = rect();

    QLinearGradient band(area.topLeft(), area.bottomLeft());
    band.setColorAt(0.0, QColor(40, 110, 190));
    band.setColorAt(1.0, QColor(20, 70, 140));
    painter.fillRect(area, band);

    // A receipt roll drawn on the left.
    const QRectF roll(18, 14, 34, area.height() - 28);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 235));
    painter.drawRoundedRect(roll, 3, 3);
    painter.setPen(QPen(QColor(120, 150, 190), 1.5));
    for (qreal y = roll.top() + 9; y < roll.bottom() - 6; y += 7)
        painter.drawLine(QPointF(roll.left() + 6, y), QPointF(roll.right() - 6, y));

    QFont title = font();
    title.setPixelSize(26);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(68, 10, area.width() - 76, 34), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Quillmarch"));

    QFont subtitle = font();
    subtitle.setPixelSize(13);
    painter.setFont(subtitle);
    painter.setPen(QColor(220, 235, 255));
    painter.drawText(QRectF(70, 44, area.width() - 78, 22), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("收银小票打印  V%1").arg(QStringLiteral(QM_VERSION)));
}
