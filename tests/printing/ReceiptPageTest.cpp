// The printed page and what is painted on it: a receipt printed through Qt's
// own PDF printer, and painted on images.
#include "PdfInfo.h"
#include "ReceiptFixture.h"

#include "printing/ReceiptPage.h"
#include "printing/ReceiptPainter.h"
#include "printing/ReceiptRenderer.h"

#include <QDir>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <cmath>

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
        const ReceiptPage::Prepared page = ReceiptPage::prepare(printer, m_data, style, 0);
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

} // namespace
