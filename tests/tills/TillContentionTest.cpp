// Several tills on one PostgreSQL records database: four till processes finish
// sales of their own as F5 does (stored, then printed) as fast as they can,
// each printing as the program prints to a raw queue of its own. No receipt
// number is given twice, none is skipped, every sale is stored whole, and what
// reached the printers agrees with the books: every receipt is a stored sale's
// picture and every stored sale has its one, also when the server is killed
// and started again in the middle.
#include "app/FontAliases.h"
#include "app/SettingsLoader.h"
#include "data/Database.h"
#include "printing/RawPrinterSetup.h"
#include "printing/ReceiptNumber.h"
#include "data/ShopRow.h"
#include "sales/SalesSession.h"
#include "support/PaperAgainstBooks.h"
#include "support/PgServer.h"
#include "support/RawPrinterListener.h"
#include "support/TestEnv.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr int tills = 4;
constexpr int salesPerTill = 40;
constexpr int totalSales = tills * salesPerTill;

class TillContention : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { FontAliases::install(); }

    void SetUp() override
    {
        QM_REQUIRE_POSTGRES();
        for (int i = 0; i < tills; ++i) {
            m_printers.push_back(std::make_unique<RawPrinterListener>());
            const QString reason = m_printers.back()->attach(
                QStringLiteral("Till%1_%2").arg(QCoreApplication::applicationPid()).arg(i + 1));
            if (!reason.isEmpty())
                QM_SKIP_WITHOUT_SERVICE(reason.toStdString());
        }
        m_recordsDsn = PgServer::preparedDataSource(false);
        ASSERT_TRUE(m_check.open(m_recordsDsn)) << m_check.lastOpenError().toStdString();
        // The settings and print options the tills load as they start.
        Database settingsDb;
        ASSERT_TRUE(settingsDb.open(m_env.settings().settingsDsn));
        SettingsLoader::loadFrom(settingsDb, m_env.settings(), QDate::currentDate(), QString());
        m_shop = ShopRow::read(settingsDb);
        m_paperDots = RawPrinterSetup::load(settingsDb, m_printers[0]->queue()).paperDots;
    }

    void startTills()
    {
        for (int i = 0; i < tills; ++i) {
            auto till = std::make_unique<QProcess>();
            till->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            till->start(QStringLiteral(QM_TEST_TILL),
                        {m_env.settings().settingsDsn, m_recordsDsn, QString::number(salesPerTill),
                         QStringLiteral("till%1").arg(i + 1), m_printers[i]->queue()});
            ASSERT_TRUE(till->waitForStarted());
            m_tills.push_back(std::move(till));
        }
    }

    // Each till's report; the test fails on a till that did not finish well.
    QStringList waitForTills()
    {
        QStringList reports;
        for (auto &till : m_tills) {
            EXPECT_TRUE(till->waitForFinished(60000));
            const QString output = QString::fromUtf8(till->readAllStandardOutput());
            EXPECT_EQ(till->exitCode(), 0) << output.toStdString();
            EXPECT_FALSE(output.contains(QLatin1String("unexpected"))) << output.toStdString();
            reports << output;
        }
        return reports;
    }

    QString count(const QString &sql) { return m_check.scalar(sql); }

    // Every job that reached the tills' printers is a stored sale's receipt,
    // and every stored sale was printed once.
    void expectThePaperToAgreeWithTheBooks()
    {
        QList<QByteArray> paper;
        for (auto &printer : m_printers)
            paper += printer->jobsWhenIdle();
        // The window's switches as a till opens them.
        AppSettings settings = m_env.settings();
        settings.recordsDsn = m_recordsDsn;
        SalesSession till(settings);
        ASSERT_TRUE(till.open());
        const QStringList printed = PaperAgainstBooks::expectAgreement(
            m_check, paper, {m_env.settings(), m_shop, till.snapshot().switches, m_paperDots});
        EXPECT_EQ(printed.size(), totalSales);
    }

    void expectEverySaleStoredOnceAndWhole()
    {
        EXPECT_EQ(count(QStringLiteral("select count(*) from \"POS_RECORD\"")),
                  QString::number(totalSales));
        EXPECT_EQ(count(QStringLiteral("select count(distinct \"NO\") from \"POS_RECORD\"")),
                  QString::number(totalSales));
        // The numbers run from 0000000 without a gap: nothing skipped, the counter after them.
        EXPECT_EQ(count(QStringLiteral("select min(\"NO\") from \"POS_RECORD\"")),
                  ReceiptNumber::counterText(0));
        EXPECT_EQ(count(QStringLiteral("select max(\"NO\") from \"POS_RECORD\"")),
                  ReceiptNumber::counterText(totalSales - 1));
        EXPECT_EQ(count(QStringLiteral("select count(*) from \"AUTO_NUM\"")),
                  QString::number(totalSales));
        EXPECT_EQ(count(QStringLiteral("select max(\"id\") from \"AUTO_NUM\"")),
                  QString::number(totalSales));

        EXPECT_EQ(count(QStringLiteral("select count(*) from \"POS_RECORD_DETAIL\"")),
                  QString::number(3 * totalSales));
        // Every sale has its own three lines, entered by its own till, in order.
        EXPECT_EQ(count(QStringLiteral(
                      "select count(*) from \"POS_RECORD\" r where 3 <> (select count(*) from "
                      "\"POS_RECORD_DETAIL\" d where d.\"NO\" = r.\"NO\" and d.\"name\" like "
                      "r.\"saler\" || ':%')")),
                  QStringLiteral("0"));
        for (int i = 1; i <= tills; ++i)
            EXPECT_EQ(m_check.scalar(QStringLiteral("select count(*) from \"POS_RECORD\" where "
                                                    "\"saler\" = ?"),
                                     {QStringLiteral("till%1").arg(i)}),
                      QString::number(salesPerTill));
        Database::Rows lines = m_check.query(
            QStringLiteral(
                "select \"name\" from \"POS_RECORD_DETAIL\" where \"NO\" = ? order by ") +
                m_check.dialect().lineOrder(),
            {ReceiptNumber::counterText(totalSales / 2)});
        QStringList order;
        while (lines.next())
            order << lines.text(0).section(QLatin1Char(':'), 2);
        EXPECT_EQ(order, (QStringList{"1", "2", "3"}));
    }

    TestEnv m_env;
    std::vector<std::unique_ptr<RawPrinterListener>> m_printers;
    ShopRow m_shop;
    int m_paperDots = 0;
    QString m_recordsDsn;
    Database m_check;
    std::vector<std::unique_ptr<QProcess>> m_tills;
};

TEST_F(TillContention, FourTillsStoreTheirSalesUnderDistinctNumbersAndPrintEachOnce)
{
    startTills();
    const QStringList reports = waitForTills();
    for (const QString &report : reports)
        EXPECT_TRUE(report.contains(QStringLiteral("saved=%1 outages=0").arg(salesPerTill)))
            << report.toStdString();
    expectEverySaleStoredOnceAndWhole();
    expectThePaperToAgreeWithTheBooks();
}

TEST_F(TillContention, TheServerRestartedInTheMiddleLosesNothingAndStoresNothingTwice)
{
    startTills();
    QElapsedTimer waited;
    waited.start();
    while (count(QStringLiteral("select count(*) from \"POS_RECORD\"")).toInt() < totalSales / 3 &&
           waited.elapsed() < 30000)
        QThread::msleep(20);
    ASSERT_TRUE(PgServer::restart(1500));

    const QStringList reports = waitForTills();
    for (const QString &report : reports) {
        EXPECT_TRUE(report.contains(QStringLiteral("saved=%1").arg(salesPerTill)))
            << report.toStdString();
        // Every till told its cashier about the outage, then carried on.
        EXPECT_TRUE(report.contains(QLatin1String("outage\n"))) << report.toStdString();
    }
    expectEverySaleStoredOnceAndWhole();
    expectThePaperToAgreeWithTheBooks();
}

} // namespace
