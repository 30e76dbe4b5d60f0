#include "printing/ReceiptPage.h"

#include "printing/RawPrinterSetup.h"
#include "printing/RawQueue.h"
#include "printing/ReceiptLayout.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include <cmath>

namespace {

constexpr double pointsPerMm = 72 / 25.4;

void setPage(QPrinter &printer, int widthPoints, int lengthPoints)
{
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageSize(QPageSize(QSize(widthPoints, lengthPoints), QStringLiteral("Receipt"),
                                  QPageSize::ExactMatch));
    const QPageLayout layout = printer.pageLayout();
    printer.setPageMargins(layout.minimumMargins(), layout.units());
}

} // namespace

ReceiptPage::Prepared ReceiptPage::prepare(QPrinter &printer, const ReceiptData &data,
                                           const ReceiptStyle &style)
{
    return prepare(printer, receiptPaper(data, style));
}

ReceiptPage::Prepared ReceiptPage::prepare(QPrinter &printer, const PaperLayout &layout)
{
    const int dpi = ReceiptLayout::layoutDpi;
    printer.setResolution(dpi);
    printer.setFullPage(false);

    int widthPoints = printer.pageLayout().pageSize().sizePoints().width();
    if (widthPoints <= 0)
        widthPoints = qRound(fallbackPaperWidthMm * pointsPerMm);
    // A first page of the paper's width tells the printable width.
    setPage(printer, widthPoints, std::max(widthPoints, 72));
    const int horzRes = printer.pageLayout().paintRectPixels(dpi).width();

    Prepared prepared;
    LaidOutPaper laid = layout({dpi, dpi, horzRes});
    prepared.drawing = std::move(laid.drawing);
    prepared.estimate = laid.estimate;

    const QMarginsF margins = printer.pageLayout().margins(QPageLayout::Point);
    const double drawnPoints =
        margins.top() + prepared.drawing.height * 72.0 / dpi + margins.bottom();
    const double estimatePoints = prepared.estimate / 10.0 * pointsPerMm;
    prepared.lengthPoints =
        std::max(1, static_cast<int>(std::ceil(std::max(drawnPoints, estimatePoints) - 1e-6)));
    setPage(printer, widthPoints, prepared.lengthPoints);
    return prepared;
}

PrintMargins::Paper ReceiptPage::paper(const QString &printerName, Database &settingsDb)
{
    // A raw queue prints its roll edge to edge, whatever paper CUPS gives the queue.
    if (!printerName.isEmpty() && RawQueue::isRaw(printerName)) {
        const int dots = RawPrinterSetup::load(settingsDb, printerName).paperDots;
        return {dots * 25.4 / RawPrinterSetup::dpi, 0, 0};
    }
    PrintMargins::Paper paper{fallbackPaperWidthMm, 0, 0};
    const QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
    if (printerName.isEmpty() || info.isNull())
        return paper;
    QPrinter printer(info, QPrinter::HighResolution);
    const int widthPoints = printer.pageLayout().pageSize().sizePoints().width();
    if (widthPoints <= 0)
        return paper;
    setPage(printer, widthPoints, std::max(widthPoints, 72));
    const QMarginsF edges = printer.pageLayout().margins(QPageLayout::Millimeter);
    paper.leftEdgeMm = edges.left();
    paper.rightEdgeMm = edges.right();
    paper.printableMm = widthPoints / pointsPerMm - edges.left() - edges.right();
    return paper;
}
