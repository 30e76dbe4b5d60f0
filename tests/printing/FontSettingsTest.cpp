// The font dialog: the faces offered, what it shows, the save with its two
// statements and the values in memory, refused sizes, a receipt drawn after
// saving, and the sales list's headers following the label language once the
// settings window closes.
#include "printing/FontSettings.h"
#include "PrintInfoPageFixture.h"
#include "controls/SortableList.h"
#include "printing/FontSettingsDialog.h"
#include "printing/PrintInfoPage.h"
#include "sales/SaleLine.h"
#include "sales/SalesDialog.h"
#include "settings/SettingsDialog.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPushButton>

namespace {

class FontSettingsTest : public PrintSettingsFixture
{
protected:
    QComboBox *box(QWidget *dialog, const char *name) { return child<QComboBox>(dialog, name); }
    QLineEdit *edit(QWidget *dialog, const char *name) { return child<QLineEdit>(dialog, name); }
    void save(QWidget *dialog) { click(child<QPushButton>(dialog, "saveButton")); }
};

TEST_F(FontSettingsTest, OffersEveryInstalledFaceAndTheMappedOnesSortedAndOnce)
{
    const QStringList faces = FontSettings::faces();
    for (const QString &family : QFontDatabase::families())
        EXPECT_TRUE(faces.contains(family)) << family.toStdString();
    EXPECT_TRUE(faces.contains(QStringLiteral("黑体"))) << "the default face is offered";
    EXPECT_TRUE(faces.contains(QStringLiteral("华文中宋")));
    for (int i = 1; i < faces.size(); ++i)
        EXPECT_LT(faces[i - 1].localeAwareCompare(faces[i]), 0)
            << faces[i - 1].toStdString() << " / " << faces[i].toStdString();

    FontSettingsDialog dialog(settings);
    EXPECT_EQ(box(&dialog, "titleFaceBox")->count(), faces.size());
    EXPECT_EQ(box(&dialog, "bodyFaceBox")->count(), faces.size());
}

TEST_F(FontSettingsTest, ShowsTheFontsSpacingAndLanguageInMemory)
{
    settings.titleFontName = QStringLiteral("WenQuanYi Micro Hei");
    settings.titleFontSize = 30;
    settings.lineSpacing = 20;
    settings.labelLanguage = 1;
    FontSettingsDialog dialog(settings);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("设置打印字体"));
    EXPECT_EQ(box(&dialog, "titleFaceBox")->currentText(), QStringLiteral("WenQuanYi Micro Hei"));
    EXPECT_EQ(edit(&dialog, "titleSizeEdit")->text(), QStringLiteral("30"));
    EXPECT_EQ(box(&dialog, "bodyFaceBox")->currentText(), QStringLiteral("华文中宋"));
    EXPECT_EQ(edit(&dialog, "bodySizeEdit")->text(), QStringLiteral("21"));
    EXPECT_EQ(edit(&dialog, "lineSpacingEdit")->text(), QStringLiteral("20"));
    QComboBox *language = box(&dialog, "languageBox");
    EXPECT_EQ(language->currentText(), QStringLiteral("英文"));
    EXPECT_EQ(language->itemText(0), QStringLiteral("中文"));
    EXPECT_FALSE(language->isEditable());
    EXPECT_TRUE(box(&dialog, "titleFaceBox")->isEditable());
    shoot(&dialog, QStringLiteral("font-settings-dialog"));
}

TEST_F(FontSettingsTest, SaveWritesTheLoginAndOptionsRowsAndMemoryAndStaysOpen)
{
    FontSettingsDialog dialog(settings);
    dialog.show();
    box(&dialog, "titleFaceBox")->setCurrentText(QStringLiteral("DejaVu Sans"));
    QLineEdit *size = edit(&dialog, "titleSizeEdit");
    size->selectAll();
    QTest::keyClicks(size, QStringLiteral("3x0"));
    EXPECT_EQ(size->text(), QStringLiteral("30")) << "sizes take digits only";
    box(&dialog, "bodyFaceBox")->setCurrentText(QStringLiteral("宋体"));
    edit(&dialog, "bodySizeEdit")->setText(QStringLiteral("18"));
    edit(&dialog, "lineSpacingEdit")->setText(QStringLiteral("24"));
    box(&dialog, "languageBox")->setCurrentIndex(1);
    save(&dialog);

    EXPECT_EQ(env.prompt().lastText(), QStringLiteral("保存成功！"));
    EXPECT_EQ(env.prompt().messages().last().caption, QStringLiteral("恭喜"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(loginRow("set6"), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(loginRow("set7"), QStringLiteral("30"));
    EXPECT_EQ(loginRow("set8"), QStringLiteral("宋体"));
    EXPECT_EQ(loginRow("set9"), QStringLiteral("18"));
    EXPECT_EQ(loginRow("set10"), QStringLiteral("24"));
    EXPECT_EQ(optionsRow("set1"), QStringLiteral("1"));
    EXPECT_EQ(settings.titleFontName, QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(settings.titleFontSize, 30);
    EXPECT_EQ(settings.bodyFontName, QStringLiteral("宋体"));
    EXPECT_EQ(settings.bodyFontSize, 18);
    EXPECT_EQ(settings.lineSpacing, 24);
    EXPECT_EQ(settings.labelLanguage, 1);
}

TEST_F(FontSettingsTest, SizeOrSpacingThatIsNoPositiveNumberIsRefused)
{
    FontSettingsDialog dialog(settings);
    dialog.show();
    edit(&dialog, "lineSpacingEdit")->setText(QStringLiteral("0"));
    save(&dialog);
    EXPECT_EQ(env.prompt().lastText(), QStringLiteral("字号和行间距必须是大于0的整数！"));
    EXPECT_EQ(env.prompt().messages().last().caption, QStringLiteral("注意"));
    EXPECT_EQ(loginRow("set10"), QStringLiteral("17"));
    EXPECT_EQ(settings.lineSpacing, 17);

    edit(&dialog, "lineSpacingEdit")->setText(QStringLiteral("17"));
    edit(&dialog, "bodySizeEdit")->clear();
    save(&dialog);
    EXPECT_EQ(env.prompt().lastText(), QStringLiteral("字号和行间距必须是大于0的整数！"));
    edit(&dialog, "bodySizeEdit")->setText(QStringLiteral("21"));
    box(&dialog, "titleFaceBox")->setCurrentText(QString());
    save(&dialog);
    EXPECT_EQ(env.prompt().lastText(), QStringLiteral("请选择店名字体和正文字体！"));
    EXPECT_EQ(loginRow("set6"), QStringLiteral("黑体"));
}

TEST_F(FontSettingsTest, ReceiptAfterSavingUsesTheNewFontsSpacingAndLanguage)
{
    const ReceiptDrawing before = receipt(settings, storedShop());
    shoot(before, QStringLiteral("receipt-before-font-save"));
    ASSERT_NE(before.find(QStringLiteral("单号:0000012")), nullptr);

    FontSettingsDialog dialog(settings);
    dialog.show();
    edit(&dialog, "titleSizeEdit")->setText(QStringLiteral("32"));
    edit(&dialog, "bodySizeEdit")->setText(QStringLiteral("16"));
    edit(&dialog, "lineSpacingEdit")->setText(QStringLiteral("22"));
    box(&dialog, "languageBox")->setCurrentIndex(1);
    save(&dialog);

    for (const ReceiptDrawing &after : {receipt(settings, storedShop()), storedReceipt()}) {
        EXPECT_NE(after.find(QStringLiteral("Receipt No.0000012")), nullptr);
        EXPECT_EQ(after.find(QStringLiteral("单号:0000012")), nullptr);
        EXPECT_GT(after.titleFont.cellHeight(), before.titleFont.cellHeight());
        EXPECT_LT(after.bodyFont.cellHeight(), before.bodyFont.cellHeight());
        // Line spacing 22 at 203/96: the time follows the phone by one line.
        const int phone = after.find(QStringLiteral("phone:13800138000"))->box.top();
        const int time = after.find(QStringLiteral("Time: 2024-03-07 09:05:03"))->box.top();
        EXPECT_EQ(time - phone, int(22 * 203.0 / 96));
    }
    shoot(receipt(settings, storedShop()), QStringLiteral("receipt-after-font-save"));
}

TEST_F(FontSettingsTest, SalesListHeadersFollowTheLanguageWhenTheSettingsWindowCloses)
{
    SalesDialog sales(settings);
    SalesWindows windows;
    windows.settings = [this](QWidget *owner, SettingsHandover &texts) {
        texts = SettingsDialog::run(settings, texts, owner);
    };
    sales.setWindows(windows);
    sales.show();
    auto *list = child<SortableList>(&sales, "saleList");
    ASSERT_EQ(list->columnTitle(SaleLine::Name), QStringLiteral("名称"));

    whenModal([&](QDialog *window) {
        auto *page = window->findChild<PrintInfoPage *>();
        EXPECT_NE(page, nullptr);
        if (!page) {
            window->close();
            return;
        }
        whenModal([&](QDialog *fonts) {
            box(fonts, "languageBox")->setCurrentIndex(1);
            save(fonts);
            // Still Chinese while the settings window is open.
            EXPECT_EQ(list->columnTitle(SaleLine::Name), QStringLiteral("名称"));
            fonts->reject();
            window->close();
        });
        click(child<QPushButton>(page, "fontButton"));
    });
    click(child<QPushButton>(&sales, "settingsButton"));

    EXPECT_EQ(settings.labelLanguage, 1);
    EXPECT_EQ(list->columnTitle(SaleLine::Name), QStringLiteral("Items"));
    EXPECT_EQ(list->columnTitle(SaleLine::Amount), QStringLiteral("Sub Total"));
    EXPECT_EQ(list->columnTitle(SaleLine::Discounted), QStringLiteral("Discount"));
}

} // namespace
