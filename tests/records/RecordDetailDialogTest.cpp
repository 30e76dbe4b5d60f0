// The details window driven as a person drives it, on a stored sale of a real
// records book: what reaches the database, in which order, and what a failed
// save or an ordinary user leaves behind.
#include "records/RecordDetailDialog.h"
#include "app/FontAliases.h"
#include "controls/AutoCompleteCombo.h"
#include "controls/HoverButton.h"
#include "controls/SortableList.h"
#include "data/Database.h"
#include "sales/SaleEntry.h"
#include "support/Gui.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class RecordDetailDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_records.open(m_env.settings().recordsDsn));
        m_records.exec(s("insert into \"POS_RECORD\" (\"NO\", \"date\", \"money\", \"saler\", "
                         "\"number\", \"standby1\", \"standby2\", \"standby3\", \"standby4\") "
                         "values ('0008', '2008-03-05 09:07:01', 20, 'admin', 7, '', '老王', "
                         "'123', '现金')"));
        // Entered in an order that neither the names nor the amounts follow.
        for (const auto &[name, num, price] : QList<std::tuple<const char *, double, double>>{
                 {"z-梨", 2, 5}, {"a-苹果", 1, 3}, {"m-桃", 4, 1}})
            m_records.exec(s("insert into \"POS_RECORD_DETAIL\" values ('0008', ?, ?, ?, ?, ?)"),
                           {s(name), num, price, num * price, num * price});
        m_env.settings().userPower = s("管理员");
    }

    std::unique_ptr<RecordDetailDialog> open()
    {
        SaleDetails::Header header{
            s("0008"),
            s("2008-03-05 09:07:01"),
            s("老王"),
            s("123"),
            s("现金"),
            QString(),
            s("20.00"),
            m_records.scalar(s("select \"id\" from \"POS_RECORD\" where \"NO\" = '0008'"))
                .toLongLong()};
        auto dialog = std::make_unique<RecordDetailDialog>(m_env.settings(), m_records, header);
        dialog->show();
        return dialog;
    }

    template <class T> static T *child(QWidget *dialog, const char *name)
    {
        T *widget = dialog->findChild<T *>(s(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    static void click(QWidget *dialog, const char *button)
    {
        QTest::mouseClick(child<QPushButton>(dialog, button), Qt::LeftButton);
    }
    static void type(QWidget *dialog, const char *field, const QString &text)
    {
        QLineEdit *edit = child<QLineEdit>(dialog, field);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    static QStringList rows(QWidget *dialog)
    {
        SortableList *list = child<SortableList>(dialog, "lineList");
        QStringList rows;
        for (int row = 0; row < list->rowCount(); ++row)
            rows << list->rowTexts(row).join(u'|');
        return rows;
    }

    QStringList storedLines()
    {
        QStringList lines;
        Database::Rows rows =
            m_records.query(s("select \"name\", \"num\", \"price\", \"money\", \"standby1\" from "
                              "\"POS_RECORD_DETAIL\" where \"NO\" = '0008' order by rowid"));
        while (rows.next())
            lines << QStringList{rows.text(0), rows.text(1), rows.text(2), rows.text(3),
                                 rows.text(4)}
                         .join(u'|');
        return lines;
    }
    QString storedHeader()
    {
        Database::Rows rows = m_records.query(
            s("select \"date\", \"money\", \"number\", \"saler\", \"standby1\", \"standby2\", "
              "\"standby3\", \"standby4\" from \"POS_RECORD\" where \"NO\" = '0008'"));
        QStringList values;
        if (rows.next())
            for (int c = 0; c < 8; ++c)
                values << rows.text(c);
        return values.join(u'|');
    }

    TestEnv m_env;
    Database m_records;
};

TEST_F(RecordDetailDialogTest, AnOwnerCorrectsTheLinesAndTheHeaderInOneSave)
{
    auto dialog = open();
    EXPECT_EQ(dialog->windowTitle(), s("销售票号: 0008 详情"));
    EXPECT_EQ(child<QDateTimeEdit>(dialog.get(), "timeEdit")->dateTime(),
              QDateTime(QDate(2008, 3, 5), QTime(9, 7, 1)));
    // Quantities "%g" and money "%.2f", as the query window shows them.
    ASSERT_EQ(rows(dialog.get()),
              (QStringList{s("1|z-梨|2|5.00|10.00|10.00"), s("2|a-苹果|1|3.00|3.00|3.00"),
                           s("3|m-桃|4|1.00|4.00|4.00")}))
        << "the lines in the order they were entered";

    // Click the second line, make it 3 at discount 9.5 and change it.
    clickRow(child<SortableList>(dialog.get(), "lineList"), 1);
    EXPECT_EQ(child<AutoCompleteCombo>(dialog.get(), "nameBox")->currentText(), s("a-苹果"));
    type(dialog.get(), "quantityEdit", s("3"));
    child<QComboBox>(dialog.get(), "discountBox")->setCurrentText(s("9.5"));
    click(dialog.get(), "modifyButton");
    // Enter in the entry row adds a line: 2 x 5 at 9.5.
    child<AutoCompleteCombo>(dialog.get(), "nameBox")->lineEdit()->insert(s("新品"));
    type(dialog.get(), "quantityEdit", s("2"));
    type(dialog.get(), "priceEdit", s("5"));
    child<QComboBox>(dialog.get(), "discountBox")->setCurrentText(s("9.5"));
    QTest::keyClick(child<QLineEdit>(dialog.get(), "priceEdit"), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible()) << "Enter does not end the dialog";
    // Delete the first line.
    clickRow(child<SortableList>(dialog.get(), "lineList"), 0);
    click(dialog.get(), "deleteButton");
    ASSERT_EQ(rows(dialog.get()),
              (QStringList{s("2|a-苹果|3|3.00|9.00|8.55"), s("3|m-桃|4|1.00|4.00|4.00"),
                           s("4|新品|2|5.00|10.00|9.50")}));
    EXPECT_EQ(child<QLineEdit>(dialog.get(), "totalEdit")->text(), s("22.05"));

    // The header: a typed total, another customer, a remark with a quote.
    type(dialog.get(), "totalEdit", s("22"));
    child<AutoCompleteCombo>(dialog.get(), "customerBox")->setEditText(s("O'Neil"));
    child<QPlainTextEdit>(dialog.get(), "remarkEdit")->setPlainText(s("改过 '1'"));
    click(dialog.get(), "saveButton");
    EXPECT_EQ(m_env.prompt().lastText(), s("保存成功！"));
    EXPECT_EQ(m_env.prompt().messages().last().caption, s("恭喜"));
    EXPECT_EQ(storedLines(),
              (QStringList{s("a-苹果|3|3|9|8.55"), s("m-桃|4|1|4|4"), s("新品|2|5|10|9.5")}));
    EXPECT_EQ(storedHeader(), s("2008-03-05 09:07:01|22|9|admin|改过 '1'|O'Neil|123|现金"));
    EXPECT_TRUE(dialog->saved());
    EXPECT_EQ(dialog->savedValues().total, s("22.00"));
    EXPECT_EQ(dialog->savedValues().quantity, s("9"));
    EXPECT_EQ(dialog->savedHeader().customer, s("O'Neil"));

    // A discounted line clicked brings its discount: another quantity keeps it.
    clickRow(child<SortableList>(dialog.get(), "lineList"), 0);
    EXPECT_EQ(child<QComboBox>(dialog.get(), "discountBox")->currentText(), s("9.5"));
    type(dialog.get(), "quantityEdit", s("4"));
    click(dialog.get(), "modifyButton");
    EXPECT_EQ(child<QComboBox>(dialog.get(), "discountBox")->currentText(), s("10"));
    click(dialog.get(), "saveButton");
    const QStringList saved{s("a-苹果|4|3|12|11.4"), s("m-桃|4|1|4|4"), s("新品|2|5|10|9.5")};
    EXPECT_EQ(storedLines(), saved);

    // A save that fails half-way leaves the sale as it was.
    m_records.exec(s("create trigger \"full_disk\" before update on \"POS_RECORD\" begin "
                     "select raise(abort, 'disk full'); end"));
    clickRow(child<SortableList>(dialog.get(), "lineList"), 1);
    EXPECT_EQ(child<QComboBox>(dialog.get(), "discountBox")->currentText(), s("10"));
    type(dialog.get(), "quantityEdit", s("40"));
    click(dialog.get(), "modifyButton");
    click(dialog.get(), "saveButton");
    EXPECT_TRUE(m_env.prompt().lastText().contains(s("disk full")));
    EXPECT_EQ(storedLines(), saved);
    EXPECT_EQ(dialog->savedValues().quantity, s("10")) << "the last good save counts";

    // Closing with the failed edit asks; Cancel keeps the dialog, No closes it.
    m_env.prompt().answerNext(Prompt::Answer::Cancel);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    m_env.prompt().answerNext(Prompt::Answer::No);
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(m_env.prompt().messages().last().text, s("销售记录已修改，是否保存修改？"));
}

TEST_F(RecordDetailDialogTest, ATotalThatIsNoAmountIsRefusedAndFullWidthDigitsAreRead)
{
    auto dialog = open();
    QLineEdit *total = child<QLineEdit>(dialog.get(), "totalEdit");
    for (const char *typed : {"1e309", "abc", "12,50", "nan", "100000000"}) {
        retype(total, s(typed));
        click(dialog.get(), "saveButton");
        EXPECT_TRUE(
            m_env.prompt().lastText().startsWith(s("合计金额“%1”不是有效的金额").arg(s(typed))))
            << typed << ": " << m_env.prompt().lastText().toStdString();
        EXPECT_FALSE(dialog->saved()) << typed;
        EXPECT_EQ(storedHeader(), s("2008-03-05 09:07:01|20|7|admin||老王|123|现金")) << typed;
    }
    retype(total, QString());
    commitText(total, s("１２.５"));
    click(dialog.get(), "saveButton");
    EXPECT_EQ(m_env.prompt().lastText(), s("保存成功！"));
    EXPECT_EQ(storedHeader(), s("2008-03-05 09:07:01|12.5|7|admin||老王|123|现金"));
    EXPECT_EQ(dialog->savedValues().total, s("12.50"));
}

// Till A has the details open while till B deletes the sale: A's save must
// neither bring the sale back nor leave its lines without a sale.
TEST_F(RecordDetailDialogTest, ASaleDeletedByAnotherTillMeanwhileIsNotStoredAgain)
{
    auto dialog = open();
    QProcess tillB;
    tillB.start(s("sqlite3"), {m_env.recordsFile(),
                               s("begin; delete from \"POS_RECORD_DETAIL\" where \"NO\" = '0008'; "
                                 "delete from \"POS_RECORD\" where \"NO\" = '0008'; commit;")});
    ASSERT_TRUE(tillB.waitForFinished(10000));
    ASSERT_EQ(tillB.exitCode(), 0) << tillB.readAllStandardError().toStdString();

    clickRow(child<SortableList>(dialog.get(), "lineList"), 1);
    type(dialog.get(), "quantityEdit", s("3"));
    click(dialog.get(), "modifyButton");
    click(dialog.get(), "saveButton");
    EXPECT_EQ(m_env.prompt().lastText(),
              s("销售票号为0008的记录已被删除（可能是在另一台收银机上），修改没有保存。"));
    EXPECT_FALSE(dialog->saved());
    EXPECT_EQ(storedLines(), QStringList()) << "no orphan lines";
    EXPECT_EQ(storedHeader(), QString());

    // A new sale stored later under the same number is not mistaken for it.
    m_records.exec(s("insert into \"POS_RECORD\" (\"NO\", \"date\", \"money\") "
                     "values ('0008', '2008-03-06 10:00:00', 1)"));
    click(dialog.get(), "saveButton");
    EXPECT_TRUE(m_env.prompt().lastText().contains(s("已被删除")));
    EXPECT_EQ(storedLines(), QStringList());
    m_env.prompt().answerNext(Prompt::Answer::No);
    dialog->close();
}

TEST_F(RecordDetailDialogTest, AnOrdinaryUserSavesTheHeaderButNotTheLines)
{
    m_env.settings().userPower = s("普通用户");
    auto dialog = open();
    for (const char *button : {"addButton", "modifyButton", "deleteButton", "exportButton"})
        EXPECT_FALSE(child<QPushButton>(dialog.get(), button)->isEnabled()) << button;
    EXPECT_TRUE(child<QPushButton>(dialog.get(), "saveButton")->isEnabled());
    child<AutoCompleteCombo>(dialog.get(), "nameBox")->lineEdit()->insert(s("偷加"));
    QTest::keyClick(child<QLineEdit>(dialog.get(), "quantityEdit"), Qt::Key_Return);
    clickRow(child<SortableList>(dialog.get(), "lineList"), 0);
    QTest::keyClick(child<SortableList>(dialog.get(), "lineList"), Qt::Key_Delete);
    EXPECT_EQ(rows(dialog.get()).size(), 3);

    child<QPlainTextEdit>(dialog.get(), "remarkEdit")->setPlainText(s("已送货"));
    click(dialog.get(), "saveButton");
    EXPECT_EQ(m_env.prompt().lastText(), s("保存成功！"));
    EXPECT_EQ(storedLines().size(), 3);
    EXPECT_EQ(storedHeader(), s("2008-03-05 09:07:01|20|7|admin|已送货|老王|123|现金"));
    dialog->close();
    EXPECT_FALSE(dialog->isVisible()) << "nothing unsaved: no question";
}

TEST_F(RecordDetailDialogTest, TheLastLineCannotBeDeletedNorAnEmptyOrZeroLineAdded)
{
    auto dialog = open();
    for (int left = 3; left > 1; --left) {
        clickRow(child<SortableList>(dialog.get(), "lineList"), 0);
        click(dialog.get(), "deleteButton");
    }
    clickRow(child<SortableList>(dialog.get(), "lineList"), 0);
    click(dialog.get(), "deleteButton");
    EXPECT_EQ(m_env.prompt().lastText(), s("不能再删除了！"));
    EXPECT_EQ(rows(dialog.get()).size(), 1);

    for (const QString &blank : {QString(), s("   ")}) {
        child<AutoCompleteCombo>(dialog.get(), "nameBox")->setEditText(blank);
        click(dialog.get(), "addButton");
        EXPECT_EQ(m_env.prompt().lastText(), s("名称不能为空！"));
    }
    child<AutoCompleteCombo>(dialog.get(), "nameBox")->setEditText(QString());
    child<AutoCompleteCombo>(dialog.get(), "nameBox")->lineEdit()->insert(s("新品"));
    child<QComboBox>(dialog.get(), "discountBox")->setEditText(s("15"));
    click(dialog.get(), "addButton");
    EXPECT_EQ(m_env.prompt().lastText(), SaleEntry::discountRangeMessage());
    EXPECT_EQ(rows(dialog.get()).size(), 1);
    // The discount typed away entirely is the full price, not a line given away.
    QLineEdit *discount = child<QComboBox>(dialog.get(), "discountBox")->lineEdit();
    discount->selectAll();
    QTest::keyClick(discount, Qt::Key_Backspace);
    type(dialog.get(), "quantityEdit", s("0"));
    click(dialog.get(), "addButton");
    EXPECT_EQ(m_env.prompt().lastText(), s("数量不能为零！"));
    type(dialog.get(), "quantityEdit", s("-1"));
    click(dialog.get(), "addButton");
    // Numbered after the highest left ("3"), never again a number in use.
    EXPECT_EQ(rows(dialog.get()),
              (QStringList{s("3|m-桃|4|1.00|4.00|4.00"), s("4|新品|-1|1.00|-1.00|-1.00")}));
    EXPECT_EQ(child<QLineEdit>(dialog.get(), "totalEdit")->text(), s("3.00"));
    click(dialog.get(), "saveButton");
    EXPECT_EQ(storedLines(), (QStringList{s("m-桃|4|1|4|4"), s("新品|-1|1|-1|-1")}));
    dialog->close();
}

// A picture of the window for the documentation (`make pictures`).
TEST_F(RecordDetailDialogTest, Picture)
{
    FontAliases::install();
    auto dialog = open();
    clickRow(child<SortableList>(dialog.get(), "lineList"), 1);
    QTest::qWait(50);
    savePicture(dialog->grab().toImage(), s("details-window"));
}

} // namespace
