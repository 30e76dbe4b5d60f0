#include "printing/ReceiptRaster.h"

#include "printing/RawPrinterSetup.h"
#include "printing/ReceiptLayout.h"
#include "printing/ReceiptRenderer.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int threshold = 128;

QImage blankMono(int width, int height)
{
    QImage mono(width, height, QImage::Format_Mono);
    mono.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    mono.fill(0);
    return mono;
}

// Eight dots a byte, leftmost in the high bit; white pixels, most of a
// receipt, are passed over without weighing.
void thresholdAll(const QImage &rgb, QImage &mono)
{
    const int width = rgb.width();
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        uchar *out = mono.scanLine(y);
        for (int x0 = 0; x0 < width; x0 += 8) {
            uchar byte = 0;
            const int n = std::min(8, width - x0);
            for (int i = 0; i < n; ++i) {
                const QRgb pixel = line[x0 + i];
                if ((pixel | 0xff000000) != 0xffffffff && qGray(pixel) < threshold)
                    byte |= uchar(0x80 >> i);
            }
            out[x0 >> 3] = byte;
        }
    }
}

// Floyd-Steinberg inside AREA; the error does not leak outside it.
void dither(const QImage &rgb, QImage &mono, const QRect &area)
{
    const int w = area.width();
    std::vector<int> current(w + 2), next(w + 2);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        std::fill(next.begin(), next.end(), 0);
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        uchar *out = mono.scanLine(y);
        for (int i = 0; i < w; ++i) {
            const int x = area.left() + i;
            const int value = qGray(line[x]) * 16 + current[i + 1];
            const bool black = value < threshold * 16;
            if (black)
                out[x >> 3] |= uchar(0x80 >> (x & 7));
            else
                out[x >> 3] &= uchar(~(0x80 >> (x & 7)));
            const int error = black ? value : value - 255 * 16;
            current[i + 2] += error * 7 / 16;
            next[i] += error * 3 / 16;
            next[i + 1] += error * 5 / 16;
            next[i + 2] += error / 16;
        }
        std::swap(current, next);
    }
}

} // namespace

ReceiptDrawing ReceiptRaster::layout(const ReceiptData &data, const ReceiptStyle &style,
                                     int paperDots)
{
    const int dpi = RawPrinterSetup::dpi;
    return ReceiptLayout(data, style, {dpi, dpi, paperDots}).renderReceipt();
}

QImage ReceiptRaster::of(const ReceiptDrawing &drawing)
{
    QList<QRect> logos;
    for (const ReceiptDrawing::Logo &logo : drawing.logos)
        logos.append(logo.target);
    return toMono(ReceiptRenderer::toImage(drawing), logos);
}

QImage ReceiptRaster::of(const ReceiptData &data, const ReceiptStyle &style, int paperDots)
{
    return of(layout(data, style, paperDots));
}

QImage ReceiptRaster::toMono(const QImage &image, const QList<QRect> &dithered)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QImage mono = blankMono(rgb.width(), rgb.height());
    thresholdAll(rgb, mono);
    for (const QRect &area : dithered) {
        const QRect inside = area.intersected(rgb.rect());
        if (!inside.isEmpty())
            dither(rgb, mono, inside);
    }
    return mono;
}
