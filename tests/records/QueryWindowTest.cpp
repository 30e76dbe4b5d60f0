// The query window as the program opens it: from the sales window's button,
// over the running sales window. A person reads today's sales, queries by
// conditions, deletes, reprints, and an ordinary user finds the owner's
// commands closed.
#include "QueryWindowDriver.h"
#include "RecordsBook.h"

#include "app/SettingsLoader.h"
#include "controls/SortableList.h"
#include "core/AppSettings.h"
#include "printing/PdfInfo.h"
#include "printing/ReceiptPrinters.h"
#include "data/ShopRow.h"
#include "records/QueryBuilder.h"
#include "records/QueryConditionsDialog.h"
#include "records/QueryDialog.h"
#include "records/QueryStatistics.h"
#include "records/RecordDetailDialog.h"
#include "records/SaleDeletion.h"
#include "sales/SalesDialog.h"
#include "sales/SalesWindows.h"
#include "settings/PaymentMethods.h"
#include "spreadsheet/Gb18030.h"
#include "spreadsheet/SpreadsheetReader.h"
#include "support/Gui.h"
#include "support/RealService.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

namespace {

// What a person sees in a right-click menu, and the command chosen from it
// (when it can be chosen).
struct MenuSeen
{
    QMap<QString, bool> enabled;
};

void chooseFromMenu(MenuSeen *seen, const QString &command, int attempts = 200)
{
    QTimer::singleShot(10, [=] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu) {
            if (attempts > 0)
                chooseFromMenu(seen, command, attempts - 1);
            return;
        }
        QAction *chosen = nullptr;
        for (QAction *action : menu->actions()) {
            if (action->isSeparator())
                continue;
            seen->enabled[action->text()] = action->isEnabled();
            if (action->text() == command && action->isEnabled())
                chosen = action;
        }
        if (chosen) {
            menu->setActiveAction(chosen);
            QTest::keyClick(menu, Qt::Key_Return);
        } else {
            menu->close();
        }
    });
}

void rightClick(SortableList *list, int row)
{
    const QPoint at = list->visualRect(list->sortableModel()->index(row, 1)).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &event);
}

class QueryWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Database settingsDb;
        ASSERT_TRUE(settingsDb.open(m_env.settings().settingsDsn));
        SettingsLoader::loadFrom(settingsDb, m_env.settings(), QDate(2024, 3, 7), QString());
        m_env.settings().userName = s("admin");
        m_env.settings().userPower = AppSettings::administratorPower();

        Database records;
        ASSERT_TRUE(records.open(m_env.settings().recordsDsn));
        // Today (the test clock's 2024-03-7) three sales, one of them without lines;
        // yesterday one.
        storeSale(records,
                  {s("0001"), s("2024-03-07 08:00:00"), 12.5, s("admin"), 3.0, s(""), s("O'Neil"),
                   s(""), s("现金")},
                  {{s("绿茶"), 2.0, 5.0, 10.0, 10.0}, {s("纯牛奶"), 1.0, 2.5, 2.5, 2.5}});
        storeSale(records, {s("0002"), s("2024-03-07 12:30:00"), 7.0, s("张敏"), 1.0, s(""), s(""),
                            s(""), s("微信")});
        storeSale(records,
                  {s("0003"), s("2024-03-07 23:59:59"), 30.0, s("张敏"), 6.0, s(""), s(""), s(""),
                   s("现金")},
                  {{s("面包"), 6.0, 5.0, 30.0, 30.0}});
        storeSale(records,
                  {s("0000"), s("2024-03-06 18:00:00"), 100.0, s("admin"), 10.0, s(""), s(""),
                   s(""), s("现金")},
                  {{s("奶粉"), 10.0, 10.0, 100.0, 100.0}});
    }

    void openSalesWindow() { m_sales = showSalesWindow(m_env.settings()); }

    // Clicks the sales window's query button and runs ACTION in the query window.
    void inQueryWindow(const std::function<void(QueryDialog *)> &action)
    {
        inQueryWindowOf(*m_sales, action);
    }

    // Opens "查询(&Q)..." of the query window and runs ACTION in the conditions window.
    static void inConditions(QueryDialog *query,
                             const std::function<void(QueryConditionsDialog *)> &action)
    {
        whenModal([&](QDialog *dialog) {
            auto *conditions = qobject_cast<QueryConditionsDialog *>(dialog);
            // Focus moves as a person sees it only in the active window.
            if (conditions && QTest::qWaitForWindowActive(conditions))
                action(conditions);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        click(child<QPushButton>(query, "queryButton"));
    }

    static QStringList column(SortableList *list, int column)
    {
        QStringList texts;
        for (int row = 0; row < list->rowCount(); ++row)
            texts << list->text(row, column);
        return texts;
    }

    static QString statistics(QueryDialog *query)
    {
        return child<QLabel>(query, "statisticsLabel")->text();
    }

    Database &records()
    {
        if (!m_records.isOpen())
            m_records.open(m_env.settings().recordsDsn);
        return m_records;
    }

    TestEnv m_env;
    std::unique_ptr<SalesDialog> m_sales;
    Database m_records;
    MenuSeen m_seen;
};

TEST_F(QueryWindow, OwnerSeesTodayQueriesAndDeletesWithTotalsFollowing)
{
    openSalesWindow();
    inQueryWindow([&](QueryDialog *query) {
        auto *list = child<SortableList>(query, "salesList");
        EXPECT_EQ(query->windowTitle(), s("查询统计"));
        EXPECT_EQ(column(list, 1), (QStringList{"0001", "0002", "0003"}));
        EXPECT_EQ(statistics(query), s("查询结果统计：销售数量：10.00   销售金额：49.50"));
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return QApplication::focusWidget() == child<QLineEdit>(query, "searchEdit"); },
            2000));
        EXPECT_FALSE(child<QPushButton>(query, "detailsButton")->isEnabled());
        EXPECT_TRUE(list->isColumnHidden(5));

        inConditions(query, [&](QueryConditionsDialog *conditions) {
            EXPECT_EQ(conditions->windowTitle(), s("查询"));
            auto *from = child<QLineEdit>(conditions, "amountFromEdit");
            EXPECT_EQ(from->text(), s("无限"));
            EXPECT_FALSE(child<QDateTimeEdit>(conditions, "fromEdit")->isEnabled());
            // A lone "-" is refused with a message; the list keeps what it showed.
            from->setFocus();
            EXPECT_TRUE(from->text().isEmpty());
            QTest::keyClicks(from, QStringLiteral("a.-"));
            EXPECT_EQ(from->text(), s("-"));
            QTest::keyClick(from, Qt::Key_Return);
            EXPECT_EQ(m_env.prompt().lastText(), QueryBuilder::amountMessage());
            EXPECT_EQ(list->rowCount(), 3);

            // Every sale, the one without lines too; Enter queries, the dialog stays.
            from->clear();
            commitText(child<QLineEdit>(conditions, "numberEdit"), QString());
            QTest::keyClick(child<QLineEdit>(conditions, "numberEdit"), Qt::Key_Return);
            EXPECT_EQ(from->text(), s("无限"));
            EXPECT_EQ(column(list, 1), (QStringList{"0001", "0002", "0003", "0000"}));
            EXPECT_TRUE(conditions->isVisible());

            // The time switch opens the pickers; a range takes the sales inside it,
            // its last minute whole.
            auto *fromTime = child<QDateTimeEdit>(conditions, "fromEdit");
            auto *toTime = child<QDateTimeEdit>(conditions, "toEdit");
            tick(child<QCheckBox>(conditions, "timeCheck"));
            EXPECT_TRUE(fromTime->isEnabled());
            EXPECT_TRUE(toTime->isEnabled());
            fromTime->setDateTime(QDateTime(QDate(2024, 3, 7), QTime(12, 0)));
            toTime->setDateTime(QDateTime(QDate(2024, 3, 7), QTime(23, 59)));
            click(child<QPushButton>(conditions, "queryButton"));
            EXPECT_EQ(column(list, 1), (QStringList{"0002", "0003"}));
            // A start after the end is said, not answered with an empty list.
            fromTime->setDateTime(QDateTime(QDate(2024, 3, 8), QTime(0, 0)));
            click(child<QPushButton>(conditions, "queryButton"));
            EXPECT_EQ(m_env.prompt().lastText(), QueryBuilder::timeRangeMessage());
            EXPECT_EQ(column(list, 1), (QStringList{"0002", "0003"}));
            tick(child<QCheckBox>(conditions, "timeCheck"));
            EXPECT_FALSE(fromTime->isEnabled());
            EXPECT_FALSE(toTime->isEnabled());

            // The customer with a quote, found exactly. The refilled list has no
            // selection, so "查详情" waits for one.
            clickRow(list, 0);
            EXPECT_TRUE(child<QPushButton>(query, "detailsButton")->isEnabled());
            commitText(child<QLineEdit>(conditions, "customerEdit"), s("O'Neil"));
            click(child<QRadioButton>(conditions, "exactRadio"));
            click(child<QPushButton>(conditions, "queryButton"));
            EXPECT_EQ(column(list, 1), QStringList{"0001"});
            EXPECT_FALSE(child<QPushButton>(query, "detailsButton")->isEnabled());

            // The wheel steps the upper amount, never below 1.
            auto *to = child<QLineEdit>(conditions, "amountToEdit");
            to->setFocus();
            for (int delta : {120, 120, -120, -120, -120}) {
                QWheelEvent wheel(QPointF(5, 5), to->mapToGlobal(QPointF(5, 5)), {}, {0, delta},
                                  Qt::NoButton, {}, Qt::NoScrollPhase, false);
                QApplication::sendEvent(to, &wheel);
            }
            EXPECT_EQ(to->text(), s("1"));
        });

        // Quick search "000": every sale again; the detail list with its lines.
        child<QLineEdit>(query, "searchEdit")->setText(s("000"));
        click(child<QPushButton>(query, "searchButton"));
        EXPECT_EQ(list->rowCount(), 4);
        EXPECT_EQ(statistics(query), s("查询结果统计：销售数量：20.00   销售金额：149.50"));
        tick(child<QCheckBox>(query, "detailCheck"));
        auto *details = child<SortableList>(query, "detailList");
        EXPECT_TRUE(details->isVisible());
        EXPECT_FALSE(list->isVisible());
        EXPECT_EQ(column(details, 2),
                  (QStringList{s("2024-03-07 08:00:00"), s("绿茶"), s("纯牛奶"),
                               s("2024-03-07 12:30:00"), s("2024-03-07 23:59:59"), s("面包"),
                               s("2024-03-06 18:00:00"), s("奶粉")}));
        EXPECT_EQ(statistics(query), s("查询结果统计：销售数量：20.00   销售金额：149.50"));

        // Deleting from a line row deletes its sale; the question names it.
        clickRow(details, 2);
        m_env.prompt().answerNext(Prompt::Answer::Yes);
        chooseFromMenu(&m_seen, s("删除记录(&D)"));
        rightClick(details, 2);
        EXPECT_EQ(m_env.prompt().lastText(), SaleDeletion::oneQuestion(s("0001")));
        EXPECT_EQ(countRows(records(), "POS_RECORD", "0001"), 0);
        EXPECT_EQ(countRows(records(), "POS_RECORD_DETAIL", "0001"), 0);
        EXPECT_EQ(details->rowCount(), 5);
        EXPECT_EQ(details->selectedRows(), QList<int>{2}); // the row that moved up
        EXPECT_EQ(statistics(query), s("查询结果统计：销售数量：17.00   销售金额：137.00"));

        // Back on the sales list: several at once, after a "no" that keeps them.
        tick(child<QCheckBox>(query, "detailCheck"));
        EXPECT_EQ(column(list, 1), (QStringList{"0002", "0003", "0000"}));
        clickRow(list, 0);
        clickRow(list, 2, Qt::ControlModifier);
        m_env.prompt().answerNext(Prompt::Answer::No);
        chooseFromMenu(&m_seen, s("删除记录(&D)"));
        rightClick(list, 0);
        EXPECT_EQ(m_env.prompt().lastText(), SaleDeletion::severalQuestion());
        EXPECT_EQ(list->rowCount(), 3);
        m_env.prompt().answerNext(Prompt::Answer::Yes);
        chooseFromMenu(&m_seen, s("删除记录(&D)"));
        rightClick(list, 0);
        EXPECT_EQ(column(list, 1), QStringList{"0003"});
        EXPECT_EQ(statistics(query), s("查询结果统计：销售数量：6.00   销售金额：30.00"));
        EXPECT_EQ(records().scalar(QStringLiteral("select count(*) from \"POS_RECORD\"")), "1");
        EXPECT_EQ(records().scalar(QStringLiteral("select count(*) from \"POS_RECORD_DETAIL\"")),
                  "1");

        // Opened with "显示详情总表" ticked, the conditions fill the detail list.
        tick(child<QCheckBox>(query, "detailCheck"));
        inConditions(query, [&](QueryConditionsDialog *conditions) {
            click(child<QPushButton>(conditions, "queryButton"));
        });
        EXPECT_TRUE(details->isVisible());
        EXPECT_EQ(column(details, 2), (QStringList{s("2024-03-07 23:59:59"), s("面包")}));
    });
    // The sales window has its records connection back and goes on.
    EXPECT_TRUE(m_sales->isVisible());
    EXPECT_TRUE(m_sales->session().recordsDb().isOpen());
}

TEST_F(QueryWindow, TheOwnerExportsTodaysSalesAsAWorkbookAndAsText)
{
    openSalesWindow();
    m_records.close();
    QTemporaryDir dir;
    const QString workbook = QDir(dir.path()).filePath(s("今天.xlsx"));
    const QString text = QDir(dir.path()).filePath(s("今天.xls"));
    inQueryWindow([&](QueryDialog *query) {
        m_env.prompt().fileNext(workbook, s("Excel文件(*.xlsx)"));
        click(child<QPushButton>(query, "exportButton"));
        EXPECT_EQ(m_env.prompt().lastText(),
                  s("导出文件保存于%1!").arg(QDir::toNativeSeparators(workbook)));
        m_env.prompt().fileNext(QDir(dir.path()).filePath(s("今天")), s("表格文件(*.xls)"));
        click(child<QPushButton>(query, "exportButton"));
        EXPECT_EQ(m_env.prompt().lastText(),
                  s("%1已经成功保存！").arg(QDir::toNativeSeparators(text)));

        // Never over the program's own data files.
        QFile settingsFile(m_env.settingsFile());
        ASSERT_TRUE(settingsFile.open(QIODevice::ReadOnly));
        const QByteArray settingsBefore = settingsFile.readAll();
        settingsFile.close();
        m_env.prompt().fileNext(m_env.settingsFile(), s("所有文件(*.*)"));
        click(child<QPushButton>(query, "exportButton"));
        EXPECT_TRUE(m_env.prompt().lastText().contains(s("是数据库文件，不能用导出的表格覆盖它")))
            << m_env.prompt().lastText().toStdString();
        ASSERT_TRUE(settingsFile.open(QIODevice::ReadOnly));
        EXPECT_EQ(settingsFile.readAll(), settingsBefore);

        // The same name typed again without its extension: asked before the
        // file is replaced; No shows the file dialog again (cancelled here).
        m_env.prompt().fileNext(QDir(dir.path()).filePath(s("今天")), s("表格文件(*.xls)"));
        m_env.prompt().answerNext(Prompt::Answer::No);
        m_env.prompt().fileNext(QString());
        click(child<QPushButton>(query, "exportButton"));
        EXPECT_EQ(m_env.prompt().lastText(),
                  s("文件“%1”已经存在。\n要替换它吗？").arg(QDir::toNativeSeparators(text)));
        EXPECT_EQ(m_env.prompt().fileRequests().size(), 5);

        // Stopped in its progress window: the file from before stays as it was.
        QFile before(text);
        ASSERT_TRUE(before.open(QIODevice::ReadOnly));
        const QByteArray earlier = before.readAll();
        before.close();
        m_env.prompt().cancelAtReport(1);
        m_env.prompt().fileNext(text, s("表格文件(*.xls)"));
        const int messages = int(m_env.prompt().messages().size());
        click(child<QPushButton>(query, "exportButton"));
        EXPECT_EQ(m_env.prompt().messages().size(), messages) << "a cancel needs no message";
        ASSERT_TRUE(before.open(QIODevice::ReadOnly));
        EXPECT_EQ(before.readAll(), earlier);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                  (QStringList{s("今天.xls"), s("今天.xlsx")}));
    });
    const Prompt::FileRequest request = m_env.prompt().fileRequests().first();
    EXPECT_EQ(request.caption, s("保存Excel表"));
    EXPECT_TRUE(request.proposedPath.endsWith(s("/20240307查询结果.xlsx")))
        << qPrintable(request.proposedPath);
    EXPECT_EQ(request.filters.mid(0, 2),
              (QStringList{s("Excel文件(*.xlsx)"), s("表格文件(*.xls)")}));

    // The workbook: the list's sheet, a header and today's three sales in list order,
    // receipt numbers as text (leading zeros kept).
    SpreadsheetReader sheet(workbook, s("销售总列表"));
    ASSERT_TRUE(sheet.isLoaded()) << qPrintable(sheet.lastError());
    EXPECT_EQ(sheet.totalRows(), 4);
    QString cell;
    EXPECT_TRUE(sheet.readCell(cell, 2, 1));
    EXPECT_EQ(cell, s("销售票号"));
    EXPECT_TRUE(sheet.readCell(cell, 2, 4));
    EXPECT_EQ(cell, s("0003"));

    // The text: GB18030, CR LF, a tab after every cell, the receipt numbers marked as text.
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = Gb18030::decode(file.readAll()).split(s("\r\n"));
    ASSERT_EQ(lines.size(), 5); // header, three sales, the end
    EXPECT_TRUE(lines[0].startsWith(s("序\t销售票号\t销售时间\t"))) << qPrintable(lines[0]);
    EXPECT_TRUE(lines[1].startsWith(s("1\t'0001\t2024-03-07 08:00:00\t"))) << qPrintable(lines[1]);
    EXPECT_TRUE(lines[1].endsWith(u'\t'));
    EXPECT_TRUE(lines[4].isEmpty());
}

TEST_F(QueryWindow, ADoubleClickedSaleIsCorrectedInItsDetailsAndTheListFollows)
{
    openSalesWindow();
    inQueryWindow([&](QueryDialog *query) {
        auto *list = child<SortableList>(query, "salesList");
        const int row = int(column(list, 1).indexOf(s("0001")));
        ASSERT_GE(row, 0);
        bool opened = false;
        whenModal([&](QDialog *dialog) {
            auto *details = qobject_cast<RecordDetailDialog *>(dialog);
            opened = details && details->windowTitle() == s("销售票号: 0001 详情");
            if (opened) {
                EXPECT_EQ(child<QComboBox>(details, "customerBox")->currentText(), s("O'Neil"));
                child<QComboBox>(details, "customerBox")->setEditText(s("李四"));
                child<QLineEdit>(details, "totalEdit")->setText(s("11"));
                click(child<QPushButton>(details, "saveButton"));
            }
            dialog->reject();
        });
        const QPoint at = list->visualRect(list->sortableModel()->index(row, 1)).center();
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        ASSERT_TRUE(opened);
        EXPECT_EQ(m_env.prompt().lastText(), s("保存成功！"));
        EXPECT_EQ(list->text(row, 8), s("李四"));
        EXPECT_EQ(list->text(row, 4), s("11.00"));
        EXPECT_EQ(statistics(query), QueryStatistics::line(10, 48));
    });
    EXPECT_EQ(records().scalar(s("select \"standby2\" from \"POS_RECORD\" where \"NO\" = '0001'")),
              s("李四"));
}

// A wheel turn of DELTA eighths of a degree over TARGET, at its own moment.
void turnWheel(QWidget *target, int delta)
{
    static quint64 moment = 1000;
    QWheelEvent wheel(QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), {}, {0, delta},
                      Qt::NoButton, {}, Qt::NoScrollPhase, false);
    wheel.setTimestamp(++moment);
    QApplication::sendEvent(target, &wheel);
}

TEST_F(QueryWindow, ListsShowTheirWholeTextsAndTheConditionsWheelStepsOncePerNotchBesideThem)
{
    storeSale(records(),
              {s("202403070000123"), s("2024-03-07 10:15:00"), 1234.5, s("admin"), 2.0, s(""),
               s("张先生"), s("13800000000"), s("现金")},
              {{s("绿茶"), 2.0, 617.25, 1234.5, 1234.5}});
    {
        Database settingsDb;
        ASSERT_TRUE(settingsDb.open(m_env.settings().settingsDsn));
        PaymentMethods methods(settingsDb);
        for (int i = 1; i <= 31; ++i)
            methods.add(s("付款方式%1").arg(i, 2, 10, QChar(u'0')));
    }
    openSalesWindow();
    int dragged = 0;
    inQueryWindow([&](QueryDialog *query) {
        auto *list = child<SortableList>(query, "salesList");
        QHeaderView *header = list->horizontalHeader();
        const QFontMetrics metrics(list->font());
        const QList<int> least = {29, 93, 133, 57, 78, 0, 67, 100, 67, 90, 70};
        // Every text shows whole: number, time, phone among them.
        for (int c = 0; c < least.size(); ++c) {
            if (c == 5)
                continue;
            EXPECT_GE(list->columnWidth(c), least[c]) << c;
            EXPECT_GT(list->columnWidth(c),
                      header->fontMetrics().horizontalAdvance(list->columnTitle(c)) + 6)
                << c;
            for (int row = 0; row < list->rowCount(); ++row)
                EXPECT_GT(list->columnWidth(c), metrics.horizontalAdvance(list->text(row, c)) + 6)
                    << list->text(row, c).toStdString();
        }
        // The person widens "备注" by dragging its edge.
        const int edge = header->sectionViewportPosition(7) + header->sectionSize(7) - 1;
        const int y = header->height() / 2;
        const int before = list->columnWidth(7);
        QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(edge, y));
        QTest::mouseMove(header->viewport(), QPoint(edge + 60, y));
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(edge + 60, y));
        dragged = list->columnWidth(7);
        EXPECT_GT(dragged, before + 30);

        // Room beside the list: the conditions open there, not over it.
        query->setGeometry(0, 0, 420, 420);
        QCoreApplication::processEvents();
        const QRect results(list->mapToGlobal(QPoint(0, 0)), list->size());
        QPoint putAt;
        inConditions(query, [&](QueryConditionsDialog *conditions) {
            EXPECT_FALSE(conditions->frameGeometry().intersects(results))
                << "over the results at " << conditions->x() << "," << conditions->y();

            // A touchpad's fifteen small turns are one notch: one step.
            auto *from = child<QLineEdit>(conditions, "amountFromEdit");
            auto *fromTime = child<QDateTimeEdit>(conditions, "fromEdit");
            fromTime->setCurrentSection(QDateTimeEdit::YearSection);
            const int year = fromTime->date().year();
            from->setFocus();
            from->setText(s("5"));
            for (int i = 0; i < 15; ++i)
                turnWheel(from, 8);
            EXPECT_EQ(from->text(), s("6"));
            EXPECT_EQ(fromTime->date().year(), year + 1);
            turnWheel(from, -120);
            EXPECT_EQ(from->text(), s("5"));
            EXPECT_EQ(fromTime->date().year(), year);

            // An open drop-down of 31 payment methods scrolls under the wheel.
            auto *payment = child<QComboBox>(conditions, "paymentBox");
            EXPECT_GE(payment->count(), 31);
            payment->showPopup();
            QAbstractItemView *view = payment->view();
            ASSERT_TRUE(waitFor([&] { return view->isVisible(); }));
            QScrollBar *bar = view->verticalScrollBar();
            ASSERT_GT(bar->maximum(), 0);
            const int top = bar->value();
            for (int i = 0; i < 3; ++i)
                turnWheel(view->viewport(), -120);
            EXPECT_GT(bar->value(), top);
            payment->hidePopup();

            // The person moves the dialog somewhere else.
            putAt = QPoint(30, 40);
            conditions->move(putAt);
        });
        inConditions(query, [&](QueryConditionsDialog *conditions) {
            EXPECT_EQ(conditions->pos(), putAt) << "not where the person put it";
        });
    });
    // The dragged width is there the next time the window opens.
    inQueryWindow([&](QueryDialog *query) {
        EXPECT_EQ(child<SortableList>(query, "salesList")->columnWidth(7), dragged);
    });
}

TEST_F(QueryWindow, ANewBookFromTheManageMenuEndsTheProgram)
{
    QTemporaryDir trash;
    qputenv("XDG_DATA_HOME", trash.path().toUtf8());
    const QString startDir = QDir::currentPath();
    openSalesWindow();
    // A sale is open in the sales window: the commands that end the program ask first.
    retype(child<QComboBox>(m_sales.get(), "productBox"), s("绿茶"));
    retype(child<QLineEdit>(m_sales.get(), "priceEdit"), s("5"));
    QTest::keyClick(child<QLineEdit>(m_sales.get(), "priceEdit"), Qt::Key_Return);
    ASSERT_EQ(m_sales->session().sale().lines().count(), 1);
    const QString openSaleQuestion =
        s("销售窗口中还有一张未保存的小票。\n恢复数据库或重新记账后程序"
          "将结束，这张小票将会丢失。确定要继续吗？");
    inQueryWindow([&](QueryDialog *query) {
        MenuSeen seen;
        for (const char *command : {"导入恢复数据库(&I)...", "重新记账(&R)"}) {
            m_env.prompt().answerNext(Prompt::Answer::No);
            chooseFromMenu(&seen, s(command));
            click(child<QPushButton>(query, "manageButton"));
            EXPECT_EQ(m_env.prompt().lastText(), openSaleQuestion) << command;
            EXPECT_FALSE(query->bookReplaced());
        }
        EXPECT_TRUE(m_env.prompt().fileRequests().isEmpty());
        EXPECT_EQ(records().scalar(s("select count(*) from \"POS_RECORD\"")), s("4"));
        m_records.close();

        m_env.prompt().answerNext(Prompt::Answer::Yes);
        m_env.prompt().answerNext(Prompt::Answer::Yes);
        chooseFromMenu(&seen, s("重新记账(&R)"));
        click(child<QPushButton>(query, "manageButton"));
        EXPECT_EQ(seen.enabled.keys(),
                  (QList<QString>{s("导入恢复数据库(&I)..."), s("导出备份数据库(&O)..."),
                                  s("重新记账(&R)")}));
        EXPECT_TRUE(query->bookReplaced());
    });
    EXPECT_FALSE(m_sales->isVisible()) << "the sales window ends with the query window";
    EXPECT_EQ(m_env.prompt().lastText(), s("开始新的记账，请重启软件！"));
    EXPECT_EQ(records().scalar(s("select count(*) from \"POS_RECORD\"")), s("0"));
    EXPECT_TRUE(QFile::exists(trash.filePath(s("Trash/files/Quillbook.qmbk"))));
    QDir::setCurrent(startDir);
    qunsetenv("XDG_DATA_HOME");
}

TEST_F(QueryWindow, OnlyTheAdministratorDeletesPrintsExportsAndManages)
{
    for (const QString &power : {AppSettings::ordinaryPower(), QString(), s("收银员")}) {
        m_env.settings().userPower = power;
        openSalesWindow();
        inQueryWindow([&](QueryDialog *query) {
            EXPECT_FALSE(child<QPushButton>(query, "exportButton")->isEnabled());
            EXPECT_FALSE(child<QPushButton>(query, "manageButton")->isEnabled());
            auto *list = child<SortableList>(query, "salesList");
            clickRow(list, 0);
            MenuSeen seen;
            chooseFromMenu(&seen, s("删除记录(&D)"));
            rightClick(list, 0);
            EXPECT_EQ(seen.enabled.value(s("删除记录(&D)"), true), false);
            EXPECT_EQ(seen.enabled.value(s("打印记录(&P)"), true), false);
            EXPECT_TRUE(seen.enabled.contains(s("查看记录详情(&T)...")));
        });
        EXPECT_EQ(countRows(records(), "POS_RECORD", "0001"), 1) << qPrintable(power);
        EXPECT_TRUE(m_env.prompt().messages().isEmpty());
    }
}

TEST_F(QueryWindow, ARecordsFileThatCannotBeOpenedIsReportedAtEveryAction)
{
    m_env.settings().recordsDsn = QStringLiteral("QmNoSuchSource");
    QueryDialog query(m_env.settings(), {});
    EXPECT_EQ(m_env.prompt().texts(), QStringList{s("不能打开数据库")});
    click(child<QPushButton>(&query, "searchButton"));
    tick(child<QCheckBox>(&query, "detailCheck"));
    EXPECT_EQ(m_env.prompt().texts(), QStringList(3, s("不能打开数据库")));
    EXPECT_EQ(child<SortableList>(&query, "salesList")->rowCount(), 0);
}

TEST_F(QueryWindow, AStoredSaleIsReprintedThroughTheSalesWindowsPrinter)
{
    const QString queue = QStringLiteral("Receipt");
    if (!ReceiptPrinters::exists(queue))
        QM_SKIP_WITHOUT_SERVICE("no CUPS scheduler with the cups-pdf queue \"Receipt\"; "
                                "scripts/start-test-cups.sh starts one (as root)");
    const QString output = cupsPdfOutput();
    if (output.isEmpty())
        QM_SKIP_WITHOUT_SERVICE("cups-pdf has no output folder in /etc/cups/cups-pdf.conf");
    QDir().mkpath(output);
    const QStringList before = QDir(output).entryList({QStringLiteral("*.pdf")});
    openSalesWindow();
    m_sales->printSettings().printer1Name = queue;
    m_sales->printSettings().finishedNotice = false;
    const QString counter = records().scalar(QStringLiteral("select \"num\" from \"AUTO_NUM\""));
    m_records.close();
    inQueryWindow([&](QueryDialog *query) {
        auto *list = child<SortableList>(query, "salesList");
        clickRow(list, 0);
        chooseFromMenu(&m_seen, s("打印记录(&P)"));
        rightClick(list, 0);
    });
    EXPECT_TRUE(m_env.prompt().messages().isEmpty()) << qPrintable(m_env.prompt().lastText());
    // One receipt of one page reached the paper; nothing was stored and no
    // number was taken.
    QStringList arrived;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            arrived = QDir(output).entryList({QStringLiteral("*.pdf")});
            for (const QString &name : before)
                arrived.removeAll(name);
            return !arrived.isEmpty() && PdfInfo::of(QDir(output).filePath(arrived[0])).pages > 0;
        },
        60000));
    ASSERT_FALSE(arrived.isEmpty());
    EXPECT_EQ(PdfInfo::of(QDir(output).filePath(arrived[0])).pages, 1);
    EXPECT_EQ(records().scalar(QStringLiteral("select count(*) from \"POS_RECORD\"")), "4");
    EXPECT_EQ(records().scalar(QStringLiteral("select \"num\" from \"AUTO_NUM\"")), counter);
}

} // namespace
