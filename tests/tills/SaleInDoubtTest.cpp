// A till whose connection to the server is cut while it commits a sale (a
// real TCP proxy in front of the server cuts it, after the server has the
// COMMIT or before): the sales window, opened as the program opens it and
// driven by keys, says it is checking, lets nothing change or abandon the
// sale meanwhile, and once the server answers prints the sale the books hold,
// once. Every receipt sent to the printer is a stored sale (number, time,
// lines, total) and every stored sale has its receipt.
#include "controls/SortableList.h"
#include "core/Clock.h"
#include "data/Database.h"
#include "sales/SaleStore.h"
#include "sales/SalesDialog.h"
#include "sales/SalesWindows.h"
#include "support/CuttingProxy.h"
#include "support/Gui.h"
#include "support/PgServer.h"
#include "support/SaleFinishing.h"
#include "support/SalesWindowFixture.h"
#include "support/ScriptedPrompt.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class SaleInDoubt : public SalesWindowFixture,
                    public ::testing::WithParamInterface<CuttingProxy::Cut>
{
protected:
    void SetUp() override
    {
        QM_REQUIRE_POSTGRES();
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
        SalesWindows windows = SalesWindows::installed();
        windows.receiptOutput = keptIn(m_paper);
        open(windows);
        m_dialog->printSettings().saveOnPrint = true;
    }

    void TearDown() override
    {
        m_dialog.reset();
        m_proxy.reset();
    }

    SortableList *list() { return w<SortableList>("saleList"); }
    bool checking() { return w<QLabel>("doubtLabel")->isVisible(); }

    // F5 with the connection cut at the commit: the window is checking.
    void pressF5CutAtCommit()
    {
        m_proxy->cutNextCommit(GetParam());
        QTest::keyClick(box("productBox"), Qt::Key_F5);
        ASSERT_EQ(m_proxy->cuts(), 1);
        ASSERT_TRUE(checking());
        EXPECT_EQ(w<QLabel>("doubtLabel")->text(), SalesDialog::checkingText());
        EXPECT_TRUE(m_paper.receipts.isEmpty());
    }

    // Every receipt is a stored sale as printed, and every stored sale has
    // exactly one receipt.
    void expectThePaperToAgreeWithTheBooks()
    {
        QStringList printed;
        for (const SaleSnapshot &receipt : m_paper.receipts) {
            printed << receipt.receiptNumber;
            Database::Rows header =
                m_books.query(s("select \"date\", \"money\" from \"POS_RECORD\" where \"NO\" = ?"),
                              {receipt.receiptNumber});
            ASSERT_TRUE(header.next()) << "not stored: " << receipt.receiptNumber.toStdString();
            EXPECT_EQ(header.text(0), Clock::stamp(receipt.time));
            EXPECT_DOUBLE_EQ(header.number(1), receipt.discountedTotal);
            Database::Rows lines =
                m_books.query(SaleStore::linesQuery(m_books), {receipt.receiptNumber});
            for (const SaleSnapshot::Line &line : receipt.lines) {
                ASSERT_TRUE(lines.next());
                EXPECT_EQ(lines.text(0), line.name);
                EXPECT_DOUBLE_EQ(lines.number(3), line.amount.toDouble());
            }
            EXPECT_FALSE(lines.next()) << "more lines stored than printed";
        }
        printed.sort();
        QStringList stored;
        Database::Rows numbers = m_books.query(s("select \"NO\" from \"POS_RECORD\""));
        while (numbers.next())
            stored << numbers.text(0);
        stored.sort();
        EXPECT_EQ(printed, stored);
    }

    std::unique_ptr<CuttingProxy> m_proxy;
    Database m_books;
    KeptReceipts m_paper;
};

TEST_P(SaleInDoubt, UnchangedF5PrintsTheStoredSaleOnceWithItsStoredTime)
{
    enterLine("苹果", "2", "7.5");
    enterLine("香蕉", "3", "5");
    pressF5CutAtCommit();
    // The server is back at once: the window's own retry finds out.
    m_proxy->open();
    EXPECT_TRUE(waitFor([&] { return !checking(); }, 10000));
    ASSERT_EQ(m_paper.receipts.size(), 1);
    EXPECT_EQ(m_paper.receipts[0].receiptNumber, s("0000000"));
    EXPECT_EQ(m_paper.receipts[0].lines.size(), 2);
    EXPECT_EQ(list()->rowCount(), 0);
    EXPECT_EQ(edit("numberEdit")->text(), s("0000001"));

    // The next customer is stored and printed under the next number.
    enterLine("梨", "1", "4");
    QTest::keyClick(box("productBox"), Qt::Key_F5);
    ASSERT_EQ(m_paper.receipts.size(), 2);
    EXPECT_EQ(m_paper.receipts[1].receiptNumber, s("0000001"));
    expectThePaperToAgreeWithTheBooks();
    EXPECT_TRUE(m_env.prompt().messages().isEmpty()) << m_env.prompt().lastText().toStdString();
}

TEST_P(SaleInDoubt, AnEditWhileCheckingIsRefusedAndTheSaleOnScreenIsTheOnePrinted)
{
    enterLine("苹果", "2", "7.5");
    enterLine("香蕉", "3", "5");
    pressF5CutAtCommit();
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

    m_proxy->open();
    EXPECT_TRUE(waitFor([&] { return !checking(); }, 10000));
    ASSERT_EQ(m_paper.receipts.size(), 1);
    EXPECT_EQ(m_paper.receipts[0].lines.size(), 2);
    EXPECT_DOUBLE_EQ(m_paper.receipts[0].discountedTotal, 30.0);
    EXPECT_TRUE(box("productBox")->isEnabled());
    EXPECT_FALSE(w("deleteButton")->isEnabled()); // no line to delete in the new sale
    expectThePaperToAgreeWithTheBooks();
}

TEST_P(SaleInDoubt, LeavingWhileCheckingIsAskedAndTheCashierStays)
{
    enterLine("牛奶", "1", "7");
    pressF5CutAtCommit();
    m_env.prompt().answerNext(Prompt::Answer::No);
    QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
    EXPECT_EQ(m_env.prompt().lastText(), SalesDialog::leaveInDoubtQuestion());
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_TRUE(checking());

    m_proxy->open();
    EXPECT_TRUE(waitFor([&] { return !checking(); }, 10000));
    ASSERT_EQ(m_paper.receipts.size(), 1);
    EXPECT_EQ(m_paper.receipts[0].lines.size(), 1);
    expectThePaperToAgreeWithTheBooks();
}

INSTANTIATE_TEST_SUITE_P(Cuts, SaleInDoubt,
                         ::testing::Values(CuttingProxy::Cut::AfterCommitArrived,
                                           CuttingProxy::Cut::BeforeCommitArrived),
                         [](const auto &info) {
                             return info.param == CuttingProxy::Cut::AfterCommitArrived
                                        ? std::string("AfterTheServerHadTheCommit")
                                        : std::string("BeforeTheServerSawTheCommit");
                         });

} // namespace
