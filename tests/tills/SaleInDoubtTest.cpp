// A till whose connection to the server is cut while it commits a sale (a
// real TCP proxy in front of the server cuts it, after the server has the
// COMMIT or before): the sales window, opened as the program opens it and
// driven by keys, says it is checking, lets nothing change or abandon the
// sale meanwhile, and once the server answers prints the sale the books hold,
// once. The receipts go through the program's own printing to a raw queue and
// are read back from what reached the printer: every one is the picture of a
// stored sale (number, time, lines, total) and every stored sale has its one.
#include "app/FontAliases.h"
#include "controls/SortableList.h"
#include "data/Database.h"
#include "printing/RawPrinterSetup.h"
#include "sales/SalesDialog.h"
#include "support/CuttingProxy.h"
#include "support/Gui.h"
#include "support/PaperAgainstBooks.h"
#include "support/PgServer.h"
#include "support/RawPrinterListener.h"
#include "support/SalesWindowFixture.h"
#include "support/ScriptedPrompt.h"
#include "support/Text.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using Cut = CuttingProxy::Cut;

class SaleInDoubt : public SalesWindowFixture, public ::testing::WithParamInterface<Cut>
{
protected:
    static void SetUpTestSuite() { FontAliases::install(); }

    void SetUp() override
    {
        QM_REQUIRE_POSTGRES();
        // A queue of this process's own: the printing tests point theirs elsewhere.
        const QString reason = m_printer.attach(
            QStringLiteral("TillInDoubt%1").arg(QCoreApplication::applicationPid()));
        if (!reason.isEmpty())
            QM_SKIP_WITHOUT_SERVICE(reason.toStdString());
        SalesWindowFixture::SetUp();
        const QString direct = PgServer::preparedDataSource(false);
        m_proxy = std::make_unique<CuttingProxy>(PgServer::socketPath());
        ASSERT_TRUE(m_proxy->isListening());
        const QString database = direct.mid(QStringLiteral("QmPg_").size());
        const QString proxied = QStringLiteral("QmCut_") + database;
        PgServer::registerDataSource(proxied, database, QStringLiteral("127.0.0.1"),
                                     m_proxy->port());
        m_env.settings().recordsDsn = proxied;
        ASSERT_TRUE(m_books.open(direct));
        open(); // the program's own wiring: its receipts go to the shop's printer
        ShopRow &shop = m_dialog->printSettings();
        shop.saveOnPrint = true;
        shop.printer1Name = m_printer.queue();
        shop.finishedNotice = false;
        shop.secondCopy = false;
    }

    void TearDown() override
    {
        m_dialog.reset();
        m_proxy.reset();
    }

    SortableList *list() { return w<SortableList>("saleList"); }
    bool checking() { return w<QLabel>("doubtLabel")->isVisible(); }

    // Every job that reached the printer so far.
    const QList<QByteArray> &paper()
    {
        m_paper += m_printer.jobsWhenIdle();
        return m_paper;
    }

    // F5 with the connection cut at the commit: the window is checking and
    // nothing has been printed.
    void pressF5CutAtCommit(Cut how)
    {
        m_proxy->cutNextCommit(how);
        QTest::keyClick(box("productBox"), Qt::Key_F5);
        ASSERT_EQ(m_proxy->cuts(), 1);
        ASSERT_TRUE(checking());
        EXPECT_EQ(w<QLabel>("doubtLabel")->text(), SalesDialog::checkingText());
        EXPECT_TRUE(paper().isEmpty());
    }

    // Every receipt is a stored sale as printed, and every stored sale has
    // exactly one receipt; the numbers printed, in order, one space apart.
    std::string expectThePaperToAgreeWithTheBooks()
    {
        Database settings;
        EXPECT_TRUE(settings.open(m_env.settings().settingsDsn));
        const int dots = RawPrinterSetup::load(settings, m_printer.queue()).paperDots;
        return PaperAgainstBooks::expectAgreement(m_books, paper(),
                                                  {m_env.settings(), m_dialog->printSettings(),
                                                   m_dialog->takeSale().switches, dots})
            .join(u' ')
            .toStdString();
    }

    QString books(const char *sql) { return m_books.scalar(QString::fromUtf8(sql)); }

    RawPrinterListener m_printer;
    QList<QByteArray> m_paper;
    std::unique_ptr<CuttingProxy> m_proxy;
    Database m_books;
};

TEST_P(SaleInDoubt, UnchangedF5PrintsTheStoredSaleOnceWithItsStoredTime)
{
    enterLine("苹果", "2", "7.5");
    enterLine("香蕉", "3", "5");
    pressF5CutAtCommit(GetParam());
    // The server is back at once: the window's own retry finds out.
    m_proxy->open();
    EXPECT_TRUE(waitFor([&] { return !checking(); }, 10000));
    EXPECT_EQ(paper().size(), 1);
    EXPECT_EQ(list()->rowCount(), 0);
    EXPECT_EQ(edit("numberEdit")->text(), s("0000001"));

    // The next customer is stored and printed under the next number.
    enterLine("梨", "1", "4");
    QTest::keyClick(box("productBox"), Qt::Key_F5);
    EXPECT_EQ(expectThePaperToAgreeWithTheBooks(), "0000000 0000001");
    EXPECT_EQ(books("select count(*) from \"POS_RECORD_DETAIL\" where \"NO\" = '0000000'"), s("2"));
    EXPECT_DOUBLE_EQ(
        books("select \"money\" from \"POS_RECORD\" where \"NO\" = '0000000'").toDouble(), 30.0);
    EXPECT_TRUE(m_env.prompt().messages().isEmpty()) << m_env.prompt().lastText().toStdString();
}

TEST_P(SaleInDoubt, AnEditWhileCheckingIsRefusedAndTheSaleOnScreenIsTheOnePrinted)
{
    enterLine("苹果", "2", "7.5");
    enterLine("香蕉", "3", "5");
    pressF5CutAtCommit(GetParam());
    // The server stays away for a while; the cashier tries to add a line,
    // delete one, change the number and print.
    EXPECT_FALSE(box("productBox")->isEnabled());
    EXPECT_FALSE(w("addButton")->isEnabled());
    EXPECT_FALSE(w("deleteButton")->isEnabled());
    EXPECT_FALSE(list()->isEnabled());
    EXPECT_FALSE(edit("numberEdit")->isEnabled());
    EXPECT_FALSE(w("saveOnlyButton")->isEnabled());
    EXPECT_FALSE(w("queryButton")->isEnabled());
    QTest::keyClicks(box("productBox"), s("melon"));
    QTest::keyClick(edit("priceEdit"), Qt::Key_Return);
    list()->selectOnly(0);
    QTest::keyClick(list(), Qt::Key_Delete);
    QTest::keyClick(m_dialog.get(), Qt::Key_F5); // asks the server again: still away
    EXPECT_TRUE(checking());
    EXPECT_EQ(list()->rowCount(), 2);
    EXPECT_EQ(m_dialog->session().sale().lines().count(), 2);
    EXPECT_TRUE(paper().isEmpty());

    m_proxy->open();
    EXPECT_TRUE(waitFor([&] { return !checking(); }, 10000));
    EXPECT_TRUE(box("productBox")->isEnabled());
    EXPECT_FALSE(w("deleteButton")->isEnabled()); // no line to delete in the new sale
    EXPECT_EQ(expectThePaperToAgreeWithTheBooks(), "0000000");
    EXPECT_EQ(books("select count(*) from \"POS_RECORD_DETAIL\""), s("2"));
    EXPECT_DOUBLE_EQ(books("select \"money\" from \"POS_RECORD\"").toDouble(), 30.0);
}

TEST_P(SaleInDoubt, LeavingWhileCheckingIsAskedAndTheCashierStays)
{
    enterLine("牛奶", "1", "7");
    pressF5CutAtCommit(GetParam());
    m_env.prompt().answerNext(Prompt::Answer::No);
    QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
    EXPECT_EQ(m_env.prompt().lastText(), SalesDialog::leaveInDoubtQuestion());
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_TRUE(checking());

    m_proxy->open();
    EXPECT_TRUE(waitFor([&] { return !checking(); }, 10000));
    EXPECT_EQ(expectThePaperToAgreeWithTheBooks(), "0000000");
    EXPECT_EQ(books("select \"name\" from \"POS_RECORD_DETAIL\""), s("牛奶"));
}

// The first commit never reaches the server, so the window stores the sale
// itself once the server answers, and that commit is cut as well: still
// checking, nothing printed; when the server answers again the sale is
// stored once and printed once.
TEST_P(SaleInDoubt, TheCheckingStepsOwnCommitCutAsWellStoresAndPrintsTheSaleOnce)
{
    enterLine("苹果", "2", "7.5");
    pressF5CutAtCommit(Cut::BeforeCommitArrived);
    m_proxy->cutNextCommit(GetParam());
    m_proxy->open();
    QTest::keyClick(m_dialog.get(), Qt::Key_F5); // the cashier asks at once
    ASSERT_EQ(m_proxy->cuts(), 2);
    EXPECT_TRUE(checking());
    EXPECT_TRUE(paper().isEmpty());

    m_proxy->open();
    QTest::keyClick(m_dialog.get(), Qt::Key_F5);
    EXPECT_FALSE(checking());
    EXPECT_EQ(expectThePaperToAgreeWithTheBooks(), "0000000");
    EXPECT_EQ(books("select count(*) from \"POS_RECORD_DETAIL\""), s("1"));
    EXPECT_EQ(edit("numberEdit")->text(), s("0000001"));
    EXPECT_TRUE(m_env.prompt().messages().isEmpty()) << m_env.prompt().lastText().toStdString();
}

// The server stores the sale and its answer reaches the till; the connection
// goes just after, while the till reads its next number. The sale is printed
// as stored, the cashier is told it is stored (not that nothing was), and the
// next sale is stored under the next number once the server is back.
using SaleStoredThenCut = SaleInDoubt;
TEST_F(SaleStoredThenCut, TheSaleIsPrintedAsStoredAndSaidToBeStored)
{
    enterLine("苹果", "2", "7.5");
    m_proxy->cutNextCommit(Cut::AfterCommitAnswered);
    QTest::keyClick(box("productBox"), Qt::Key_F5);
    ASSERT_EQ(m_proxy->cuts(), 1);
    EXPECT_FALSE(checking());
    EXPECT_EQ(list()->rowCount(), 0);
    const QString said = m_env.prompt().lastText();
    EXPECT_TRUE(said.contains(s("0000000")) && said.contains(s("已经保存"))) << said.toStdString();
    EXPECT_FALSE(said.contains(s("什么也没有保存"))) << said.toStdString();

    m_proxy->open();
    enterLine("香蕉", "3", "5");
    QTest::keyClick(box("productBox"), Qt::Key_F5);
    EXPECT_EQ(expectThePaperToAgreeWithTheBooks(), "0000000 0000001");
}

INSTANTIATE_TEST_SUITE_P(Cuts, SaleInDoubt,
                         ::testing::Values(Cut::AfterCommitArrived, Cut::BeforeCommitArrived),
                         [](const auto &info) {
                             return info.param == Cut::AfterCommitArrived
                                        ? std::string("AfterTheServerHadTheCommit")
                                        : std::string("BeforeTheServerSawTheCommit");
                         });

} // namespace
