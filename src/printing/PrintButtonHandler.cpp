#include "printing/PrintButtonHandler.h"

#include "app/AppSettings.h"
#include "app/Prompt.h"
#include "data/Database.h"
#include "data/DbOperation.h"
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
    const SaleSnapshot sale = m_host.takeSale();
    if (m_shop.saveOnPrint && !m_host.saveSaleRecord())
        return;

    // Printing does not depend on the save: with saving off the receipt is
    // printed and the sale is not stored.
    ReceiptData data = prepareReceiptData(sale, m_settings.labelLanguage, m_shop.showPrice);
    printWithCopy(data, sale, m_shop.printer1Name);
    if (m_settings.usePrinter2)
        printWithCopy(data, sale, m_settings.printer2Name);

    m_host.resetRemark();
    if (!m_host.consumeReceiptNumber())
        return;
    if (sale.switches.payment && !rememberPaymentMethod(sale.payment))
        return;
    m_host.finishSale();
}

void PrintButtonHandler::printWithCopy(ReceiptData &data, const SaleSnapshot &sale,
                                       const QString &printerName)
{
    m_printer.printReceiptJob(data, sale.switches, printerName);
    if (!m_shop.secondCopy)
        return;
    const Prompt::Answer answer =
        Prompt::instance().ask(m_host.window(), secondCopyQuestion(), QStringLiteral("printer"),
                               Prompt::Icon::Question, Prompt::Buttons::YesNo);
    if (answer != Prompt::Answer::Yes)
        return;
    data.remark = sale.remark; // every copy carries the whole remark
    m_printer.printReceiptJob(data, sale.switches, printerName);
}

bool PrintButtonHandler::rememberPaymentMethod(const QString &payment)
{
    return DbOperation::run(m_host.window(), [&] {
        m_host.settingsDatabase().exec(
            QStringLiteral("update \"USER_SET\" set \"set5\"=? where \"id\"=1"), {payment});
        m_settings.lastPayment = payment;
    });
}
