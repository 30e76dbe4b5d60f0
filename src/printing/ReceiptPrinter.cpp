#include "printing/ReceiptPrinter.h"

#include "controls/DbOperation.h"
#include "controls/ModalDialogs.h"
#include "controls/Prompt.h"
#include "core/AppSettings.h"
#include "data/Database.h"
#include "printing/PrintFinishedDialog.h"
#include "printing/QueueState.h"
#include "printing/RawPrinterSetup.h"
#include "printing/RawQueue.h"
#include "printing/RawReceiptJob.h"
#include "printing/ReceiptPage.h"
#include "printing/ReceiptPainter.h"
#include "printing/ReceiptPrinters.h"
#include "printing/ReceiptStyle.h"
#include "data/ShopRow.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

ReceiptPrinter::ReceiptPrinter(AppSettings &settings, ShopRow &shop, QWidget *parent)
    : m_settings(settings), m_shop(shop), m_parent(parent)
{
}

bool ReceiptPrinter::printReceiptJob(const ReceiptData &data, const ReceiptSwitches &switches,
                                     const QString &printerName, Purpose purpose)
{
    const ReceiptStyle style = ReceiptStyle::from(m_settings, m_shop, switches);
    return print(receiptPaper(data, style), printerName, purpose);
}

bool ReceiptPrinter::printPaper(const PaperLayout &layout, const QString &printerName)
{
    return print(layout, printerName, Purpose::Reprint);
}

bool ReceiptPrinter::print(const PaperLayout &layout, const QString &printerName, Purpose purpose)
{
    m_lastPrinter = ReceiptPrinters::resolve(printerName);
    m_drawerOpened = false;
    if (m_lastPrinter.isEmpty()) {
        Prompt::instance().ask(m_parent, noPrinterMessage(), Prompt::applicationTitle(),
                               Prompt::Icon::NoIcon, Prompt::Buttons::Ok);
        return false;
    }
    const bool printed =
        RawQueue::isRaw(m_lastPrinter) ? printRaw(layout, purpose) : printDriven(layout);
    if (!printed)
        return false;
    // A queue that holds the job is said at once: the cashier would otherwise
    // wait at the printer for a receipt that is not coming.
    const QString waiting = QueueState::of(m_lastPrinter).waitingReason();
    if (!waiting.isEmpty())
        Prompt::warn(m_parent, QueueState::waitingMessage(m_lastPrinter, waiting));
    else if (m_shop.finishedNotice)
        showFinishedNotice();
    return true;
}

bool ReceiptPrinter::printDriven(const PaperLayout &layout)
{
    QPrinter printer(QPrinterInfo::printerInfo(m_lastPrinter), QPrinter::HighResolution);
    printer.setDocName(documentName());
    printer.setCopyCount(1);
    const ReceiptPage::Prepared page = ReceiptPage::prepare(printer, layout);

    QPainter painter;
    if (!painter.begin(&printer)) {
        Prompt::warn(m_parent, failedMessage());
        return false;
    }
    ReceiptPainter::paint(painter, page.drawing, printer.resolution(), printer.resolution());
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        Prompt::warn(m_parent, failedMessage());
        return false;
    }
    return true;
}

// No driver: the receipt goes as the printer's own raster picture, with the
// cut and, after a sale, the drawer pulse in the same job.
bool ReceiptPrinter::printRaw(const PaperLayout &layout, Purpose purpose)
{
    Database db;
    if (!DbOperation::open(db, m_settings.settingsDsn, m_parent))
        return false;
    RawPrinterSetup setup;
    if (!DbOperation::run(m_parent, [&] { setup = RawPrinterSetup::load(db, m_lastPrinter); }))
        return false;
    db.close();
    const RawReceiptJob job = RawReceiptJob::make(layout(RawReceiptJob::target(setup)).drawing,
                                                  purpose == Purpose::NewSale && setup.openDrawer);
    if (!RawQueue::submit(m_lastPrinter, documentName(), job.bytes)) {
        Prompt::warn(m_parent, failedMessage());
        return false;
    }
    m_drawerOpened = purpose == Purpose::NewSale && setup.openDrawer;
    return true;
}

void ReceiptPrinter::showFinishedNotice()
{
    PrintFinishedDialog notice(m_shop, m_settings.settingsDsn, m_parent);
    ModalDialogs::run(notice);
}
