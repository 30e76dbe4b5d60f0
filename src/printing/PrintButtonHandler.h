#pragma once

#include "printing/ReceiptPrinter.h"

#include <QString>

class PrintHost;
struct AppSettings;
struct ReceiptData;
struct ShopPrintSettings;
struct SaleSnapshot;

// The print flow behind "打印小票(F5)", F5 and the keypad "+": save the sale
// when "保存记录" is on, print on printer 1 (and printer 2), offer a second
// copy, then reset the remark, consume the number, remember the payment
// method and empty the window for the next customer.
class PrintButtonHandler
{
public:
    PrintButtonHandler(PrintHost &host, AppSettings &settings, ShopPrintSettings &shop,
                       ReceiptPrinter &printer);

    void run();

    static QString emptySaleMessage();
    static QString secondCopyQuestion();

private:
    // The receipt on PRINTERNAME and the copy the cashier may ask for. Once a
    // job has opened the drawer, PURPOSE becomes a reprint's.
    void printWithCopy(ReceiptData &data, const SaleSnapshot &sale, const QString &printerName,
                       ReceiptPrinter::Purpose &purpose);
    bool rememberPaymentMethod(const QString &payment);

    PrintHost &m_host;
    AppSettings &m_settings;
    ShopPrintSettings &m_shop;
    ReceiptPrinter &m_printer;
};
