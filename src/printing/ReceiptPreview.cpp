#include "printing/ReceiptPreview.h"

#include "controls/DbOperation.h"
#include "controls/Prompt.h"
#include "core/AppSettings.h"
#include "printing/PrepareReceiptData.h"
#include "printing/RawPrinterSetup.h"
#include "printing/RawQueue.h"
#include "printing/ReceiptPage.h"
#include "printing/ReceiptPainter.h"
#include "printing/ReceiptPreviewWindow.h"
#include "printing/ReceiptPrinter.h"
#include "printing/ReceiptPrinters.h"
#include "printing/ReceiptRaster.h"
#include "printing/ReceiptStyle.h"
#include "printing/SaleSnapshot.h"
#include "data/ShopRow.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <memory>

namespace {

std::unique_ptr<QPrinter> printerFor(const QString &name, QWidget *parent)
{
    if (!name.isEmpty())
        return std::make_unique<QPrinter>(QPrinterInfo::printerInfo(name),
                                          QPrinter::HighResolution);
    Prompt::info(parent, ReceiptPreview::noPrinterMessage());
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setPageSize(QPageSize(QSizeF(ReceiptPage::fallbackPaperWidthMm, 297),
                                   QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
    return printer;
}

// A page exactly the roll's printed width by the picture's length, no margins.
void setRollPage(QPrinter &printer, const QSize &dots)
{
    const qreal mmPerDot = 25.4 / RawPrinterSetup::dpi;
    printer.setFullPage(true);
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageSize(QPageSize(QSizeF(dots.width() * mmPerDot, dots.height() * mmPerDot),
                                  QPageSize::Millimeter, QStringLiteral("Receipt"),
                                  QPageSize::ExactMatch));
    printer.setPageMargins(QMarginsF(), QPageLayout::Millimeter);
}

} // namespace

ReceiptPreviewWindow *ReceiptPreview::open(QWidget *parent, const SaleSnapshot &sale,
                                           Database &settingsDb, AppSettings &settings,
                                           ShopRow &shop)
{
    const ReceiptData data = prepareReceiptData(sale, settings.labelLanguage, shop.showPrice);
    const ReceiptStyle style = ReceiptStyle::from(settings, shop, sale.switches);

    const QString name = ReceiptPrinters::resolve(shop.printer1Name);
    std::unique_ptr<QPrinter> printer = printerFor(name, parent);
    printer->setDocName(ReceiptPrinter::documentName());
    ReceiptPreviewWindow::Draw draw;
    if (!name.isEmpty() && RawQueue::isRaw(name)) {
        // A printer without a driver prints the one-bit picture: show that.
        RawPrinterSetup setup;
        DbOperation::run(parent, [&] { setup = RawPrinterSetup::load(settingsDb, name); });
        auto raster = std::make_shared<QImage>(ReceiptRaster::of(data, style, setup.paperDots));
        setRollPage(*printer, raster->size());
        draw = [raster](QPrinter &target) {
            QPainter painter(&target);
            const qreal scale = target.resolution() / qreal(RawPrinterSetup::dpi);
            painter.drawImage(QRectF(0, 0, raster->width() * scale, raster->height() * scale),
                              *raster);
        };
    } else {
        auto drawing =
            std::make_shared<ReceiptDrawing>(ReceiptPage::prepare(*printer, data, style).drawing);
        draw = [drawing](QPrinter &target) {
            QPainter painter(&target);
            ReceiptPainter::paint(painter, *drawing, target.resolution(), target.resolution());
        };
    }

    auto *frame = new ReceiptPreviewWindow(parent, std::move(printer), std::move(draw));
    frame->showMaximized();
    return frame;
}
