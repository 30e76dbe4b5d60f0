#include "printing/ReceiptRenderer.h"

#include "printing/ReceiptLayout.h"
#include "printing/ReceiptPainter.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

ReceiptDrawing ReceiptRenderer::layout(const ReceiptData &data, const ReceiptStyle &style,
                                       qreal widthInches)
{
    ReceiptLayout::Target target;
    target.horzRes = static_cast<int>(widthInches * target.dpiX);
    return ReceiptLayout(data, style, target).renderReceipt();
}

int ReceiptRenderer::drawnLength(const ReceiptDrawing &drawing)
{
    if (drawing.dpiY <= 0)
        return 0;
    return static_cast<int>(std::ceil(drawing.height * 254.0 / drawing.dpiY));
}

QImage ReceiptRenderer::toImage(const ReceiptDrawing &drawing)
{
    QImage image(std::max(1, drawing.width), std::max(1, drawing.height), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(drawing.dpiX / 0.0254));
    image.setDotsPerMeterY(qRound(drawing.dpiY / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    ReceiptPainter::paint(painter, drawing, drawing.dpiX, drawing.dpiY);
    return image;
}

bool ReceiptRenderer::toPdf(const ReceiptDrawing &drawing, const QString &path)
{
    QPdfWriter writer(path);
    writer.setResolution(drawing.dpiY);
    writer.setTitle(QStringLiteral("收款收据"));
    const QSizeF size(drawing.width * 25.4 / drawing.dpiX, drawnLength(drawing) / 10.0);
    writer.setPageLayout(
        QPageLayout(QPageSize(size, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                    QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    ReceiptPainter::paint(painter, drawing, writer.resolution(), writer.resolution());
    return painter.end();
}
