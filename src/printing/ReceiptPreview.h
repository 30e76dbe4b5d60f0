#pragma once

#include <QString>

class Database;
class QWidget;
class ReceiptPreviewWindow;
struct AppSettings;
struct SaleSnapshot;
struct ShopRow;

// "预览(&V)...": the current sale's receipt, drawn exactly as it would print,
// in a preview frame on printer 1's page (the default printer when printer 1
// cannot be had; a page of an 80 mm roll when there is no printer at all).
class ReceiptPreview
{
public:
    // Opens the frame over PARENT maximised; it deletes itself when closed.
    // SETTINGSDB holds the raw printers' setup.
    static ReceiptPreviewWindow *open(QWidget *parent, const SaleSnapshot &sale,
                                      Database &settingsDb, AppSettings &settings,
                                      ShopRow &shop);

    static QString noPrinterMessage() { return QStringLiteral("GetPrinterDevice called failed\n"); }
};
