#include "printing/ReceiptPainter.h"

#include "printing/ReceiptDrawing.h"

#include <QGlyphRun>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPen>
#include <QTextLayout>

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

// One line with its top-left corner at ORIGIN. The glyphs are placed where
// the layout measured them, in the drawing's dots, and only then scaled to
// the device: text shaped at the device's own size (its letter spacing above
// all) would no longer fit the cells the layout made for it.
void paintLine(QPainter &painter, const QFont &font, qreal ascent, const QPoint &origin,
               const QString &text)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setNumColumns(static_cast<int>(text.size()));
    layout.endLayout();
    const QPointF baseline(origin.x(), origin.y() + ascent - line.ascent());
    for (const QGlyphRun &run : layout.glyphRuns())
        painter.drawGlyphRun(baseline, run);
}

void paintTexts(QPainter &painter, const ReceiptDrawing &drawing)
{
    painter.setPen(Qt::black);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const ReceiptDrawing::Text &text : drawing.texts) {
        const ReceiptFont font = drawing.fontOf(text);
        const QFont spaced = font.withExtra(text.extra);
        for (qsizetype i = 0; i < text.lines.size(); ++i) {
            if (!text.lines.at(i).isEmpty())
                paintLine(painter, spaced, font.ascent(), text.origins.at(i), text.lines.at(i));
        }
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
