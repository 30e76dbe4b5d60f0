// The printed page and what is painted on it: a receipt printed through Qt's
// own PDF printer, and painted on images.
#include "PdfInfo.h"
#include "ReceiptFixture.h"

#include "printing/ReceiptPage.h"
#include "printing/ReceiptPainter.h"
#include "printing/ReceiptRenderer.h"
#include "printing/ReceiptText.h"

#include <QDir>
#include <QMap>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>

namespace {

class ReceiptPageTest : public ReceiptFixture
{
protected:
    // Prints the receipt on a PDF printer of 58 mm paper; returns the page prepared.
    ReceiptPage::Prepared print(const QString &path)
    {
        m_data = data();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(
            QPageSize(QSizeF(58, 297), QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
        const ReceiptPage::Prepared page = ReceiptPage::prepare(printer, m_data, style);
        resolution = printer.resolution();
        QPainter painter(&printer);
        ReceiptPainter::paint(painter, page.drawing, printer.resolution(), printer.resolution());
        painter.end();
        return page;
    }

    QTemporaryDir dir;
    int resolution = 0;

private:
    ReceiptData m_data;
};

int countDark(const QImage &image, int y, int x1, int x2)
{
    int dark = 0;
    for (int x = std::max(0, x1); x < std::min(image.width(), x2); ++x)
        dark += qGray(image.pixel(x, y)) < 128;
    return dark;
}

TEST_F(ReceiptPageTest, ShortReceiptTakesTheEstimatedLength)
{
    style.paperLengthAdjust = 60; // the estimate is now longer than the drawing
    const QString path = QDir(dir.path()).filePath("short.pdf");
    const ReceiptPage::Prepared page = print(path);
    EXPECT_EQ(resolution, 203); // a PDF printer reports no receipt resolution
    EXPECT_EQ(page.drawing.dpiX, 203);
    EXPECT_EQ(page.drawing.width, 462); // 164 pt of paper at 203 dpi
    const int estimated = int(std::ceil(page.estimate / 10.0 * 72 / 25.4 - 1e-6));
    EXPECT_GT(estimated, page.drawing.height * 72 / 203);
    EXPECT_EQ(page.lengthPoints, estimated);

    const PdfInfo pdf = PdfInfo::of(path);
    ASSERT_TRUE(pdf.error.isEmpty()) << pdf.error.toStdString();
    EXPECT_EQ(pdf.pages, 1);
    EXPECT_NEAR(pdf.pageSize.width(), 164, 0.5);
    EXPECT_NEAR(pdf.pageSize.height(), page.lengthPoints, 0.5);
}

TEST_F(ReceiptPageTest, LongReceiptIsNeverCut)
{
    sale = ReceiptSample::sale(120);
    style.switches = sale.switches;
    style.template02 = true;
    for (int i = 0; i < 10; ++i)
        sale.lines[4 + i].name = QString(40, QChar(0x957F)); // names of several lines
    // A tall logo counts pixels as tenths of a millimetre in the estimate, but
    // is drawn in dots: the drawing is longer than the estimate.
    style.printLogo = true;
    style.logoPath = QDir(dir.path()).filePath("none.bmp");
    style.logoHeight = 1200;
    const QString path = QDir(dir.path()).filePath("long.pdf");
    const ReceiptPage::Prepared page = print(path);
    const int drawn = int(std::ceil(page.drawing.height * 72.0 / 203 - 1e-6));
    EXPECT_GT(drawn, page.estimate / 10.0 * 72 / 25.4);
    EXPECT_EQ(page.lengthPoints, drawn);
    const PdfInfo pdf = PdfInfo::of(path);
    EXPECT_EQ(pdf.pages, 1);
    EXPECT_NEAR(pdf.pageSize.height(), drawn, 0.5);
    EXPECT_GT(pdf.pageSize.height(), 1000);
}

TEST_F(ReceiptPageTest, PaintsRulesTextAndScalesToTheDevice)
{
    const ReceiptDrawing d = draw();
    const QImage image = ReceiptRenderer::toImage(d);
    EXPECT_EQ(image.size(), QSize(576, d.height));
    for (const auto &rule : d.rules) {
        // A dotted rule: about one dot in three along the row, none between rules.
        const int dark = countDark(image, rule.y, rule.x1, rule.x2);
        EXPECT_GT(dark, 576 / 5) << rule.y;
        EXPECT_LT(dark, 576 * 2 / 3) << rule.y;
    }
    const QRect number = d.find("单号:2403070000012")->box;
    int inked = 0;
    for (int y = number.top(); y < number.top() + number.height(); ++y)
        inked += countDark(image, y, number.left(), number.left() + number.width());
    EXPECT_GT(inked, 100);

    // On a device of twice the resolution everything lands twice as far down.
    QImage twice(576 * 2, d.height * 2, QImage::Format_RGB32);
    twice.fill(Qt::white);
    QPainter painter(&twice);
    ReceiptPainter::paint(painter, d, 406, 406);
    painter.end();
    const int ruleY = d.rules[2].y;
    EXPECT_GT(countDark(twice, 2 * ruleY, 0, 1152), 1152 / 6);
    EXPECT_EQ(countDark(twice, 2 * ruleY - 6, 0, 1152), 0);
}

TEST_F(ReceiptPageTest, LogoIsDrawnAtItsOwnSizeOrLeftEmpty)
{
    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(QColor(200, 0, 0));
    const QString path = QDir(dir.path()).filePath("logo.bmp");
    ASSERT_TRUE(logo.save(path, "BMP"));
    style.printLogo = true;
    style.logoPath = path;
    style.logoWidth = 40;
    style.logoHeight = 20;
    style.logoOffset = 100;
    QImage image = ReceiptRenderer::toImage(draw());
    const QRect target = draw().logos[0].target;
    EXPECT_EQ(target, QRect(211, 27, 40, 20));
    EXPECT_EQ(image.pixelColor(target.center()), QColor(200, 0, 0));
    EXPECT_EQ(image.pixelColor(target.right() + 2, target.center().y()), QColor(Qt::white));

    // A missing or unreadable picture leaves its place empty.
    QFile garbage(QDir(dir.path()).filePath("broken.bmp"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("not a bitmap");
    garbage.close();
    for (const QString &bad : {QDir(dir.path()).filePath("none.bmp"), garbage.fileName()}) {
        style.logoPath = bad;
        image = ReceiptRenderer::toImage(draw());
        EXPECT_EQ(countDark(image, target.center().y(), 0, 576), 0);
        EXPECT_EQ(image.pixelColor(target.center()), QColor(Qt::white));
    }
}

// The ink of one drawn line: the first and last dark columns inside SCAN.
QPair<int, int> inkSpan(const QImage &image, const QRect &scan)
{
    int first = -1;
    int last = -1;
    for (int x = std::max(0, scan.left()); x <= std::min(image.width() - 1, scan.right()); ++x) {
        for (int y = std::max(0, scan.top()); y <= std::min(image.height() - 1, scan.bottom());
             ++y) {
            if (qGray(image.pixel(x, y)) < 128) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

TEST_F(ReceiptPageTest, TextHasOneSizeOnPaperAndBreaksAlikeAtEveryResolution)
{
    // A printer of any resolution gets the receipt laid out at 203 dpi and
    // scaled: each text takes the same millimetres and breaks its lines at
    // the same places as on a 203-dpi printer - the squeezed item rows (one
    // dot tighter) and the spread totals (one dot wider) too.
    style.showPrice = true;
    const int scanDpi = 300;
    const QStringList probes = {QStringLiteral("单号:2403070000012"),
                                QStringLiteral("橙味汽水 500ml"), QStringLiteral("13.50"),
                                QStringLiteral("合计数量:12"), QStringLiteral("折后总额:50.73")};
    QMap<int, QMap<QString, QSizeF>> inkMm; // dpi -> text -> ink width and height in mm
    QMap<int, QStringList> breaks;          // dpi -> every drawn line, in order
    for (const int dpi : {150, 203, 300, 600, 1200}) {
        SCOPED_TRACE(dpi);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QDir(dir.path()).filePath(QStringLiteral("printer.pdf")));
        printer.setResolution(dpi);
        printer.setPageSize(
            QPageSize(QSizeF(80, 297), QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
        const ReceiptData receipt = data();
        const ReceiptDrawing d = ReceiptPage::prepare(printer, receipt, style).drawing;
        EXPECT_NEAR(d.bodyFont.cellHeight() * 25.4 / d.dpiY, 3.50, 0.01) << "body text cell";
        for (const ReceiptDrawing::Text &text : d.texts)
            breaks[dpi] << text.lines;

        // Painted on a device of that resolution, then looked at.
        const QString path = QDir(dir.path()).filePath(QStringLiteral("at%1.pdf").arg(dpi));
        QPdfWriter writer(path);
        writer.setResolution(dpi);
        writer.setPageLayout(
            QPageLayout(QPageSize(QSizeF(80, d.height * 25.4 / d.dpiY + 1), QPageSize::Millimeter,
                                  QString(), QPageSize::ExactMatch),
                        QPageLayout::Portrait, QMarginsF()));
        QPainter painter(&writer);
        ReceiptPainter::paint(painter, d, dpi, dpi);
        painter.end();
        const QImage page = PdfInfo::firstPage(path, scanDpi);
        ASSERT_FALSE(page.isNull());
        const double k = double(scanDpi) / d.dpiX;
        for (const QString &probe : probes) {
            const ReceiptDrawing::Text *item = d.find(probe);
            ASSERT_TRUE(item) << probe.toStdString();
            const ReceiptFont font = d.fontOf(*item);
            const int width = ReceiptText::width(font.withExtra(item->extra), item->lines[0]);
            const QPoint origin = item->origins[0];
            const QRect scan(QPoint(int(origin.x() * k), int(origin.y() * k)),
                             QPoint(int((origin.x() + width) * k),
                                    int((origin.y() + font.cellHeight()) * k) - 1));
            const auto [first, last] = inkSpan(page, scan);
            ASSERT_GE(first, 0) << probe.toStdString();
            const QImage rotated = page.copy(scan).transformed(QTransform().rotate(90));
            const auto [top, bottom] = inkSpan(rotated, rotated.rect());
            inkMm[dpi][probe] =
                QSizeF((last - first + 1) * 25.4 / scanDpi, (bottom - top + 1) * 25.4 / scanDpi);
        }
    }
    for (const int dpi : {150, 300, 600, 1200}) {
        EXPECT_EQ(breaks[dpi], breaks[203]) << dpi << " dpi breaks lines elsewhere";
        for (const QString &probe : probes) {
            const QSizeF at = inkMm[dpi][probe];
            const QSizeF base = inkMm[203][probe];
            std::printf("ink %-22s %4d dpi %.2f x %.2f mm (203 dpi %.2f x %.2f mm)\n",
                        qPrintable(probe), dpi, at.width(), at.height(), base.width(),
                        base.height());
            EXPECT_NEAR(at.width(), base.width(), 0.2) << probe.toStdString() << " at " << dpi;
            EXPECT_NEAR(at.height(), base.height(), 0.2) << probe.toStdString() << " at " << dpi;
        }
    }
}

} // namespace
