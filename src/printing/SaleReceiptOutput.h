#pragma once

#include "printing/ReceiptOutput.h"
#include "printing/ReceiptPrinter.h"

class QWidget;
struct AppSettings;
struct ReceiptData;
struct ShopRow;

// The receipt of a finished sale on printer 1 and, when it is on, printer 2,
// each followed by the copy the cashier may ask for ("是否再打印一份?"). One
// sale opens one drawer: printer 1's, or printer 2's when printer 1 opened none.
class SaleReceiptOutput : public ReceiptOutput
{
public:
    SaleReceiptOutput(AppSettings &settings, ShopRow &shop, QWidget *parent);

    static QString secondCopyQuestion();

    bool print(const SaleSnapshot &sale) override;

private:
    bool printWithCopy(ReceiptData &data, const SaleSnapshot &sale, const QString &printerName,
                       ReceiptPrinter::Purpose &purpose);

    AppSettings &m_settings;
    ShopRow &m_shop;
    QWidget *m_parent;
    ReceiptPrinter m_printer;
};
