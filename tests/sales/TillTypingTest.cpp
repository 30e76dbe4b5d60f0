// The product and discount boxes of the sales window, typed into key by key
// as a cashier types and as a barcode scanner (keyboard wedge) types: 5 ms a
// key, then Enter. Every line must be the catalogue's product at its price,
// stored so, and the catalogue must not fill with first letters or codes.
#include "controls/SortableList.h"
#include "core/AppSettings.h"
#include "data/Database.h"
#include "support/Gui.h"
#include "support/SalesWindowFixture.h"
#include "support/ScriptedPrompt.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int scannerDelayMs = 5;

class TillTyping : public SalesWindowFixture
{
protected:
    void SetUp() override
    {
        SalesWindowFixture::SetUp();
        Database db;
        ASSERT_TRUE(db.open(m_env.settings().settingsDsn));
        // A longer code listed before the code that is its beginning.
        const std::pair<const char *, const char *> products[] = {{"Apricot", "7.00"},
                                                                  {"Apple", "5.00"},
                                                                  {"12345-Long", "9.00"},
                                                                  {"1234-Short", "1.50"},
                                                                  {"6901234567890-矿泉水", "2.00"}};
        for (const auto &[text, price] : products)
            db.exec(
                QStringLiteral("insert into \"PRODUCT_NAME\" (\"items\",\"price\") values (?,?)"),
                {s(text), s(price)});
    }

    QComboBox *productBox() { return box("productBox"); }
    SortableList *list() { return m_dialog->saleList(); }

    // Keys go where the keyboard's go: to the widget that has the focus.
    QWidget *focused()
    {
        QWidget *focus = QApplication::focusWidget();
        EXPECT_NE(focus, nullptr);
        return focus;
    }
    void keys(const char *text, int delayMs = -1)
    {
        QTest::keyClicks(focused(), QString::fromLatin1(text), Qt::NoModifier, delayMs);
    }
    void key(Qt::Key key) { QTest::keyClick(focused(), key); }
    void scan(const char *code)
    {
        keys(code, scannerDelayMs);
        QTest::keyClick(focused(), Qt::Key_Return, Qt::NoModifier, scannerDelayMs);
    }

    QStringList storedLines()
    {
        Database db;
        EXPECT_TRUE(db.open(m_env.settings().recordsDsn));
        QStringList lines;
        Database::Rows rows = db.query(
            QStringLiteral("select \"name\",\"price\" from \"POS_RECORD_DETAIL\" order by rowid"));
        while (rows.next())
            lines << rows.text(0) + u' ' + rows.text(1);
        return lines;
    }
    QStringList catalogue()
    {
        Database db;
        EXPECT_TRUE(db.open(m_env.settings().settingsDsn));
        QStringList products;
        Database::Rows rows = db.query(
            QStringLiteral("select \"items\",\"price\" from \"PRODUCT_NAME\" order by \"id\""));
        while (rows.next())
            products << rows.text(0) + u' ' + rows.text(1);
        return products;
    }
};

TEST_F(TillTyping, LettersAndScannedCodesBecomeTheCatalogueProducts)
{
    open();
    const QStringList before = catalogue();
    ASSERT_EQ(focused(), productBox());

    // First letters: the product shows with the rest selected, its price comes in.
    keys("Ap");
    EXPECT_EQ(productBox()->currentText(), s("Apricot"));
    EXPECT_EQ(productBox()->lineEdit()->selectedText(), s("ricot"));
    EXPECT_EQ(edit("priceEdit")->text(), s("7.00"));
    keys("p"); // replaces the selection
    EXPECT_EQ(productBox()->currentText(), s("Apple"));
    EXPECT_EQ(productBox()->lineEdit()->selectedText(), s("le"));
    EXPECT_EQ(edit("priceEdit")->text(), s("5.00"));
    key(Qt::Key_Return);
    ASSERT_EQ(list()->rowCount(), 1);
    EXPECT_EQ(list()->text(0, 1), s("Apple"));
    EXPECT_EQ(list()->text(0, 3), s("5.00"));
    EXPECT_EQ(productBox()->currentText(), QString());

    // A scanner: the whole code at 5 ms a key, then Enter.
    scan("6901234567890");
    // A code that is the beginning of a longer code names its own product.
    scan("1234");
    scan("12345");

    // Backspace in the middle of a completion cuts it back and never completes again.
    keys("Apr");
    EXPECT_EQ(productBox()->currentText(), s("Apricot"));
    key(Qt::Key_Backspace);
    key(Qt::Key_Backspace);
    EXPECT_EQ(productBox()->currentText(), s("Ap"));
    EXPECT_TRUE(productBox()->lineEdit()->selectedText().isEmpty());
    EXPECT_EQ(edit("priceEdit")->text(), QString()) << "no product is called Ap";
    keys("ple"); // typed out in full
    EXPECT_EQ(productBox()->currentText(), s("Apple"));
    key(Qt::Key_Return);

    // An unknown code is used as typed, without the price of a product its
    // first digits completed to, and without a message.
    scan("6909999999999");

    // The discount box completes the same way.
    w<QCheckBox>("discountCheck")->click();
    keys("App");
    w<QComboBox>("discountBox")->setFocus();
    QTest::keyClick(focused(), Qt::Key_A, Qt::ControlModifier);
    keys("8"); // eight tenths, as the help page says, though "8.9" is listed first
    EXPECT_EQ(box("discountBox")->currentText(), s("8.0"));
    EXPECT_EQ(box("discountBox")->lineEdit()->selectedText(), s(".0"));
    EXPECT_EQ(edit("discountedEdit")->text(), s("4.00"));
    key(Qt::Key_Return);

    ASSERT_EQ(list()->rowCount(), 7);
    EXPECT_EQ(list()->text(6, 6), s("4.00"));
    EXPECT_EQ(w<QLabel>("summaryLabel")->text(), s(" 总量:7  总额:27.50  折后:26.50"));
    EXPECT_TRUE(m_env.prompt().messages().isEmpty()) << m_env.prompt().lastText().toStdString();

    w<QPushButton>("saveOnlyButton")->click();
    EXPECT_EQ(storedLines(),
              (QStringList{s("Apple 5"), s("6901234567890-矿泉水 2"), s("1234-Short 1.5"),
                           s("12345-Long 9"), s("Apple 5"), s("6909999999999 0"), s("Apple 5")}));
    // Remembered: only what was chosen or typed in full, no first letters, no bare codes.
    EXPECT_EQ(catalogue(), QStringList(before) << s("6909999999999 0.00"));
}

TEST_F(TillTyping, WithCodesHiddenAScannedProductIsStoredUnderItsName)
{
    m_env.settings().showProductCode = false;
    open();
    const QStringList before = catalogue();
    scan("6901234567890");
    ASSERT_EQ(list()->rowCount(), 1);
    EXPECT_EQ(list()->text(0, 1), s("矿泉水"));
    EXPECT_EQ(list()->text(0, 5), s("6901234567890-矿泉水"));
    EXPECT_EQ(m_dialog->takeSale().lines.value(0).name, s("矿泉水")) << "the receipt's line";
    w<QPushButton>("saveOnlyButton")->click();
    EXPECT_EQ(storedLines(), QStringList{s("矿泉水 2")});
    EXPECT_EQ(catalogue(), before);
}

} // namespace
