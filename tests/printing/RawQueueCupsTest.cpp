// A sale printed on a printer without a driver through a real CUPS raw queue:
// "RawReceipt", set up by scripts/start-test-cups.sh and pointed here at a
// listener of the test's own (RawPrinterListener), as a network thermal printer would listen. What
// arrives is what the printer would get; read back it must be the renderer's
// own one-bit picture, with the drawer pulse after the sale and none after a
// reprint. The owner's day-end report goes the same way, without the pulse.
#include "PrintOwner.h"

#include "app/FontAliases.h"
#include "app/SettingsLoader.h"
#include "controls/HoverButton.h"
#include "data/ShopRow.h"
#include "data/Transaction.h"
#include "printing/PrepareReceiptData.h"
#include "printing/PrintInfoPage.h"
#include "printing/PrinterSelectDialog.h"
#include "printing/RawPrinterSetup.h"
#include "printing/RawQueue.h"
#include "printing/ReceiptPreview.h"
#include "printing/ReceiptPreviewWindow.h"
#include "printing/ReceiptPrinter.h"
#include "printing/ReceiptRaster.h"
#include "printing/ReceiptStyle.h"
#include "printing/SaleReceiptOutput.h"
#include "printing/SettingsHandover.h"
#include "records/DayReportDialog.h"
#include "records/QueryWindowDriver.h"
#include "records/RecordsBook.h"
#include "support/EscPosDecoder.h"
#include "support/Gui.h"
#include "support/RawPrinterListener.h"
#include "support/RealService.h"
#include "support/SalesWindowFixture.h"
#include "support/ScriptedPrompt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString rawQueue = QStringLiteral("RawReceipt");

class RawQueueCupsTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { FontAliases::install(); }

    void SetUp() override
    {
        const QString reason = thermalPrinter.attach(rawQueue);
        if (!reason.isEmpty())
            QM_SKIP_WITHOUT_SERVICE(reason.toStdString());
        shop.finishedNotice = false;
    }

    QImage expectedRaster(const SaleSnapshot &sale, int paperDots)
    {
        const ReceiptData data =
            prepareReceiptData(sale, env.settings().labelLanguage, shop.showPrice);
        const ReceiptStyle style = ReceiptStyle::from(env.settings(), shop, sale.switches);
        return ReceiptRaster::of(data, style, paperDots);
    }

    TestEnv env;
    ShopRow shop;
    RawPrinterListener thermalPrinter;
};

TEST_F(RawQueueCupsTest, SaleOnA58mmRawQueueIsThePictureWithCutAndDrawerAndAReprintKeepsItShut)
{
    EXPECT_TRUE(RawQueue::isRaw(rawQueue));
    EXPECT_FALSE(RawQueue::isRaw(QStringLiteral("Receipt"))) << "the cups-pdf queue has a driver";

    // The shop picks the raw queue, its 58 mm roll and the drawer, and saves.
    {
        PrinterSelectDialog dialog(env.settings(), shop);
        dialog.show();
        dialog.findChild<QComboBox *>(QStringLiteral("printer1Box"))->setCurrentText(rawQueue);
        auto *paper = dialog.findChild<QComboBox *>(QStringLiteral("paper1Box"));
        auto *drawer = dialog.findChild<QCheckBox *>(QStringLiteral("drawer1Check"));
        ASSERT_TRUE(paper->isEnabled()) << "the dialog did not see a raw queue";
        paper->setCurrentText(QStringLiteral("58毫米"));
        if (!drawer->isChecked())
            QTest::mouseClick(drawer, Qt::LeftButton);
        QTest::mouseClick(dialog.findChild<HoverButton *>(QStringLiteral("saveButton")),
                          Qt::LeftButton);
    }
    ASSERT_EQ(shop.printer1Name, rawQueue);

    PrintOwner host(env);
    host.sale = ReceiptSample::sale();
    const QImage expected = expectedRaster(host.sale, RawPrinterSetup::dots58);
    shop.secondCopy = true;
    // Printer 2 is the same drawer printer: still one drawer pulse a sale.
    env.settings().usePrinter2 = true;
    env.settings().printer2Name = rawQueue;
    env.prompt().answerNext(Prompt::Answer::Yes); // a second copy
    env.prompt().answerNext(Prompt::Answer::No);  // none on printer 2
    EXPECT_TRUE(SaleReceiptOutput(env.settings(), shop, &host.window).print(host.sale));
    EXPECT_EQ(env.prompt().lastText(), SaleReceiptOutput::secondCopyQuestion());

    const EscPosDecoded sale = EscPosDecoder::decode(thermalPrinter.nextJob());
    ASSERT_TRUE(sale.error.isEmpty()) << sale.error.toStdString();
    EXPECT_EQ(sale.image.width(), RawPrinterSetup::dots58);
    EXPECT_EQ(EscPosDecoder::differingPixels(expected, sale.image), 0);
    EXPECT_EQ(sale.cuts, 1);
    EXPECT_EQ(sale.drawerPulses, 1);
    EXPECT_EQ(sale.drawerPin, 2);
    // The second copy the cashier asked for: the same picture, the drawer already open.
    const EscPosDecoded copy = EscPosDecoder::decode(thermalPrinter.nextJob());
    ASSERT_TRUE(copy.error.isEmpty()) << copy.error.toStdString();
    EXPECT_EQ(EscPosDecoder::differingPixels(expected, copy.image), 0);
    EXPECT_EQ(copy.cuts, 1);
    EXPECT_EQ(copy.drawerPulses, 0);
    const EscPosDecoded second = EscPosDecoder::decode(thermalPrinter.nextJob());
    ASSERT_TRUE(second.error.isEmpty()) << second.error.toStdString();
    EXPECT_EQ(EscPosDecoder::differingPixels(expected, second.image), 0);
    EXPECT_EQ(second.drawerPulses, 0) << "printer 2 opened a second drawer for the same sale";
    env.settings().usePrinter2 = false;
    keepPicture(sale.image, QStringLiteral("receipt-escpos"));

    // The query window's reprint of the same sale: same picture, drawer shut.
    const ReceiptData data =
        prepareReceiptData(ReceiptSample::sale(), env.settings().labelLanguage, shop.showPrice);
    ReceiptPrinter printer(env.settings(), shop, &host.window);
    EXPECT_TRUE(printer.printReceiptJob(data, host.sale.switches, rawQueue));
    const EscPosDecoded reprint = EscPosDecoder::decode(thermalPrinter.nextJob());
    ASSERT_TRUE(reprint.error.isEmpty()) << reprint.error.toStdString();
    EXPECT_EQ(EscPosDecoder::differingPixels(expected, reprint.image), 0);
    EXPECT_EQ(reprint.cuts, 1);
    EXPECT_EQ(reprint.drawerPulses, 0);

    // The preview shows that picture on a page as wide as the roll prints.
    host.sale = ReceiptSample::sale();
    ReceiptPreviewWindow *frame =
        ReceiptPreview::open(&host.window, host.sale, host.settingsDb, env.settings(), shop);
    const QSizeF page = frame->printer()->pageLayout().fullRect(QPageLayout::Millimeter).size();
    EXPECT_NEAR(page.width(), 48.0, 0.1);
    EXPECT_NEAR(page.height(), expected.height() * 25.4 / RawPrinterSetup::dpi, 0.1);
    QCoreApplication::processEvents();
    frame->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // The settings page weighs the margin against that 48 mm roll, not against
    // the paper CUPS gives the queue: 15 mm either side leaves too little to print.
    SettingsHandover handover;
    PrintInfoPage infoPage(env.settings(), handover);
    infoPage.show();
    auto *margin = infoPage.findChild<QLineEdit *>(QStringLiteral("marginEdit"));
    auto *save = infoPage.findChild<QPushButton *>(QStringLiteral("saveButton"));
    retype(margin, QStringLiteral("15"));
    click(save);
    EXPECT_TRUE(env.prompt().lastText().contains(QStringLiteral("纸张可打印宽度48毫米")))
        << env.prompt().lastText().toStdString();
    EXPECT_EQ(ShopRow::read(host.settingsDb).paperMargin, 0);
    retype(margin, QStringLiteral("11"));
    click(save);
    EXPECT_EQ(env.prompt().lastText(), QStringLiteral("基本信息保存成功！"));
    EXPECT_EQ(ShopRow::read(host.settingsDb).paperMargin, 44);
}

// The owner prints the day-end report from the query window on the raw queue
// of a printer whose drawer switch is on: the printer gets the report's own
// picture, cut once, and the drawer stays shut.
TEST_F(RawQueueCupsTest, TheDayEndReportOnARawQueueIsItsPictureWithoutADrawerPulse)
{
    AppSettings &settings = env.settings();
    {
        Database db;
        ASSERT_TRUE(db.open(settings.settingsDsn));
        SettingsLoader::loadFrom(db, settings, QDate(2024, 3, 7), QString());
        Transaction transaction(db);
        RawPrinterSetup raw;
        raw.printer = rawQueue;
        raw.paperDots = RawPrinterSetup::dots58;
        raw.openDrawer = true;
        raw.store(db);
        transaction.commit();
    }
    settings.userName = QStringLiteral("admin");
    settings.userPower = AppSettings::administratorPower();
    {
        Database records;
        ASSERT_TRUE(records.open(settings.recordsDsn));
        const QString cash = QString::fromUtf8("现金");
        const QString wechat = QString::fromUtf8("微信");
        storeSale(records,
                  {QStringLiteral("R001"), QStringLiteral("2024-03-07 08:10:00"), 30.0,
                   QStringLiteral("admin"), 2.0, QString(), QString(), QString(), cash},
                  {{QString::fromUtf8("牛奶"), 2.0, 15.0, 30.0, 30.0}});
        storeSale(records,
                  {QStringLiteral("R002"), QStringLiteral("2024-03-07 08:30:00"), 45.0,
                   QString::fromUtf8("张敏"), 3.0, QString(), QString(), QString(), wechat},
                  {{QString::fromUtf8("面包"), 3.0, 16.0, 48.0, 45.0}});
        storeSale(records,
                  {QStringLiteral("R003"), QStringLiteral("2024-03-07 08:50:00"), 12.5,
                   QStringLiteral("admin"), 1.0, QString(), QString(), QString(), cash},
                  {{QString::fromUtf8("可乐"), 1.0, 12.5, 12.5, 12.5}});
    }

    std::unique_ptr<SalesDialog> sales = showSalesWindow(settings);
    sales->printSettings().printer1Name = rawQueue;
    sales->printSettings().finishedNotice = false;
    QStringList paperLines;
    QImage expected;
    bool printed = false;
    inQueryWindowOf(*sales, [&](QueryDialog *query) {
        whenModal([&](QDialog *dialog) {
            auto *report = qobject_cast<DayReportDialog *>(dialog);
            ASSERT_NE(report, nullptr);
            for (const ReceiptDrawing::Text &text : report->sheet().drawing.texts)
                paperLines += text.lines;
            expected = ReceiptRaster::of(report->sheet().drawing);
            click(report->printButton());
            printed = report->result() == QDialog::Accepted;
        });
        click(query->findChild<QPushButton *>(QStringLiteral("reportButton")));
    });
    ScriptedDialogs::instance().verifyAllOpened();
    ASSERT_TRUE(printed) << qPrintable(env.prompt().lastText());
    EXPECT_EQ(expected.width(), RawPrinterSetup::dots58);

    // The paper holds the day's figures: 3 sales, 6 items, 87.50 taken, 3.00
    // given off, the first and the last receipt, the shares.
    const QString all = paperLines.join(u'\n');
    for (const char *figure : {"销售单数：", "87.50", "3.00", "R001", "R003", "08:50:00",
                               "2单 42.50", "1单 45.00", "现金", "微信", "张敏"})
        EXPECT_TRUE(all.contains(QString::fromUtf8(figure))) << figure << "\n" << qPrintable(all);

    const EscPosDecoded job = EscPosDecoder::decode(thermalPrinter.nextJob());
    EXPECT_TRUE(job.error.isEmpty()) << qPrintable(job.error);
    EXPECT_EQ(job.drawerPulses, 0);
    EXPECT_EQ(job.cuts, 1);
    EXPECT_EQ(EscPosDecoder::differingPixels(expected, job.image), 0);
}

// F5 on the sales window as the program opens it, printer 1 the raw queue and
// "保存记录" on: the paper is the picture of the sale as the books hold it
// (number and time), and "仅保存小票" stores the next one without paper.
class RawQueueSalesWindow : public SalesWindowFixture
{
protected:
    static void SetUpTestSuite() { FontAliases::install(); }

    void SetUp() override
    {
        SalesWindowFixture::SetUp();
        const QString reason = thermalPrinter.attach(rawQueue);
        if (!reason.isEmpty())
            QM_SKIP_WITHOUT_SERVICE(reason.toStdString());
        Database db;
        ASSERT_TRUE(db.open(m_env.settings().settingsDsn));
        db.exec(QStringLiteral("update \"INFO\" set \"set4\"=?, \"ifSave\"='1', \"remark2\"='0', "
                               "\"saler\"='0' where \"id\"='1'"),
                {rawQueue});
    }

    RawPrinterListener thermalPrinter;
};

TEST_F(RawQueueSalesWindow, F5PrintsTheSaleAsStoredAndSaveOnlyPrintsNothing)
{
    open();
    enterLine("苹果", "2", "7.5");
    enterLine("香蕉", "3", "5");
    SaleSnapshot sale = m_dialog->takeSale();
    QTest::keyClick(box("productBox"), Qt::Key_F5);
    const EscPosDecoded paper = EscPosDecoder::decode(thermalPrinter.nextJob());
    ASSERT_TRUE(paper.error.isEmpty()) << paper.error.toStdString();

    sale.receiptNumber = recordsValue(QStringLiteral("select \"NO\" from \"POS_RECORD\""));
    EXPECT_EQ(sale.receiptNumber, QStringLiteral("0000000"));
    sale.time =
        QDateTime::fromString(recordsValue(QStringLiteral("select \"date\" from \"POS_RECORD\"")),
                              QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    EXPECT_EQ(recordsValue(QStringLiteral("select \"money\" from \"POS_RECORD\"")).toDouble(),
              30.0);
    ShopRow &shop = m_dialog->printSettings();
    const ReceiptData data =
        prepareReceiptData(sale, m_env.settings().labelLanguage, shop.showPrice);
    const ReceiptStyle style = ReceiptStyle::from(m_env.settings(), shop, sale.switches);
    RawPrinterSetup setup;
    {
        Database db;
        ASSERT_TRUE(db.open(m_env.settings().settingsDsn));
        setup = RawPrinterSetup::load(db, rawQueue);
    }
    EXPECT_EQ(EscPosDecoder::differingPixels(ReceiptRaster::of(data, style, setup.paperDots),
                                             paper.image),
              0);
    EXPECT_EQ(paper.cuts, 1);
    EXPECT_EQ(w<QLineEdit>("numberEdit")->text(), QStringLiteral("0000001"));
    EXPECT_TRUE(m_env.prompt().messages().isEmpty()) << m_env.prompt().lastText().toStdString();

    enterLine("梨", "1", "4");
    QTest::mouseClick(w<QPushButton>("saveOnlyButton"), Qt::LeftButton);
    EXPECT_EQ(recordsValue(QStringLiteral("select count(*) from \"POS_RECORD\"")),
              QStringLiteral("2"));
    EXPECT_TRUE(thermalPrinter.jobsWhenIdle().isEmpty()) << "仅保存小票 printed";
}

} // namespace
