// Inline completion as a cashier types: completing, cutting back with
// Backspace/Delete, unknown text, Chinese from an input method, and Enter
// still reaching the dialog's default button.
#include "controls/AutoCompleteCombo.h"
#include "controls/InlineCompletion.h"

#include "support/Gui.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

class AutoCompleteComboTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_combo.addItems({u"xyz"_qs, u"abc"_qs, u"abd"_qs, u"可口可乐"_qs, u"可乐"_qs});
        m_combo.setEditText(QString());
        m_combo.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_combo));
    }

    QLineEdit *edit() { return m_combo.lineEdit(); }

    void commit(const QString &text) { commitText(&m_combo, text); }

    AutoCompleteCombo m_combo;
};

} // namespace

TEST(InlineCompletion, FirstEntryThatBeginsWithTheText)
{
    const QStringList entries = {u"xyz"_qs, u"abc"_qs, u"abd"_qs};
    auto result = InlineCompletion::complete(entries, u"ab"_qs, 2, 2);
    EXPECT_EQ(result.entry, 1);
    EXPECT_EQ(result.text, u"abc"_qs);
    EXPECT_EQ(result.selectionStart, 2);
    EXPECT_EQ(result.selectionEnd, 3);

    result = InlineCompletion::complete(entries, u"abq"_qs, 3, 3);
    EXPECT_EQ(result.entry, -1);
    EXPECT_EQ(result.text, u"abq"_qs);
    EXPECT_EQ(result.selectionStart, 3);
    EXPECT_EQ(result.selectionEnd, 3);

    // Typed in the middle: completed, but the caret stays where it was.
    result = InlineCompletion::complete(entries, u"xy"_qs, 1, 1);
    EXPECT_EQ(result.text, u"xyz"_qs);
    EXPECT_EQ(result.selectionStart, 1);
    EXPECT_EQ(result.selectionEnd, 1);

    EXPECT_EQ(InlineCompletion::complete(entries, QString(), 0, 0).entry, -1);
    EXPECT_EQ(InlineCompletion::complete(entries, u"ABD"_qs, 3, 3).text, u"abd"_qs);
    EXPECT_EQ(InlineCompletion::complete({}, u"a"_qs, 1, 1).entry, -1);

    // What the text names in full wins over longer entries listed before it:
    // the entry that is the text, or the one whose code is the text.
    const QStringList coded = {u"12345-咖啡"_qs, u"1234-茶"_qs, u"Apple pie"_qs, u"apple"_qs};
    EXPECT_EQ(InlineCompletion::completingEntry(coded, u"1234"_qs), 1);
    EXPECT_EQ(InlineCompletion::completingEntry(coded, u"123"_qs), 0);
    EXPECT_EQ(InlineCompletion::completingEntry(coded, u"12345"_qs), 0);
    EXPECT_EQ(InlineCompletion::completingEntry(coded, u"Appl"_qs), 2);
    EXPECT_EQ(InlineCompletion::completingEntry(coded, u"Apple"_qs), 3);
    result = InlineCompletion::complete(coded, u"1234"_qs, 4, 4);
    EXPECT_EQ(result.text, u"1234-茶"_qs);
    EXPECT_EQ(result.selectionStart, 4);
    EXPECT_EQ(result.selectionEnd, 6);
}

TEST_F(AutoCompleteComboTest, TypingCompletesAndSelectsTheRest)
{
    QTest::keyClicks(&m_combo, u"ab"_qs);
    EXPECT_EQ(m_combo.currentText(), u"abc"_qs);
    EXPECT_EQ(edit()->selectedText(), u"c"_qs);
    EXPECT_EQ(m_combo.currentIndex(), 1);
    keepPicture(m_combo.grab().toImage(), u"autocomplete"_qs);

    // The next key replaces the selected remainder.
    QTest::keyClicks(&m_combo, u"d"_qs);
    EXPECT_EQ(m_combo.currentText(), u"abd"_qs);
    EXPECT_TRUE(edit()->selectedText().isEmpty());
    EXPECT_EQ(edit()->cursorPosition(), 3);
}

TEST_F(AutoCompleteComboTest, BackspaceAndDeleteNeverCompleteAgain)
{
    QTest::keyClicks(&m_combo, u"ab"_qs);
    QTest::keyClick(&m_combo, Qt::Key_Backspace); // removes the selected "c"
    EXPECT_EQ(m_combo.currentText(), u"ab"_qs);
    QTest::keyClick(&m_combo, Qt::Key_Backspace);
    EXPECT_EQ(m_combo.currentText(), u"a"_qs);
    EXPECT_TRUE(edit()->selectedText().isEmpty());

    QTest::keyClicks(&m_combo, u"b"_qs); // a character key completes again
    EXPECT_EQ(m_combo.currentText(), u"abc"_qs);
    EXPECT_EQ(edit()->selectedText(), u"c"_qs);

    QTest::keyClick(&m_combo, Qt::Key_Home);
    QTest::keyClick(&m_combo, Qt::Key_Delete);
    EXPECT_EQ(m_combo.currentText(), u"bc"_qs);
}

TEST_F(AutoCompleteComboTest, UnknownTextStaysAsTyped)
{
    QSignalSpy typed(&m_combo, &AutoCompleteCombo::textTyped);
    QTest::keyClicks(&m_combo, u"abq"_qs);
    EXPECT_EQ(m_combo.currentText(), u"abq"_qs);
    EXPECT_EQ(edit()->cursorPosition(), 3);
    EXPECT_TRUE(edit()->selectedText().isEmpty());
    ASSERT_EQ(typed.count(), 3);
    EXPECT_EQ(typed.at(1).at(0).toString(), u"abc"_qs); // as completed
    EXPECT_EQ(typed.last().at(0).toString(), u"abq"_qs);
    EXPECT_EQ(m_combo.count(), 5);
}

TEST_F(AutoCompleteComboTest, ChineseFromAnInputMethodCompletes)
{
    commit(u"可口"_qs);
    EXPECT_EQ(m_combo.currentText(), u"可口可乐"_qs);
    EXPECT_EQ(edit()->selectedText(), u"可乐"_qs);
    commit(u"乐"_qs); // replaces the selection; no entry begins with "可口乐"
    EXPECT_EQ(m_combo.currentText(), u"可口乐"_qs);
}

TEST(AutoCompleteCombo, EnterReachesTheDefaultButtonAndAddsNothing)
{
    QDialog dialog;
    auto *combo = new AutoCompleteCombo(&dialog);
    combo->addItems({u"现金"_qs, u"微信"_qs});
    auto *ok = new QPushButton(u"确定"_qs, &dialog);
    ok->setDefault(true);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(combo);
    layout->addWidget(ok);
    QSignalSpy clicked(ok, &QPushButton::clicked);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    combo->setFocus();
    combo->setEditText(u"刷卡"_qs);
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(combo->count(), 2);
}
