#pragma once

#include "printing/ReceiptDrawing.h"

#include <QImage>

struct ReceiptData;
struct ReceiptStyle;

// Lays a receipt out and draws it. Every device gets the
// layout made at ReceiptLayout::layoutDpi, scaled to its own resolution.
class ReceiptRenderer
{
public:
    // Layout for a printable width of WIDTHINCHES.
    static ReceiptDrawing layout(const ReceiptData &data, const ReceiptStyle &style,
                                 qreal widthInches);
    // Tenths of a millimetre the drawn receipt needs from the top of the page.
    static int drawnLength(const ReceiptDrawing &drawing);

    // The receipt on a white image at the layout's resolution.
    static QImage toImage(const ReceiptDrawing &drawing);
    // The receipt as a one-page PDF file of the given paper width.
    static bool toPdf(const ReceiptDrawing &drawing, const QString &path);
};
