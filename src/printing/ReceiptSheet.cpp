#include "printing/ReceiptSheet.h"

#include "printing/RawPrinterSetup.h"
#include "printing/RawQueue.h"
#include "printing/RawReceiptJob.h"
#include "printing/ReceiptPage.h"
#include "printing/ReceiptPainter.h"
#include "printing/ReceiptPrinters.h"
#include "printing/ReceiptRenderer.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <memory>

ReceiptSheet ReceiptSheet::on(const QString &printerName, Database &settingsDb,
                              const PaperLayout &layout)
{
    if (!printerName.isEmpty() && RawQueue::isRaw(printerName))
        return onRaw(printerName, settingsDb, layout);
    std::unique_ptr<QPrinter> printer;
    if (printerName.isEmpty()) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setPageSize(QPageSize(QSizeF(ReceiptPage::fallbackPaperWidthMm, 297),
                                       QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
    } else {
        printer = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(printerName),
                                             QPrinter::HighResolution);
    }
    ReceiptSheet sheet;
    sheet.drawing = ReceiptPage::prepare(*printer, layout).drawing;
    sheet.page = printer->pageLayout();
    return sheet;
}

ReceiptSheet ReceiptSheet::onRaw(const QString &printerName, Database &settingsDb,
                                 const PaperLayout &layout)
{
    const RawPrinterSetup setup = RawPrinterSetup::load(settingsDb, printerName);
    LaidOutPaper paper = layout(RawReceiptJob::target(setup));
    const double widthMm = paper.drawing.width * 25.4 / RawPrinterSetup::dpi;
    const double lengthMm =
        std::max(ReceiptRenderer::drawnLength(paper.drawing), paper.estimate) / 10.0;
    ReceiptSheet sheet;
    sheet.drawing = std::move(paper.drawing);
    sheet.page = QPageLayout(QPageSize(QSizeF(widthMm, lengthMm), QPageSize::Millimeter,
                                       QStringLiteral("Receipt"), QPageSize::ExactMatch),
                             QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter);
    return sheet;
}

bool ReceiptSheet::writePdf(const QString &path, const QString &title) const
{
    QPdfWriter writer(path);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Quillmarch"));
    writer.setResolution(drawing.dpiY);
    if (!writer.setPageLayout(page))
        return false;
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    ReceiptPainter::paint(painter, drawing, writer.resolution(), writer.resolution());
    return painter.end();
}
