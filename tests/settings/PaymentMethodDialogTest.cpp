// The payment-methods window driven as a person drives it, and the sales
// window's box as the "现金" rule fills it after each run.
#include "settings/PaymentMethodDialog.h"
#include "controls/SortableList.h"
#include "data/Database.h"
#include "settings/PaymentMethods.h"
#include "support/Gui.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class PaymentMethodDialogTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_db.open(m_env.settings().settingsDsn)); }

    // What the sales window does at its start and after every run of the dialog.
    QStringList salesBox() { return PaymentMethods(m_db).loadWithDefault(); }
    QStringList stored() { return PaymentMethods(m_db).texts(); }

    std::unique_ptr<PaymentMethodDialog> openDialog()
    {
        auto dialog = std::make_unique<PaymentMethodDialog>(m_env.settings());
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        return dialog;
    }

    SortableList *list(PaymentMethodDialog &d)
    {
        return d.findChild<SortableList *>(QStringLiteral("list"));
    }
    QLineEdit *field(PaymentMethodDialog &d)
    {
        return d.findChild<QLineEdit *>(QStringLiteral("methodEdit"));
    }
    void press(PaymentMethodDialog &d, const char *name)
    {
        QTest::mouseClick(d.findChild<QPushButton *>(QLatin1String(name)), Qt::LeftButton);
    }

    void type(PaymentMethodDialog &d, const QString &text)
    {
        field(d)->clear();
        commitText(field(d), text);
    }

    QStringList shown(PaymentMethodDialog &d, int column = 1)
    {
        QStringList texts;
        for (int row = 0; row < list(d)->rowCount(); ++row)
            texts << list(d)->text(row, column);
        return texts;
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

TEST_F(PaymentMethodDialogTest, DeliveredDatabaseShowsCashInTheSalesBoxAndTheWindow)
{
    EXPECT_EQ(salesBox(), QStringList{QStringLiteral("现金")});
    auto dialog = openDialog();

    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("设置付款方式"));
    SortableList *view = list(*dialog);
    ASSERT_EQ(view->columnCount(), 2);
    EXPECT_EQ(view->columnTitle(0), QStringLiteral("序号"));
    EXPECT_EQ(view->columnTitle(1), QStringLiteral("付款方式"));
    EXPECT_EQ(view->columnWidth(0), 50);
    EXPECT_EQ(view->columnWidth(1), 150);
    EXPECT_EQ(view->rowHeights(), 17);
    EXPECT_EQ(shown(*dialog, 0), QStringList{QStringLiteral("1")});
    EXPECT_EQ(shown(*dialog), QStringList{QStringLiteral("现金")});

    auto *add = dialog->findChild<QPushButton *>(QStringLiteral("addButton"));
    EXPECT_EQ(add->text(), QStringLiteral("添加(&A)"));
    EXPECT_TRUE(add->isDefault());
    EXPECT_EQ(dialog->findChild<QPushButton *>(QStringLiteral("changeButton"))->text(),
              QStringLiteral("修改(&M)"));
    EXPECT_EQ(dialog->findChild<QPushButton *>(QStringLiteral("deleteButton"))->text(),
              QStringLiteral("删除(&D)"));

    clickRow(list(*dialog), 0);
    EXPECT_EQ(field(*dialog)->text(), QStringLiteral("现金"));
}

TEST_F(PaymentMethodDialogTest, AddingGivesASecondMethodAndRefusesCashAgain)
{
    salesBox();
    auto dialog = openDialog();

    press(*dialog, "addButton");
    expectCaution(QStringLiteral("付款方式不能为空!"));

    type(*dialog, QStringLiteral("微信"));
    QTest::keyClick(field(*dialog), Qt::Key_Return); // Enter adds
    EXPECT_EQ(shown(*dialog), (QStringList{"现金", "微信"}));
    EXPECT_EQ(shown(*dialog, 0), (QStringList{"1", "2"}));

    m_env.prompt().clear();
    type(*dialog, QStringLiteral("现金"));
    press(*dialog, "addButton");
    expectCaution(QStringLiteral("此项已存在!"));
    EXPECT_EQ(stored(), (QStringList{"现金", "微信"}));
    EXPECT_EQ(salesBox(), (QStringList{"现金", "微信"}));
}

TEST_F(PaymentMethodDialogTest, ChangeRefusesAnUnchangedTextAndRewritesTheSelectedRow)
{
    salesBox();
    PaymentMethods(m_db).add(QStringLiteral("微信"));
    PaymentMethods(m_db).add(QStringLiteral("支付宝"));
    auto dialog = openDialog();

    press(*dialog, "changeButton");
    expectCaution(QStringLiteral("请选择需要修改的项!"));

    clickRow(list(*dialog), 1);
    press(*dialog, "changeButton");
    expectCaution(QStringLiteral("此项已存在!"));
    type(*dialog, QStringLiteral("支付宝"));
    press(*dialog, "changeButton");
    expectCaution(QStringLiteral("此项已存在!"));
    field(*dialog)->clear();
    press(*dialog, "changeButton");
    expectCaution(QStringLiteral("付款方式不能为空!"));
    EXPECT_EQ(stored(), (QStringList{"现金", "微信", "支付宝"}));

    m_env.prompt().clear();
    type(*dialog, QStringLiteral("微信支付"));
    press(*dialog, "changeButton");
    EXPECT_TRUE(m_env.prompt().messages().isEmpty());
    EXPECT_EQ(shown(*dialog), (QStringList{"现金", "微信支付", "支付宝"}));
    EXPECT_EQ(list(*dialog)->selectedRows(), QList<int>{1});
    EXPECT_TRUE(list(*dialog)->hasFocus());
    EXPECT_EQ(salesBox(), (QStringList{"现金", "微信支付", "支付宝"}));
}

TEST_F(PaymentMethodDialogTest, DeletingEveryMethodLeavesTheSalesBoxEmpty)
{
    salesBox();
    PaymentMethods(m_db).add(QStringLiteral("微信"));
    auto dialog = openDialog();

    press(*dialog, "deleteButton");
    expectCaution(QStringLiteral("请选择需要删除的项!"));

    // Cancel keeps the method but empties the field.
    clickRow(list(*dialog), 1);
    m_env.prompt().answerNext(Prompt::Answer::Cancel);
    press(*dialog, "deleteButton");
    const ScriptedPrompt::Message question = m_env.prompt().messages().last();
    EXPECT_EQ(question.text, QStringLiteral("确定要删除<微信>记录吗?"));
    EXPECT_EQ(question.caption, QStringLiteral("确认"));
    EXPECT_EQ(question.icon, Prompt::Icon::NoIcon);
    EXPECT_EQ(question.buttons, Prompt::Buttons::OkCancel);
    EXPECT_EQ(field(*dialog)->text(), QString());
    EXPECT_EQ(stored(), (QStringList{"现金", "微信"}));

    // The last row deleted: the new last row is selected.
    m_env.prompt().answerNext(Prompt::Answer::Ok);
    press(*dialog, "deleteButton");
    EXPECT_EQ(shown(*dialog), QStringList{QStringLiteral("现金")});
    EXPECT_EQ(list(*dialog)->selectedRows(), QList<int>{0});
    m_env.prompt().answerNext(Prompt::Answer::Ok);
    press(*dialog, "deleteButton");
    EXPECT_EQ(list(*dialog)->rowCount(), 0);

    EXPECT_TRUE(salesBox().isEmpty());
    EXPECT_TRUE(stored().isEmpty());
}

TEST_F(PaymentMethodDialogTest, MethodsWithQuotesAndHundredCharactersAreStoredAsTyped)
{
    salesBox();
    const QString quoted = QStringLiteral("店主's \"卡\"");
    const QString longText = QString(100, QChar(0x5361)); // 卡
    auto dialog = openDialog();
    type(*dialog, quoted);
    press(*dialog, "addButton");
    type(*dialog, longText);
    press(*dialog, "addButton");
    EXPECT_TRUE(m_env.prompt().messages().isEmpty()) << m_env.prompt().lastText().toStdString();
    EXPECT_EQ(stored(), (QStringList{QStringLiteral("现金"), quoted, longText}));

    clickRow(list(*dialog), 1);
    type(*dialog, quoted + QStringLiteral("'"));
    press(*dialog, "changeButton");
    EXPECT_EQ(stored(), (QStringList{QStringLiteral("现金"), quoted + "'", longText}));
}

} // namespace
