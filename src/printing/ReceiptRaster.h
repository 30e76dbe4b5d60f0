#pragma once

#include "printing/ReceiptDrawing.h"

#include <QImage>
#include <QList>
#include <QRect>

struct ReceiptData;
struct ReceiptStyle;

// The receipt as a thermal printer prints it: one bit a dot at 203 dpi, as
// wide as the roll prints. Text and rules are cut at mid-grey; the logo is
// dithered (Floyd-Steinberg) so its shades survive. The image is Format_Mono
// with index 1 black, rows packed most significant bit first, as ESC/POS
// raster data is.
class ReceiptRaster
{
public:
    // The receipt laid out by the renderer for a roll of PAPERDOTS dots.
    static ReceiptDrawing layout(const ReceiptData &data, const ReceiptStyle &style, int paperDots);
    // The drawing painted and turned into one bit a dot.
    static QImage of(const ReceiptDrawing &drawing);
    static QImage of(const ReceiptData &data, const ReceiptStyle &style, int paperDots);

    // An image in one bit a dot: threshold everywhere, dithering inside DITHERED.
    static QImage toMono(const QImage &image, const QList<QRect> &dithered);
};
