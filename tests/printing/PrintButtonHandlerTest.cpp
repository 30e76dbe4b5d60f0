// The print flow behind "打印小票(F5)", driven through a stand-in sales window.
#include "FakePrintHost.h"

#include "core/AppSettings.h"
#include "printing/PrintButtonHandler.h"
#include "printing/ShopPrintSettings.h"
#include "support/ScriptedPrompt.h"

#include <gtest/gtest.h>

namespace {

class PrintButtonHandlerTest : public ::testing::Test
{
protected:
    PrintButtonHandlerTest() : host(env), printer(env.settings(), shop, host.window())
    {
        shop.printer1Name = QStringLiteral("前台小票机");
        shop.saveOnPrint = true;
        env.settings().printer2Name = QStringLiteral("厨房打印机");
    }

    void run()
    {
        PrintButtonHandler handler(host, env.settings(), shop, printer);
        handler.run();
    }

    QString storedLastPayment()
    {
        Database db;
        db.open(env.settings().settingsDsn);
        return db.scalar(QStringLiteral("select \"set5\" from \"USER_SET\" where \"id\"=1"));
    }

    TestEnv env;
    ShopPrintSettings shop;
    FakePrintHost host;
    RecordingPrinter printer;
};

TEST_F(PrintButtonHandlerTest, EmptySaleIsRefused)
{
    host.sale.lines.clear();
    run();
    EXPECT_EQ(env.prompt().texts(), QStringList{PrintButtonHandler::emptySaleMessage()});
    EXPECT_EQ(env.prompt().messages().first().text,
              "当前无记录可打印！请先按“添加（Enter）”按钮添加商品记录！");
    // A plain box: OK only, no icon, the program's title.
    EXPECT_EQ(env.prompt().messages().first().icon, Prompt::Icon::NoIcon);
    EXPECT_EQ(env.prompt().messages().first().buttons, Prompt::Buttons::Ok);
    EXPECT_EQ(env.prompt().messages().first().caption, Prompt::applicationTitle());
    EXPECT_TRUE(host.calls.isEmpty());
    EXPECT_TRUE(printer.jobs.isEmpty());
}

TEST_F(PrintButtonHandlerTest, SavesPrintsAndFinishesInOrder)
{
    run();
    // The sale is taken again after saving: saving takes its receipt number.
    EXPECT_EQ(host.calls,
              (QStringList{"take", "save", "take", "resetRemark", "consume", "finish"}));
    ASSERT_EQ(printer.jobs.size(), 1);
    EXPECT_EQ(printer.jobs[0].printer, "前台小票机");
    EXPECT_EQ(printer.jobs[0].number, "2403070000012");
    EXPECT_EQ(printer.jobs[0].remark, "谢谢惠顾，欢迎再次光临！\n本店地址：幸福路18号");
    EXPECT_TRUE(printer.jobs[0].discountSwitch);
    EXPECT_TRUE(env.prompt().messages().isEmpty());
    // The payment method is remembered for the next sale.
    EXPECT_EQ(storedLastPayment(), "现金");
    EXPECT_EQ(env.settings().lastPayment, "现金");
}

TEST_F(PrintButtonHandlerTest, WithoutSavingStillPrintsAndConsumesTheNumber)
{
    shop.saveOnPrint = false;
    run();
    EXPECT_EQ(host.calls, (QStringList{"take", "resetRemark", "consume", "finish"}));
    EXPECT_EQ(printer.jobs.size(), 1);
}

TEST_F(PrintButtonHandlerTest, FailedSaveEndsTheFlowAndKeepsTheSale)
{
    host.saveSucceeds = false;
    run();
    EXPECT_EQ(host.calls, (QStringList{"take", "save"}));
    EXPECT_TRUE(printer.jobs.isEmpty());
    EXPECT_FALSE(host.sale.lines.isEmpty());
    EXPECT_EQ(storedLastPayment(), "");
}

TEST_F(PrintButtonHandlerTest, FailedNumberStopsBeforeTheReset)
{
    host.consumeSucceeds = false;
    run();
    EXPECT_EQ(host.calls, (QStringList{"take", "save", "take", "resetRemark", "consume"}));
    EXPECT_EQ(printer.jobs.size(), 1);
    EXPECT_EQ(storedLastPayment(), "");
}

TEST_F(PrintButtonHandlerTest, PaymentMethodOnlyWhenItsBoxIsTicked)
{
    host.sale.switches.payment = false;
    host.sale.payment = QStringLiteral("微信");
    run();
    EXPECT_EQ(storedLastPayment(), "");
    EXPECT_EQ(env.settings().lastPayment, "");
    EXPECT_EQ(host.calls.last(), "finish");
}

TEST_F(PrintButtonHandlerTest, SecondCopyIsOfferedAndCarriesTheWholeRemark)
{
    shop.secondCopy = true;
    env.prompt().answerNext(Prompt::Answer::Yes);
    run();
    ASSERT_EQ(env.prompt().messages().size(), 1);
    const auto &question = env.prompt().messages().first();
    EXPECT_EQ(question.text, "是否再打印一份?");
    EXPECT_EQ(question.caption, "printer");
    EXPECT_EQ(question.icon, Prompt::Icon::Question);
    EXPECT_EQ(question.buttons, Prompt::Buttons::YesNo);
    ASSERT_EQ(printer.jobs.size(), 2);
    EXPECT_EQ(printer.jobs[1].printer, "前台小票机");
    EXPECT_EQ(printer.jobs[1].remark, "谢谢惠顾，欢迎再次光临！\n本店地址：幸福路18号");

    printer.jobs.clear();
    env.prompt().clear();
    host.sale = ReceiptSample::sale();
    env.prompt().answerNext(Prompt::Answer::No);
    run();
    EXPECT_EQ(printer.jobs.size(), 1);
    EXPECT_EQ(env.prompt().messages().size(), 1);
}

TEST_F(PrintButtonHandlerTest, SecondPrinterGetsItsOwnReceiptAndQuestion)
{
    env.settings().usePrinter2 = true;
    printer.drawerPrinters = {QStringLiteral("厨房打印机")};
    shop.secondCopy = true;
    env.prompt().answerNext(Prompt::Answer::No);  // no copy on printer 1
    env.prompt().answerNext(Prompt::Answer::Yes); // one more on printer 2
    run();
    EXPECT_EQ(printer.printers(), (QStringList{"前台小票机", "厨房打印机", "厨房打印机"}));
    EXPECT_EQ(env.prompt().texts(), (QStringList{"是否再打印一份?", "是否再打印一份?"}));
    // Only printer 2 has a drawer: its first receipt is the sale's and opens
    // it, the copy does not.
    using Purpose = ReceiptPrinter::Purpose;
    ASSERT_EQ(printer.jobs.size(), 3);
    EXPECT_EQ(printer.jobs[0].purpose, Purpose::NewSale);
    EXPECT_EQ(printer.jobs[1].purpose, Purpose::NewSale);
    EXPECT_EQ(printer.jobs[2].purpose, Purpose::Reprint);
    for (const auto &job : printer.jobs)
        EXPECT_EQ(job.remark, "谢谢惠顾，欢迎再次光临！\n本店地址：幸福路18号");
    // Printer 1 keeps its name.
    EXPECT_EQ(shop.printer1Name, "前台小票机");

    // Without the second-copy switch nobody is asked.
    printer.jobs.clear();
    env.prompt().clear();
    shop.secondCopy = false;
    host.sale = ReceiptSample::sale();
    run();
    EXPECT_EQ(printer.printers(), (QStringList{"前台小票机", "厨房打印机"}));
    EXPECT_TRUE(env.prompt().messages().isEmpty());

    // Both have a drawer: one sale opens one, the first printer's.
    printer.jobs.clear();
    printer.drawerPrinters << QStringLiteral("前台小票机");
    host.sale = ReceiptSample::sale();
    run();
    ASSERT_EQ(printer.jobs.size(), 2);
    EXPECT_EQ(printer.jobs[0].purpose, Purpose::NewSale);
    EXPECT_EQ(printer.jobs[1].purpose, Purpose::Reprint);
}

} // namespace
