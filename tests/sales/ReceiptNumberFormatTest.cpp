// The receipt-number format: the prefix rules, the dialog with its stored
// switches and text, the prefix taking effect at once, and the number on the
// settings page and in the sales window taking the new prefix.
#include "printing/ReceiptNumberFormat.h"
#include "printing/PrintInfoPage.h"
#include "printing/PrintInfoPageFixture.h"
#include "printing/ReceiptNumberFormatDialog.h"
#include "sales/SalesDialog.h"
#include "settings/SettingsDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

TEST(ReceiptNumberFormatRules, PrefixIsTheCustomTextThenTheDate)
{
    const QDate ides(2024, 3, 15);
    EXPECT_EQ((ReceiptNumberFormat{true, true, QStringLiteral("A")}).prefix(ides),
              QStringLiteral("A240315"));
    EXPECT_EQ((ReceiptNumberFormat{false, true, QStringLiteral("A")}).prefix(ides),
              QStringLiteral("240315"));
    EXPECT_EQ((ReceiptNumberFormat{true, false, QStringLiteral("A")}).prefix(ides),
              QStringLiteral("A"));
    EXPECT_EQ((ReceiptNumberFormat{false, false, QStringLiteral("A")}).prefix(ides), QString());
}

TEST(ReceiptNumberFormatRules, ANumberKeepsItsCounterUnderTheNewPrefix)
{
    using F = ReceiptNumberFormat;
    EXPECT_EQ(F::renumber(QStringLiteral("A0000012"), QStringLiteral("A"), QStringLiteral("B")),
              QStringLiteral("B0000012"));
    EXPECT_EQ(F::renumber(QStringLiteral("A2403070000012"), QStringLiteral("A240307"),
                          QStringLiteral("B")),
              QStringLiteral("B0000012"));
    EXPECT_EQ(F::renumber(QStringLiteral("0000012"), QString(), QStringLiteral("240307")),
              QStringLiteral("2403070000012"));
    // A counter past 9999999 keeps all its digits.
    EXPECT_EQ(F::renumber(QStringLiteral("A12345678"), QStringLiteral("A"), QStringLiteral("B")),
              QStringLiteral("B12345678"));
    // A number typed over by hand: its last seven characters.
    EXPECT_EQ(F::renumber(QStringLiteral("X99990000012"), QStringLiteral("A"), QStringLiteral("B")),
              QStringLiteral("B0000012"));
    EXPECT_EQ(F::renumber(QStringLiteral("12"), QStringLiteral("A"), QStringLiteral("B")),
              QStringLiteral("B12"));
}

class ReceiptNumberFormatTest : public PrintSettingsFixture
{
protected:
    void storeFormat(const QString &custom, const QString &date, const QString &text)
    {
        Database db;
        ASSERT_TRUE(db.open(settings.settingsDsn));
        db.exec(QStringLiteral(
                    "update \"USER_SET\" set \"set1\"=?,\"set2\"=?,\"set3\"=? where \"id\"=1"),
                {custom, date, text});
    }
    QCheckBox *check(QWidget *dialog, const char *name) { return child<QCheckBox>(dialog, name); }
    QLineEdit *edit(QWidget *dialog, const char *name) { return child<QLineEdit>(dialog, name); }
    void ok(QWidget *dialog) { click(child<QPushButton>(dialog, "okButton")); }
};

TEST_F(ReceiptNumberFormatTest, OpensWithTheStoredSwitchesAndTodaysDate)
{
    storeFormat(QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("A"));
    ReceiptNumberFormatDialog dialog(settings);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("设置销售票号格式"));
    EXPECT_TRUE(check(&dialog, "customCheck")->isChecked());
    EXPECT_FALSE(edit(&dialog, "customEdit")->isReadOnly());
    EXPECT_EQ(edit(&dialog, "customEdit")->text(), QStringLiteral("A"));
    EXPECT_FALSE(check(&dialog, "dateCheck")->isChecked());
    EXPECT_EQ(edit(&dialog, "dateEdit")->text(), QStringLiteral("240307"));
    EXPECT_TRUE(edit(&dialog, "dateEdit")->isReadOnly());
    shoot(&dialog, QStringLiteral("receipt-number-format-dialog"));
    // A box that takes no typing looks it: the window's colour, not an edit's.
    const QPalette normal = QApplication::palette(edit(&dialog, "customEdit"));
    auto face = [&](const char *name) {
        return edit(&dialog, name)->palette().color(QPalette::Base);
    };
    ASSERT_NE(normal.color(QPalette::Base), normal.color(QPalette::Window));
    EXPECT_EQ(face("dateEdit"), normal.color(QPalette::Window));
    EXPECT_EQ(face("customEdit"), normal.color(QPalette::Base));

    tick(check(&dialog, "customCheck"));
    EXPECT_TRUE(edit(&dialog, "customEdit")->isReadOnly());
    EXPECT_EQ(face("customEdit"), normal.color(QPalette::Window));
    tick(check(&dialog, "dateCheck"));
    EXPECT_TRUE(edit(&dialog, "dateEdit")->isReadOnly()) << "always read-only";
    tick(check(&dialog, "customCheck"));
    EXPECT_FALSE(edit(&dialog, "customEdit")->isReadOnly());
}

TEST_F(ReceiptNumberFormatTest, OkStoresTheChoiceAndThePrefixTakesEffectAtOnce)
{
    ReceiptNumberFormatDialog dialog(settings);
    dialog.show();
    tick(check(&dialog, "customCheck"));
    commitText(edit(&dialog, "customEdit"), QStringLiteral("店A"));
    tick(check(&dialog, "dateCheck"));
    ok(&dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(settings.receiptPrefix, QStringLiteral("店A240307"));
    EXPECT_EQ(loginRow("set1"), QStringLiteral("1"));
    EXPECT_EQ(loginRow("set2"), QStringLiteral("1"));
    EXPECT_EQ(loginRow("set3"), QStringLiteral("店A"));
    EXPECT_EQ(storedSettings().receiptPrefix, QStringLiteral("店A240307"));
}

TEST_F(ReceiptNumberFormatTest, CancelChangesNothing)
{
    storeFormat(QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("A"));
    settings.receiptPrefix = QStringLiteral("A");
    ReceiptNumberFormatDialog dialog(settings);
    dialog.show();
    tick(check(&dialog, "dateCheck"));
    edit(&dialog, "customEdit")->setText(QStringLiteral("B"));
    click(child<QPushButton>(&dialog, "cancelButton"));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(settings.receiptPrefix, QStringLiteral("A"));
    EXPECT_EQ(loginRow("set2"), QStringLiteral("0"));
    EXPECT_EQ(loginRow("set3"), QStringLiteral("A"));
}

TEST_F(ReceiptNumberFormatTest, UntickedCustomPrefixKeepsItsTextForLater)
{
    storeFormat(QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("A"));
    {
        ReceiptNumberFormatDialog dialog(settings);
        tick(check(&dialog, "customCheck"));
        ok(&dialog);
    }
    EXPECT_EQ(settings.receiptPrefix, QString());
    EXPECT_EQ(loginRow("set1"), QStringLiteral("0"));
    EXPECT_EQ(loginRow("set3"), QStringLiteral("A"));

    ReceiptNumberFormatDialog again(settings);
    EXPECT_EQ(edit(&again, "customEdit")->text(), QStringLiteral("A"));
    tick(check(&again, "customCheck"));
    ok(&again);
    EXPECT_EQ(settings.receiptPrefix, QStringLiteral("A"));
}

TEST_F(ReceiptNumberFormatTest, WithoutTheDatabaseItSaysSoAndThePrefixStays)
{
    settings.receiptPrefix = QStringLiteral("A");
    settings.settingsDsn = QStringLiteral("QmNoSuchSource");
    ReceiptNumberFormatDialog dialog(settings);
    EXPECT_EQ(env.prompt().lastText(), QStringLiteral("不能打开数据库"));
    dialog.show();
    tick(check(&dialog, "dateCheck"));
    ok(&dialog);
    EXPECT_EQ(settings.receiptPrefix, QStringLiteral("A"));
    EXPECT_TRUE(dialog.isVisible()) << "the choice is not lost";
}

TEST_F(ReceiptNumberFormatTest, PrefixAToBTurnsA0000012IntoB0000012UpToTheSalesWindowAndReceipt)
{
    storeFormat(QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("A"));
    settings.receiptPrefix = QStringLiteral("A");
    {
        Database records;
        ASSERT_TRUE(records.open(settings.recordsDsn));
        for (int i = 0; i < 12; ++i)
            records.exec(QStringLiteral("insert into \"AUTO_NUM\" (\"num\") values (?)"),
                         {QStringLiteral("1")});
    }
    SalesDialog sales(settings);
    SalesWindows windows;
    windows.settings = [this](QWidget *owner, SettingsHandover &texts) {
        texts = SettingsDialog::run(settings, texts, owner);
    };
    sales.setWindows(windows);
    sales.show();
    QLineEdit *number = child<QLineEdit>(&sales, "numberEdit");
    ASSERT_EQ(number->text(), QStringLiteral("A0000012"));

    QString onPage;
    whenModal([&](QDialog *window) {
        auto *page = window->findChild<PrintInfoPage *>();
        EXPECT_NE(page, nullptr);
        if (!page) {
            window->close();
            return;
        }
        whenModal([&](QDialog *format) {
            QLineEdit *custom = edit(format, "customEdit");
            custom->clear();
            commitText(custom, QStringLiteral("B"));
            ok(format);
        });
        click(child<QPushButton>(page, "numberFormatButton"));
        onPage = qobject_cast<SettingsDialog *>(window)->handover().receiptNumber;
        window->close();
    });
    click(child<QPushButton>(&sales, "settingsButton"));

    EXPECT_EQ(onPage, QStringLiteral("B0000012"));
    EXPECT_EQ(number->text(), QStringLiteral("B0000012"));
    EXPECT_EQ(settings.receiptPrefix, QStringLiteral("B"));

    handover.receiptNumber = number->text();
    const ReceiptDrawing printed = receipt(settings, storedShop());
    EXPECT_NE(printed.find(QStringLiteral("单号:B0000012")), nullptr);
    shoot(printed, QStringLiteral("receipt-after-number-format"));
}

} // namespace
