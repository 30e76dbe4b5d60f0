#include "printing/ReceiptPrinter.h"

#include "app/AppSettings.h"
#include "app/Prompt.h"
#include "printing/PrintFinishedDialog.h"
#include "printing/ReceiptPage.h"
#include "printing/ReceiptPainter.h"
#include "printing/ReceiptPrinters.h"
#include "printing/ReceiptStyle.h"
#include "printing/ShopPrintSettings.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

ReceiptPrinter::ReceiptPrinter(AppSettings &settings, ShopPrintSettings &shop, QWidget *parent)
    : m_settings(settings), m_shop(shop), m_parent(parent)
{
}

bool ReceiptPrinter::printReceiptJob(const ReceiptData &data, const ReceiptSwitches &switches,
                                     const QString &printerName)
{
    m_lastPrinter = ReceiptPrinters::resolve(printerName);
    if (m_lastPrinter.isEmpty()) {
        Prompt::instance().ask(m_parent, noPrinterMessage(), Prompt::applicationTitle(),
                               Prompt::Icon::NoIcon, Prompt::Buttons::Ok);
        return false;
    }
    QPrinter printer(QPrinterInfo::printerInfo(m_lastPrinter), QPrinter::HighResolution);
    printer.setDocName(documentName());
    printer.setCopyCount(1);
    const ReceiptStyle style = ReceiptStyle::from(m_settings, m_shop, switches);
    const ReceiptPage::Prepared page =
        ReceiptPage::prepare(printer, data, style, ReceiptPrinters::nativeDpi(m_lastPrinter));

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
    if (m_shop.finishedNotice)
        showFinishedNotice();
    return true;
}

void ReceiptPrinter::showFinishedNotice()
{
    PrintFinishedDialog notice(m_shop, m_settings.settingsDsn, m_parent);
    notice.exec();
}
