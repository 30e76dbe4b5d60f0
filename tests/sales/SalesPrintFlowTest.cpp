// F5 in the sales window runs the real print path: the sale is stored, its
// number consumed and the window emptied, whether or not a printer is there.
#include "app/SettingsLoader.h"
#include "data/Database.h"
#include "sales/SalesDialog.h"
#include "sales/SalesWindows.h"
#include "support/SalesWindowFixture.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class SalesPrintFlow : public SalesWindowFixture
{
protected:
    void SetUp() override
    {
        SalesWindowFixture::SetUp();
        // No print-finished notice: it is a window of its own, tested with the printing.
        Database db;
        ASSERT_TRUE(db.open(m_env.settings().settingsDsn));
        db.exec(
            QStringLiteral("update \"INFO\" set \"remark2\"='0', \"saler\"='0' where \"id\"='1'"));
        open();
    }

    QString records(const QString &sql) { return recordsValue(sql); }
};

TEST_F(SalesPrintFlow, F5StoresTheSaleAndStartsTheNext)
{
    enterLine(QStringLiteral("Milk 1L"), QStringLiteral("2"), QStringLiteral("6.5"));
    enterLine(QStringLiteral("Bread"), QStringLiteral("1"), QStringLiteral("4"));
    ASSERT_EQ(m_dialog->session().sale().lines().count(), 2);

    QTest::keyClick(m_dialog.get(), Qt::Key_F5);

    EXPECT_EQ(records(QStringLiteral("select \"NO\" from \"POS_RECORD\"")),
              QStringLiteral("0000000"));
    EXPECT_EQ(records(QStringLiteral("select \"money\" from \"POS_RECORD\"")),
              QStringLiteral("17"));
    EXPECT_EQ(records(QStringLiteral("select count(*) from \"POS_RECORD_DETAIL\"")),
              QStringLiteral("2"));
    EXPECT_EQ(m_dialog->session().sale().lines().count(), 0);
    EXPECT_EQ(m_dialog->findChild<QLineEdit *>(QStringLiteral("numberEdit"))->text(),
              QStringLiteral("0000001"));
    // Without a printer the cashier is told so; with one nothing needs saying.
    for (const QString &text : m_env.prompt().texts())
        EXPECT_EQ(text, QStringLiteral("获取打印机失败，请确认打印机硬件及驱动程序是否已安装好！"));
}

TEST_F(SalesPrintFlow, F5OnAnEmptySaleStoresNothing)
{
    QTest::keyClick(m_dialog.get(), Qt::Key_F5);
    EXPECT_EQ(records(QStringLiteral("select count(*) from \"POS_RECORD\"")), QStringLiteral("0"));
    EXPECT_EQ(m_env.prompt().messages().size(), 1);
}

TEST_F(SalesPrintFlow, PrintValuesChangedInTheSettingsWindowApplyToTheNextReceipt)
{
    EXPECT_TRUE(m_dialog->printSettings().showPrice);
    SalesWindows windows = SalesWindows::installed();
    // Stands in for the print-information page saving with "打印单价" off.
    windows.settings = [this](QWidget *, SettingsHandover &) {
        Database db;
        ASSERT_TRUE(db.open(m_env.settings().settingsDsn));
        db.exec(QStringLiteral("update \"INFO\" set \"showPrice\"='0', \"set5\"='12' "
                               "where \"id\"='1'"));
    };
    m_dialog->setWindows(windows);
    m_dialog->openSettings();
    EXPECT_FALSE(m_dialog->printSettings().showPrice);
    EXPECT_EQ(m_dialog->printSettings().paperMargin, 12);
}

} // namespace
