// A till whose database server goes down while the cashier types and scans:
// the product box finds products and prices in what the window holds, so no
// key waits on the server and no message box swallows the keys that follow;
// the outage is told once, when the sale is stored, and the sale stays.
#include "app/SettingsLoader.h"
#include "controls/SortableList.h"
#include "core/AppSettings.h"
#include "data/Database.h"
#include "sales/SalesDialog.h"
#include "support/Gui.h"
#include "support/PgServer.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

void press(const char *keys, int delayMs)
{
    QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(keys), Qt::NoModifier,
                     delayMs);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return, Qt::NoModifier, delayMs);
}

TEST(TillOffline, TypingAndScanningGoOnAndTheOutageIsToldOnceWhenTheSaleIsStored)
{
    QM_REQUIRE_POSTGRES();
    TestEnv env;
    AppSettings &settings = env.settings();
    settings.settingsDsn = PgServer::preparedDataSource(true);
    settings.recordsDsn = PgServer::preparedDataSource(false);
    {
        Database db;
        ASSERT_TRUE(db.open(settings.settingsDsn));
        const std::pair<const char *, const char *> products[] = {{"Apple", "5.00"},
                                                                  {"6901234567890-矿泉水", "2.00"}};
        for (const auto &[text, price] : products)
            db.exec(s("insert into \"PRODUCT_NAME\" (\"items\",\"price\") values (?,?)"),
                    {s(text), s(price)});
        db.exec(s("update \"INFO\" set \"set8\"='0' where \"id\"='1'")); // nothing remembered
        SettingsLoader::loadFrom(db, settings, QDate(2024, 3, 7), QString());
    }
    settings.userName = s("admin");
    settings.userPower = AppSettings::administratorPower();
    SalesDialog window(settings);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto *product = window.findChild<QComboBox *>(s("productBox"));
    ASSERT_EQ(QApplication::focusWidget(), product);

    ASSERT_TRUE(PgServer::restart(0, [&] {
        press("App", 20);          // a person
        press("6901234567890", 5); // a scanner
        press("6901234567890", 5);
        EXPECT_TRUE(env.prompt().messages().isEmpty()) << env.prompt().lastText().toStdString();
        ASSERT_EQ(window.saleList()->rowCount(), 3);
        EXPECT_EQ(window.saleList()->text(0, 1), s("Apple"));
        EXPECT_EQ(window.saleList()->text(0, 3), s("5.00"));
        EXPECT_EQ(window.saleList()->text(2, 1), s("6901234567890-矿泉水"));
        EXPECT_EQ(window.saleList()->text(2, 3), s("2.00"));

        window.findChild<QPushButton *>(s("saveOnlyButton"))->click();
        EXPECT_EQ(env.prompt().texts(), QStringList{Database::connectionLostMessage()});
        EXPECT_EQ(window.saleList()->rowCount(), 3) << "the sale stays in the window";
    }));
    window.findChild<QPushButton *>(s("saveOnlyButton"))->click();
    EXPECT_EQ(window.saleList()->rowCount(), 0);

    Database records;
    ASSERT_TRUE(records.open(settings.recordsDsn));
    EXPECT_EQ(records.scalar(s("select count(*) from \"POS_RECORD_DETAIL\" where \"name\" = ?"),
                             {s("6901234567890-矿泉水")}),
              s("2"));
    EXPECT_EQ(records.scalar(s("select \"money\" from \"POS_RECORD\"")), s("9"));
}

} // namespace
