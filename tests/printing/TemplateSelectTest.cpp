// The template dialog: its sample is the real receipt of the template chosen,
// it changes with the selection before anything is saved, and the save sets
// memory and the options row; a receipt drawn afterwards has the new layout.
#include "PrintInfoPageFixture.h"
#include "printing/PrintInfoPage.h"
#include "printing/TemplateSample.h"
#include "printing/TemplateSelectDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

class TemplateSelectTest : public PrintSettingsFixture
{
protected:
    QComboBox *templates(QWidget *dialog) { return child<QComboBox>(dialog, "templateBox"); }
    QImage shownSample(QWidget *dialog)
    {
        return child<QLabel>(dialog, "samplePicture")->pixmap().toImage();
    }
    // "模板01#" draws two rules under the shop name, "模板02#" none.
    static bool rulesUnderTheName(const ReceiptDrawing &drawing)
    {
        const int bottom = drawing.find(QStringLiteral("我的小店"))->box.bottom();
        int rules = 0;
        for (const auto &rule : drawing.rules)
            rules += rule.y > bottom && rule.y < bottom + 30 ? 1 : 0;
        return rules == 2;
    }
};

TEST_F(TemplateSelectTest, OpensOnTheCurrentTemplateWithItsSample)
{
    settings.templateIndex = true;
    ShopRow shop = storedShop();
    TemplateSelectDialog dialog(settings, shop);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("选择打印模板"));
    ASSERT_EQ(templates(&dialog)->count(), 2);
    EXPECT_EQ(templates(&dialog)->itemText(0), QStringLiteral("模板01#"));
    EXPECT_EQ(templates(&dialog)->currentText(), QStringLiteral("模板02#"));
    EXPECT_EQ(dialog.sample(), TemplateSample::render(settings, shop, true));
    EXPECT_FALSE(shownSample(&dialog).isNull());
    shoot(&dialog, QStringLiteral("template-select-dialog-02"));
}

TEST_F(TemplateSelectTest, SampleIsTheRenderersReceiptAndFollowsTheShop)
{
    ShopRow shop = storedShop();
    shop.shopName = QStringLiteral("幸福超市");
    // The sample is what the renderer draws for the sample sale with these settings.
    const QImage one = TemplateSample::render(settings, shop, false);
    const QImage two = TemplateSample::render(settings, shop, true);
    EXPECT_NE(one, two);
    EXPECT_EQ(one.width(), int(72 / 25.4 * 203));
    shop.showPrice = false;
    EXPECT_NE(TemplateSample::render(settings, shop, false), one) << "no unit price column";
    AppSettings english = settings;
    english.labelLanguage = 1;
    EXPECT_NE(TemplateSample::render(english, shop, false),
              TemplateSample::render(settings, shop, false));
}

TEST_F(TemplateSelectTest, ChangingTheSelectionChangesTheSampleBeforeSaving)
{
    ShopRow shop = storedShop();
    TemplateSelectDialog dialog(settings, shop);
    dialog.show();
    const QImage first = shownSample(&dialog);
    templates(&dialog)->setFocus();
    QTest::keyClick(templates(&dialog), Qt::Key_Down);
    EXPECT_EQ(templates(&dialog)->currentIndex(), 1);
    EXPECT_NE(shownSample(&dialog), first);
    EXPECT_EQ(dialog.sample(), TemplateSample::render(settings, shop, true));
    EXPECT_FALSE(settings.templateIndex) << "nothing saved yet";
    EXPECT_EQ(optionsRow("set4"), QString());
    shoot(&dialog, QStringLiteral("template-select-dialog-changed"));

    click(child<QPushButton>(&dialog, "cancelButton"));
    EXPECT_FALSE(settings.templateIndex);
}

TEST_F(TemplateSelectTest, ReceiptAfterSavingHasTheNewTemplate)
{
    PrintInfoPage page(settings, handover);
    const ReceiptDrawing before = receipt(settings, page.shop());
    ASSERT_TRUE(rulesUnderTheName(before));

    whenModal([&](QDialog *dialog) {
        templates(dialog)->setCurrentIndex(1);
        click(child<QPushButton>(dialog, "saveButton"));
        EXPECT_EQ(env.prompt().lastText(), QStringLiteral("保存成功！"));
        EXPECT_EQ(env.prompt().messages().last().caption, QStringLiteral("提示"));
        EXPECT_TRUE(dialog->isVisible());
        dialog->reject();
    });
    click(child<QPushButton>(&page, "templateButton"));

    EXPECT_TRUE(settings.templateIndex);
    EXPECT_EQ(optionsRow("set4"), QStringLiteral("1"));
    for (const ReceiptDrawing &after : {receipt(settings, page.shop()), storedReceipt()}) {
        EXPECT_FALSE(rulesUnderTheName(after));
        EXPECT_NE(after.find(QStringLiteral("名称 数量")), nullptr) << "one header for both";
    }
    shoot(receipt(settings, page.shop()), QStringLiteral("receipt-after-template-save"));

    // And back: "0".
    whenModal([&](QDialog *dialog) {
        templates(dialog)->setCurrentIndex(0);
        click(child<QPushButton>(dialog, "saveButton"));
        dialog->reject();
    });
    click(child<QPushButton>(&page, "templateButton"));
    EXPECT_EQ(optionsRow("set4"), QStringLiteral("0"));
    EXPECT_TRUE(rulesUnderTheName(storedReceipt()));
}

} // namespace
