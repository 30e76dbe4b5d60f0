#pragma once

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
};
