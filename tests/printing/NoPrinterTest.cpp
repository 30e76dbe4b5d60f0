// Printing, finishing a sale and the preview on a computer without any printer.
// Where printers are installed the cases run in a child process whose CUPS
// client is pointed at a scheduler that does not exist.
#include "PrintOwner.h"

#include "app/FontAliases.h"
#include "controls/SortableList.h"
#include "core/AppSettings.h"
#include "printing/PrinterSelectDialog.h"
#include "printing/ReceiptPage.h"
#include "printing/ReceiptPreview.h"
#include "printing/ReceiptPreviewWindow.h"
#include "printing/ReceiptPrinters.h"
#include "printing/SaleReceiptOutput.h"
#include "data/ShopRow.h"
#include "sales/FinishSale.h"
#include "support/SalesWindowFixture.h"
#include "support/ScriptedPrompt.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr const char *childMarker = "QM_TEST_WITHOUT_PRINTERS";

bool noPrinters()
{
    return ReceiptPrinters::names().isEmpty() && ReceiptPrinters::defaultName().isEmpty();
}

TEST(NoPrinterChild, RunsTheCasesWithoutCups)
{
    if (qEnvironmentVariableIsSet(childMarker))
        GTEST_SKIP() << "this is the child run";
    if (noPrinters())
        GTEST_SKIP() << "no printers here: the cases run in this process";
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("CUPS_SERVER"), QStringLiteral("/nonexistent/quillmarch-test.sock"));
    env.insert(QString::fromLatin1(childMarker), QStringLiteral("1"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=NoPrinter.*:NoPrinterWindow.*")});
    ASSERT_TRUE(child.waitForFinished(120000));
    const QString output = QString::fromUtf8(child.readAll());
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 4 tests"))) << output.toStdString();
}

class NoPrinter : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { FontAliases::install(); }

    void SetUp() override
    {
        if (!noPrinters())
            GTEST_SKIP() << "printers are installed; these cases run in a child process";
        shop.printer1Name = QStringLiteral("前台小票机");
        host.window.show();
    }

    TestEnv env;
    ShopRow shop;
    PrintOwner host{env};
};

TEST_F(NoPrinter, PrintJobSaysSoAndPrintsNothing)
{
    ReceiptPrinter printer(env.settings(), shop, &host.window);
    ReceiptData data;
    EXPECT_FALSE(printer.printReceiptJob(data, host.sale.switches, shop.printer1Name));
    ASSERT_EQ(env.prompt().messages().size(), 1);
    EXPECT_EQ(env.prompt().messages()[0].text,
              "获取打印机失败，请确认打印机硬件及驱动程序是否已安装好！");
    EXPECT_EQ(env.prompt().messages()[0].buttons, Prompt::Buttons::Ok);
    EXPECT_EQ(env.prompt().messages()[0].icon, Prompt::Icon::NoIcon);
    EXPECT_EQ(env.prompt().messages()[0].caption, Prompt::applicationTitle());
    EXPECT_TRUE(printer.lastPrinter().isEmpty());
}

// F5 on the sales window as the program opens it, saving on: the sale is
// stored, the cashier is told it was not printed, and the next sale begins.
class NoPrinterWindow : public SalesWindowFixture
{
protected:
    void SetUp() override
    {
        if (!noPrinters())
            GTEST_SKIP() << "printers are installed; these cases run in a child process";
        SalesWindowFixture::SetUp();
    }
};

TEST_F(NoPrinterWindow, F5StoresTheSaleSaysItWasNotPrintedAndStartsTheNext)
{
    m_env.settings().usePrinter2 = true;
    open();
    m_dialog->printSettings().saveOnPrint = true;
    m_dialog->printSettings().printer1Name = QStringLiteral("前台小票机");
    enterLine("甲", "2", "3");
    QTest::keyClick(box("productBox"), Qt::Key_F5);
    EXPECT_EQ(m_env.prompt().texts(),
              (QStringList{ReceiptPrinter::noPrinterMessage(), ReceiptPrinter::noPrinterMessage(),
                           FinishSale::notPrintedMessage(QStringLiteral("0000000"))}));
    EXPECT_EQ(recordsValue(QStringLiteral("select \"money\" from \"POS_RECORD\" where \"NO\"=?"),
                           {QStringLiteral("0000000")})
                  .toDouble(),
              6.0);
    EXPECT_EQ(w<SortableList>("saleList")->rowCount(), 0);
    EXPECT_EQ(edit("numberEdit")->text(), QStringLiteral("0000001"));
}

TEST_F(NoPrinter, PreviewGoesOnWithARollPage)
{
    QPointer<ReceiptPreviewWindow> frame =
        ReceiptPreview::open(&host.window, host.sale, host.settingsDb, env.settings(), shop);
    QCoreApplication::processEvents();
    ASSERT_TRUE(frame);
    ASSERT_EQ(env.prompt().messages().size(), 1);
    EXPECT_EQ(env.prompt().messages()[0].text, "GetPrinterDevice called failed\n");
    EXPECT_EQ(frame->previewWidget()->pageCount(), 1);
    const QSize page = frame->printer()->pageLayout().pageSize().sizePoints();
    EXPECT_EQ(page.width(), qRound(ReceiptPage::fallbackPaperWidthMm * 72 / 25.4));
    EXPECT_GT(page.height(), page.width());
    EXPECT_EQ(QApplication::activeModalWidget(), frame.data());
    frame->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(host.window.isVisible());
}

TEST_F(NoPrinter, PrinterDialogHasNothingToOffer)
{
    PrinterSelectDialog dialog(env.settings(), shop);
    EXPECT_EQ(dialog.findChild<QComboBox *>("printer1Box")->count(), 0);
    EXPECT_EQ(dialog.findChild<QComboBox *>("printer2Box")->count(), 0);
}

} // namespace
