// The print-information page: the first tab of the settings window for
// administrators, what it shows on opening, the margin filter, the shop-name
// limit, the save with its statements and in-memory values, and a receipt
// drawn after saving.
#include "printing/PrintInfoPage.h"
#include "PrintInfoPageFixture.h"
#include "printing/PrintInfo.h"
#include "printing/PrintMargins.h"
#include "sales/SalesDialog.h"
#include "settings/SettingsDialog.h"
#include "settings/SettingsTabs.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

class PrintInfoPageTest : public PrintSettingsFixture
{
protected:
    void setInfo(const char *column, const QString &value)
    {
        Database db;
        ASSERT_TRUE(db.open(settings.settingsDsn));
        db.exec(QStringLiteral("update \"INFO\" set \"%1\"=?").arg(QLatin1String(column)), {value});
    }

    QLineEdit *edit(PrintInfoPage &page, const char *name) { return child<QLineEdit>(&page, name); }
    QCheckBox *check(PrintInfoPage &page, const char *name)
    {
        return child<QCheckBox>(&page, name);
    }
    void save(PrintInfoPage &page) { click(child<QPushButton>(&page, "saveButton")); }
    void retype(QLineEdit *field, const QString &text)
    {
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
    }
};

TEST_F(PrintInfoPageTest, AdministratorsGetItAsTheFirstTabOrdinaryUsersNever)
{
    SettingsDialog window(settings, handover);
    window.show();
    ASSERT_EQ(window.tabs()->count(), 3);
    EXPECT_EQ(window.tabs()->tabText(0), SettingsDialog::printInfoCaption());
    EXPECT_EQ(window.tabs()->tabText(1), SettingsDialog::productCaption());
    EXPECT_EQ(window.tabs()->tabText(2), SettingsDialog::usersCaption());
    auto *page = qobject_cast<PrintInfoPage *>(window.tabs()->widget(0));
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->isVisible());
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(QApplication::focusWidget(), edit(*page, "shopNameEdit"));
    shoot(&window, QStringLiteral("settings-window-print-info"));

    settings.userPower = AppSettings::ordinaryPower();
    SettingsDialog ordinary(settings, handover);
    EXPECT_EQ(ordinary.findChild<PrintInfoPage *>(), nullptr);
    ASSERT_EQ(ordinary.tabs()->count(), 2);
    EXPECT_EQ(ordinary.tabs()->tabText(0), SettingsDialog::productCaption());
    EXPECT_EQ(ordinary.tabs()->tabText(1), SettingsDialog::usersCaption());
}

TEST_F(PrintInfoPageTest, OpensWithTheHandedTextsTheSwitchesAndTheMarginsInMillimetres)
{
    setInfo("set5", QStringLiteral("12"));
    setInfo("set6", QStringLiteral("-8"));
    setInfo("saler", QStringLiteral("1"));
    setInfo("remark2", QStringLiteral("0"));
    setInfo("showPrice", QStringLiteral("0"));
    settings.paperLengthAdjust = 3;
    handover.remark = QStringLiteral("谢谢惠顾\n欢迎再来");

    PrintInfoPage page(settings, handover);
    page.show();
    EXPECT_EQ(edit(page, "shopNameEdit")->text(), QStringLiteral("我的小店"));
    EXPECT_EQ(child<QPlainTextEdit>(&page, "remarkEdit")->toPlainText(), handover.remark);
    EXPECT_EQ(edit(page, "marginEdit")->text(), QStringLiteral("3"));
    EXPECT_EQ(edit(page, "offsetEdit")->text(), QStringLiteral("-2"));
    EXPECT_EQ(edit(page, "paperLengthEdit")->text(), QStringLiteral("3"));
    EXPECT_TRUE(edit(page, "paperLengthEdit")->isVisible()) << "shown: useful with CUPS pages";
    EXPECT_FALSE(edit(page, "numberEdit")->isVisible());
    EXPECT_TRUE(check(page, "saveCheck")->isChecked());
    EXPECT_FALSE(check(page, "noticeCheck")->isChecked());
    EXPECT_TRUE(check(page, "secondCopyCheck")->isChecked());
    EXPECT_FALSE(check(page, "showPriceCheck")->isChecked());

    for (const char *name :
         {"shopNameHint", "remarkHint", "marginHint", "offsetHint", "paperLengthHint"}) {
        const QLabel *hint = child<QLabel>(&page, name);
        EXPECT_EQ(hint->palette().color(QPalette::WindowText), QColor(0, 0, 255)) << name;
    }
    EXPECT_EQ(child<QLabel>(&page, "shopNameHint")->text(),
              QStringLiteral("[请将店名字数控制在16字以内]"));
    QStringList buttons;
    for (const char *name :
         {"numberFormatButton", "fontButton", "templateButton", "logoButton", "printerButton"})
        buttons << child<QPushButton>(&page, name)->text();
    EXPECT_EQ(buttons, (QStringList{QStringLiteral(" 单号(&F)..."), QStringLiteral("  字体(&T)..."),
                                    QStringLiteral("选择模板(&M)"), QStringLiteral("设置logo"),
                                    QStringLiteral("选择打印机(&P)...")}));
    EXPECT_TRUE(child<QPushButton>(&page, "saveButton")->inherits("HoverButton"));
    page.resize(600, 400);
    shoot(&page, QStringLiteral("print-info-page"));
}

TEST_F(PrintInfoPageTest, EachButtonOpensItsDialog)
{
    PrintInfoPage page(settings, handover);
    page.show();
    QStringList titles;
    for (const char *name :
         {"numberFormatButton", "fontButton", "templateButton", "logoButton", "printerButton"}) {
        whenModal([&](QDialog *dialog) {
            titles << dialog->windowTitle();
            dialog->reject();
        });
        click(child<QPushButton>(&page, name));
    }
    EXPECT_EQ(titles,
              (QStringList{QStringLiteral("设置销售票号格式"), QStringLiteral("设置打印字体"),
                           QStringLiteral("选择打印模板"), QStringLiteral("设置打印图标"),
                           QStringLiteral("选择打印机设备")}));
    EXPECT_EQ(handover.receiptNumber, QStringLiteral("0000012"))
        << "a cancelled format changes nothing";
}

TEST_F(PrintInfoPageTest, ASaveTheDatabaseRefusesIsNotReportedAsSuccess)
{
    // The driver refuses the write, as it does for a file in a read-only folder.
    {
        Database db;
        ASSERT_TRUE(db.open(settings.settingsDsn));
        db.exec(QStringLiteral("create trigger \"refuse\" before update on \"INFO\" begin "
                               "select raise(abort, 'attempt to write a readonly database'); end"));
    }
    const QString before = info("shopName");
    PrintInfoPage page(settings, handover);
    page.show();
    retype(edit(page, "shopNameEdit"), QStringLiteral("New Shop"));
    save(page);

    ASSERT_EQ(env.prompt().messages().size(), 1) << env.prompt().texts().join('|').toStdString();
    const auto message = env.prompt().messages().first();
    EXPECT_FALSE(message.text.contains(QStringLiteral("成功"))) << message.text.toStdString();
    EXPECT_EQ(message.icon, Prompt::Icon::Critical);
    // What failed, which file and what to do come first; the driver's text after.
    EXPECT_TRUE(message.text.startsWith(
        QStringLiteral("数据库文件%1是只读的，刚才的更改没有保存。").arg(env.settingsFile())))
        << message.text.toStdString();
    EXPECT_TRUE(message.text.contains(QStringLiteral("attempt to write a readonly database")));
    EXPECT_EQ(info("shopName"), before);
    EXPECT_NE(page.shop().shopName, QStringLiteral("New Shop"));
    EXPECT_NE(handover.shopName, QStringLiteral("New Shop"));
}

TEST_F(PrintInfoPageTest, MarginTypedAsThreeIsStoredAsTwelveAndAnEmptyOneAsZero)
{
    {
        PrintInfoPage page(settings, handover);
        page.show();
        retype(edit(page, "marginEdit"), QStringLiteral("3"));
        edit(page, "offsetEdit")->clear();
        save(page);
        EXPECT_EQ(env.prompt().lastText(), QStringLiteral("基本信息保存成功！"));
        EXPECT_EQ(env.prompt().messages().last().caption, QStringLiteral("恭喜"));
        EXPECT_EQ(env.prompt().messages().last().icon, Prompt::Icon::Information);
        EXPECT_EQ(info("set5"), QStringLiteral("12"));
        EXPECT_EQ(info("set6"), QStringLiteral("0"));
        EXPECT_EQ(page.shop().paperMargin, 12);
        EXPECT_EQ(page.shop().printOffset, 0);
    }
    PrintInfoPage again(settings, handover);
    EXPECT_EQ(edit(again, "marginEdit")->text(), QStringLiteral("3"));
    EXPECT_EQ(edit(again, "offsetEdit")->text(), QStringLiteral("0"));
}

TEST_F(PrintInfoPageTest, MarginEditTakesOnlyDigitsAndMinus)
{
    PrintInfoPage page(settings, handover);
    page.show();
    QLineEdit *margin = edit(page, "marginEdit");
    retype(margin, QStringLiteral("a-1b2.5"));
    EXPECT_EQ(margin->text(), QStringLiteral("-125"));
    QTest::keyClick(margin, Qt::Key_Backspace);
    EXPECT_EQ(margin->text(), QStringLiteral("-12"));
    margin->clear();
    margin->insert(QStringLiteral("x7毫米"));
    EXPECT_EQ(margin->text(), QStringLiteral("7"));
}

TEST_F(PrintInfoPageTest, MarginsThatPutTheTextOffThePaperAreRefusedAndNothingIsStored)
{
    PrintInfoPage page(settings, handover);
    page.show();
    const ReceiptDrawing before = receipt(settings, page.shop());
    edit(page, "shopNameEdit")->setText(QStringLiteral("新店"));
    struct Case
    {
        const char *margin;
        const char *offset;
        const char *refusal;
    };
    // Typed keys: the edit keeps "-9999" of "abc-99999.5"; a minus inside a
    // number is no number; a margin wider than half the paper leaves no room.
    const QList<Case> cases = {{"abc-99999.5", "0", "超出纸张左边"},
                               {"0", "-500", "超出纸张左边"},
                               {"2", "500", "超出纸张右边"},
                               {"9999", "0", "打印内容太窄"},
                               {"1-2", "0", "不是整数"},
                               {"3", "--", "打印偏差“--”不是整数"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.margin);
        retype(edit(page, "marginEdit"), QString::fromUtf8(c.margin));
        retype(edit(page, "offsetEdit"), QString::fromUtf8(c.offset));
        env.prompt().clear();
        save(page);
        ASSERT_EQ(env.prompt().messages().size(), 1);
        EXPECT_TRUE(env.prompt().lastText().contains(QString::fromUtf8(c.refusal)))
            << env.prompt().lastText().toStdString();
        EXPECT_EQ(env.prompt().messages().last().caption, QStringLiteral("注意"));
        EXPECT_EQ(info("set5"), QStringLiteral("0"));
        EXPECT_EQ(info("set6"), QStringLiteral("0"));
        EXPECT_NE(info("shopName"), QStringLiteral("新店"));
        EXPECT_EQ(page.shop().paperMargin, 0);
    }
    EXPECT_EQ(edit(page, "marginEdit")->text(), QStringLiteral("3")) << "the typing stays";
    // The next receipt is the whole receipt, where it was.
    const ReceiptDrawing after = storedReceipt();
    EXPECT_EQ(after.texts.size(), before.texts.size());
    EXPECT_EQ(after.find(QStringLiteral("合计数量:12"))->box,
              before.find(QStringLiteral("合计数量:12"))->box);

    // A small margin and offset within the paper are stored as before.
    retype(edit(page, "marginEdit"), QStringLiteral("3"));
    retype(edit(page, "offsetEdit"), QStringLiteral("-2"));
    save(page);
    EXPECT_EQ(env.prompt().lastText(), QStringLiteral("基本信息保存成功！"));
    EXPECT_EQ(info("set5"), QStringLiteral("12"));
    EXPECT_EQ(info("set6"), QStringLiteral("-8"));
}

TEST(PrintMarginsTest, TheTextMayReachThePrintersUnprintableEdgesButNotBeyond)
{
    // 58 mm roll: 48 mm printable, 5 mm either side. A typed unit is 1.06 mm.
    const PrintMargins::Paper paper{48, 5, 5};
    EXPECT_EQ(PrintMargins::check("-4", "0", paper), QString()); // 4.2 mm into the edges
    EXPECT_NE(PrintMargins::check("-5", "0", paper), QString()); // 5.3 mm: off the paper
    EXPECT_EQ(PrintMargins::check("0", "4", paper), QString());
    EXPECT_TRUE(PrintMargins::check("0", "5", paper).contains(QStringLiteral("右边")));
    EXPECT_TRUE(PrintMargins::check("0", "-5", paper).contains(QStringLiteral("左边")));
    EXPECT_EQ(PrintMargins::check("11", "0", paper), QString()); // 24.7 of 48 mm left
    EXPECT_NE(PrintMargins::check("12", "0", paper), QString()); // 22.6 mm: too narrow
    EXPECT_EQ(PrintMargins::check("", "", paper), QString());
}

TEST_F(PrintInfoPageTest, ShopNameOfSixteenChineseCharactersIsStoredSeventeenAreRefused)
{
    EXPECT_EQ(PrintInfo::gbBytes(QStringLiteral("我的小店 A1")), 11);
    const QString sixteen = QStringLiteral("一二三四五六七八九十甲乙丙丁戊己");
    ASSERT_EQ(sixteen.size(), 16);

    PrintInfoPage page(settings, handover);
    page.show();
    QLineEdit *name = edit(page, "shopNameEdit");
    name->clear();
    commitText(name, sixteen);
    save(page);
    EXPECT_EQ(env.prompt().lastText(), QStringLiteral("基本信息保存成功！"));
    EXPECT_EQ(info("shopName"), sixteen);
    EXPECT_EQ(handover.shopName, sixteen);

    env.prompt().clear();
    commitText(name, QStringLiteral("庚"));
    setInfo("set5", QStringLiteral("40"));
    retype(edit(page, "marginEdit"), QStringLiteral("1"));
    save(page);
    ASSERT_EQ(env.prompt().messages().size(), 1);
    EXPECT_EQ(env.prompt().lastText(), QStringLiteral("请将店名字数控制在16字以内！"));
    EXPECT_EQ(env.prompt().messages().last().caption, QStringLiteral("注意"));
    EXPECT_EQ(env.prompt().messages().last().icon, Prompt::Icon::Warning);
    EXPECT_EQ(info("shopName"), sixteen) << "nothing is saved";
    EXPECT_EQ(info("set5"), QStringLiteral("40"));
    EXPECT_EQ(handover.shopName, sixteen);

    // ASCII letters count one byte each.
    name->setText(QString(31, QLatin1Char('A')) + QStringLiteral("店"));
    env.prompt().clear();
    save(page);
    EXPECT_EQ(env.prompt().lastText(), QStringLiteral("请将店名字数控制在16字以内！"));
    name->setText(QString(30, QLatin1Char('A')) + QStringLiteral("店"));
    save(page);
    EXPECT_EQ(env.prompt().lastText(), QStringLiteral("基本信息保存成功！"));
}

TEST_F(PrintInfoPageTest, QuotesAndLineBreaksAreStoredAsTyped)
{
    PrintInfoPage page(settings, handover);
    page.show();
    edit(page, "shopNameEdit")->setText(QStringLiteral("Tom's \"小店\""));
    auto *remark = child<QPlainTextEdit>(&page, "remarkEdit");
    remark->clear();
    commitText(remark, QStringLiteral("欢迎'再来'"));
    QTest::keyClick(remark, Qt::Key_Return);
    commitText(remark, QStringLiteral("第二行"));
    save(page);
    EXPECT_EQ(info("shopName"), QStringLiteral("Tom's \"小店\""));
    EXPECT_EQ(info("remark1"), QStringLiteral("欢迎'再来'\n第二行"));
    EXPECT_EQ(handover.remark, QStringLiteral("欢迎'再来'\n第二行"));
}

TEST_F(PrintInfoPageTest, SwitchesAndPaperLengthGoToMemoryAndDatabaseTogether)
{
    PrintInfoPage page(settings, handover);
    page.show();
    tick(check(page, "noticeCheck"));     // on -> off
    tick(check(page, "secondCopyCheck")); // off -> on
    tick(check(page, "showPriceCheck"));  // on -> off
    tick(check(page, "saveCheck"));       // on -> off
    retype(edit(page, "paperLengthEdit"), QStringLiteral("-2"));
    save(page);

    EXPECT_EQ(info("remark2"), QStringLiteral("0"));
    EXPECT_EQ(info("saler"), QStringLiteral("1"));
    EXPECT_EQ(info("showPrice"), QStringLiteral("0"));
    EXPECT_EQ(info("ifSave"), QStringLiteral("0"));
    EXPECT_EQ(optionsRow("set7"), QStringLiteral("-2"));
    EXPECT_EQ(settings.paperLengthAdjust, -2);
    EXPECT_EQ(storedSettings().paperLengthAdjust, -2);
    const ShopRow &shop = page.shop();
    EXPECT_FALSE(shop.finishedNotice);
    EXPECT_TRUE(shop.secondCopy);
    EXPECT_FALSE(shop.showPrice);
    EXPECT_FALSE(shop.saveOnPrint);
}

TEST_F(PrintInfoPageTest, OrdinaryUserCannotSwitchOffSavingSales)
{
    setInfo("ifSave", QStringLiteral("0"));
    settings.userPower = AppSettings::ordinaryPower();
    PrintInfoPage page(settings, handover);
    page.show();
    EXPECT_TRUE(check(page, "saveCheck")->isChecked());
    EXPECT_FALSE(check(page, "saveCheck")->isEnabled());
    save(page);
    EXPECT_EQ(info("ifSave"), QStringLiteral("1"));
}

TEST_F(PrintInfoPageTest, WithoutTheDatabaseNothingChangesAndNoSuccessIsClaimed)
{
    PrintInfoPage page(settings, handover);
    page.show();
    edit(page, "shopNameEdit")->setText(QStringLiteral("新店"));
    retype(edit(page, "paperLengthEdit"), QStringLiteral("5"));
    settings.settingsDsn = QStringLiteral("QmNoSuchSource");
    save(page);
    EXPECT_EQ(env.prompt().texts(), QStringList{QStringLiteral("不能打开数据库")});
    EXPECT_EQ(handover.shopName, QStringLiteral("我的小店"));
    EXPECT_EQ(settings.paperLengthAdjust, 0);
}

TEST_F(PrintInfoPageTest, SavedValuesGoBackToTheSalesWindowWhenTheSettingsWindowCloses)
{
    SalesDialog sales(settings);
    SalesWindows windows;
    windows.settings = [this](QWidget *owner, SettingsHandover &texts) {
        texts = SettingsDialog::run(settings, texts, owner);
    };
    sales.setWindows(windows);
    sales.show();
    whenModal([&](QDialog *dialog) {
        auto *page = dialog->findChild<PrintInfoPage *>();
        EXPECT_NE(page, nullptr);
        if (page) {
            edit(*page, "shopNameEdit")->setText(QStringLiteral("幸福超市"));
            child<QPlainTextEdit>(page, "remarkEdit")->setPlainText(QStringLiteral("多谢\n再会"));
            save(*page);
        }
        dialog->close();
    });
    click(child<QPushButton>(&sales, "settingsButton"));
    EXPECT_EQ(child<QLineEdit>(&sales, "shopNameEdit")->text(), QStringLiteral("幸福超市"));
    EXPECT_EQ(child<QPlainTextEdit>(&sales, "remarkEdit")->toPlainText(),
              QStringLiteral("多谢\n再会"));
}

TEST_F(PrintInfoPageTest, ReceiptAfterSavingShowsTheNewNameMarginsAndPrices)
{
    const ReceiptDrawing before = receipt(settings, storedShop());
    shoot(before, QStringLiteral("receipt-before-page-save"));
    ASSERT_NE(before.find(QStringLiteral("单价")), nullptr) << "the delivered shop prints prices";

    PrintInfoPage page(settings, handover);
    page.show();
    edit(page, "shopNameEdit")->setText(QStringLiteral("幸福超市"));
    retype(edit(page, "marginEdit"), QStringLiteral("5"));
    retype(edit(page, "offsetEdit"), QStringLiteral("-2"));
    tick(check(page, "showPriceCheck"));
    save(page);

    for (const ReceiptDrawing &after : {receipt(settings, page.shop()), storedReceipt()}) {
        ASSERT_NE(after.find(QStringLiteral("幸福超市")), nullptr);
        EXPECT_EQ(after.find(QStringLiteral("单价")), nullptr) << "no unit price any more";
        // Margin 5 and offset -2 millimetres: 20 and -8 screen pixels at 203/96.
        const double rx = 203.0 / 96;
        const QRect title = after.find(QStringLiteral("幸福超市"))->box;
        EXPECT_EQ(title.left(), int((20 - 8) * rx));
        EXPECT_EQ(title.right() + 1, after.width - int((20 + 8) * rx));
    }
    shoot(receipt(settings, page.shop()), QStringLiteral("receipt-after-page-save"));
}

} // namespace
