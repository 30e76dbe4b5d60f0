// Receipts for printers without a driver: the ESC/POS job, read back by an
// independent decoder, must print exactly the renderer's own one-bit picture,
// cut once, and open the drawer only after a sale's own receipt.
#include "support/EscPosDecoder.h"

#include "app/FontAliases.h"
#include "printing/EscPosJob.h"
#include "printing/PrepareReceiptData.h"
#include "printing/RawPrinterSetup.h"
#include "printing/RawReceiptJob.h"
#include "printing/ReceiptRaster.h"
#include "printing/ReceiptSample.h"
#include "printing/ReceiptStyle.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Case
{
    const char *name;
    bool template02;
    int language; // 0 Chinese, 1 English
    int paperDots;
    int extraLines;
    bool longRemark;
    bool logo;
};

const Case cases[] = {
    {"模板01# 中文 80mm", false, 0, RawPrinterSetup::dots80, 0, false, false},
    {"模板02# 英文 58mm", true, 1, RawPrinterSetup::dots58, 0, false, false},
    {"模板01# 英文 58mm logo", false, 1, RawPrinterSetup::dots58, 0, false, true},
    {"模板02# 中文 80mm 120 lines", true, 0, RawPrinterSetup::dots80, 116, false, false},
    {"模板01# 中文 58mm long remark", false, 0, RawPrinterSetup::dots58, 0, true, false},
    {"模板02# 英文 80mm logo, long remark", true, 1, RawPrinterSetup::dots80, 10, true, true},
};

QString longRemark()
{
    QString remark = QStringLiteral("本店商品七天内凭小票可退换，特价商品、食品及个人护理用品"
                                    "一经售出概不退换，敬请谅解。会员积分以小票金额为准。");
    for (int i = 1; i <= 12; ++i)
        remark += QStringLiteral("\n第%1条：欢迎再次光临，祝您生活愉快！").arg(i);
    return remark;
}

// A logo that is a grey ramp from black to white, left to right.
QString writeRampLogo(const QTemporaryDir &dir)
{
    QImage logo(300, 120, QImage::Format_RGB32);
    for (int x = 0; x < logo.width(); ++x) {
        const int grey = 255 * x / (logo.width() - 1);
        for (int y = 0; y < logo.height(); ++y)
            logo.setPixel(x, y, qRgb(grey, grey, grey));
    }
    const QString path = dir.filePath(QStringLiteral("logo.bmp"));
    logo.save(path, "BMP");
    return path;
}

double blackShare(const QImage &mono, const QRect &area)
{
    qint64 black = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            black += mono.pixelIndex(x, y) == 1;
    }
    return double(black) / (qint64(area.width()) * area.height());
}

class EscPosJobTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { FontAliases::install(); }

    ReceiptStyle styleFor(const Case &c, const SaleSnapshot &sale)
    {
        ReceiptStyle style;
        style.template02 = c.template02;
        style.showPrice = true;
        style.switches = sale.switches;
        style.printLogo = c.logo;
        style.logoPath = logoPath;
        return style;
    }

    QTemporaryDir dir;
    QString logoPath = writeRampLogo(dir);
};

TEST_F(EscPosJobTest, JobPrintsTheRenderersOwnPictureCutOnceAndOpensTheDrawerOnlyForANewSale)
{
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SaleSnapshot sale = ReceiptSample::sale(c.extraLines);
        if (c.longRemark)
            sale.remark = longRemark();
        const ReceiptData data = prepareReceiptData(sale, c.language, true);
        const ReceiptStyle style = styleFor(c, sale);
        const QImage expected = ReceiptRaster::of(data, style, c.paperDots);
        ASSERT_EQ(expected.width(), c.paperDots);

        RawPrinterSetup setup;
        setup.paperDots = c.paperDots;
        for (const bool drawerSwitch : {false, true}) {
            setup.openDrawer = drawerSwitch;
            for (const bool newSale : {false, true}) {
                const RawReceiptJob job = RawReceiptJob::make(data, style, setup, newSale);
                const EscPosDecoded decoded = EscPosDecoder::decode(job.bytes);
                ASSERT_TRUE(decoded.error.isEmpty()) << decoded.error.toStdString();
                EXPECT_EQ(EscPosDecoder::differingPixels(expected, decoded.image), 0);
                EXPECT_EQ(decoded.commands.first(), "init");
                EXPECT_EQ(decoded.cuts, 1);
                EXPECT_LE(decoded.tallestBand, EscPosJob::maxBandRows);
                // The picture, then the feed and the cut, then the drawer.
                EXPECT_LT(decoded.commands.lastIndexOf("raster"), decoded.commands.indexOf("cut"));
                EXPECT_EQ(decoded.drawerPulses, drawerSwitch && newSale ? 1 : 0);
                if (decoded.drawerPulses)
                    EXPECT_EQ(decoded.commands.last(), "drawer");
            }
        }

        // The picture is the receipt, not an empty roll: the shop name is black
        // dots near the top, and a long sale is long paper.
        EXPECT_GT(blackShare(expected, QRect(0, 0, expected.width(), expected.height() / 4)), 0.01);
        if (c.extraLines > 100)
            EXPECT_GT(expected.height(), 120 * 40);
        if (c.logo) {
            // The light quarter of the ramp would vanish under a plain threshold;
            // dithered it keeps a sprinkling of dots, and the dark quarter is
            // mostly but not solidly black.
            const ReceiptDrawing drawing = ReceiptRaster::layout(data, style, c.paperDots);
            ASSERT_EQ(drawing.logos.size(), 1);
            const QRect logo = drawing.logos.first().target;
            const int quarter = logo.width() / 4;
            const QRect light(logo.right() - quarter + 1, logo.top(), quarter - 8, logo.height());
            const QRect dark(logo.left() + 8, logo.top(), quarter - 8, logo.height());
            EXPECT_GT(blackShare(expected, light), 0.03);
            EXPECT_LT(blackShare(expected, light), 0.25);
            EXPECT_GT(blackShare(expected, dark), 0.75);
            EXPECT_LT(blackShare(expected, dark), 0.97);
        }
    }
}

} // namespace
