#pragma once

#include "printing/ReceiptLayout.h"

#include <QByteArray>
#include <QImage>

struct RawPrinterSetup;
struct ReceiptData;
struct ReceiptStyle;

// A receipt made ready for a printer without a driver: the renderer's drawing
// at the roll's width in one bit a dot, and the ESC/POS job that prints it.
// The drawer opens only after a sale's own receipt on a printer whose
// drawer switch is on; copies and reprints leave it shut.
struct RawReceiptJob
{
    QImage raster;
    QByteArray bytes;

    static RawReceiptJob make(const ReceiptData &data, const ReceiptStyle &style,
                              const RawPrinterSetup &setup, bool newSale);
    // Any paper of the roll, laid out for the roll's width (the day-end report).
    static RawReceiptJob make(const ReceiptDrawing &drawing, bool openDrawer);
    // The device a raw printer of SETUP is to the layout.
    static ReceiptLayout::Target target(const RawPrinterSetup &setup);
};
