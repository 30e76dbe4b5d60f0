#include "printing/ReceiptPreview.h"

#include "app/AppSettings.h"
#include "app/Prompt.h"
#include "printing/CMainFrame.h"
#include "printing/PrepareReceiptData.h"
#include "printing/PrintHost.h"
#include "printing/ReceiptPage.h"
#include "printing/ReceiptPainter.h"
#include "printing/ReceiptPrinter.h"
#include "printing/ReceiptPrinters.h"
#include "printing/ReceiptStyle.h"
#include "printing/ShopPrintSettings.h"

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

} // namespace

CMainFrame *ReceiptPreview::open(PrintHost &host, AppSettings &settings, ShopPrintSettings &shop)
{
    const SaleSnapshot sale = host.takeSale();
    const ReceiptData data = prepareReceiptData(sale, settings.labelLanguage, shop.showPrice);
    const ReceiptStyle style = ReceiptStyle::from(settings, shop, sale.switches);

    const QString name = ReceiptPrinters::resolve(shop.printer1Name);
    std::unique_ptr<QPrinter> printer = printerFor(name, host.window());
    printer->setDocName(ReceiptPrinter::documentName());
    const int nativeDpi = name.isEmpty() ? 0 : ReceiptPrinters::nativeDpi(name);
    auto drawing = std::make_shared<ReceiptDrawing>(
        ReceiptPage::prepare(*printer, data, style, nativeDpi).drawing);

    auto *frame = new CMainFrame(host.window(), std::move(printer), [drawing](QPrinter &target) {
        QPainter painter(&target);
        ReceiptPainter::paint(painter, *drawing, target.resolution(), target.resolution());
    });
    frame->showMaximized();
    return frame;
}
