#include "printing/SaleReceiptOutput.h"

#include "controls/Prompt.h"
#include "core/AppSettings.h"
#include "printing/PrepareReceiptData.h"
#include "data/ShopRow.h"

SaleReceiptOutput::SaleReceiptOutput(AppSettings &settings, ShopRow &shop,
                                     QWidget *parent)
    : m_settings(settings), m_shop(shop), m_parent(parent), m_printer(settings, shop, parent)
{
}

QString SaleReceiptOutput::secondCopyQuestion()
{
    return QStringLiteral("是否再打印一份?");
}

bool SaleReceiptOutput::print(const SaleSnapshot &sale)
{
    ReceiptData data = prepareReceiptData(sale, m_settings.labelLanguage, m_shop.showPrice);
    // An empty printer name is the system's default printer (ReceiptPrinters::resolve).
    ReceiptPrinter::Purpose purpose = ReceiptPrinter::Purpose::NewSale;
    bool printed = printWithCopy(data, sale, m_shop.printer1Name, purpose);
    if (m_settings.usePrinter2)
        printed = printWithCopy(data, sale, m_settings.printer2Name, purpose) || printed;
    return printed;
}

bool SaleReceiptOutput::printWithCopy(ReceiptData &data, const SaleSnapshot &sale,
                                      const QString &printerName, ReceiptPrinter::Purpose &purpose)
{
    const bool printed = m_printer.printReceiptJob(data, sale.switches, printerName, purpose);
    if (m_printer.drawerOpened())
        purpose = ReceiptPrinter::Purpose::Reprint;
    if (!printed || !m_shop.secondCopy)
        return printed;
    const Prompt::Answer answer =
        Prompt::instance().ask(m_parent, secondCopyQuestion(), QStringLiteral("printer"),
                               Prompt::Icon::Question, Prompt::Buttons::YesNo);
    if (answer != Prompt::Answer::Yes)
        return printed;
    data.remark = sale.remark; // every copy carries the whole remark
    // The drawer opened with the first receipt already.
    m_printer.printReceiptJob(data, sale.switches, printerName, ReceiptPrinter::Purpose::Reprint);
    return printed;
}
