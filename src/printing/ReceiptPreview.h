#pragma once

#include <QString>

class ReceiptPreviewWindow;
class PrintHost;
struct AppSettings;
struct ShopPrintSettings;

// "预览(&V)...": the current sale's receipt, drawn exactly as it would print,
// in a preview frame on printer 1's page (the default printer when printer 1
// cannot be had; a page of an 80 mm roll when there is no printer at all).
class ReceiptPreview
{
public:
    // Opens the frame maximised; it deletes itself when closed.
    static ReceiptPreviewWindow *open(PrintHost &host, AppSettings &settings,
                                      ShopPrintSettings &shop);

    static QString noPrinterMessage() { return QStringLiteral("GetPrinterDevice called failed\n"); }
};
