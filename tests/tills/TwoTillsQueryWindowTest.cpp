// Two tills keep their settings and records on one PostgreSQL server. Each
// sees the other's sales in its query window, queries them by conditions, and
// a sale corrected or deleted at one till is so on the server and at the
// other till after a refresh. The windows are opened as the program opens
// them, from the sales window's query button.
#include "app/SettingsLoader.h"
#include "controls/SortableList.h"
#include "core/AppSettings.h"
#include "core/Clock.h"
#include "data/Database.h"
#include "records/QueryConditionsDialog.h"
#include "records/QueryDialog.h"
#include "records/QueryStatistics.h"
#include "records/RecordDetailDialog.h"
#include "records/SaleDeletion.h"
#include "sales/SalesDialog.h"
#include "sales/SalesSession.h"
#include "sales/SalesWindows.h"
#include "support/Gui.h"
#include "support/PgServer.h"
#include "support/SaleFinishing.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

QDateTime at(int day, int hour, int minute)
{
    return QDateTime(QDate(2024, 3, day), QTime(hour, minute));
}

struct Line
{
    const char *name;
    const char *quantity;
    const char *price;
};

QStringList column(SortableList *list, int column)
{
    QStringList texts;
    for (int row = 0; row < list->rowCount(); ++row)
        texts << list->text(row, column);
    return texts;
}

QString statistics(QueryDialog *query)
{
    return child<QLabel>(query, "statisticsLabel")->text();
}

QPoint rowCentre(SortableList *list, int row)
{
    return list->visualRect(list->sortableModel()->index(row, 1)).center();
}

// Right-clicks ROW of the list and chooses COMMAND from the menu that opens.
void chooseFromMenu(SortableList *list, int row, const QString &command)
{
    QTimer::singleShot(50, [command] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction *action : menu->actions())
            if (action->text() == command)
                menu->setActiveAction(action);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    const QPoint centre = rowCentre(list, row);
    QContextMenuEvent event(QContextMenuEvent::Mouse, centre,
                            list->viewport()->mapToGlobal(centre));
    QApplication::sendEvent(list->viewport(), &event);
}

class TwoTillsQueryWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QM_REQUIRE_POSTGRES();
        AppSettings &first = m_env.settings();
        first.settingsDsn = PgServer::preparedDataSource(true);
        first.recordsDsn = PgServer::preparedDataSource(false);
        Database settings;
        ASSERT_TRUE(settings.open(first.settingsDsn));
        // The owner made a cashier account for the second till.
        settings.exec(s("insert into \"USER\" (\"name\", \"code\", \"power\") values (?, '', ?)"),
                      {s("张敏"), AppSettings::ordinaryPower()});
        SettingsLoader::loadFrom(settings, first, QDate(2024, 3, 7), QString());
        first.userName = s("admin");
        first.userPower = AppSettings::administratorPower();
        m_second = first;
        m_second.userName = s("张敏");
        m_second.userPower = AppSettings::ordinaryPower();
        ASSERT_TRUE(m_server.open(first.recordsDsn));
    }

    static void sell(SalesSession &till, const QDateTime &time, const QList<Line> &lines)
    {
        for (const Line &line : lines) {
            till.sale().entry().setName(s(line.name));
            till.sale().entry().typeQuantity(s(line.quantity));
            till.sale().entry().setPrice(s(line.price));
            ASSERT_TRUE(till.sale().addLine().message.isEmpty());
        }
        till.header().time = time;
        ASSERT_TRUE(saveOnly(till));
    }

    // The owner's till sells yesterday and today; the cashier's till sells
    // today in between, both showing the same next number at first.
    void sellAtBothTills()
    {
        SalesSession owner(m_env.settings());
        SalesSession cashier(m_second);
        ASSERT_TRUE(owner.open());
        sell(owner, at(6, 18, 0), {{"奶粉", "10", "10"}});
        ASSERT_TRUE(cashier.open()); // shows 0000001 too
        sell(owner, at(7, 8, 0), {{"绿茶", "2", "5"}, {"Cola 可乐", "1", "2.5"}});
        sell(cashier, at(7, 8, 1), {{"100%_果汁", "1", "8"}});
        sell(cashier, at(7, 9, 30), {{"面包", "3", "5"}});
        sell(owner, at(7, 10, 0), {{"100克装果汁", "2", "3"}});
        EXPECT_TRUE(m_env.prompt().messages().isEmpty()) << m_env.prompt().lastText().toStdString();
    }

    std::unique_ptr<SalesDialog> openSalesWindow(AppSettings &settings)
    {
        auto window = std::make_unique<SalesDialog>(settings);
        window->setWindows(SalesWindows::installed());
        window->show();
        QApplication::setActiveWindow(window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return window;
    }

    // Presses the till's query button and runs ACTION in its query window.
    static void inQueryWindow(SalesDialog &till, const std::function<void(QueryDialog *)> &action)
    {
        bool ran = false;
        whenModal([&](QDialog *dialog) {
            auto *query = qobject_cast<QueryDialog *>(dialog);
            ran = query != nullptr;
            if (ran)
                action(query);
            dialog->reject();
        });
        // The tills are two machines: the other till's button is pressed while
        // this one shows its modal query window.
        till.findChild<QPushButton *>(QStringLiteral("queryButton"))->click();
        EXPECT_TRUE(ran);
    }

    // Fills the conditions window through FILL, queries, and returns the numbers listed.
    static QStringList queried(QueryDialog *query,
                               const std::function<void(QueryConditionsDialog *)> &fill)
    {
        whenModal([&](QDialog *dialog) {
            auto *conditions = qobject_cast<QueryConditionsDialog *>(dialog);
            if (conditions) {
                fill(conditions);
                click(child<QPushButton>(conditions, "queryButton"));
            }
            dialog->reject();
        });
        click(child<QPushButton>(query, "queryButton"));
        return column(child<SortableList>(query, "salesList"), 1);
    }

    // In the details window: the first line made three, a soy milk added, saved.
    static void correct(RecordDetailDialog *details)
    {
        auto *lines = child<SortableList>(details, "lineList");
        EXPECT_EQ(column(lines, 1), (QStringList{s("绿茶"), s("Cola 可乐")}));
        QTest::mouseClick(lines->viewport(), Qt::LeftButton, {}, rowCentre(lines, 0));
        retype(child<QLineEdit>(details, "quantityEdit"), s("3"));
        click(child<QPushButton>(details, "modifyButton"));
        commitText(child<QComboBox>(details, "nameBox")->lineEdit(), s("豆浆"));
        retype(child<QLineEdit>(details, "quantityEdit"), s("1"));
        retype(child<QLineEdit>(details, "priceEdit"), s("2"));
        QTest::keyClick(child<QLineEdit>(details, "priceEdit"), Qt::Key_Return);
        click(child<QPushButton>(details, "saveButton"));
    }

    QStringList storedLines(const QString &number)
    {
        QStringList lines;
        Database::Rows rows =
            m_server.query(s("select \"name\", \"num\", \"price\", \"money\", \"standby1\" from "
                             "\"POS_RECORD_DETAIL\" where \"NO\" = ? order by ") +
                               m_server.dialect().lineOrder(),
                           {number});
        while (rows.next())
            lines << QStringList{rows.text(0), rows.text(1), rows.text(2), rows.text(3),
                                 rows.text(4)}
                         .join(u'|');
        return lines;
    }

    TestEnv m_env;
    AppSettings m_second;
    Database m_server;
};

TEST_F(TwoTillsQueryWindow, EachTillSeesQueriesAndFollowsTheOthersSalesOnTheServer)
{
    sellAtBothTills();
    Clock::setFixed(at(7, 11, 0));
    std::unique_ptr<SalesDialog> ownerTill = openSalesWindow(m_env.settings());
    std::unique_ptr<SalesDialog> cashierTill = openSalesWindow(m_second);

    inQueryWindow(*cashierTill, [&](QueryDialog *cashierQuery) {
        // Today's sales of both tills, in the order they were stored.
        auto *list = child<SortableList>(cashierQuery, "salesList");
        EXPECT_EQ(column(list, 1), (QStringList{"0000001", "0000002", "0000003", "0000004"}));
        EXPECT_EQ(column(list, 6), (QStringList{"admin", s("张敏"), s("张敏"), "admin"}));
        EXPECT_EQ(column(list, 4), (QStringList{"12.50", "8.00", "15.00", "6.00"}));
        EXPECT_EQ(statistics(cashierQuery), QueryStatistics::line(9, 41.5));

        // A cashier from the list of users, every day.
        EXPECT_EQ(queried(cashierQuery,
                          [](QueryConditionsDialog *c) {
                              auto *cashiers = child<QComboBox>(c, "cashierBox");
                              cashiers->setCurrentIndex(cashiers->findText(s("张敏")));
                          }),
                  (QStringList{"0000002", "0000003"}));
        EXPECT_EQ(statistics(cashierQuery), QueryStatistics::line(4, 23));
        // Yesterday, from its first to its last minute.
        EXPECT_EQ(queried(cashierQuery,
                          [](QueryConditionsDialog *c) {
                              tick(child<QCheckBox>(c, "timeCheck"));
                              child<QDateTimeEdit>(c, "fromEdit")->setDateTime(at(6, 0, 0));
                              child<QDateTimeEdit>(c, "toEdit")->setDateTime(at(6, 23, 59));
                          }),
                  QStringList{"0000000"});
        // A product: "%" and "_" taken literally, Latin letters in any case.
        EXPECT_EQ(queried(cashierQuery,
                          [](QueryConditionsDialog *c) {
                              commitText(child<QLineEdit>(c, "productEdit"), s("100%_果汁"));
                          }),
                  QStringList{"0000002"});
        EXPECT_EQ(queried(cashierQuery,
                          [](QueryConditionsDialog *c) {
                              commitText(child<QLineEdit>(c, "productEdit"), s("cola"));
                          }),
                  QStringList{"0000001"});

        inQueryWindow(*ownerTill, [&](QueryDialog *ownerQuery) {
            auto *owned = child<SortableList>(ownerQuery, "salesList");
            EXPECT_EQ(column(owned, 1), (QStringList{"0000001", "0000002", "0000003", "0000004"}));

            // The owner corrects the first sale in its details window.
            bool edited = false;
            whenModal([&](QDialog *dialog) {
                auto *details = qobject_cast<RecordDetailDialog *>(dialog);
                edited = details != nullptr;
                if (edited)
                    correct(details);
                dialog->reject();
            });
            QTest::mouseDClick(owned->viewport(), Qt::LeftButton, {}, rowCentre(owned, 0));
            ASSERT_TRUE(edited);
            EXPECT_EQ(m_env.prompt().lastText(), s("保存成功！"));
            EXPECT_EQ(owned->text(0, 4), s("19.50"));
            EXPECT_EQ(m_server.scalar(s("select \"money\" || '|' || \"number\" from "
                                        "\"POS_RECORD\" where \"NO\" = '0000001'")),
                      s("19.5|5"));
            EXPECT_EQ(storedLines(s("0000001")),
                      (QStringList{s("绿茶|3|5|15|15"), s("Cola 可乐|1|2.5|2.5|2.5"),
                                   s("豆浆|1|2|2|2")}));

            // The owner deletes the cashier's bread sale.
            QTest::mouseClick(owned->viewport(), Qt::LeftButton, {}, rowCentre(owned, 2));
            m_env.prompt().answerNext(Prompt::Answer::Yes);
            chooseFromMenu(owned, 2, s("删除记录(&D)"));
            EXPECT_EQ(m_env.prompt().lastText(), SaleDeletion::oneQuestion(s("0000003")));
            EXPECT_EQ(column(owned, 1), (QStringList{"0000001", "0000002", "0000004"}));
            EXPECT_EQ(statistics(ownerQuery), QueryStatistics::line(8, 33.5));
        });
        EXPECT_EQ(m_server.scalar(s("select count(*) from \"POS_RECORD\" where \"NO\" = "
                                    "'0000003'")),
                  s("0"));
        EXPECT_EQ(storedLines(s("0000003")), QStringList());

        // The cashier's window, searched again, shows the owner's changes.
        click(child<QPushButton>(cashierQuery, "searchButton"));
        EXPECT_EQ(column(list, 1), (QStringList{"0000000", "0000001", "0000002", "0000004"}));
        EXPECT_EQ(column(list, 4), (QStringList{"100.00", "19.50", "8.00", "6.00"}));
        EXPECT_EQ(statistics(cashierQuery), QueryStatistics::line(18, 133.5));
        tick(child<QCheckBox>(cashierQuery, "detailCheck"));
        EXPECT_EQ(column(child<SortableList>(cashierQuery, "detailList"), 2),
                  (QStringList{s("2024-03-06 18:00:00"), s("奶粉"), s("2024-03-07 08:00:00"),
                               s("绿茶"), s("Cola 可乐"), s("豆浆"), s("2024-03-07 08:01:00"),
                               s("100%_果汁"), s("2024-03-07 10:00:00"), s("100克装果汁")}));
    });
    EXPECT_EQ(m_env.prompt().texts(),
              (QStringList{s("保存成功！"), SaleDeletion::oneQuestion(s("0000003"))}));
}

} // namespace
