// The owner's day in the query window, driven as the owner drives it: the
// day-end report of the listed sales (its figures against the book summed by
// the sqlite3 program, its paper printed and read back), the chart of takings
// following the query, a deletion and a detail edit, and a stored sale's receipt saved as a
// PDF file of the roll's width.
#include "QueryWindowDriver.h"
#include "RecordsBook.h"

#include "app/FontAliases.h"
#include "app/SettingsLoader.h"
#include "controls/HoverButton.h"
#include "controls/SortableList.h"
#include "core/AppSettings.h"
#include "core/Clock.h"
#include "core/NumberText.h"
#include "data/ShopRow.h"
#include "printing/PdfInfo.h"
#include "printing/ReceiptPrinters.h"
#include "records/DayReportDialog.h"
#include "records/QueryBuilder.h"
#include "records/QueryDialog.h"
#include "records/RecordDetailDialog.h"
#include "records/SaleDetails.h"
#include "records/TakingsChartView.h"
#include "sales/SalesDialog.h"
#include "sales/SalesWindows.h"
#include "support/Gui.h"
#include "support/PgServer.h"
#include "support/RealService.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDateTimeAxis>
#include <QDir>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

const QDate today(2024, 3, 7);
const QString receiptQueue = QStringLiteral("Receipt");
const QString rawQueue = QStringLiteral("RawReceipt");

// Rows of SQL run by the sqlite3 program on FILE, columns split at "|".
QList<QStringList> sqlite3(const QString &file, const QString &sql)
{
    QProcess process;
    process.start(QStringLiteral("sqlite3"), {QStringLiteral("-readonly"), file, sql});
    EXPECT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().constData();
    QList<QStringList> rows;
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    for (const QString &line : out.split(u'\n', Qt::SkipEmptyParts))
        rows.append(line.split(u'|'));
    return rows;
}

QString pdfText(const QString &path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), path, QStringLiteral("-")});
    EXPECT_TRUE(process.waitForFinished(30000));
    return QString::fromUtf8(process.readAllStandardOutput());
}

void chooseFromMenu(const QString &command, int attempts = 200)
{
    QTimer::singleShot(10, [=] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu) {
            if (attempts > 0)
                chooseFromMenu(command, attempts - 1);
            return;
        }
        for (QAction *action : menu->actions()) {
            if (action->text() == command && action->isEnabled()) {
                menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
        }
        menu->close();
    });
}

void rightClick(SortableList *list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->sortableModel()->index(row, 1)).center());
    const QPoint at = list->visualRect(list->sortableModel()->index(row, 1)).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &event);
}

// The full width of the printer's paper, in points.
double paperWidthPoints(const QString &queue)
{
    QPrinter printer(QPrinterInfo::printerInfo(queue), QPrinter::HighResolution);
    return printer.pageLayout().fullRect(QPageLayout::Point).width();
}

// The cups-pdf files that arrived since BEFORE, once one of them is whole.
QStringList arrivedPdfs(const QString &output, const QStringList &before)
{
    QStringList arrived;
    waitFor(
        [&] {
            arrived = QDir(output).entryList({QStringLiteral("*.pdf")});
            for (const QString &name : before)
                arrived.removeAll(name);
            return !arrived.isEmpty() && PdfInfo::of(QDir(output).filePath(arrived[0])).pages > 0;
        },
        60000);
    return arrived;
}

class OwnersDay : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { FontAliases::install(); }

    void SetUp() override
    {
        Clock::setFixed(QDateTime(today, QTime(21, 30, 5)));
        Database settingsDb;
        ASSERT_TRUE(settingsDb.open(m_env.settings().settingsDsn));
        SettingsLoader::loadFrom(settingsDb, m_env.settings(), today, QString());
        m_env.settings().userName = s("admin");
        m_env.settings().userPower = AppSettings::administratorPower();
        ASSERT_TRUE(m_records.open(m_env.settings().recordsDsn));
        writeBook(m_records);
    }

    void TearDown() override { Clock::clearFixed(); }

    // A shop's month: today 40 sales from 08:00 to 21:00 with four ways of
    // paying (one not given, one NULL), three cashiers, every fifth sale
    // without lines, discounts on some lines and a line without a discounted
    // amount; sales on other days of the month and the day after.
    static void writeBook(Database &db)
    {
        const QVariantList payments = {s("现金"), s("微信"), s("支付宝"), s(""), QVariant()};
        const QStringList cashiers = {s("admin"), s("张敏"), s("李强")};
        db.begin();
        int number = 1;
        auto sale = [&](const QDateTime &at, int i) {
            const QString no = QStringLiteral("D%1").arg(number++, 5, 10, QLatin1Char('0'));
            QList<StoredLine> lines;
            double money = 0;
            double quantity = 0;
            if (i % 5 != 4) {
                for (int k = 0; k <= i % 3; ++k) {
                    const double num = 1 + (i + k) % 4;
                    const double price = 2.5 + k + (i % 7);
                    const double amount = num * price;
                    QVariant discounted = (i + k) % 3 == 0 ? amount * 0.9 : amount;
                    if (i == 7 && k == 0)
                        discounted = QVariant(); // no discounted amount stored
                    lines.append({s("商品%1").arg(k + i % 6), num, price, amount, discounted});
                    money += discounted.isNull() ? amount : discounted.toDouble();
                    quantity += num;
                }
            } else {
                money = 3.5 * (i + 1);
                quantity = 1;
            }
            storeSale(db,
                      {no, Clock::stamp(at), money, cashiers[i % 3], quantity, s(""), s(""), s(""),
                       payments[i % payments.size()]},
                      lines);
        };
        for (int day = 1; day <= 6; day += 2)
            for (int i = 0; i < 5; ++i)
                sale(QDateTime(QDate(2024, 3, day), QTime(9 + i, 15)), i);
        for (int i = 0; i < 40; ++i)
            sale(QDateTime(today, QTime(8 + (i * 13) / 40, (i * 7) % 60, i % 60)), i);
        sale(QDateTime(today.addDays(1), QTime(10, 0)), 1);
        db.commit();
    }

    void openSalesWindow()
    {
        m_sales = showSalesWindow(m_env.settings());
        m_sales->printSettings().printer1Name = receiptQueue;
        m_sales->printSettings().finishedNotice = false;
    }

    void inQueryWindow(const std::function<void(QueryDialog *)> &action)
    {
        inQueryWindowOf(*m_sales, action);
        ScriptedDialogs::instance().verifyAllOpened();
    }

    QList<QStringList> book(const QString &sql) { return sqlite3(m_env.recordsFile(), sql); }

    static void search(QueryDialog *query, const QString &text)
    {
        retype(child<QLineEdit>(query, "searchEdit"), text);
        click(child<QPushButton>(query, "searchButton"));
    }

    static bool hasCups()
    {
        return ReceiptPrinters::exists(receiptQueue) && !cupsPdfOutput().isEmpty();
    }

    TestEnv m_env;
    std::unique_ptr<SalesDialog> m_sales;
    Database m_records;
};

TEST_F(OwnersDay, TheDayEndReportSumsTheListedSalesAndPrintsThemOnTheRoll)
{
    // A sale corrected in its details: new lines, quantity and amount.
    SaleDetails::Header edited{
        s("D00020"), s("2024-03-07 14:00:00"), s(""), s(""), s("微信"), s(""), s("88.80")};
    SaleLines lines;
    lines.append(SaleDetails::line(1, s("改后商品"), s("4"), s("25"), s("100.00"), s("88.80")));
    ASSERT_EQ(SaleDetails::save(m_records, edited, lines, nullptr), SaleDetails::Outcome::Saved);
    m_records.close();

    const QString output = cupsPdfOutput();
    const QStringList before =
        output.isEmpty() ? QStringList() : QDir(output).entryList({QStringLiteral("*.pdf")});
    openSalesWindow();
    DayReport shown;
    QString paperText;
    double pageWidth = 0;
    inQueryWindow([&](QueryDialog *query) {
        // One of today's sales is deleted from the list first.
        auto *list = child<SortableList>(query, "salesList");
        ASSERT_EQ(list->rowCount(), 40);
        m_env.prompt().answerNext(Prompt::Answer::Yes);
        chooseFromMenu(s("删除记录(&D)"));
        rightClick(list, 2);
        ASSERT_TRUE(waitFor([&] { return list->rowCount() == 39; }));
        m_env.prompt().clear();

        // Seen first as a thermal printer without a driver would print it: the
        // roll's own width.
        m_sales->printSettings().printer1Name = rawQueue;
        whenModal([&](QDialog *dialog) {
            auto *report = qobject_cast<DayReportDialog *>(dialog);
            ASSERT_NE(report, nullptr);
            shown = report->paper().report();
            QTemporaryDir dir;
            const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
            ASSERT_TRUE(report->sheet().writePdf(pdf, s("日结报表")));
            paperText = pdfText(pdf);
            keepPicture(report->grab().toImage(), QStringLiteral("day-report"));
            report->reject();
        });
        click(child<QPushButton>(query, "reportButton"));
        // Then printed on the receipt printer with a driver.
        m_sales->printSettings().printer1Name = receiptQueue;
        whenModal([&](QDialog *dialog) {
            auto *report = qobject_cast<DayReportDialog *>(dialog);
            ASSERT_NE(report, nullptr);
            pageWidth = report->sheet().page.fullRect(QPageLayout::Point).width();
            if (hasCups())
                click(report->printButton());
            else
                report->reject();
        });
        click(child<QPushButton>(query, "reportButton"));
    });
    EXPECT_TRUE(m_env.prompt().messages().isEmpty()) << qPrintable(m_env.prompt().lastText());

    // The same figures, summed by the sqlite3 program over the book as it is now.
    const QString day = QStringLiteral("from \"POS_RECORD\" where \"date\" like '2024-03-07%'");
    const QStringList totals =
        book(QStringLiteral("select count(*), total(\"number\"), total(\"money\") ") + day)
            .value(0);
    ASSERT_EQ(totals.size(), 3);
    EXPECT_EQ(shown.sales, 39);
    EXPECT_EQ(shown.sales, totals[0].toInt());
    EXPECT_NEAR(shown.items, totals[1].toDouble(), 1e-9);
    EXPECT_NEAR(shown.takings, totals[2].toDouble(), 1e-6);
    const QStringList discounts =
        book(QStringLiteral("select total(d.\"money\" - ifnull(d.\"standby1\", d.\"money\")) from "
                            "\"POS_RECORD_DETAIL\" d join \"POS_RECORD\" r on r.\"NO\" = d.\"NO\" "
                            "where r.\"date\" like '2024-03-07%'"))
            .value(0);
    EXPECT_NEAR(shown.discounts, discounts.value(0).toDouble(), 1e-6);
    EXPECT_GT(shown.discounts, 0);
    const QStringList first = book(QStringLiteral("select \"NO\", \"date\" ") + day +
                                   QStringLiteral(" order by \"date\" limit 1"))
                                  .value(0);
    const QStringList last = book(QStringLiteral("select \"NO\", \"date\" ") + day +
                                  QStringLiteral(" order by \"date\" desc limit 1"))
                                 .value(0);
    EXPECT_EQ(QStringList({shown.firstNumber, shown.firstTime}), first);
    EXPECT_EQ(QStringList({shown.lastNumber, shown.lastTime}), last);
    for (const auto &[column, shares] : {std::pair{QStringLiteral("standby4"), shown.byPayment},
                                         std::pair{QStringLiteral("saler"), shown.byCashier}}) {
        const auto expected = book(QStringLiteral("select ifnull(\"%1\", ''), count(*), "
                                                  "total(\"money\") %2 group by 1")
                                       .arg(column, day));
        ASSERT_EQ(shares.size(), expected.size()) << qPrintable(column);
        for (const QStringList &row : expected) {
            const auto share =
                std::find_if(shares.begin(), shares.end(),
                             [&](const DayReport::Share &one) { return one.name == row[0]; });
            ASSERT_NE(share, shares.end()) << qPrintable(row[0]);
            EXPECT_EQ(share->sales, row[1].toInt());
            EXPECT_NEAR(share->takings, row[2].toDouble(), 1e-6);
            // The paper shows each share as "<sales>单 <takings>".
            EXPECT_TRUE(paperText.contains(
                QStringLiteral("%1单 %2").arg(share->sales).arg(NumberText::money(share->takings))))
                << qPrintable(paperText);
        }
    }

    // The paper holds the shop, the day, the print time and every figure.
    for (const QString &text :
         {s("日结报表"), s("日期：2024-03-07"), s("打印时间：2024-03-07 21:30:05"),
          NumberText::money(shown.takings), NumberText::money(shown.discounts),
          NumberText::quantity(shown.items), shown.firstNumber, shown.lastNumber, s("（未填）")})
        EXPECT_TRUE(paperText.contains(text)) << qPrintable(text) << "\n" << qPrintable(paperText);
    if (!hasCups())
        QM_SKIP_WITHOUT_SERVICE("no CUPS scheduler with the cups-pdf queue \"Receipt\"");
    // One page of the roll's width reached the printer.
    EXPECT_NEAR(pageWidth, paperWidthPoints(receiptQueue), 1.0);
    const QStringList arrived = arrivedPdfs(output, before);
    ASSERT_FALSE(arrived.isEmpty());
    const PdfInfo printed = PdfInfo::of(QDir(output).filePath(arrived[0]));
    EXPECT_EQ(printed.pages, 1);
    EXPECT_NEAR(printed.pageSize.width(), paperWidthPoints(receiptQueue), 1.0);
}

TEST_F(OwnersDay, ADayWithoutSalesHasNoReportToPrint)
{
    m_records.close();
    openSalesWindow();
    inQueryWindow([&](QueryDialog *query) {
        search(query, QStringLiteral("NO-SUCH-NUMBER"));
        click(child<QPushButton>(query, "reportButton"));
    });
    // Said so, and no report window opened (an unscripted one fails the test).
    EXPECT_EQ(m_env.prompt().texts(), QStringList{DayReportPaper::nothingMessage()});
}

TEST_F(OwnersDay, TheChartShowsTheQuerysTakingsByHourAndByDayAndFollowsADeletion)
{
    m_records.close();
    openSalesWindow();
    inQueryWindow([&](QueryDialog *query) {
        auto *chart = child<TakingsChartView>(query, "takingsChart");
        auto *list = child<SortableList>(query, "salesList");
        auto expectPoints = [&](const QString &part, int length, const QString &where) {
            QMap<QString, QStringList> expected;
            for (const QStringList &row :
                 book(QStringLiteral("select substr(\"date\", 1, %1), count(*), total(\"money\") "
                                     "from \"POS_RECORD\" %2 group by 1")
                          .arg(length)
                          .arg(where)))
                expected.insert(row[0], row);
            const QList<TakingsSeries::Point> &points = chart->series().points;
            ASSERT_EQ(chart->takingsLine()->count(), points.size());
            int withSales = 0;
            for (int i = 0; i < points.size(); ++i) {
                const QString key = points[i].start.toString(part);
                const QStringList row = expected.value(key, {key, s("0"), s("0")});
                withSales += expected.contains(key);
                EXPECT_EQ(chart->salesLine()->at(i).y(), row[1].toInt()) << qPrintable(key);
                EXPECT_NEAR(chart->takingsLine()->at(i).y(), row[2].toDouble(), 1e-6)
                    << qPrintable(key);
                if (i > 0)
                    EXPECT_EQ(points[i].start, part.size() > 10 ? points[i - 1].start.addSecs(3600)
                                                                : points[i - 1].start.addDays(1));
            }
            EXPECT_EQ(withSales, expected.size());
        };

        tick(child<QCheckBox>(query, "chartCheck"));
        EXPECT_TRUE(chart->isVisible());
        EXPECT_FALSE(list->isVisible());
        // Today's sales by hour, 08:00 to 20:00.
        EXPECT_EQ(chart->series().unit, TakingsSeries::Unit::Hour);
        EXPECT_EQ(chart->series().points.size(), 13);
        expectPoints(QStringLiteral("yyyy-MM-dd HH"), 13,
                     QStringLiteral("where \"date\" like '2024-03-07%'"));

        // Every sale of the book: the month day by day, closed days at nothing.
        search(query, QString());
        EXPECT_EQ(chart->series().unit, TakingsSeries::Unit::Day);
        EXPECT_EQ(chart->series().points.size(), 8); // March 1st to 8th
        expectPoints(QStringLiteral("yyyy-MM-dd"), 10, QString());
        const double march7 = chart->takingsLine()->at(6).y();
        query->resize(900, 600);
        waitFor([] { return false; }, 100); // the layout settles
        keepPicture(query->grab().toImage(), QStringLiteral("takings-chart"));

        // A sale of the 7th deleted from the list: the chart shows it gone.
        tick(child<QCheckBox>(query, "chartCheck"));
        ASSERT_TRUE(list->isVisible());
        int row = 0;
        while (row < list->rowCount() && !list->text(row, 2).startsWith(s("2024-03-07")))
            ++row;
        ASSERT_LT(row, list->rowCount());
        const double money = list->text(row, 4).toDouble();
        m_env.prompt().answerNext(Prompt::Answer::Yes);
        chooseFromMenu(s("删除记录(&D)"));
        rightClick(list, row);
        ASSERT_TRUE(waitFor([&] { return list->rowCount() == 55; }));
        tick(child<QCheckBox>(query, "chartCheck"));
        EXPECT_NEAR(chart->takingsLine()->at(6).y(), march7 - money, 0.005);
        expectPoints(QStringLiteral("yyyy-MM-dd"), 10, QString());

        // Another sale of the 7th corrected in its details window: its new
        // total is in the chart, the count of sales unchanged.
        tick(child<QCheckBox>(query, "chartCheck"));
        ASSERT_TRUE(list->isVisible());
        row = 0;
        while (row < list->rowCount() && !list->text(row, 2).startsWith(s("2024-03-07")))
            ++row;
        ASSERT_LT(row, list->rowCount());
        const double before = list->text(row, 4).toDouble();
        const double sales7 = chart->salesLine()->at(6).y();
        bool saved = false;
        whenModal([&](QDialog *dialog) {
            auto *details = qobject_cast<RecordDetailDialog *>(dialog);
            ASSERT_NE(details, nullptr);
            retype(child<QLineEdit>(details, "totalEdit"), QStringLiteral("1000"));
            click(child<QPushButton>(details, "saveButton"));
            saved = m_env.prompt().lastText() == s("保存成功！");
            dialog->reject();
        });
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                           list->visualRect(list->sortableModel()->index(row, 1)).center());
        ASSERT_TRUE(saved) << qPrintable(m_env.prompt().lastText());
        tick(child<QCheckBox>(query, "chartCheck"));
        EXPECT_NEAR(chart->takingsLine()->at(6).y(), march7 - money - before + 1000, 0.005);
        EXPECT_EQ(chart->salesLine()->at(6).y(), sales7);
        expectPoints(QStringLiteral("yyyy-MM-dd"), 10, QString());
    });
}

TEST_F(OwnersDay, AStoredSaleIsSavedAsAPdfOfTheRollsWidth)
{
    if (!ReceiptPrinters::exists(receiptQueue) || !ReceiptPrinters::exists(rawQueue))
        QM_SKIP_WITHOUT_SERVICE("no CUPS scheduler with the queues \"Receipt\" and \"RawReceipt\"");
    m_records.close();
    QTemporaryDir dir;
    openSalesWindow();
    // The sales window's discount box off: a stored sale that was discounted
    // still shows what it was paid.
    auto *discountBox = child<QCheckBox>(m_sales.get(), "discountCheck");
    if (discountBox->isChecked())
        tick(discountBox);
    ASSERT_FALSE(discountBox->isChecked());
    // A printer with a driver: its paper; a raw queue: the 80 mm roll's 72 mm printed at 203 dpi.
    const QList<QPair<QString, double>> printers = {{receiptQueue, paperWidthPoints(receiptQueue)},
                                                    {rawQueue, 576 * 72.0 / 203}};
    for (const auto &[printer, width] : printers) {
        m_sales->printSettings().printer1Name = printer;
        m_env.prompt().clear();
        const QString chosen = QDir(dir.path()).filePath(printer);
        QString number;
        inQueryWindow([&](QueryDialog *query) {
            auto *list = child<SortableList>(query, "salesList");
            number = list->text(2, 1); // a sale of three lines
            m_env.prompt().fileNext(chosen);
            chooseFromMenu(s("保存为PDF(&F)..."));
            rightClick(list, 2);
        });
        const QString pdf = chosen + QStringLiteral(".pdf");
        ASSERT_TRUE(QFileInfo::exists(pdf)) << qPrintable(m_env.prompt().lastText());
        EXPECT_EQ(m_env.prompt().lastText(), s("小票已保存为PDF文件：%1").arg(pdf));
        // Proposed from the receipt number.
        ASSERT_FALSE(m_env.prompt().fileRequests().isEmpty());
        EXPECT_TRUE(m_env.prompt().fileRequests().last().proposedPath.endsWith(s("小票") + number +
                                                                               s(".pdf")));

        // The stored lines in order, the totals and the number, as selectable text.
        Database records;
        ASSERT_TRUE(records.open(m_env.settings().recordsDsn));
        const QString text = pdfText(pdf);
        EXPECT_TRUE(text.contains(number)) << qPrintable(text);
        qsizetype at = 0;
        Database::Rows lines = records.query(
            QStringLiteral("select \"name\", \"money\" from \"POS_RECORD_DETAIL\" where "
                           "\"NO\" = ? order by rowid"),
            {number});
        double total = 0;
        int count = 0;
        while (lines.next()) {
            at = text.indexOf(lines.text(0), at);
            EXPECT_GE(at, 0) << qPrintable(lines.text(0)) << "\n" << qPrintable(text);
            total += lines.number(1);
            ++count;
        }
        EXPECT_EQ(count, 3);
        EXPECT_TRUE(text.contains(NumberText::money(total))) << qPrintable(text);
        Database::Rows sold = records.query(
            QStringLiteral("select \"money\" from \"POS_RECORD\" where \"NO\" = ?"), {number});
        ASSERT_TRUE(sold.next());
        ASSERT_NE(NumberText::money(sold.number(0)), NumberText::money(total));
        EXPECT_TRUE(text.contains(s("折后总额:") + NumberText::money(sold.number(0))))
            << qPrintable(text);
        const PdfInfo info = PdfInfo::of(pdf);
        EXPECT_EQ(info.pages, 1);
        EXPECT_NEAR(info.pageSize.width(), width, 1.0) << qPrintable(printer);
    }
    // Nothing but the two files is left in the folder.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    keepPicture(
        PdfInfo::firstPage(QDir(dir.path()).filePath(rawQueue + QStringLiteral(".pdf")), 200),
        QStringLiteral("receipt-pdf"));
}

TEST_F(OwnersDay, AServerSumsTheSameReportAndChartAsTheFile)
{
    QM_REQUIRE_POSTGRES();
    Database server;
    ASSERT_TRUE(server.open(PgServer::preparedDataSource(false)));
    writeBook(server);
    // A day, and every sale by a search for numbers (each engine's own like).
    for (const bool day : {true, false}) {
        auto query = [day](const Database &db) {
            return day ? QueryBuilder::day(today)
                       : QueryBuilder::numberContains(s("D000"), db.dialect());
        };
        const DayReport file = DayReport::of(m_records, query(m_records));
        const DayReport onServer = DayReport::of(server, query(server));
        EXPECT_EQ(onServer.sales, file.sales);
        EXPECT_NEAR(onServer.items, file.items, 1e-9);
        EXPECT_NEAR(onServer.takings, file.takings, 1e-6);
        EXPECT_NEAR(onServer.discounts, file.discounts, 1e-6);
        EXPECT_EQ(onServer.firstNumber + onServer.lastTime, file.firstNumber + file.lastTime);
        ASSERT_EQ(onServer.byPayment.size(), file.byPayment.size());
        for (int i = 0; i < file.byPayment.size(); ++i) {
            EXPECT_EQ(onServer.byPayment[i].name, file.byPayment[i].name);
            EXPECT_EQ(onServer.byPayment[i].sales, file.byPayment[i].sales);
        }
        const TakingsSeries a = TakingsSeries::of(m_records, query(m_records));
        const TakingsSeries b = TakingsSeries::of(server, query(server));
        EXPECT_EQ(a.unit, b.unit);
        ASSERT_EQ(a.points.size(), b.points.size());
        for (int i = 0; i < a.points.size(); ++i) {
            EXPECT_EQ(a.points[i].start, b.points[i].start);
            EXPECT_EQ(a.points[i].sales, b.points[i].sales);
            EXPECT_NEAR(a.points[i].takings, b.points[i].takings, 1e-6);
        }
    }
}

} // namespace
