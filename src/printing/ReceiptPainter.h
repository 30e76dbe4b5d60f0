#pragma once

#include <QtGlobal>

class QPainter;
struct ReceiptDrawing;

// Draws a laid-out receipt with a painter on any device: printer, preview,
// image or PDF. The drawing's dots are scaled to the device's resolution.
class ReceiptPainter
{
public:
    static void paint(QPainter &painter, const ReceiptDrawing &drawing, qreal deviceDpiX,
                      qreal deviceDpiY);
};
