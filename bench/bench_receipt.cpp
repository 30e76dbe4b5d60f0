// Renders a 50-line receipt at 203 dpi to an image and to a PDF and prints the
// time each takes. With --png DIR it writes the template samples there instead,
// with --pdf FILE the 50-line receipt as a PDF file.
#include "BenchLine.h"

#include "app/FontAliases.h"
#include "core/AppSettings.h"
#include "printing/PrepareReceiptData.h"
#include "printing/ReceiptLayout.h"
#include "printing/ReceiptRenderer.h"
#include "printing/ReceiptSample.h"
#include "printing/ReceiptStyle.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int dpi = 203;
constexpr double paperInches = 72 / 25.4; // an 80 mm roll prints 72 mm

ReceiptStyle styleFor(bool template02, bool showPrice, const SaleSnapshot &sale)
{
    ReceiptStyle style;
    style.template02 = template02;
    style.showPrice = showPrice;
    style.switches = sale.switches;
    return style;
}

void writeSamples(const QString &dir)
{
    QDir().mkpath(dir);
    const SaleSnapshot sale = ReceiptSample::sale();
    for (int tpl = 0; tpl < 2; ++tpl) {
        for (int language = 0; language < 2; ++language) {
            for (int price = 0; price < 2; ++price) {
                const ReceiptData data = prepareReceiptData(sale, language, price);
                const ReceiptStyle style = styleFor(tpl, price, sale);
                const ReceiptDrawing drawing = ReceiptRenderer::layout(data, style, paperInches);
                const QString name = QStringLiteral("receipt-template0%1-%2-%3.png")
                                         .arg(tpl + 1)
                                         .arg(language ? "en" : "zh")
                                         .arg(price ? "price" : "noprice");
                ReceiptRenderer::toImage(drawing).save(QDir(dir).filePath(name));
            }
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    FontAliases::install();
    const QStringList args = app.arguments();
    const qsizetype png = args.indexOf(QStringLiteral("--png"));
    if (png > 0 && png + 1 < args.size()) {
        writeSamples(args.at(png + 1));
        return 0;
    }

    SaleSnapshot sale = ReceiptSample::sale(46);
    const ReceiptData data = prepareReceiptData(sale, 0, true);
    const ReceiptStyle style = styleFor(false, true, sale);

    const qsizetype pdfArg = args.indexOf(QStringLiteral("--pdf"));
    if (pdfArg > 0 && pdfArg + 1 < args.size()) {
        return ReceiptRenderer::toPdf(ReceiptRenderer::layout(data, style, paperInches),
                                      args.at(pdfArg + 1))
                   ? 0
                   : 1;
    }

    // Warm the font caches once, as the program has by its first receipt.
    ReceiptRenderer::toImage(ReceiptRenderer::layout(data, style, paperInches));

    const int runs = 30;
    const double layoutMs =
        medianMs(runs, [&] { ReceiptRenderer::layout(data, style, paperInches); });
    const double imageMs = medianMs(
        runs, [&] { ReceiptRenderer::toImage(ReceiptRenderer::layout(data, style, paperInches)); });
    QTemporaryDir dir;
    const QString pdf = QDir(dir.path()).filePath(QStringLiteral("receipt.pdf"));
    const double pdfMs = medianMs(runs, [&] {
        ReceiptRenderer::toPdf(ReceiptRenderer::layout(data, style, paperInches), pdf);
    });
    const ReceiptDrawing drawing = ReceiptRenderer::layout(data, style, paperInches);
    std::fprintf(stderr, "receipt: %lld lines, %d dpi, %d x %d dots, median of %d runs\n",
                 static_cast<long long>(data.lines.size()), dpi, drawing.width, drawing.height,
                 runs);
    benchLine("receipt_layout", layoutMs);
    benchLine("receipt_image", imageMs); // aim < 20 ms
    benchLine("receipt_pdf_file", pdfMs);
    return 0;
}
