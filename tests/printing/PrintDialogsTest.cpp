// The printer choice (dialog 111) and the print-finished notice (dialog 152),
// driven as a person would, with what they store checked in the database.
#include "app/SettingsLoader.h"
#include "controls/HoverButton.h"
#include "controls/SalesIcons.h"
#include "core/AppSettings.h"
#include "data/Database.h"
#include "data/ShopRow.h"
#include "printing/PrintFinishedDialog.h"
#include "printing/PrinterSelectDialog.h"
#include "support/Gui.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class PrintDialogsTest : public ::testing::Test
{
protected:
    PrintDialogsTest()
    {
        // Start-up creates the options row that printer 2 lives in.
        SettingsLoader::load(env.settings(), QDate(2024, 3, 7), QString());
        db.open(env.settings().settingsDsn);
    }

    QString info(const char *column)
    {
        return db.scalar(QStringLiteral("select \"%1\" from \"INFO\"").arg(column));
    }
    QString options(const char *column)
    {
        return db.scalar(
            QStringLiteral("select \"%1\" from \"USER_SET\" where \"directLogin\"=6").arg(column));
    }

    TestEnv env;
    Database db;
    ShopRow shop;
};

TEST_F(PrintDialogsTest, NoticeShowsItsTextsAndCloses)
{
    PrintFinishedDialog dialog(shop, env.settings().settingsDsn);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "恭喜");
    EXPECT_EQ(child<QLabel>(&dialog, "textLabel")->text(), "打印完毕！");
    QCheckBox *box = child<QCheckBox>(&dialog, "dontRemindBox");
    EXPECT_EQ(box->text(), "不再提醒");
    EXPECT_FALSE(box->isChecked());
    // The program's own picture beside the text, not the style's information sign.
    const QPixmap icon = child<QLabel>(&dialog, "iconLabel")->pixmap();
    EXPECT_EQ(icon.toImage(), SalesIcons::window().pixmap(PrintFinishedDialog::iconSize).toImage());
    EXPECT_EQ(dialog.windowIcon().pixmap(32).toImage(), icon.toImage());
    keepPicture(dialog.grab().toImage(), QStringLiteral("print-finished"));
    // The program's own button, as on every other dialog.
    QTest::mouseClick(child<HoverButton>(&dialog, "okButton"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    // Closing without touching the box changes nothing.
    EXPECT_TRUE(shop.finishedNotice);
    EXPECT_EQ(info("remark2"), "1");
}

TEST_F(PrintDialogsTest, DontRemindIsStoredAtOnceAndCanBeTakenBack)
{
    PrintFinishedDialog dialog(shop, env.settings().settingsDsn);
    dialog.show();
    QCheckBox *box = child<QCheckBox>(&dialog, "dontRemindBox");
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_FALSE(shop.finishedNotice);
    EXPECT_EQ(info("remark2"), "0");
    // Ticking and unticking in the same notice leaves it on and stores "1".
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_TRUE(shop.finishedNotice);
    EXPECT_EQ(info("remark2"), "1");
    EXPECT_TRUE(env.prompt().messages().isEmpty());
}

TEST_F(PrintDialogsTest, PrinterListsAndTheirSelections)
{
    shop.printer1Name = QStringLiteral("Kitchen");
    env.settings().printer2Name = QStringLiteral("Gone");
    env.settings().usePrinter2 = false;
    PrinterSelectDialog dialog(env.settings(), shop, nullptr,
                               {"Zebra", "Receipt", "Kitchen", "前台"}, "Receipt");
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "选择打印机设备");
    QComboBox *first = child<QComboBox>(&dialog, "printer1Box");
    QComboBox *second = child<QComboBox>(&dialog, "printer2Box");
    QCheckBox *use2 = child<QCheckBox>(&dialog, "printer2Check");
    EXPECT_EQ(use2->text(), "打印设备2：");
    QStringList entries;
    for (int i = 0; i < first->count(); ++i)
        entries << first->itemText(i);
    EXPECT_EQ(entries, (QStringList{"Kitchen", "Receipt", "Zebra", "前台"}));
    EXPECT_EQ(second->count(), 4);
    EXPECT_EQ(first->currentText(), "Kitchen");
    EXPECT_EQ(second->currentText(), "Receipt"); // the default printer stands in
    EXPECT_FALSE(use2->isChecked());
    EXPECT_FALSE(second->isEnabled());
    QTest::mouseClick(use2, Qt::LeftButton);
    EXPECT_TRUE(second->isEnabled());
    QTest::mouseClick(use2, Qt::LeftButton);
    EXPECT_FALSE(second->isEnabled());
    keepPicture(dialog.grab().toImage(), QStringLiteral("printer-select"));

    // Neither the stored name nor a default printer: nothing is selected.
    shop.printer1Name = QStringLiteral("Gone");
    PrinterSelectDialog none(env.settings(), shop, nullptr, {"A", "B"}, "C");
    EXPECT_EQ(child<QComboBox>(&none, "printer1Box")->currentIndex(), -1);
}

TEST_F(PrintDialogsTest, SavingStoresBothPrintersAndStaysOpen)
{
    env.settings().usePrinter2 = true;
    PrinterSelectDialog dialog(env.settings(), shop, nullptr, {"Bar", "Kitchen", "Receipt"},
                               "Receipt");
    dialog.show();
    EXPECT_TRUE(child<QComboBox>(&dialog, "printer2Box")->isEnabled());
    child<QComboBox>(&dialog, "printer1Box")->setCurrentText("Bar");
    child<QComboBox>(&dialog, "printer2Box")->setCurrentText("Kitchen");
    QTest::mouseClick(child<HoverButton>(&dialog, "saveButton"), Qt::LeftButton);

    EXPECT_EQ(shop.printer1Name, "Bar");
    EXPECT_EQ(env.settings().printer2Name, "Kitchen");
    EXPECT_TRUE(env.settings().usePrinter2);
    EXPECT_EQ(info("set4"), "Bar");
    EXPECT_EQ(options("set5"), "Kitchen");
    EXPECT_EQ(options("set6"), "1");
    ASSERT_EQ(env.prompt().messages().size(), 1);
    EXPECT_EQ(env.prompt().messages()[0].text, "打印机保存成功！");
    EXPECT_EQ(env.prompt().messages()[0].caption, "提示");
    EXPECT_EQ(env.prompt().messages()[0].icon, Prompt::Icon::Information);
    EXPECT_TRUE(dialog.isVisible());

    // Unticking printer 2 stores "0"; the close button ends the dialog.
    QTest::mouseClick(child<QCheckBox>(&dialog, "printer2Check"), Qt::LeftButton);
    QTest::mouseClick(child<HoverButton>(&dialog, "saveButton"), Qt::LeftButton);
    EXPECT_EQ(options("set6"), "0");
    EXPECT_FALSE(env.settings().usePrinter2);
    QTest::mouseClick(child<HoverButton>(&dialog, "closeButton"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(PrintDialogsTest, RawPrinterKeepsItsRollAndDrawerSwitch)
{
    // A settings file from before printers without a driver: the first save adds the table.
    db.exec(QStringLiteral("drop table \"RAW_PRINTER\""));
    const QStringList printers{"Kitchen", "热敏58", "热敏80"};
    const QStringList raw{"热敏58", "热敏80"};
    PrinterSelectDialog dialog(env.settings(), shop, nullptr, printers, "Kitchen", raw);
    dialog.show();
    QComboBox *printer1 = child<QComboBox>(&dialog, "printer1Box");
    QComboBox *paper1 = child<QComboBox>(&dialog, "paper1Box");
    QCheckBox *drawer1 = child<QCheckBox>(&dialog, "drawer1Check");
    EXPECT_EQ(drawer1->text(), "打印后打开钱箱");
    // A printer with a driver has no roll or drawer to choose.
    EXPECT_EQ(printer1->currentText(), "Kitchen");
    EXPECT_FALSE(paper1->isEnabled());
    EXPECT_FALSE(drawer1->isEnabled());

    printer1->setCurrentText("热敏58");
    EXPECT_TRUE(paper1->isEnabled());
    EXPECT_EQ(paper1->currentText(), "80毫米"); // nothing chosen yet
    paper1->setCurrentText("58毫米");
    QTest::mouseClick(drawer1, Qt::LeftButton);
    QTest::mouseClick(child<QCheckBox>(&dialog, "printer2Check"), Qt::LeftButton);
    child<QComboBox>(&dialog, "printer2Box")->setCurrentText("热敏80");
    keepPicture(dialog.grab().toImage(), QStringLiteral("printer-select-raw"));
    QTest::mouseClick(child<HoverButton>(&dialog, "saveButton"), Qt::LeftButton);
    EXPECT_EQ(env.prompt().lastText(), "打印机保存成功！");

    QStringList rows;
    auto stored = db.query(QStringLiteral("select \"printer\", \"paperDots\", \"openDrawer\" "
                                          "from \"RAW_PRINTER\" order by \"paperDots\""));
    while (stored.next())
        rows << stored.text(0) + " " + stored.text(1) + " " + stored.text(2);
    EXPECT_EQ(rows, (QStringList{"热敏58 384 1", "热敏80 576 0"}));

    // Opened again, each printer shows its own roll and switch.
    PrinterSelectDialog again(env.settings(), shop, nullptr, printers, "Kitchen", raw);
    EXPECT_EQ(child<QComboBox>(&again, "printer1Box")->currentText(), "热敏58");
    EXPECT_EQ(child<QComboBox>(&again, "paper1Box")->currentText(), "58毫米");
    EXPECT_TRUE(child<QCheckBox>(&again, "drawer1Check")->isChecked());
    EXPECT_EQ(child<QComboBox>(&again, "paper2Box")->currentText(), "80毫米");
    EXPECT_FALSE(child<QCheckBox>(&again, "drawer2Check")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(&again, "drawer2Check")->isEnabled());
}

TEST_F(PrintDialogsTest, PrintersAndRawSettingsAreStoredTogetherOrNotAtAll)
{
    // A RAW_PRINTER that cannot take the row: nothing of the save may stay.
    db.exec(QStringLiteral("drop table \"RAW_PRINTER\""));
    db.exec(QStringLiteral("create table \"RAW_PRINTER\" (\"other\" TEXT)"));
    const QString before = info("set4");
    PrinterSelectDialog dialog(env.settings(), shop, nullptr, {"Kitchen", "热敏58"}, "Kitchen",
                               {"热敏58"});
    dialog.show();
    child<QComboBox>(&dialog, "printer1Box")->setCurrentText("热敏58");
    QTest::mouseClick(child<HoverButton>(&dialog, "saveButton"), Qt::LeftButton);
    ASSERT_EQ(env.prompt().messages().size(), 1);
    EXPECT_NE(env.prompt().lastText(), "打印机保存成功！");
    EXPECT_EQ(info("set4"), before);
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from \"RAW_PRINTER\"")), "0");
}

} // namespace
