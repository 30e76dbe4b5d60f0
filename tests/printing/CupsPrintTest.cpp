// A sale printed through a real CUPS queue: the "Receipt" queue that
// scripts/start-test-cups.sh sets up with cups-pdf. The PDF that arrives must
// be one page of the printer's paper width and the receipt's length.
#include "PdfInfo.h"
#include "PrintOwner.h"

#include "app/FontAliases.h"
#include "core/AppSettings.h"
#include "data/ShopRow.h"
#include "printing/PrepareReceiptData.h"
#include "printing/PrintFinishedDialog.h"
#include "printing/QueueState.h"
#include "printing/ReceiptPage.h"
#include "printing/ReceiptPrinters.h"
#include "printing/ReceiptStyle.h"
#include "printing/SaleReceiptOutput.h"
#include "support/Gui.h"
#include "support/RealService.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedPrompt.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QThread>

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

namespace {

const QString queue = QStringLiteral("Receipt");

QSet<QString> pdfsIn(const QString &dir)
{
    const QStringList names = QDir(dir).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    return QSet<QString>(names.begin(), names.end());
}

bool queueEmpty()
{
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-o"), queue});
    lpstat.waitForFinished(10000);
    return lpstat.readAllStandardOutput().trimmed().isEmpty();
}

// The new PDF files once the queue has emptied and cups-pdf has written them.
QStringList arrivedPdfs(const QString &dir, const QSet<QString> &before, int expected)
{
    QDeadlineTimer deadline(60000);
    QStringList arrived;
    while (!deadline.hasExpired()) {
        arrived.clear();
        for (const QString &name : pdfsIn(dir) - before)
            arrived << QDir(dir).filePath(name);
        bool complete = queueEmpty() && arrived.size() >= expected;
        for (const QString &path : arrived)
            complete = complete && PdfInfo::of(path).pages > 0;
        if (complete)
            break;
        QThread::msleep(100);
    }
    arrived.sort();
    return arrived;
}

class CupsPrintTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { FontAliases::install(); }

    void SetUp() override
    {
        if (!ReceiptPrinters::exists(queue))
            QM_SKIP_WITHOUT_SERVICE("no CUPS scheduler with the cups-pdf queue \"Receipt\"; "
                                    "scripts/start-test-cups.sh starts one (as root)");
        output = cupsPdfOutput();
        if (output.isEmpty())
            QM_SKIP_WITHOUT_SERVICE("cups-pdf has no output folder in /etc/cups/cups-pdf.conf");
        QDir().mkpath(output);
        before = pdfsIn(output);
        shop.printer1Name = queue;
    }

    // The page a receipt of SALE gets on the queue, worked out as the job does.
    ReceiptPage::Prepared expectedPage(const SaleSnapshot &sale)
    {
        const ReceiptData data =
            prepareReceiptData(sale, env.settings().labelLanguage, shop.showPrice);
        const ReceiptStyle style = ReceiptStyle::from(env.settings(), shop, sale.switches);
        QPrinter printer(QPrinterInfo::printerInfo(queue), QPrinter::HighResolution);
        return ReceiptPage::prepare(printer, data, style);
    }

    TestEnv env;
    ShopRow shop;
    QString output;
    QSet<QString> before;
};

TEST_F(CupsPrintTest, SaleArrivesAsOnePageOfTheReceiptsLength)
{
    PrintOwner host(env);
    shop.finishedNotice = true;
    const ReceiptPage::Prepared expected = expectedPage(host.sale);
    const int paperWidth = QPrinterInfo::printerInfo(queue).defaultPageSize().sizePoints().width();

    // The notice comes after the print; a person clicks "确定".
    int notices = 0;
    whenModal(QStringLiteral("PrintFinishedDialog"), [&](QDialog *notice) {
        ++notices;
        click(child<QPushButton>(notice, "okButton"));
    });
    EXPECT_TRUE(SaleReceiptOutput(env.settings(), shop, &host.window).print(host.sale));

    EXPECT_EQ(notices, 1);
    EXPECT_TRUE(env.prompt().messages().isEmpty()) << env.prompt().lastText().toStdString();

    const QStringList pdfs = arrivedPdfs(output, before, 1);
    ASSERT_EQ(pdfs.size(), 1) << "no PDF from cups-pdf in " << output.toStdString();
    const PdfInfo pdf = PdfInfo::of(pdfs[0]);
    EXPECT_EQ(pdf.pages, 1);
    EXPECT_NEAR(pdf.pageSize.width(), paperWidth, 1.0);
    EXPECT_NEAR(pdf.pageSize.height(), expected.lengthPoints, 1.0);
    // The queue is a 300-dpi one; the receipt is laid out at 203 and scaled,
    // so its text has the size it has on a 203-dpi printer.
    EXPECT_EQ(expected.drawing.dpiX, 203);
    // The margin check of the settings page sees the paper this job printed on.
    const PrintMargins::Paper paper = ReceiptPage::paper(queue, host.settingsDb);
    EXPECT_NEAR(paper.printableMm, expected.drawing.width * 25.4 / 203, 0.2);
    EXPECT_NEAR(paper.leftEdgeMm + paper.printableMm + paper.rightEdgeMm, paperWidth * 25.4 / 72,
                0.5);
    // The page as it arrived, as a picture when pictures are kept.
    if (qEnvironmentVariableIsSet("QM_PICTURES_DIR"))
        keepPicture(PdfInfo::firstPage(pdfs[0], 203), QStringLiteral("receipt-cups-pdf"));
    for (const QString &path : pdfs)
        QFile::remove(path);
}

TEST_F(CupsPrintTest, LongSaleIsOneLongPage)
{
    PrintOwner host(env);
    host.sale = ReceiptSample::sale(120);
    shop.finishedNotice = false;
    shop.secondCopy = true;
    env.prompt().answerNext(Prompt::Answer::Yes); // a second copy
    const ReceiptPage::Prepared expected = expectedPage(host.sale);
    EXPECT_TRUE(SaleReceiptOutput(env.settings(), shop, &host.window).print(host.sale));
    EXPECT_EQ(env.prompt().texts(), QStringList{"是否再打印一份?"});

    const QStringList pdfs = arrivedPdfs(output, before, 2);
    ASSERT_EQ(pdfs.size(), 2);
    for (const QString &path : pdfs) {
        const PdfInfo pdf = PdfInfo::of(path);
        EXPECT_EQ(pdf.pages, 1);
        EXPECT_NEAR(pdf.pageSize.height(), expected.lengthPoints, 1.0);
        EXPECT_GT(pdf.pageSize.height(), 120 * 35 * 72 / 203); // 120 rows of 35 dots at least
        QFile::remove(path);
    }
}

TEST_F(CupsPrintTest, ReceiptOnAStoppedQueueIsSaidToWaitAndTheSaleIsDone)
{
    // A queue of this test's own, stopped as "cupsdisable" stops a printer.
    const QString stoppedQueue =
        QStringLiteral("QmStopped%1").arg(QCoreApplication::applicationPid());
    auto lp = [](const QString &program, const QStringList &args) {
        QProcess process;
        process.start(program, args);
        return process.waitForFinished(20000) && process.exitCode() == 0;
    };
    if (!lp(QStringLiteral("lpadmin"), {"-p", stoppedQueue, "-E", "-v", "cups-pdf:/", "-m",
                                        "lsb/usr/cups-pdf/CUPS-PDF_opt.ppd"}))
        QM_SKIP_WITHOUT_SERVICE("cannot add a queue (lpadmin needs root)");
    ASSERT_TRUE(lp(QStringLiteral("cupsdisable"), {"-r", "纸用完了", stoppedQueue}));
    EXPECT_EQ(QueueState(3, {QStringLiteral("none")}).waitingReason(), QString());
    EXPECT_EQ(
        QueueState(4, {"media-empty-error", "cover-open-report", "offline-report"}).waitingReason(),
        "打印机未连接，打印机缺纸，打印机机盖未合上");

    PrintOwner host(env);
    shop.printer1Name = stoppedQueue;
    shop.finishedNotice = true; // no "打印完毕" may come: the receipt has not printed
    EXPECT_TRUE(SaleReceiptOutput(env.settings(), shop, &host.window).print(host.sale));

    EXPECT_EQ(env.prompt().texts(),
              QStringList{QueueState::waitingMessage(stoppedQueue, "打印机已停用")});
    EXPECT_EQ(env.prompt().messages().value(0).icon, Prompt::Icon::Warning);
    // The job was sent and waits: for the sale it counts as printed.
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-o"), stoppedQueue});
    lpstat.waitForFinished(10000);
    EXPECT_FALSE(lpstat.readAllStandardOutput().trimmed().isEmpty()) << "no job waits";

    lp(QStringLiteral("cancel"), {"-a", stoppedQueue});
    lp(QStringLiteral("lpadmin"), {"-x", stoppedQueue});
}

TEST_F(CupsPrintTest, PrinterThatCannotBeHadFallsBackToTheDefaultPrinter)
{
    if (ReceiptPrinters::defaultName() != queue)
        QM_SKIP_WITHOUT_SERVICE("the default printer is not the test queue");
    PrintOwner host(env);
    shop.finishedNotice = false;
    const ReceiptData data =
        prepareReceiptData(host.sale, env.settings().labelLanguage, shop.showPrice);
    ReceiptPrinter printer(env.settings(), shop, &host.window);
    // No printer 1 stored, and one that was removed from the computer.
    for (const QString &name : {QString(), QStringLiteral("已拆除的打印机")}) {
        shop.printer1Name = name;
        EXPECT_TRUE(printer.printReceiptJob(data, host.sale.switches, name));
        EXPECT_EQ(printer.lastPrinter(), queue);
        EXPECT_EQ(shop.printer1Name, name) << "nothing is stored or changed";
    }
    EXPECT_TRUE(env.prompt().messages().isEmpty()) << env.prompt().lastText().toStdString();
    const QStringList pdfs = arrivedPdfs(output, before, 2);
    EXPECT_EQ(pdfs.size(), 2);
    for (const QString &path : pdfs)
        QFile::remove(path);
}

} // namespace
