#include "printing/PrintButtonHandler.h"

#include "core/AppSettings.h"
#include "core/Prompt.h"
#include "data/Database.h"
#include "data/DbOperation.h"
#include "data/LoginRow.h"
#include "printing/PrepareReceiptData.h"
#include "printing/PrintHost.h"
#include "printing/ReceiptPrinter.h"
#include "printing/ShopPrintSettings.h"

PrintButtonHandler::PrintButtonHandler(PrintHost &host, AppSettings &settings,
                                       ShopPrintSettings &shop, ReceiptPrinter &printer)
    : m_host(host), m_settings(settings), m_shop(shop), m_printer(printer)
{
}

QString PrintButtonHandler::emptySaleMessage()
{
    return QStringLiteral("当前无记录可打印！请先按“添加（Enter）”按钮添加商品记录！");
}

QString PrintButtonHandler::secondCopyQuestion()
{
    return QStringLiteral("是否再打印一份?");
}

void PrintButtonHandler::run()
{
    if (m_host.saleLineCount() == 0) {
        Prompt::instance().ask(m_host.window(), emptySaleMessage(), Prompt::applicationTitle(),
                               Prompt::Icon::NoIcon, Prompt::Buttons::Ok);
        return;
    }
    SaleSnapshot sale = m_host.takeSale();
    if (m_shop.saveOnPrint) {
        if (!m_host.saveSaleRecord())
            return;
        // Saving takes the receipt number; another till may have taken the one shown.
        sale = m_host.takeSale();
    }

    // Printing does not depend on the save: with saving off the receipt is
    // printed and the sale is not stored.
    ReceiptData data = prepareReceiptData(sale, m_settings.labelLanguage, m_shop.showPrice);
    // An empty printer name is the system's default printer (ReceiptPrinters::resolve).
    // One sale opens one drawer: printer 1's, or printer 2's when printer 1
    // opened none.
    ReceiptPrinter::Purpose purpose = ReceiptPrinter::Purpose::NewSale;
    printWithCopy(data, sale, m_shop.printer1Name, purpose);
    if (m_settings.usePrinter2)
        printWithCopy(data, sale, m_settings.printer2Name, purpose);

    m_host.resetRemark();
    if (!m_host.consumeReceiptNumber())
        return;
    if (sale.switches.payment && !rememberPaymentMethod(sale.payment))
        return;
    m_host.startNextSale();
}

void PrintButtonHandler::printWithCopy(ReceiptData &data, const SaleSnapshot &sale,
                                       const QString &printerName, ReceiptPrinter::Purpose &purpose)
{
    m_printer.printReceiptJob(data, sale.switches, printerName, purpose);
    if (m_printer.drawerOpened())
        purpose = ReceiptPrinter::Purpose::Reprint;
    if (!m_shop.secondCopy)
        return;
    const Prompt::Answer answer =
        Prompt::instance().ask(m_host.window(), secondCopyQuestion(), QStringLiteral("printer"),
                               Prompt::Icon::Question, Prompt::Buttons::YesNo);
    if (answer != Prompt::Answer::Yes)
        return;
    data.remark = sale.remark; // every copy carries the whole remark
    // The drawer opened with the first receipt already.
    m_printer.printReceiptJob(data, sale.switches, printerName, ReceiptPrinter::Purpose::Reprint);
}

bool PrintButtonHandler::rememberPaymentMethod(const QString &payment)
{
    return DbOperation::run(m_host.window(), [&] {
        LoginRow::storeLastPayment(m_host.settingsDatabase(), payment);
        m_settings.lastPayment = payment;
    });
}
