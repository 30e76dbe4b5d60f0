#include "printing/ReceiptPainter.h"

#include "printing/ReceiptDrawing.h"

#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPen>

namespace {

void paintRules(QPainter &painter, const ReceiptDrawing &drawing)
{
    QPen pen(Qt::black, 1, Qt::DotLine, Qt::FlatCap);
    painter.setPen(pen);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const ReceiptDrawing::Rule &rule : drawing.rules)
        painter.drawLine(QPointF(rule.x1, rule.y + 0.5), QPointF(rule.x2, rule.y + 0.5));
}

void paintLogos(QPainter &painter, const ReceiptDrawing &drawing)
{
    for (const ReceiptDrawing::Logo &logo : drawing.logos) {
        // A missing or unreadable picture leaves its place empty.
        QImageReader reader(logo.path);
        const QImage image = reader.read();
        if (image.isNull())
            continue;
        const QRect source(QPoint(0, 0), logo.target.size());
        const QRect available = source.intersected(image.rect());
        painter.drawImage(QRect(logo.target.topLeft(), available.size()), image, available);
    }
}

void paintTexts(QPainter &painter, const ReceiptDrawing &drawing)
{
    painter.setPen(Qt::black);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const ReceiptDrawing::Text &text : drawing.texts) {
        const ReceiptFont &font =
            text.font == ReceiptDrawing::FontRole::Title ? drawing.titleFont : drawing.bodyFont;
        painter.setFont(font.withExtra(text.extra));
        if (text.clip) {
            painter.save();
            painter.setClipRect(text.box);
        }
        for (qsizetype i = 0; i < text.lines.size(); ++i) {
            const QPoint origin = text.origins.at(i);
            painter.drawText(QPointF(origin.x(), origin.y() + font.ascent()), text.lines.at(i));
        }
        if (text.clip)
            painter.restore();
    }
}

} // namespace

void ReceiptPainter::paint(QPainter &painter, const ReceiptDrawing &drawing, qreal deviceDpiX,
                           qreal deviceDpiY)
{
    painter.save();
    if (drawing.dpiX > 0 && drawing.dpiY > 0)
        painter.scale(deviceDpiX / drawing.dpiX, deviceDpiY / drawing.dpiY);
    paintLogos(painter, drawing);
    paintRules(painter, drawing);
    paintTexts(painter, drawing);
    painter.restore();
}
