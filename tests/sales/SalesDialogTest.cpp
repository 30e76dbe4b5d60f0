// The sales window driven as a cashier drives it: typing, Enter, clicks on
// rows and buttons, the wheel, keys; on fresh delivered databases.
#include "sales/SalesDialog.h"
#include "app/SettingsLoader.h"
#include "controls/SortableList.h"
#include "core/AppSettings.h"
#include "core/Clock.h"
#include "data/Database.h"
#include "printing/PrepareReceiptData.h"
#include "printing/ReceiptRenderer.h"
#include "printing/ReceiptStyle.h"
#include "sales/SaleEntry.h"
#include "sales/SaleStore.h"
#include "support/Gui.h"
#include "support/SaleFinishing.h"
#include "support/SalesWindowFixture.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class SalesWindow : public SalesWindowFixture
{
protected:
    // Without the program's other windows unless a case gives them.
    SalesDialog &open(SalesWindows windows = {}) { return SalesWindowFixture::open(windows); }

    SortableList *list() { return m_dialog->saleList(); }

    QStringList row(int index)
    {
        QStringList texts;
        for (int c = 0; c < 7; ++c)
            texts << list()->text(index, c);
        return texts;
    }

    // A turn of the wheel as the application delivers it: a control under the
    // mouse that takes the focus by the wheel gets it first.
    void wheel(QWidget *over, int notches)
    {
        for (QWidget *widget = over; widget && !widget->isWindow();
             widget = widget->parentWidget()) {
            if (widget->isEnabled() && (widget->focusPolicy() & Qt::WheelFocus) == Qt::WheelFocus) {
                widget->setFocus(Qt::MouseFocusReason);
                break;
            }
        }
        const QPointF at = QPointF(over->rect().center());
        QWheelEvent event(at, over->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &event);
    }
};

TEST_F(SalesWindow, OpensWithTheShopTheNumberAndTheCashier)
{
    open();
    EXPECT_EQ(m_dialog->windowTitle(), s("QuillmarchV3.5.1 —— 收银员：admin（管理员）"));
    EXPECT_EQ(edit("shopNameEdit")->text(), s("我的小店"));
    EXPECT_TRUE(edit("shopNameEdit")->isReadOnly());
    EXPECT_EQ(edit("numberEdit")->text(), s("0000000"));
    EXPECT_FALSE(edit("numberEdit")->isReadOnly());
    EXPECT_EQ(box("cashierBox")->currentText(), s("admin"));
    EXPECT_TRUE(box("cashierBox")->isEnabled());
    EXPECT_EQ(w<QPlainTextEdit>("remarkEdit")->toPlainText(), s("谢谢惠顾，欢迎再次光临！"));
    EXPECT_EQ(edit("quantityEdit")->text(), s("1"));
    EXPECT_EQ(box("discountBox")->currentText(), s("10"));
    EXPECT_EQ(box("discountBox")->count(), 71);
    EXPECT_EQ(box("discountBox")->itemText(1), s("9.9"));
    EXPECT_EQ(box("discountBox")->itemText(11), s("8.9"));
    EXPECT_EQ(box("discountBox")->itemText(65), s("3.5"));
    EXPECT_EQ(box("discountBox")->itemText(66), s("3.0"));
    EXPECT_EQ(box("discountBox")->itemText(70), s("1.0"));
    EXPECT_FALSE(box("discountBox")->isEnabled());
    EXPECT_EQ(box("cashBox")->itemText(4), s("150"));
    // The payment table holds only its empty seed row: it offers "现金".
    EXPECT_EQ(box("paymentBox")->count(), 1);
    EXPECT_EQ(box("paymentBox")->itemText(0), s("现金"));
    EXPECT_EQ(w<QLabel>("summaryLabel")->text(), s(" 总量:0  总额:0.00"));
    EXPECT_EQ(list()->columnTitle(6), s("折后"));
    EXPECT_TRUE(list()->isColumnHidden(5));
    EXPECT_EQ(QApplication::focusWidget(), box("productBox"));
    EXPECT_TRUE(m_env.prompt().messages().isEmpty());
}

TEST_F(SalesWindow, AnOrdinaryUserCannotChangeTheNumberTheCashierOrSaveOnly)
{
    login(s("小王"), s("普通用户"));
    open();
    EXPECT_EQ(m_dialog->windowTitle(), s("QuillmarchV3.5.1 —— 收银员：小王（普通用户）"));
    EXPECT_TRUE(edit("numberEdit")->isReadOnly());
    EXPECT_FALSE(box("cashierBox")->isEnabled());
    EXPECT_FALSE(w<QPushButton>("saveOnlyButton")->isEnabled());
    EXPECT_EQ(box("cashierBox")->currentText(), s("小王"));
}

TEST_F(SalesWindow, EnglishLabelsNameTheColumnsInEnglish)
{
    m_env.settings().labelLanguage = 1;
    open();
    EXPECT_EQ(list()->columnTitle(2), s("No."));
    EXPECT_EQ(list()->columnTitle(4), s("Sub Total"));
    EXPECT_EQ(list()->columnTitle(5), s("序号加商品名"));
}

TEST_F(SalesWindow, TypingALineAndPressingEnterAddsIt)
{
    open();
    w<QCheckBox>("discountCheck")->click();
    type(box("productBox"), s("可乐"));
    retype(edit("quantityEdit"), s("2"));
    retype(edit("priceEdit"), s("10"));
    EXPECT_EQ(edit("amountEdit")->text(), s("20.00"));
    retype(box("discountBox"), s("9.5"));
    EXPECT_EQ(edit("discountedEdit")->text(), s("19.00"));
    QTest::keyClick(box("discountBox"), Qt::Key_Return);

    ASSERT_EQ(list()->rowCount(), 1);
    EXPECT_EQ(row(0), (QStringList{s("1"), s("可乐"), s("2"), s("10.00"), s("20.00"), s("可乐"),
                                   s("19.00")}));
    EXPECT_EQ(list()->selectedRows(), QList<int>{0});
    EXPECT_EQ(w<QLabel>("summaryLabel")->text(), s(" 总量:2  总额:20.00  折后:19.00"));
    EXPECT_EQ(box("cashBox")->currentText(), s("19.00"));
    EXPECT_EQ(edit("changeEdit")->text(), s("0.00"));
    // Ready for the next line, with the name box focused.
    EXPECT_EQ(box("productBox")->currentText(), QString());
    EXPECT_EQ(edit("quantityEdit")->text(), s("1"));
    EXPECT_EQ(edit("priceEdit")->text(), QString());
    EXPECT_EQ(edit("amountEdit")->text(), s("0.00"));
    EXPECT_EQ(QApplication::focusWidget(), box("productBox"));
    // The administrator's product was remembered with its price.
    EXPECT_EQ(box("productBox")->findText(s("可乐")), 0);
    EXPECT_EQ(settingsValue(
                  QStringLiteral("select \"price\" from \"PRODUCT_NAME\" where \"items\"='可乐'")),
              s("10"));

    // Cash typed against the total shows the change.
    retype(box("cashBox"), s("100"));
    EXPECT_EQ(edit("changeEdit")->text(), s("81.00"));
    retype(box("cashBox"), s("10"));
    EXPECT_EQ(edit("changeEdit")->text(), s("-9.00"));

    // A cash out of range is said once; the change stays empty until it is mended.
    retype(box("cashBox"), s("1e309"));
    EXPECT_EQ(m_env.prompt().texts(), QStringList{SaleEntry::cashOutOfRangeMessage()});
    EXPECT_EQ(edit("changeEdit")->text(), QString());
    EXPECT_EQ(box("cashBox")->currentText(), s("1e309"));
    type(box("cashBox"), s("9"));
    EXPECT_EQ(m_env.prompt().messages().size(), 1);
    retype(box("cashBox"), s("20"));
    EXPECT_EQ(edit("changeEdit")->text(), s("1.00"));
    EXPECT_EQ(list()->rowCount(), 1);
}

TEST_F(SalesWindow, EnterInTheNameBoxAddsAndEmptyFieldsAreRefused)
{
    open();
    QTest::keyClick(box("productBox"), Qt::Key_Return);
    EXPECT_EQ(m_env.prompt().lastText(), s("名称不能为空！"));
    EXPECT_EQ(QApplication::focusWidget(), box("productBox"));

    type(box("productBox"), s("茶叶"));
    retype(edit("quantityEdit"), s("0"));
    QTest::keyClick(edit("quantityEdit"), Qt::Key_Return);
    EXPECT_EQ(m_env.prompt().lastText(), s("数量不能为零！"));
    EXPECT_EQ(QApplication::focusWidget(), edit("quantityEdit"));
    EXPECT_EQ(list()->rowCount(), 0);

    retype(edit("quantityEdit"), s("3"));
    box("productBox")->setFocus();
    QTest::keyClick(box("productBox"), Qt::Key_Return);
    ASSERT_EQ(list()->rowCount(), 1);
    EXPECT_EQ(list()->text(0, 3), s("0.00"));

    // Changing the line to no quantity is refused as adding it is; the sale keeps its line.
    clickRow(list(), 0);
    for (const QString &quantity : {QString(), s("0")}) {
        retype(edit("quantityEdit"), quantity);
        w<QPushButton>("modifyButton")->click();
        EXPECT_EQ(m_env.prompt().lastText(), s("数量不能为零！")) << quantity.toStdString();
        EXPECT_EQ(QApplication::focusWidget(), edit("quantityEdit"));
        EXPECT_EQ(list()->text(0, 2), s("3"));
    }
    w<QPushButton>("saveOnlyButton")->click();
    EXPECT_EQ(recordsValue(QStringLiteral("select \"num\" from \"POS_RECORD_DETAIL\"")), s("3"));
    EXPECT_EQ(recordsValue(QStringLiteral("select \"number\" from \"POS_RECORD\"")), s("3"));
}

TEST_F(SalesWindow, AnAmountTypedAtAKnownPriceSellsByValue)
{
    open();
    type(box("productBox"), s("猪肉"));
    retype(edit("priceEdit"), s("3"));
    retype(edit("amountEdit"), s("10"));
    EXPECT_EQ(edit("quantityEdit")->text(), s("3.33"));
    QTest::keyClick(edit("amountEdit"), Qt::Key_Return);
    EXPECT_EQ(list()->text(0, 2), s("3.33"));
    EXPECT_EQ(list()->text(0, 4), s("10.00"));
}

TEST_F(SalesWindow, ChoosingARememberedProductFillsItsPrice)
{
    {
        Database db;
        ASSERT_TRUE(db.open(m_env.settings().settingsDsn));
        db.exec(QStringLiteral("insert into \"PRODUCT_NAME\" (\"items\",\"price\") values (?,?)"),
                {s("A01-牛奶"), s("6.50")});
        db.exec(QStringLiteral("insert into \"PRODUCT_NAME\" (\"items\",\"price\") values (?,?)"),
                {s("B02-面包"), s("4")});
    }
    open();
    ASSERT_EQ(box("productBox")->count(), 2);
    retype(edit("quantityEdit"), s("2"));
    box("productBox")->setFocus();
    // Chosen from the list with the keyboard, as from the drop-down.
    box("productBox")->setCurrentIndex(1);
    emit box("productBox")->textActivated(box("productBox")->itemText(1));
    EXPECT_EQ(edit("priceEdit")->text(), s("4"));
    EXPECT_EQ(edit("amountEdit")->text(), s("8.00"));

    // Typing a known name finds its price too; an unknown one does not keep
    // the price of the product its first letters completed to.
    retype(box("productBox"), s("A01-牛奶"));
    EXPECT_EQ(edit("priceEdit")->text(), s("6.50"));
    EXPECT_EQ(edit("amountEdit")->text(), s("13.00"));
    retype(box("productBox"), s("A01-牛奶粉"));
    EXPECT_EQ(box("productBox")->currentText(), s("A01-牛奶粉"));
    EXPECT_EQ(edit("priceEdit")->text(), QString());
}

TEST_F(SalesWindow, ClickingRowsLoadsThemAndModifyAndDeleteFollowTheSelection)
{
    open();
    enterLine("甲", "1", "1");
    enterLine("乙", "2", "2");
    enterLine("丙", "3", "3");
    EXPECT_FALSE(w<QPushButton>("modifyButton")->isEnabled());

    clickRow(list(), 1);
    EXPECT_EQ(box("productBox")->currentText(), s("乙"));
    EXPECT_EQ(edit("quantityEdit")->text(), s("2"));
    EXPECT_EQ(edit("priceEdit")->text(), s("2.00"));
    EXPECT_TRUE(w<QPushButton>("modifyButton")->isEnabled());
    EXPECT_TRUE(w<QPushButton>("deleteButton")->isEnabled());

    retype(edit("quantityEdit"), s("5"));
    w<QPushButton>("modifyButton")->click();
    EXPECT_EQ(row(1),
              (QStringList{s("2"), s("乙"), s("5"), s("2.00"), s("10.00"), s("乙"), s("10.00")}));
    EXPECT_EQ(w<QLabel>("summaryLabel")->text(), s(" 总量:9  总额:20.00"));

    // Two rows: modify is off, delete removes both.
    clickRow(list(), 0);
    clickRow(list(), 2, Qt::ControlModifier);
    EXPECT_FALSE(w<QPushButton>("modifyButton")->isEnabled());
    EXPECT_TRUE(w<QPushButton>("deleteButton")->isEnabled());
    EXPECT_EQ(box("productBox")->currentText(), QString());
    QTest::keyClick(list(), Qt::Key_Delete);
    ASSERT_EQ(list()->rowCount(), 1);
    EXPECT_EQ(row(0).mid(0, 2), (QStringList{s("1"), s("乙")}));
    EXPECT_FALSE(w<QPushButton>("deleteButton")->isEnabled());
    EXPECT_EQ(w<QLabel>("summaryLabel")->text(), s(" 总量:5  总额:10.00"));
}

TEST_F(SalesWindow, DeletingTheLastRowSelectsTheRowBefore)
{
    open();
    enterLine("甲", "1", "1");
    enterLine("乙", "2", "2");
    enterLine("丙", "3", "3");
    clickRow(list(), 2);
    w<QPushButton>("deleteButton")->click();
    EXPECT_EQ(list()->rowCount(), 2);
    EXPECT_EQ(list()->selectedRows(), QList<int>{1});
    EXPECT_EQ(box("productBox")->currentText(), s("乙"));
    EXPECT_EQ(QApplication::focusWidget(), box("productBox"));

    clickRow(list(), 0);
    w<QPushButton>("deleteButton")->click();
    clickRow(list(), 0);
    w<QPushButton>("deleteButton")->click();
    EXPECT_EQ(list()->rowCount(), 0);
    EXPECT_EQ(box("productBox")->currentText(), QString());
    EXPECT_EQ(edit("quantityEdit")->text(), s("1"));
    EXPECT_FALSE(w<QPushButton>("deleteButton")->isEnabled());
}

TEST_F(SalesWindow, SortingByAHeaderKeepsRowsAndNumbersTogether)
{
    open();
    enterLine("甲", "1", "30");
    enterLine("乙", "1", "5");
    enterLine("丙", "1", "12.5");
    list()->sortByClick(4); // "金额", ascending
    EXPECT_EQ(list()->text(0, 1), s("乙"));
    EXPECT_EQ(list()->text(0, 0), s("2"));
    EXPECT_EQ(list()->text(2, 1), s("甲"));

    // The sale follows the order shown: deleting renumbers in it, saving stores in it.
    clickRow(list(), 0);
    w<QPushButton>("deleteButton")->click();
    EXPECT_EQ(row(0).mid(0, 2), (QStringList{s("1"), s("丙")}));
    EXPECT_EQ(row(1).mid(0, 2), (QStringList{s("2"), s("甲")}));
    m_dialog->saveOnly();
    EXPECT_EQ(recordsValue(QStringLiteral("select group_concat(\"name\") from "
                                          "\"POS_RECORD_DETAIL\"")),
              s("丙,甲"));
}

TEST_F(SalesWindow, TheWheelStepsTheFocusedNumber)
{
    open();
    QLineEdit *quantity = edit("quantityEdit");
    QLineEdit *price = edit("priceEdit");
    quantity->setFocus();
    wheel(quantity, -1);
    EXPECT_EQ(quantity->text(), s("1"));
    retype(quantity, s("1.5"));
    wheel(quantity, -1);
    EXPECT_EQ(quantity->text(), s("0.5"));
    wheel(quantity, 2);
    EXPECT_EQ(quantity->text(), s("2.5"));

    price->setFocus();
    wheel(price, 1);
    EXPECT_EQ(price->text(), s("1.00"));
    EXPECT_EQ(edit("amountEdit")->text(), s("2.50"));
    retype(price, s("0.50"));
    wheel(price, -1);
    EXPECT_EQ(price->text(), s("0.50"));

    // Turned over another control, the wheel leaves the numbers alone.
    box("productBox")->setFocus();
    wheel(w("saleList"), 3);
    EXPECT_EQ(quantity->text(), s("2.5"));
}

TEST_F(SalesWindow, TheWheelNeverChangesABoxWithoutTheFocus)
{
    {
        Database db;
        ASSERT_TRUE(db.open(m_env.settings().settingsDsn));
        db.exec(QStringLiteral("insert into \"PRODUCT_NAME\" (\"items\",\"price\") values (?,?)"),
                {s("A01-牛奶"), s("6.50")});
        db.exec(QStringLiteral("insert into \"USER\" (\"name\",\"power\") values (?,?)"),
                {s("小李"), s("普通用户")});
        db.exec(QStringLiteral("insert into \"AUTO_NUM\" (\"standby1\") values (?)"), {s("微信")});
    }
    open();
    w<QCheckBox>("paymentCheck")->click();
    retype(box("paymentBox"), s("微信"));

    // The quantity keeps the turn with the mouse resting on the name or cashier box.
    QLineEdit *quantity = edit("quantityEdit");
    retype(quantity, s("2"));
    wheel(box("productBox"), 1);
    EXPECT_EQ(quantity->text(), s("3"));
    EXPECT_EQ(box("productBox")->currentText(), QString());
    EXPECT_EQ(edit("priceEdit")->text(), s("0.00")); // an empty price shows zero on a turn
    wheel(box("cashierBox"), -1);
    EXPECT_EQ(quantity->text(), s("2"));
    EXPECT_EQ(box("cashierBox")->currentText(), s("admin"));
    EXPECT_EQ(QApplication::focusWidget(), quantity);

    // Elsewhere, the boxes under the mouse stay as they are.
    box("productBox")->setFocus();
    for (const char *name : {"cashierBox", "paymentBox", "cashBox", "customerBox"})
        wheel(box(name), -2);
    EXPECT_EQ(box("cashierBox")->currentText(), s("admin"));
    EXPECT_EQ(box("paymentBox")->currentText(), s("微信"));
    EXPECT_EQ(box("cashBox")->currentText(), s("0.00"));
    EXPECT_EQ(box("productBox")->currentText(), QString());

    // The sale time being edited takes the turn wherever the mouse is.
    w<QCheckBox>("editTimeCheck")->click();
    QDateTimeEdit *time = w<QDateTimeEdit>("timeEdit");
    time->setFocus();
    time->setCurrentSection(QDateTimeEdit::MinuteSection);
    wheel(list(), 2);
    EXPECT_EQ(time->dateTime(), QDateTime(QDate(2024, 3, 7), QTime(9, 7, 3)));
    EXPECT_EQ(quantity->text(), s("2"));
    // Without the focus it is left alone.
    box("productBox")->setFocus();
    wheel(time, 1);
    EXPECT_EQ(time->dateTime(), QDateTime(QDate(2024, 3, 7), QTime(9, 7, 3)));
}

TEST_F(SalesWindow, NumberFieldsTakeOnlyDigitsSignAndPoint)
{
    open();
    QLineEdit *quantity = edit("quantityEdit");
    retype(quantity, s("1a2-.x5"));
    EXPECT_EQ(quantity->text(), s("12-.5"));
    retype(edit("priceEdit"), s("3元"));
    EXPECT_EQ(edit("priceEdit")->text(), QString()); // the committed "3元" is not all digits
    w<QCheckBox>("discountCheck")->click();
    retype(box("discountBox"), s("7.5z"));
    EXPECT_EQ(box("discountBox")->currentText(), s("7.5"));
    // The amount is not filtered.
    retype(edit("amountEdit"), s("12abc"));
    EXPECT_EQ(edit("amountEdit")->text(), s("12abc"));
}

TEST_F(SalesWindow, KeypadStarMovesOnAndKeypadPlusPrints)
{
    KeptReceipts printed;
    SalesWindows windows;
    windows.receiptOutput = keptIn(printed);
    open(windows);
    type(box("productBox"), s("甲"));
    QLineEdit *quantity = edit("quantityEdit");
    retype(quantity, s("2"));
    QTest::keyClick(quantity, Qt::Key_Asterisk, Qt::KeypadModifier);
    EXPECT_EQ(QApplication::focusWidget(), edit("priceEdit"));
    EXPECT_EQ(quantity->text(), s("2"));
    retype(edit("priceEdit"), s("3"));
    QTest::keyClick(edit("priceEdit"), Qt::Key_Return);

    QTest::keyClick(edit("priceEdit"), Qt::Key_Plus, Qt::KeypadModifier);
    ASSERT_EQ(printed.receipts.size(), 1);
    EXPECT_EQ(printed.receipts[0].lines.size(), 1);
    EXPECT_EQ(edit("priceEdit")->text(), QString()); // no "+" typed
    enterLine("乙", "1", "1");
    QTest::keyClick(box("productBox"), Qt::Key_F5);
    EXPECT_EQ(printed.receipts.size(), 2);
    enterLine("丙", "1", "1");
    w<QPushButton>("printButton")->click();
    EXPECT_EQ(printed.receipts.size(), 3);
    // Nothing to print: said, and nothing reaches the printer.
    QTest::keyClick(box("productBox"), Qt::Key_F5);
    EXPECT_EQ(printed.receipts.size(), 3);
    EXPECT_EQ(m_env.prompt().lastText(), FinishSale::emptySaleMessage());
}

// Tab goes from the entry row through the list, cash and remark to the
// header, then to the buttons; switched-off fields are passed over.
TEST_F(SalesWindow, TabWalksTheEntryRowTheListTheCashTheHeaderThenTheButtons)
{
    open();
    const QStringList expected{
        "productBox",     "quantityEdit",  "priceEdit",      "amountEdit",
        "discountCheck",  "addButton",     "saleList",       "cashCheck",
        "cashBox",        "changeEdit",    "remarkEdit",     "shopNameEdit",
        "numberEdit",     "editTimeCheck", "customerCheck",  "customersButton",
        "phoneCheck",     "cashierBox",    "paymentCheck",   "paymentMethodsButton",
        "saveOnlyButton", "printButton",   "previewButton",  "queryButton",
        "settingsButton", "aboutButton",   "calculatorIcon", "productBox"};
    // The named control the focus is in (a box's or the time's own line edit has it).
    const auto focused = [&] {
        for (QWidget *widget = QApplication::focusWidget(); widget; widget = widget->parentWidget())
            if (expected.contains(widget->objectName()))
                return widget->objectName();
        return QString();
    };
    QStringList walked{focused()};
    while (walked.size() < expected.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << focused();
    }
    EXPECT_EQ(walked, expected);
}

TEST_F(SalesWindow, ThePrintPathFinishesTheSaleThroughTheWindow)
{
    KeptReceipts printed;
    SalesWindows windows;
    windows.receiptOutput = keptIn(printed);
    open(windows);
    m_dialog->printSettings().saveOnPrint = true;
    enterLine("甲", "2", "3");
    retype(w("remarkEdit"), s("只此一次"));
    QTest::keyClick(box("productBox"), Qt::Key_F5);
    ASSERT_EQ(printed.receipts.size(), 1);
    EXPECT_EQ(printed.receipts[0].remark, s("只此一次"));
    EXPECT_EQ(printed.receipts[0].receiptNumber, s("0000000"));
    EXPECT_EQ(recordsValue(QStringLiteral("select \"standby1\" from \"POS_RECORD\"")),
              s("只此一次"));
    EXPECT_EQ(w<QPlainTextEdit>("remarkEdit")->toPlainText(), s("谢谢惠顾，欢迎再次光临！"));
    EXPECT_EQ(edit("numberEdit")->text(), s("0000001"));
    EXPECT_EQ(list()->rowCount(), 0);
    EXPECT_EQ(box("cashBox")->currentText(), s("0.00"));
    EXPECT_EQ(QApplication::focusWidget(), box("productBox"));
}

// A cashier gives one line a discount and switches the discount off for the
// rest: the sale still costs, stores and prints its discounted total.
TEST_F(SalesWindow, ADiscountSwitchedOffAfterADiscountedLineStaysOnTheSummaryAndThePaper)
{
    KeptReceipts printed;
    SalesWindows windows;
    windows.receiptOutput = keptIn(printed);
    open(windows);
    m_dialog->printSettings().saveOnPrint = true;
    w<QCheckBox>("discountCheck")->click();
    type(box("productBox"), s("面包"));
    retype(edit("priceEdit"), s("12.50"));
    retype(box("discountBox"), s("8.0"));
    QTest::keyClick(box("discountBox"), Qt::Key_Return);
    w<QCheckBox>("discountCheck")->click();
    enterLine("牛奶", "1", "4");
    EXPECT_EQ(row(1).last(), s("4.00"));
    EXPECT_EQ(w<QLabel>("summaryLabel")->text(), s(" 总量:2  总额:16.50  折后:14.00"));
    EXPECT_EQ(box("cashBox")->currentText(), s("14.00"));

    QTest::keyClick(box("productBox"), Qt::Key_F5);
    ASSERT_EQ(printed.receipts.size(), 1);
    EXPECT_EQ(recordsValue(QStringLiteral("select \"money\" from \"POS_RECORD\"")), s("14"));
    const SaleSnapshot &sale = printed.receipts[0];
    const ReceiptDrawing paper = ReceiptRenderer::layout(
        prepareReceiptData(sale, 0, true),
        ReceiptStyle::from(m_env.settings(), m_dialog->printSettings(), sale.switches),
        576.0 / 203);
    QStringList texts;
    for (const ReceiptDrawing::Text &text : paper.texts)
        texts << text.text;
    EXPECT_TRUE(texts.contains(s("总额:16.50"))) << texts.join(u'|').toStdString();
    EXPECT_TRUE(texts.contains(s("折后总额:14.00"))) << texts.join(u'|').toStdString();
    EXPECT_TRUE(texts.contains(s("10.00"))) << texts.join(u'|').toStdString();

    // Without a discounted line the switched-off sale shows no discounted total.
    enterLine("牛奶", "1", "4");
    EXPECT_EQ(w<QLabel>("summaryLabel")->text(), s(" 总量:1  总额:4.00"));
}

TEST_F(SalesWindow, TheClockRunsUntilTheTimeIsMadeEditable)
{
    open();
    QDateTimeEdit *time = w<QDateTimeEdit>("timeEdit");
    EXPECT_FALSE(time->isEnabled());
    EXPECT_EQ(time->dateTime(), QDateTime(QDate(2024, 3, 7), QTime(9, 5, 3)));
    Clock::setFixed(QDateTime(QDate(2024, 3, 7), QTime(9, 5, 4)));
    EXPECT_TRUE(waitFor([&] { return time->dateTime().time() == QTime(9, 5, 4); }, 2000));

    w<QCheckBox>("editTimeCheck")->click();
    EXPECT_TRUE(time->isEnabled());
    time->setDateTime(QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58)));
    Clock::setFixed(QDateTime(QDate(2024, 3, 7), QTime(9, 6, 0)));
    // A tick of the half-second clock passes: the typed time stays.
    QSignalSpy tick(w<QTimer>("clock"), &QTimer::timeout);
    EXPECT_TRUE(tick.wait(2000));
    EXPECT_EQ(time->dateTime(), QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58)));

    enterLine("甲", "1", "1");
    w<QPushButton>("saveOnlyButton")->click();
    EXPECT_EQ(recordsValue(QStringLiteral("select \"date\" from \"POS_RECORD\"")),
              s("2024-02-29 23:59:58"));
}

TEST_F(SalesWindow, CustomerAndPhoneFindEachOther)
{
    {
        Database db;
        ASSERT_TRUE(db.open(m_env.settings().settingsDsn));
        db.exec(QStringLiteral("insert into \"SALER\" (\"items\",\"standby\") values (?,?)"),
                {s("张三"), s("13800001111")});
    }
    open();
    EXPECT_FALSE(box("customerBox")->isEnabled());
    w<QCheckBox>("customerCheck")->click();
    w<QCheckBox>("phoneCheck")->click();
    EXPECT_TRUE(box("customerBox")->isEnabled());
    EXPECT_EQ(settingsValue(QStringLiteral("select \"set9\" from \"INFO\"")), s("1"));
    EXPECT_EQ(
        settingsValue(QStringLiteral("select \"set2\" from \"USER_SET\" where \"directLogin\"=6")),
        s("1"));

    type(box("phoneBox"), s("13800001111"));
    EXPECT_EQ(box("customerBox")->currentText(), s("张三"));
    retype(box("customerBox"), s("张三"));
    retype(box("phoneBox"), QString());
    retype(box("customerBox"), s("张三"));
    EXPECT_EQ(box("phoneBox")->currentText(), s("13800001111"));

    w<QCheckBox>("customerCheck")->click();
    EXPECT_FALSE(box("customerBox")->isEnabled());
    EXPECT_EQ(settingsValue(QStringLiteral("select \"set9\" from \"INFO\"")), s("0"));
}

TEST_F(SalesWindow, SwitchesAreRememberedInTheSettings)
{
    open();
    w<QCheckBox>("paymentCheck")->click();
    EXPECT_TRUE(box("paymentBox")->isEnabled());
    EXPECT_EQ(settingsValue(QStringLiteral("select \"set4\" from \"USER_SET\" where \"id\"=1")),
              s("1"));
    w<QCheckBox>("cashCheck")->click();
    EXPECT_EQ(settingsValue(QStringLiteral("select \"set10\" from \"INFO\"")), s("1"));

    enterLine("甲", "2", "10");
    w<QCheckBox>("discountCheck")->click();
    EXPECT_EQ(settingsValue(QStringLiteral("select \"set3\" from \"INFO\"")), s("1"));
    EXPECT_TRUE(w("roundOffButton")->isEnabled());
    EXPECT_EQ(w<QLabel>("summaryLabel")->text(), s(" 总量:2  总额:20.00  折后:20.00"));
    retype(box("discountBox"), s("8.0"));
    w<QCheckBox>("discountCheck")->click();
    EXPECT_EQ(box("discountBox")->currentText(), s("10"));
    EXPECT_FALSE(box("discountBox")->isEnabled());
    EXPECT_EQ(w<QLabel>("summaryLabel")->text(), s(" 总量:2  总额:20.00"));

    // The next window starts as they were left.
    m_env.settings().paymentEnabled = true;
    m_dialog.reset();
    open();
    EXPECT_TRUE(w<QCheckBox>("cashCheck")->isChecked());
    EXPECT_TRUE(w<QCheckBox>("paymentCheck")->isChecked());
    EXPECT_FALSE(w<QCheckBox>("discountCheck")->isChecked());
}

TEST_F(SalesWindow, RoundingOffTheDiscountedAmount)
{
    open();
    w<QCheckBox>("discountCheck")->click();
    type(box("productBox"), s("蛋糕"));
    retype(edit("quantityEdit"), s("1"));
    retype(edit("priceEdit"), s("25"));
    retype(box("discountBox"), s("9.5"));
    EXPECT_EQ(edit("discountedEdit")->text(), s("23.75"));
    w<QPushButton>("roundOffButton")->click();
    EXPECT_EQ(edit("discountedEdit")->text(), s("23.00"));
    w<QPushButton>("addButton")->click();
    EXPECT_EQ(list()->text(0, 6), s("23.00"));
    EXPECT_EQ(box("cashBox")->currentText(), s("23.00"));
}

TEST_F(SalesWindow, SaveOnlyStoresTheSaleAndShowsTheNextNumber)
{
    open();
    w<QPushButton>("saveOnlyButton")->click();
    EXPECT_EQ(m_env.prompt().lastText(),
              s("当前无记录可保存！请先按“添加（Enter）”按钮添加商品记录！"));

    enterLine("O'Neil \"大\" 苹果", "1.5", "4");
    retype(w("remarkEdit"), s("今天特价"));
    // Alt+B, the button's mnemonic; a button pressed by its key clicks a moment later.
    QTest::keyClick(m_dialog.get(), Qt::Key_B, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([this] { return list()->rowCount() == 0; }, 2000));
    EXPECT_EQ(recordsValue(QStringLiteral("select \"name\" from \"POS_RECORD_DETAIL\"")),
              s("O'Neil \"大\" 苹果"));
    EXPECT_EQ(recordsValue(QStringLiteral("select \"standby1\" from \"POS_RECORD\"")),
              s("今天特价"));
    EXPECT_EQ(edit("numberEdit")->text(), s("0000001"));
    EXPECT_EQ(list()->rowCount(), 0);
    EXPECT_EQ(w<QLabel>("summaryLabel")->text(), s(" 总量:0  总额:0.00"));
    EXPECT_EQ(w<QPlainTextEdit>("remarkEdit")->toPlainText(), s("今天特价"));
    EXPECT_EQ(QApplication::focusWidget(), box("productBox"));
}

// Another copy of the program (another user, the command-line companion)
// put a restored book in place while this till runs: the next sale goes into
// that book, not into the replaced file the till still had open.
TEST_F(SalesWindow, ASaleAfterTheBookWasReplacedByAnotherProgramGoesIntoTheNewBook)
{
    open();
    enterLine("甲", "1", "1");
    w<QPushButton>("saveOnlyButton")->click();
    ASSERT_EQ(recordsValue(QStringLiteral("select count(*) from \"POS_RECORD\"")), s("1"));

    const QString book = m_env.recordsFile();
    QProcess restore;
    restore.start(s("sh"), {s("-c"), s("cp \"$1\" \"$2.new\" && mv \"$2.new\" \"$2\""), s("sh"),
                            QDir(m_env.programDir()).filePath(s("data/NewQuillbook.qmbk")), book});
    ASSERT_TRUE(restore.waitForFinished(10000));
    ASSERT_EQ(restore.exitCode(), 0) << restore.readAllStandardError().toStdString();

    m_env.prompt().clear();
    enterLine("乙", "2", "3");
    w<QPushButton>("saveOnlyButton")->click();
    EXPECT_TRUE(m_env.prompt().messages().isEmpty()) << m_env.prompt().lastText().toStdString();
    EXPECT_EQ(list()->rowCount(), 0);
    EXPECT_EQ(
        recordsValue(QStringLiteral("select group_concat(\"name\") from \"POS_RECORD_DETAIL\"")),
        s("乙"));
}

TEST_F(SalesWindow, AnOldNumberTypedByTheAdministratorIsRefused)
{
    open();
    enterLine("甲", "1", "1");
    w<QPushButton>("saveOnlyButton")->click();
    enterLine("乙", "1", "2");
    retype(edit("numberEdit"), s("0000000"));
    w<QPushButton>("saveOnlyButton")->click();
    EXPECT_EQ(m_env.prompt().lastText(), SaleStore::numberTakenMessage(s("0000000")));
    EXPECT_EQ(list()->rowCount(), 1);
    EXPECT_EQ(recordsValue(QStringLiteral("select count(*) from \"POS_RECORD\"")), s("1"));
}

TEST_F(SalesWindow, ACashierMeetingATakenNumberGetsTheNextFreeOne)
{
    {
        // Stored earlier by an administrator under the number the counter gives next.
        Database db;
        ASSERT_TRUE(db.open(m_env.settings().recordsDsn));
        db.exec(QStringLiteral("insert into \"POS_RECORD\" (\"NO\",\"money\") values (?,?)"),
                {s("0000000"), 1.0});
    }
    KeptReceipts printed;
    SalesWindows windows;
    windows.receiptOutput = keptIn(printed);
    login(s("小王"), s("普通用户"));
    open(windows);
    m_dialog->printSettings().saveOnPrint = true;
    enterLine("甲", "2", "3");
    QTest::keyClick(box("productBox"), Qt::Key_F5);
    EXPECT_EQ(m_env.prompt().lastText(),
              SalesSession::numberMovedMessage(s("0000000"), s("0000001")));
    EXPECT_EQ(edit("numberEdit")->text(), s("0000001"));
    EXPECT_EQ(list()->rowCount(), 1);

    QTest::keyClick(box("productBox"), Qt::Key_F5);
    EXPECT_EQ(recordsValue(QStringLiteral("select count(*) from \"POS_RECORD_DETAIL\" where "
                                          "\"NO\"=?"),
                           {s("0000001")}),
              s("1"));
    EXPECT_EQ(edit("numberEdit")->text(), s("0000002"));
    EXPECT_EQ(list()->rowCount(), 0);
}

TEST_F(SalesWindow, TheSettingsWindowRoundTrip)
{
    SalesWindows windows;
    SettingsHandover seen;
    windows.settings = [&](QWidget *, SettingsHandover &texts) {
        seen = texts;
        texts.shopName = s("新店名");
        texts.remark = s("新备注");
        texts.receiptNumber = s("B0000000");
        Database db;
        ASSERT_TRUE(db.open(m_env.settings().settingsDsn));
        db.exec(
            QStringLiteral("insert into \"USER\" (\"name\",\"power\") values ('小李','普通用户')"));
        db.exec(
            QStringLiteral("insert into \"PRODUCT_NAME\" (\"items\",\"price\") values ('盐','2')"));
        m_env.settings().labelLanguage = 1;
    };
    open(windows);
    retype(w("remarkEdit"), s("改过的备注"));
    w<QPushButton>("settingsButton")->click();
    EXPECT_EQ(seen.shopName, s("我的小店"));
    EXPECT_EQ(seen.remark, s("改过的备注"));
    EXPECT_EQ(seen.receiptNumber, s("0000000"));
    EXPECT_EQ(edit("shopNameEdit")->text(), s("新店名"));
    EXPECT_EQ(w<QPlainTextEdit>("remarkEdit")->toPlainText(), s("新备注"));
    EXPECT_EQ(edit("numberEdit")->text(), s("B0000000"));
    EXPECT_EQ(box("cashierBox")->count(), 2);
    EXPECT_EQ(box("cashierBox")->currentText(), s("admin"));
    EXPECT_EQ(box("productBox")->findText(s("盐")), 0);
    EXPECT_EQ(list()->columnTitle(1), s("Items"));
    EXPECT_EQ(QApplication::focusWidget(), box("productBox"));
    EXPECT_EQ(m_dialog->session().defaultRemark(), s("新备注"));
}

TEST_F(SalesWindow, CustomersAreReloadedAfterTheCustomersWindowWithoutDuplicates)
{
    SalesWindows windows;
    bool changed = true;
    windows.customers = [&](QWidget *, QString &last) {
        Database db;
        EXPECT_TRUE(db.open(m_env.settings().settingsDsn));
        db.exec(QStringLiteral("insert into \"SALER\" (\"items\",\"standby\") values (?,?)"),
                {s("王五"), s("139")});
        last = s("王五");
        return changed;
    };
    open(windows);
    w<QCheckBox>("customerCheck")->click();
    w<QPushButton>("customersButton")->click();
    w<QPushButton>("customersButton")->click();
    EXPECT_EQ(box("phoneBox")->count(), 2); // the table's two rows, not four
    EXPECT_EQ(box("customerBox")->currentText(), s("王五"));
    changed = false;
    w<QPushButton>("customersButton")->click();
    EXPECT_EQ(box("phoneBox")->count(), 2); // cancelled: nothing reloaded
}

TEST_F(SalesWindow, TheQueryWindowHasTheRecordsFileToItself)
{
    SalesWindows windows;
    bool heldMeanwhile = true;
    windows.query = [&](SalesDialog &owner) {
        heldMeanwhile = owner.session().recordsDb().isOpen();
    };
    open(windows);
    w<QPushButton>("queryButton")->click();
    EXPECT_FALSE(heldMeanwhile);
    EXPECT_TRUE(m_dialog->session().recordsDb().isOpen());
    EXPECT_EQ(QApplication::focusWidget(), box("productBox"));
}

TEST_F(SalesWindow, ClosingWithAnUnfinishedSaleAsksFirst)
{
    open();
    enterLine("甲", "1", "1");
    m_env.prompt().answerNext(Prompt::Answer::No);
    QTest::keyClick(box("productBox"), Qt::Key_Escape);
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_EQ(m_env.prompt().lastText(), SalesDialog::leaveUnsavedQuestion());
    m_env.prompt().answerNext(Prompt::Answer::Yes);
    m_dialog->close();
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_FALSE(m_dialog->session().recordsDb().isOpen());
}

TEST_F(SalesWindow, AnEmptySaleClosesAtOnce)
{
    open();
    QTest::keyClick(box("productBox"), Qt::Key_Escape);
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_TRUE(m_env.prompt().messages().isEmpty());
}

TEST_F(SalesWindow, AMissingRecordsFileStopsTheProgram)
{
    QFile::remove(m_env.recordsFile());
    SalesDialog dialog(m_env.settings());
    EXPECT_EQ(dialog.exec(), int(QDialog::Rejected)); // returns at once
    ASSERT_EQ(m_env.prompt().messages().size(), 1);
    const ScriptedPrompt::Message said = m_env.prompt().messages().first();
    EXPECT_EQ(said.text, s("数据库文件%1丢失，请不要将运行程序和其他文件分离!")
                             .arg(QFileInfo(m_env.recordsFile()).absoluteFilePath()));
    EXPECT_EQ(said.caption, s("错误"));
    EXPECT_EQ(said.icon, Prompt::Icon::Critical);
}

TEST_F(SalesWindow, SettingsThatCannotBeOpenedAreSaidAndTheWindowStaysUnfilled)
{
    m_env.settings().settingsDsn = s("QmNoSuchSource");
    SalesDialog dialog(m_env.settings());
    ASSERT_EQ(m_env.prompt().messages().size(), 1);
    EXPECT_EQ(m_env.prompt().lastText(), s("不能打开数据库"));
    EXPECT_EQ(m_env.prompt().messages().first().icon, Prompt::Icon::Information);
    EXPECT_EQ(child<QLineEdit>(&dialog, "shopNameEdit")->text(), QString());
    EXPECT_EQ(child<QComboBox>(&dialog, "cashierBox")->count(), 0);
}

// The administrator's line teaches the catalogue its product; while another
// program holds the settings file that cannot be stored: the cashier is told
// after the wait, the line is in the sale and its text stays in the entry row
// to be entered again.
TEST_F(SalesWindow, AProductThatCannotBeRememberedIsSaidAndTheLineStays)
{
    open();
    QProcess other;
    other.start(s("sqlite3"), {m_env.settingsFile()});
    ASSERT_TRUE(other.waitForStarted(5000));
    other.write("BEGIN IMMEDIATE;\n.print locked\n");
    ASSERT_TRUE(other.waitForReadyRead(5000)) << "the other program did not take the lock";

    enterLine("可乐", "2", "10");
    ASSERT_EQ(m_env.prompt().messages().size(), 1);
    const ScriptedPrompt::Message said = m_env.prompt().messages().first();
    EXPECT_TRUE(said.text.startsWith(s("数据库文件%1正被另一个程序使用").arg(m_env.settingsFile())))
        << qPrintable(said.text);
    EXPECT_EQ(said.icon, Prompt::Icon::Critical);
    ASSERT_EQ(list()->rowCount(), 1);
    EXPECT_EQ(row(0)[1], s("可乐"));
    EXPECT_EQ(box("productBox")->currentText(), s("可乐"));

    other.write("ROLLBACK;\n.quit\n");
    other.waitForFinished(5000);
    EXPECT_EQ(settingsValue(s("select count(*) from \"PRODUCT_NAME\" where \"items\"='可乐'")),
              s("0"));
}

TEST_F(SalesWindow, AThousandLineSaleStillWorks)
{
    open();
    QComboBox *product = box("productBox");
    for (int i = 0; i < 1000; ++i) {
        product->setEditText(QStringLiteral("商品%1").arg(i));
        edit("priceEdit")->setText(QStringLiteral("1.25"));
        m_dialog->addLine();
    }
    EXPECT_EQ(list()->rowCount(), 1000);
    EXPECT_EQ(list()->text(999, 0), s("1000"));
    EXPECT_EQ(w<QLabel>("summaryLabel")->text(), s(" 总量:1000  总额:1250.00"));
    m_dialog->saveOnly();
    EXPECT_EQ(recordsValue(QStringLiteral("select count(*) from \"POS_RECORD_DETAIL\"")),
              s("1000"));
}

TEST_F(SalesWindow, BlankNamesDiscountsOutOfRangeAndBlankNumbersAreRefused)
{
    open();
    w<QCheckBox>("discountCheck")->click();
    // A name of blanks only adds nothing.
    retype(box("productBox"), s("   "));
    retype(edit("quantityEdit"), s("2"));
    retype(edit("priceEdit"), s("10"));
    QTest::keyClick(edit("priceEdit"), Qt::Key_Return);
    EXPECT_EQ(list()->rowCount(), 0);
    EXPECT_EQ(m_env.prompt().lastText(), SaleEntry::emptyNameMessage());

    // Discounts are tenths of the price, 0 to 10.
    for (const char *discount : {"150", "100", "-5", "10.5"}) {
        m_env.prompt().clear();
        retype(box("productBox"), s(" 茶 "));
        retype(edit("quantityEdit"), s("2"));
        retype(edit("priceEdit"), s("10"));
        retype(box("discountBox"), s(discount));
        QTest::keyClick(box("discountBox"), Qt::Key_Return);
        EXPECT_EQ(list()->rowCount(), 0) << discount;
        EXPECT_EQ(m_env.prompt().texts(), QStringList{SaleEntry::discountRangeMessage()})
            << discount;
    }

    // Switching the discount off and on: the discounted amount follows at once.
    retype(box("discountBox"), s("8.0"));
    EXPECT_EQ(edit("discountedEdit")->text(), s("16.00"));
    w<QCheckBox>("discountCheck")->click();
    EXPECT_EQ(edit("discountedEdit")->text(), s("20.00"));
    w<QCheckBox>("discountCheck")->click();
    EXPECT_EQ(box("discountBox")->currentText(), s("10"));
    EXPECT_EQ(edit("discountedEdit")->text(), s("20.00"));
    retype(box("discountBox"), s("0"));
    QTest::keyClick(box("discountBox"), Qt::Key_Return);
    ASSERT_EQ(list()->rowCount(), 1);
    EXPECT_EQ(row(0)[1], s("茶")) << "blanks around a name are not kept";
    EXPECT_EQ(row(0)[6], s("0.00"));

    // An empty receipt number stores nothing; blanks around one are dropped.
    m_env.prompt().clear();
    retype(edit("numberEdit"), s("   "));
    w<QPushButton>("saveOnlyButton")->click();
    EXPECT_EQ(m_env.prompt().texts(), QStringList{SaleStore::noNumberMessage()});
    EXPECT_EQ(recordsValue(QStringLiteral("select count(*) from \"POS_RECORD\"")), s("0"));
    EXPECT_EQ(list()->rowCount(), 1);
    retype(edit("numberEdit"), s(" 0000005 "));
    w<QPushButton>("saveOnlyButton")->click();
    EXPECT_EQ(recordsValue(QStringLiteral("select group_concat(\"NO\") from \"POS_RECORD\"")),
              s("0000005"));
    EXPECT_EQ(recordsValue(QStringLiteral("select group_concat(\"name\") from "
                                          "\"POS_RECORD_DETAIL\" where \"NO\" = '0000005'")),
              s("茶"));
}

} // namespace
