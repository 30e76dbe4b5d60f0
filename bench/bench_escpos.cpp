// Turns a 50-line receipt into its ESC/POS job for an 80 mm printer without a
// driver (draw, one bit a dot, raster bands, cut, drawer) and prints the time
// beside the same job done the plainest way: the same layout drawn by the
// renderer, Qt's own conversion to one bit a dot, and the bands copied line by
// line behind their headers; runs interleaved.
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

    const int runs = 31;
    const auto plainJob = [&] {
        const QImage mono =
            ReceiptRenderer::toImage(ReceiptRaster::layout(data, style, setup.paperDots))
                .convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
        const bool blackIsOne = qGray(mono.color(1)) < 128;
        const int widthBytes = (mono.width() + 7) / 8;
        QByteArray job("\x1b@");
        for (int top = 0; top < mono.height(); top += 255) {
            const int rows = std::min(255, mono.height() - top);
            const char header[] = {0x1d,
                                   'v',
                                   '0',
                                   0,
                                   char(widthBytes & 0xff),
                                   char(widthBytes >> 8),
                                   char(rows & 0xff),
                                   char(rows >> 8)};
            job.append(header, sizeof header);
            for (int y = top; y < top + rows; ++y) {
                const uchar *line = mono.constScanLine(y);
                for (int i = 0; i < widthBytes; ++i)
                    job.append(char(blackIsOne ? line[i] : ~line[i]));
            }
        }
        job.append("\x1b"
                   "d\x04\x1dV\x01\x1bp\x00\x19\xfa",
                   11);
        return job;
    };
    const Medians figures = interleaved(
        runs, [&] { RawReceiptJob::make(data, style, setup, true); }, plainJob);
    const double jobMs = figures.ours;
    const double floorMs = figures.floor;
    std::printf("bench_escpos: %lld lines, %d x %d dots, job %lld bytes, median of %d runs\n",
                static_cast<long long>(data.lines.size()), warm.raster.width(),
                warm.raster.height(), static_cast<long long>(warm.bytes.size()), runs);
    std::printf("bench: escpos_job_50_lines median_ms=%.2f floor_ms=%.2f ratio=%.2f\n", jobMs,
                floorMs, floorMs > 0 ? jobMs / floorMs : 0.0);
    return 0;
}
