// The customers window driven as a cashier drives it: typing, clicking rows
// and buttons, answering its questions, closing it.
#include "settings/CustomerDialog.h"
#include "controls/SortableList.h"
#include "data/Database.h"
#include "settings/CustomerBook.h"
#include "support/Gui.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Chinese arrives the way an input method delivers it.
class CustomerDialogTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_db.open(m_env.settings().settingsDsn)); }

    void addStored(const QString &name, const QString &phone)
    {
        CustomerBook(m_db).add(name, phone);
    }

    std::unique_ptr<CustomerDialog> openDialog()
    {
        auto dialog = std::make_unique<CustomerDialog>(m_env.settings());
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        return dialog;
    }

    template <class T> T *child(CustomerDialog &dialog, const char *name)
    {
        return ::child<T>(&dialog, name);
    }
    SortableList *list(CustomerDialog &d) { return child<SortableList>(d, "list"); }
    QPlainTextEdit *nameField(CustomerDialog &d) { return child<QPlainTextEdit>(d, "nameEdit"); }
    QLineEdit *phoneField(CustomerDialog &d) { return child<QLineEdit>(d, "phoneEdit"); }
    QPushButton *button(CustomerDialog &d, const char *name) { return child<QPushButton>(d, name); }

    void enter(CustomerDialog &dialog, const QString &name, const QString &phone)
    {
        nameField(dialog)->clear();
        commitText(nameField(dialog), name);
        phoneField(dialog)->setText(phone);
    }

    void search(CustomerDialog &dialog, const QString &name, const QString &phone)
    {
        child<QLineEdit>(dialog, "searchNameEdit")->setText(name);
        child<QLineEdit>(dialog, "searchPhoneEdit")->setText(phone);
        QTest::mouseClick(button(dialog, "searchButton"), Qt::LeftButton);
    }

    QStringList column(CustomerDialog &dialog, int col)
    {
        QStringList texts;
        for (int row = 0; row < list(dialog)->rowCount(); ++row)
            texts << list(dialog)->text(row, col);
        return texts;
    }

    QStringList storedNames() { return namesOf(CustomerBook(m_db).all()); }
    static QStringList namesOf(const QList<Customer> &customers)
    {
        QStringList names;
        for (const Customer &customer : customers)
            names << customer.name;
        return names;
    }

    void expectCaution(const QString &text)
    {
        ASSERT_FALSE(m_env.prompt().messages().isEmpty());
        const ScriptedPrompt::Message &message = m_env.prompt().messages().last();
        EXPECT_EQ(message.text, text);
        EXPECT_EQ(message.caption, QStringLiteral("注意"));
        EXPECT_EQ(message.icon, Prompt::Icon::Warning);
    }

    TestEnv m_env;
    Database m_db;
};

TEST_F(CustomerDialogTest, OpensWithEveryCustomerNumberedInItsColumns)
{
    addStored(QStringLiteral("张三"), QStringLiteral("13800000001"));
    addStored(QStringLiteral("李四"), QString());
    auto dialog = openDialog();

    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("设置客户名"));
    SortableList *view = list(*dialog);
    ASSERT_EQ(view->columnCount(), 3);
    EXPECT_EQ(view->columnTitle(0), QStringLiteral("序号"));
    EXPECT_EQ(view->columnTitle(1), QStringLiteral("客户(点击排序)"));
    EXPECT_EQ(view->columnTitle(2), QStringLiteral("电话"));
    EXPECT_EQ(view->columnWidth(0), 39);
    EXPECT_EQ(view->columnWidth(1), 150);
    EXPECT_EQ(view->columnWidth(2), 100);
    EXPECT_EQ(view->rowHeights(), 17);
    EXPECT_EQ(view->palette().color(QPalette::Base), QColor(135, 215, 215));

    EXPECT_EQ(column(*dialog, 0), (QStringList{"1", "2"}));
    EXPECT_EQ(column(*dialog, 1), (QStringList{"张三", "李四"}));
    EXPECT_EQ(column(*dialog, 2), (QStringList{"13800000001", ""}));

    EXPECT_EQ(button(*dialog, "addButton")->text(), QStringLiteral("添加(&A)"));
    EXPECT_TRUE(button(*dialog, "addButton")->isDefault());
    EXPECT_EQ(button(*dialog, "changeButton")->text(), QStringLiteral("修改(M)"));
    EXPECT_EQ(button(*dialog, "deleteButton")->text(), QStringLiteral("删除(D)"));
    EXPECT_EQ(button(*dialog, "searchButton")->text(), QStringLiteral("查询(&Q)"));
    EXPECT_TRUE(m_env.prompt().messages().isEmpty());
}

TEST_F(CustomerDialogTest, ClickingARowCopiesItIntoTheFieldsAlsoAfterSorting)
{
    addStored(QStringLiteral("张三"), QStringLiteral("111"));
    addStored(QStringLiteral("李四"), QStringLiteral("222"));
    auto dialog = openDialog();

    clickRow(list(*dialog), 1);
    EXPECT_EQ(nameField(*dialog)->toPlainText(), QStringLiteral("李四"));
    EXPECT_EQ(phoneField(*dialog)->text(), QStringLiteral("222"));

    // Sorted by phone descending, row 0 is 李四 and its number travels with it.
    list(*dialog)->sortByClick(2);
    list(*dialog)->sortByClick(2);
    ASSERT_EQ(column(*dialog, 1), (QStringList{"李四", "张三"}));
    EXPECT_EQ(column(*dialog, 0), (QStringList{"2", "1"}));
    clickRow(list(*dialog), 1);
    EXPECT_EQ(nameField(*dialog)->toPlainText(), QStringLiteral("张三"));
    EXPECT_EQ(phoneField(*dialog)->text(), QStringLiteral("111"));
}

TEST_F(CustomerDialogTest, AddStoresTheCustomerAndRefusesEmptyAndExistingNames)
{
    auto dialog = openDialog();

    QTest::mouseClick(button(*dialog, "addButton"), Qt::LeftButton);
    expectCaution(QStringLiteral("客户名不能为空!"));
    enter(*dialog, QStringLiteral("  "), QStringLiteral("1"));
    QTest::mouseClick(button(*dialog, "addButton"), Qt::LeftButton);
    expectCaution(QStringLiteral("客户名不能为空!"));
    EXPECT_TRUE(storedNames().isEmpty());

    enter(*dialog, QStringLiteral("张三"), QStringLiteral("13800000001"));
    QTest::mouseClick(button(*dialog, "addButton"), Qt::LeftButton);
    EXPECT_EQ(column(*dialog, 1), QStringList{QStringLiteral("张三")});
    EXPECT_EQ(column(*dialog, 2), QStringList{QStringLiteral("13800000001")});
    EXPECT_TRUE(dialog->changed());

    m_env.prompt().clear();
    QTest::mouseClick(button(*dialog, "addButton"), Qt::LeftButton);
    expectCaution(QStringLiteral("此项已存在!"));
    EXPECT_EQ(storedNames(), QStringList{QStringLiteral("张三")});
}

TEST_F(CustomerDialogTest, DuplicateCheckSeesCustomersOutsideTheSearch)
{
    addStored(QStringLiteral("张三"), QStringLiteral("111"));
    addStored(QStringLiteral("王五"), QStringLiteral("222"));
    auto dialog = openDialog();
    search(*dialog, QStringLiteral("王"), QString());
    ASSERT_EQ(column(*dialog, 1), QStringList{QStringLiteral("王五")});

    enter(*dialog, QStringLiteral("张三"), QStringLiteral("333"));
    QTest::mouseClick(button(*dialog, "addButton"), Qt::LeftButton);
    expectCaution(QStringLiteral("此项已存在!"));
    EXPECT_EQ(storedNames(), (QStringList{"张三", "王五"}));
    EXPECT_FALSE(dialog->changed());
}

TEST_F(CustomerDialogTest, SearchFindsTextAnywhereAndStaysForLaterRefills)
{
    addStored(QStringLiteral("张三"), QStringLiteral("13800000001"));
    addStored(QStringLiteral("李四"), QStringLiteral("13900000002"));
    addStored(QStringLiteral("小张"), QString());
    auto dialog = openDialog();

    search(*dialog, QStringLiteral("张"), QString());
    EXPECT_EQ(column(*dialog, 1), (QStringList{"张三", "小张"}));
    EXPECT_EQ(column(*dialog, 0), (QStringList{"1", "2"}));

    // A new customer outside the search is stored but not shown.
    enter(*dialog, QStringLiteral("赵六"), QStringLiteral("555"));
    QTest::mouseClick(button(*dialog, "addButton"), Qt::LeftButton);
    EXPECT_EQ(column(*dialog, 1), (QStringList{"张三", "小张"}));
    EXPECT_EQ(storedNames().size(), 4);
    enter(*dialog, QStringLiteral("张飞"), QString());
    QTest::mouseClick(button(*dialog, "addButton"), Qt::LeftButton);
    EXPECT_EQ(column(*dialog, 1), (QStringList{"张三", "小张", "张飞"}));

    search(*dialog, QString(), QStringLiteral("139"));
    EXPECT_EQ(column(*dialog, 1), QStringList{QStringLiteral("李四")});
    search(*dialog, QString(), QString());
    EXPECT_EQ(list(*dialog)->rowCount(), 5);
}

TEST_F(CustomerDialogTest, EnterAddsFromTheNameFieldAndSearchesFromTheSearchFields)
{
    addStored(QStringLiteral("张三"), QStringLiteral("111"));
    addStored(QStringLiteral("李四"), QStringLiteral("222"));
    auto dialog = openDialog();

    auto *searchName = child<QLineEdit>(*dialog, "searchNameEdit");
    commitText(searchName, QStringLiteral("李"));
    QTest::keyClick(searchName, Qt::Key_Return);
    EXPECT_EQ(column(*dialog, 1), QStringList{QStringLiteral("李四")});
    EXPECT_EQ(storedNames().size(), 2);

    enter(*dialog, QStringLiteral("李白"), QStringLiteral("333"));
    QTest::keyClick(nameField(*dialog), Qt::Key_Return);
    EXPECT_EQ(column(*dialog, 1), (QStringList{"李四", "李白"}));
    EXPECT_EQ(nameField(*dialog)->toPlainText(), QStringLiteral("李白")); // no line break typed
    QTest::keyClick(phoneField(*dialog), Qt::Key_Enter);
    expectCaution(QStringLiteral("此项已存在!"));
}

TEST_F(CustomerDialogTest, ChangeRewritesTheSelectedCustomerOnly)
{
    addStored(QStringLiteral("张三"), QStringLiteral("111"));
    addStored(QStringLiteral("李四"), QStringLiteral("222"));
    addStored(QStringLiteral("王五"), QStringLiteral("333"));
    auto dialog = openDialog();

    QTest::mouseClick(button(*dialog, "changeButton"), Qt::LeftButton);
    expectCaution(QStringLiteral("请选择需要修改的项!"));

    clickRow(list(*dialog), 1);
    nameField(*dialog)->clear();
    QTest::mouseClick(button(*dialog, "changeButton"), Qt::LeftButton);
    expectCaution(QStringLiteral("名目不能为空!"));
    EXPECT_EQ(storedNames(), (QStringList{"张三", "李四", "王五"}));
    EXPECT_FALSE(dialog->changed());

    // To a name that exists elsewhere: accepted, two rows with that name.
    m_env.prompt().clear();
    enter(*dialog, QStringLiteral("张三"), QStringLiteral("999"));
    QTest::mouseClick(button(*dialog, "changeButton"), Qt::LeftButton);
    EXPECT_TRUE(m_env.prompt().messages().isEmpty());
    EXPECT_EQ(column(*dialog, 1), (QStringList{"张三", "张三", "王五"}));
    EXPECT_EQ(column(*dialog, 2), (QStringList{"111", "999", "333"}));
    EXPECT_EQ(list(*dialog)->selectedRows(), QList<int>{1});
    EXPECT_EQ(list(*dialog)->currentRow(), 1);
    EXPECT_TRUE(list(*dialog)->hasFocus());
    EXPECT_TRUE(dialog->changed());

    // The first namesake keeps its own telephone when the second changes again.
    enter(*dialog, QStringLiteral("张三"), QStringLiteral("888"));
    QTest::mouseClick(button(*dialog, "changeButton"), Qt::LeftButton);
    EXPECT_EQ(column(*dialog, 2), (QStringList{"111", "888", "333"}));
}

TEST_F(CustomerDialogTest, DeleteAsksAndCancelOnlyClearsTheNameField)
{
    addStored(QStringLiteral("张三"), QStringLiteral("111"));
    addStored(QStringLiteral("李四"), QStringLiteral("222"));
    auto dialog = openDialog();

    QTest::mouseClick(button(*dialog, "deleteButton"), Qt::LeftButton);
    expectCaution(QStringLiteral("请选择需要删除的项!"));

    clickRow(list(*dialog), 0);
    m_env.prompt().answerNext(Prompt::Answer::Cancel);
    QTest::mouseClick(button(*dialog, "deleteButton"), Qt::LeftButton);
    const ScriptedPrompt::Message question = m_env.prompt().messages().last();
    EXPECT_EQ(question.text, QStringLiteral("确定要删除<张三>记录吗?"));
    EXPECT_EQ(question.caption, QStringLiteral("确认"));
    EXPECT_EQ(question.icon, Prompt::Icon::NoIcon);
    EXPECT_EQ(question.buttons, Prompt::Buttons::OkCancel);

    EXPECT_EQ(storedNames(), (QStringList{"张三", "李四"}));
    EXPECT_EQ(nameField(*dialog)->toPlainText(), QString());
    EXPECT_EQ(phoneField(*dialog)->text(), QStringLiteral("111"));
    EXPECT_EQ(list(*dialog)->selectedRows(), QList<int>{0});
    EXPECT_FALSE(dialog->changed());
}

TEST_F(CustomerDialogTest, DeletingTheLastRowSelectsTheNewLastRow)
{
    addStored(QStringLiteral("张三"), QStringLiteral("111"));
    addStored(QStringLiteral("李四"), QStringLiteral("222"));
    addStored(QStringLiteral("王五"), QStringLiteral("333"));
    auto dialog = openDialog();

    clickRow(list(*dialog), 2);
    m_env.prompt().answerNext(Prompt::Answer::Ok);
    QTest::mouseClick(button(*dialog, "deleteButton"), Qt::LeftButton);
    EXPECT_EQ(storedNames(), (QStringList{"张三", "李四"}));
    EXPECT_EQ(list(*dialog)->selectedRows(), QList<int>{1});
    EXPECT_EQ(nameField(*dialog)->toPlainText(), QString());
    EXPECT_TRUE(dialog->changed());

    // A middle row keeps its position: the next customer moves into it.
    clickRow(list(*dialog), 0);
    m_env.prompt().answerNext(Prompt::Answer::Ok);
    QTest::mouseClick(button(*dialog, "deleteButton"), Qt::LeftButton);
    EXPECT_EQ(column(*dialog, 1), QStringList{QStringLiteral("李四")});
    EXPECT_EQ(list(*dialog)->selectedRows(), QList<int>{0});

    clickRow(list(*dialog), 0);
    m_env.prompt().answerNext(Prompt::Answer::Ok);
    QTest::mouseClick(button(*dialog, "deleteButton"), Qt::LeftButton);
    EXPECT_EQ(list(*dialog)->rowCount(), 0);
    EXPECT_TRUE(list(*dialog)->selectedRows().isEmpty());
}

TEST_F(CustomerDialogTest, NamesWithQuotesChineseAndHundredCharactersAreStoredAsTyped)
{
    const QString quoted = QStringLiteral("O'Brien \"老王\"");
    const QString longName = QString(100, QChar(0x674E)); // 李 a hundred times
    auto dialog = openDialog();
    enter(*dialog, quoted, QStringLiteral("0'1"));
    QTest::mouseClick(button(*dialog, "addButton"), Qt::LeftButton);
    enter(*dialog, longName, QString(100, QLatin1Char('8')));
    QTest::mouseClick(button(*dialog, "addButton"), Qt::LeftButton);
    EXPECT_TRUE(m_env.prompt().messages().isEmpty()) << m_env.prompt().lastText().toStdString();

    const QList<Customer> stored = CustomerBook(m_db).all();
    ASSERT_EQ(stored.size(), 2);
    EXPECT_EQ(stored[0].name, quoted);
    EXPECT_EQ(stored[0].phone, QStringLiteral("0'1"));
    EXPECT_EQ(stored[1].name, longName);
    EXPECT_EQ(column(*dialog, 1), (QStringList{quoted, longName}));

    // Changing and deleting address them as well.
    clickRow(list(*dialog), 0);
    enter(*dialog, quoted + QStringLiteral("'s"), QStringLiteral("0'1"));
    QTest::mouseClick(button(*dialog, "changeButton"), Qt::LeftButton);
    clickRow(list(*dialog), 1);
    m_env.prompt().answerNext(Prompt::Answer::Ok);
    QTest::mouseClick(button(*dialog, "deleteButton"), Qt::LeftButton);
    EXPECT_EQ(storedNames(), QStringList{quoted + QStringLiteral("'s")});
}

TEST_F(CustomerDialogTest, UnreachableDatabaseIsReportedAndNothingIsCounted)
{
    addStored(QStringLiteral("张三"), QStringLiteral("111"));
    auto dialog = openDialog();
    m_db.close();
    ASSERT_TRUE(QFile::rename(m_env.settingsFile(), m_env.settingsFile() + ".away"));

    enter(*dialog, QStringLiteral("李四"), QString());
    QTest::mouseClick(button(*dialog, "addButton"), Qt::LeftButton);
    EXPECT_EQ(m_env.prompt().lastText(), QStringLiteral("不能打开数据库"));
    EXPECT_FALSE(dialog->changed());
    EXPECT_EQ(column(*dialog, 1), QStringList{QStringLiteral("张三")});

    ASSERT_TRUE(QFile::rename(m_env.settingsFile() + ".away", m_env.settingsFile()));
    ASSERT_TRUE(m_db.open(m_env.settings().settingsDsn));
    EXPECT_EQ(storedNames(), QStringList{QStringLiteral("张三")});
}

} // namespace
