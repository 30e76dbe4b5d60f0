// Turns a 50-line receipt into its ESC/POS job for an 80 mm printer without a
// driver (draw, one bit a dot, raster bands, cut, drawer) and prints the time
// beside the renderer alone drawing the same receipt at the same width.
#include "BenchLine.h"

#include "app/FontAliases.h"
#include "printing/PrepareReceiptData.h"
#include "printing/RawPrinterSetup.h"
#include "printing/RawReceiptJob.h"
#include "printing/ReceiptRaster.h"
#include "printing/ReceiptRenderer.h"
#include "printing/ReceiptSample.h"
#include "printing/ReceiptStyle.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    FontAliases::install();

    const SaleSnapshot sale = ReceiptSample::sale(46);
    const ReceiptData data = prepareReceiptData(sale, 0, true);
    ReceiptStyle style;
    style.showPrice = true;
    style.switches = sale.switches;
    RawPrinterSetup setup;
    setup.paperDots = RawPrinterSetup::dots80;
    setup.openDrawer = true;

    // Warm the font caches once, as the program has by its first receipt.
    const RawReceiptJob warm = RawReceiptJob::make(data, style, setup, true);

    const int runs = 30;
    const double floorMs = medianMs(runs, [&] {
        ReceiptRenderer::toImage(ReceiptRaster::layout(data, style, setup.paperDots));
    });
    const double jobMs = medianMs(runs, [&] { RawReceiptJob::make(data, style, setup, true); });
    std::printf("bench_escpos: %lld lines, %d x %d dots, job %lld bytes, median of %d runs\n",
                static_cast<long long>(data.lines.size()), warm.raster.width(),
                warm.raster.height(), static_cast<long long>(warm.bytes.size()), runs);
    std::printf("bench: escpos_job_50_lines median_ms=%.2f floor_ms=%.2f ratio=%.2f\n", jobMs,
                floorMs, floorMs > 0 ? jobMs / floorMs : 0.0);
    return 0;
}
