// Several tills on one PostgreSQL records database: four till processes finish
// sales of their own as F5 does (stored, then printed) as fast as they can. No
// receipt number is given twice, none is skipped, every sale is stored whole,
// and every receipt printed is a sale the books hold as printed, also when the
// server is killed and started again in the middle.
#include "data/Database.h"
#include "printing/ReceiptNumber.h"
#include "sales/SaleStore.h"
#include "support/PgServer.h"
#include "support/TestEnv.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSet>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr int tills = 4;
constexpr int salesPerTill = 250;
constexpr int totalSales = tills * salesPerTill;

class TillContention : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QM_REQUIRE_POSTGRES();
        m_recordsDsn = PgServer::preparedDataSource(false);
        ASSERT_TRUE(m_check.open(m_recordsDsn)) << m_check.lastOpenError().toStdString();
    }

    void startTills()
    {
        for (int i = 0; i < tills; ++i) {
            auto till = std::make_unique<QProcess>();
            till->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            till->start(QStringLiteral(QM_TEST_TILL),
                        {m_env.settings().settingsDsn, m_recordsDsn, QString::number(salesPerTill),
                         QStringLiteral("till%1").arg(i + 1)});
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

    // Every receipt the tills printed ("receipt <number> <total> <names>") is a
    // stored sale with that total and those lines, and every stored sale was
    // printed once.
    void expectThePaperToAgreeWithTheBooks(const QStringList &reports)
    {
        QSet<QString> printed;
        for (const QString &report : reports) {
            for (const QString &line : report.split(QLatin1Char('\n'))) {
                if (!line.startsWith(QLatin1String("receipt ")))
                    continue;
                const QStringList parts = line.split(QLatin1Char(' '));
                ASSERT_EQ(parts.size(), 4) << line.toStdString();
                const QString &number = parts[1];
                EXPECT_FALSE(printed.contains(number)) << "printed twice: " << number.toStdString();
                printed.insert(number);
                EXPECT_DOUBLE_EQ(m_check
                                     .scalar(QStringLiteral("select \"money\" from \"POS_RECORD\" "
                                                            "where \"NO\" = ?"),
                                             {number}, QStringLiteral("-1"))
                                     .toDouble(),
                                 parts[2].toDouble())
                    << line.toStdString();
                QStringList names;
                Database::Rows lines = m_check.query(SaleStore::linesQuery(m_check), {number});
                while (lines.next())
                    names << lines.text(0);
                EXPECT_EQ(names.join(QLatin1Char('|')), parts[3]) << line.toStdString();
            }
        }
        EXPECT_EQ(QString::number(printed.size()),
                  count(QStringLiteral("select count(*) from \"POS_RECORD\"")));
    }

    void expectEverySaleStoredOnceAndWhole()
    {
        EXPECT_EQ(count(QStringLiteral("select count(*) from \"POS_RECORD\"")),
                  QString::number(totalSales));
        EXPECT_EQ(count(QStringLiteral("select count(distinct \"NO\") from \"POS_RECORD\"")),
                  QString::number(totalSales));
        // The numbers are 0000000 .. 0000999: nothing skipped, the counter at 1000.
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
            {ReceiptNumber::counterText(500)});
        QStringList order;
        while (lines.next())
            order << lines.text(0).section(QLatin1Char(':'), 2);
        EXPECT_EQ(order, (QStringList{"1", "2", "3"}));
    }

    TestEnv m_env;
    QString m_recordsDsn;
    Database m_check;
    std::vector<std::unique_ptr<QProcess>> m_tills;
};

TEST_F(TillContention, FourTillsStoreAThousandSalesUnderDistinctNumbers)
{
    startTills();
    const QStringList reports = waitForTills();
    for (const QString &report : reports)
        EXPECT_TRUE(report.contains(QStringLiteral("saved=%1 outages=0").arg(salesPerTill)))
            << report.toStdString();
    expectEverySaleStoredOnceAndWhole();
    expectThePaperToAgreeWithTheBooks(reports);
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
    expectThePaperToAgreeWithTheBooks(reports);
}

} // namespace
