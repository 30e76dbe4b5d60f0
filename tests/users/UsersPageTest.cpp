// The users page driven as an administrator and as an ordinary user: the list,
// add, modify and delete through their dialogs, and "取消直接登录".
#include "UsersTestBase.h"
#include "support/Gui.h"
#include "support/ScriptedDialogs.h"

#include "controls/SortableList.h"
#include "data/LoginRow.h"
#include "users/AddUserDialog.h"
#include "users/DeleteUserDialog.h"
#include "users/ModifyUserDialog.h"
#include "users/UserAccounts.h"
#include "users/UsersPage.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>

namespace {

class UsersPageTest : public UsersTest
{
protected:
    UsersPageTest()
    {
        settings().userName = QStringLiteral("admin");
        settings().userPower = admin();
    }

    UsersPage &open()
    {
        m_page = std::make_unique<UsersPage>(settings());
        m_page->resize(520, 330);
        m_page->show();
        QApplication::setActiveWindow(m_page.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_page.get()));
        return *m_page;
    }
    SortableList *list() { return child<SortableList>(m_page.get(), "list"); }
    QPushButton *button(const char *name) { return child<QPushButton>(m_page.get(), name); }
    QStringList names()
    {
        QStringList shown;
        for (int row = 0; row < list()->rowCount(); ++row)
            shown.append(list()->text(row, 1));
        return shown;
    }
    void addUser(const QString &name, const QString &pw, const QString &power)
    {
        ASSERT_EQ(UserAccounts(db()).add(name, pw, pw, power), UserAccounts::AddResult::Added);
    }
    static void type(QWidget *dialog, const char *field, const QString &text)
    {
        auto *edit = child<QLineEdit>(dialog, field);
        edit->clear();
        commitText(edit, text);
    }

    std::unique_ptr<UsersPage> m_page;
};

TEST_F(UsersPageTest, ListsEveryUserNumberedInTableOrder)
{
    addUser(QStringLiteral("小李"), QString(), ordinary());
    addUser(QStringLiteral("Bob"), QString(), admin());
    open();
    SortableList *users = list();
    ASSERT_EQ(users->columnCount(), 3);
    EXPECT_EQ(users->columnTitle(0), QStringLiteral("序号"));
    EXPECT_EQ(users->columnTitle(1), QStringLiteral("用户名"));
    EXPECT_EQ(users->columnTitle(2), QStringLiteral("权限"));
    EXPECT_EQ(users->columnWidth(0), 50);
    EXPECT_EQ(users->columnWidth(1), 100);
    EXPECT_EQ(users->columnWidth(2), 100);
    EXPECT_EQ(users->rowHeights(), 17);
    EXPECT_TRUE(users->showGrid());
    EXPECT_EQ(users->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_TRUE(users->horizontalHeader()->sectionsMovable());
    EXPECT_EQ(users->palette().color(QPalette::Base), QColor(135, 215, 215));
    EXPECT_EQ(users->palette().color(QPalette::Text), QColor(Qt::black));

    ASSERT_EQ(users->rowCount(), 3);
    EXPECT_EQ(users->rowTexts(0),
              (QStringList{QStringLiteral("1"), QStringLiteral("admin"), admin()}));
    EXPECT_EQ(users->rowTexts(1),
              (QStringList{QStringLiteral("2"), QStringLiteral("小李"), ordinary()}));
    EXPECT_EQ(users->rowTexts(2),
              (QStringList{QStringLiteral("3"), QStringLiteral("Bob"), admin()}));
    EXPECT_EQ(users->itemData(2), 2);
    for (const char *name :
         {"addButton", "modifyButton", "deleteButton", "cancelDirectLoginButton"})
        EXPECT_TRUE(button(name)->isEnabled()) << name;
    EXPECT_EQ(button("addButton")->text(), QStringLiteral("添加(&A)..."));
    EXPECT_EQ(button("modifyButton")->text(), QStringLiteral("修改(&M)..."));
    EXPECT_EQ(button("deleteButton")->text(), QStringLiteral("删除(&D)"));
    EXPECT_EQ(button("cancelDirectLoginButton")->text(), QStringLiteral("取消直接登录"));
}

TEST_F(UsersPageTest, OrdinaryUserMayOnlyCancelDirectLogin)
{
    addUser(QStringLiteral("收银员"), QString(), ordinary());
    LoginRow::store(db(), QStringLiteral("收银员"), ordinary(), true);
    settings().userName = QStringLiteral("收银员");
    settings().userPower = ordinary();
    settings().directLogin = 1;
    open();
    EXPECT_FALSE(button("addButton")->isEnabled());
    EXPECT_FALSE(button("modifyButton")->isEnabled());
    EXPECT_FALSE(button("deleteButton")->isEnabled());
    EXPECT_TRUE(button("cancelDirectLoginButton")->isEnabled());
    EXPECT_EQ(list()->rowCount(), 2) << "the list is still shown";

    // Neither Enter, Delete nor a double click reaches the account dialogs.
    clickRow(list(), 0, {}, true);
    QTest::keyClick(list(), Qt::Key_Return);
    QTest::keyClick(list(), Qt::Key_Delete);
    EXPECT_TRUE(prompt().messages().isEmpty());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    click(button("cancelDirectLoginButton"));
    EXPECT_EQ(prompt().texts(), QStringList{QStringLiteral("设置成功！")});
    EXPECT_EQ(prompt().messages().last().caption, QStringLiteral("Quillmarch"));
    EXPECT_EQ(loginRowText(QStringLiteral("directLogin")), QStringLiteral("0"));
    EXPECT_EQ(settings().directLogin, 0);
}

TEST_F(UsersPageTest, AddedUserIsSelectedAsTheLastRow)
{
    addUser(QStringLiteral("甲"), QString(), ordinary());
    open();
    const QString name = QStringLiteral("新来的 \"O'Hara\"");
    whenModal([&](QDialog *dialog) {
        ASSERT_NE(qobject_cast<AddUserDialog *>(dialog), nullptr);
        type(dialog, "userName", name);
        type(dialog, "password", QStringLiteral("p w"));
        type(dialog, "confirmation", QStringLiteral("p w"));
        child<QComboBox>(dialog, "power")->setCurrentIndex(1);
        click(child<QPushButton>(dialog, "addButton"));
    });
    click(button("addButton"));

    EXPECT_EQ(names(), (QStringList{QStringLiteral("admin"), QStringLiteral("甲"), name}));
    EXPECT_EQ(list()->rowTexts(2), (QStringList{QStringLiteral("3"), name, ordinary()}));
    EXPECT_EQ(list()->selectedRows(), QList<int>{2});
    EXPECT_EQ(m_page->focusWidget(), list());
    EXPECT_TRUE(UserAccounts(db()).passwordMatches(name, QStringLiteral("p w")));
}

TEST_F(UsersPageTest, CancelledAddChangesNothing)
{
    open();
    whenModal([&](QDialog *dialog) { click(child<QPushButton>(dialog, "cancelButton")); });
    click(button("addButton"));
    EXPECT_EQ(names(), QStringList{QStringLiteral("admin")});
    EXPECT_EQ(userCount(), 1);
}

TEST_F(UsersPageTest, ModifyNeedsASelectedRowAndReselectsItAfterwards)
{
    addUser(QStringLiteral("小王"), QStringLiteral("1"), ordinary());
    addUser(QStringLiteral("小张"), QString(), ordinary());
    open();
    click(button("modifyButton"));
    EXPECT_EQ(prompt().texts(), QStringList{QStringLiteral("请选择您要修改的行!")});
    EXPECT_EQ(prompt().messages().last().caption, QStringLiteral("注意"));

    QString shownName;
    QString shownPower;
    whenModal([&](QDialog *dialog) {
        ASSERT_NE(qobject_cast<ModifyUserDialog *>(dialog), nullptr);
        shownName = child<QLineEdit>(dialog, "userName")->text();
        shownPower = child<QComboBox>(dialog, "power")->currentText();
        type(dialog, "oldPassword", QStringLiteral("1"));
        child<QComboBox>(dialog, "power")->setCurrentIndex(0);
        click(child<QPushButton>(dialog, "modifyButton"));
    });
    clickRow(list(), 1, {}, true); // a double click opens the dialog as the button does
    EXPECT_EQ(shownName, QStringLiteral("小王"));
    EXPECT_EQ(shownPower, ordinary());
    EXPECT_EQ(prompt().lastText(), QStringLiteral("用户信息修改成功！下次登录时生效！"));
    EXPECT_EQ(list()->rowTexts(1),
              (QStringList{QStringLiteral("2"), QStringLiteral("小王"), admin()}));
    EXPECT_EQ(list()->selectedRows(), QList<int>{1});
    EXPECT_EQ(m_page->focusWidget(), list());
}

TEST_F(UsersPageTest, LastAdministratorCannotBeDemotedFromThePage)
{
    addUser(QStringLiteral("收银员"), QString(), ordinary());
    open();
    clickRow(list(), 0);
    QString message;
    QString powerAfter;
    whenModal([&](QDialog *dialog) {
        child<QComboBox>(dialog, "power")->setCurrentIndex(1);
        click(child<QPushButton>(dialog, "modifyButton"));
        message = prompt().lastText();
        powerAfter = child<QComboBox>(dialog, "power")->currentText();
        click(child<QPushButton>(dialog, "cancelButton"));
    });
    click(button("modifyButton"));
    EXPECT_EQ(message, QStringLiteral("系统中必须保留至少一个管理员!"));
    EXPECT_EQ(powerAfter, admin());
    EXPECT_EQ(storedPower(QStringLiteral("admin")), admin());
    EXPECT_EQ(list()->rowTexts(0).at(2), admin());
}

TEST_F(UsersPageTest, DeleteRefusesWithoutSelectionTheOnlyUserAndTheCurrentUser)
{
    open();
    click(button("deleteButton"));
    EXPECT_EQ(prompt().lastText(), QStringLiteral("请选择您要删除的行!"));
    clickRow(list(), 0);
    click(button("deleteButton"));
    EXPECT_EQ(prompt().lastText(), QStringLiteral("当前只有一个用户不能再删除了!"));
    EXPECT_EQ(prompt().messages().last().caption, QStringLiteral("注意"));

    addUser(QStringLiteral("老板"), QString(), admin());
    m_page.reset();
    open();
    clickRow(list(), 0);
    click(button("deleteButton"));
    EXPECT_EQ(prompt().lastText(), QStringLiteral("当前用户“ admin ”正在使用无法删除!"));
    EXPECT_EQ(prompt().messages().last().caption, QStringLiteral("注意"));
    EXPECT_EQ(prompt().messages().size(), 3) << "no question was asked";
    EXPECT_EQ(userCount(), 2);
}

TEST_F(UsersPageTest, DeleteAsksThenNeedsThatUsersPassword)
{
    addUser(QStringLiteral("甲"), QStringLiteral("a"), ordinary());
    addUser(QStringLiteral("乙"), QStringLiteral("b"), ordinary());
    open();
    clickRow(list(), 2);

    // "No" to the question: nothing happens. The Delete key asks the same.
    prompt().answerNext(Prompt::Answer::No);
    QTest::keyClick(list(), Qt::Key_Delete);
    EXPECT_EQ(prompt().lastText(), QStringLiteral("真的要删除用户“ 乙 ”吗？"));
    EXPECT_EQ(prompt().messages().last().icon, Prompt::Icon::Question);
    EXPECT_EQ(prompt().messages().last().buttons, Prompt::Buttons::YesNo);
    EXPECT_EQ(userCount(), 3);

    QString title;
    QString wrongMessage;
    whenModal([&](QDialog *dialog) {
        ASSERT_NE(qobject_cast<DeleteUserDialog *>(dialog), nullptr);
        title = dialog->windowTitle();
        type(dialog, "password", QStringLiteral("a")); // 甲's password, not 乙's
        click(child<QPushButton>(dialog, "okButton"));
        wrongMessage = prompt().lastText();
        type(dialog, "password", QStringLiteral("b"));
        click(child<QPushButton>(dialog, "okButton"));
    });
    prompt().answerNext(Prompt::Answer::Yes);
    click(button("deleteButton"));
    EXPECT_EQ(title, QStringLiteral("删除用户：乙"));
    EXPECT_EQ(wrongMessage, QStringLiteral("密码错误!"));
    EXPECT_EQ(names(), (QStringList{QStringLiteral("admin"), QStringLiteral("甲")}));
    EXPECT_EQ(list()->selectedRows(), QList<int>{1}) << "the row before the deleted last one";
    EXPECT_EQ(m_page->focusWidget(), list());
}

TEST_F(UsersPageTest, DeletingAMiddleRowSelectsTheSamePosition)
{
    addUser(QStringLiteral("甲"), QString(), ordinary());
    addUser(QStringLiteral("乙"), QString(), ordinary());
    open();
    clickRow(list(), 1);
    prompt().answerNext(Prompt::Answer::Yes);
    whenModal([&](QDialog *dialog) { click(child<QPushButton>(dialog, "okButton")); });
    click(button("deleteButton"));
    EXPECT_EQ(names(), (QStringList{QStringLiteral("admin"), QStringLiteral("乙")}));
    EXPECT_EQ(list()->selectedRows(), QList<int>{1});
    EXPECT_EQ(list()->rowTexts(1).at(0), QStringLiteral("2")) << "renumbered by the refill";
}

TEST_F(UsersPageTest, ADemotedAdministratorCannotDeleteTheLastOtherAdministrator)
{
    addUser(QStringLiteral("老板"), QString(), admin());
    // The logged-in admin has demoted itself; that takes effect at the next login.
    ASSERT_EQ(UserAccounts(db()).modify(QStringLiteral("admin"), QString(), QString(), QString(),
                                        ordinary()),
              UserAccounts::ModifyResult::Modified);
    open();
    clickRow(list(), 1);
    click(button("deleteButton"));
    EXPECT_EQ(prompt().lastText(), QStringLiteral("系统中必须保留至少一个管理员!"));
    EXPECT_EQ(storedPower(QStringLiteral("老板")), admin());
}

TEST_F(UsersPageTest, SortedListStillActsOnTheClickedUser)
{
    addUser(QStringLiteral("zz"), QString(), ordinary());
    addUser(QStringLiteral("aa"), QString(), ordinary());
    open();
    list()->sortByClick(1);
    ASSERT_EQ(names(),
              (QStringList{QStringLiteral("aa"), QStringLiteral("admin"), QStringLiteral("zz")}));
    clickRow(list(), 0);
    QString title;
    prompt().answerNext(Prompt::Answer::Yes);
    whenModal([&](QDialog *dialog) {
        title = dialog->windowTitle();
        click(child<QPushButton>(dialog, "cancelButton"));
    });
    click(button("deleteButton"));
    EXPECT_EQ(title, QStringLiteral("删除用户：aa"));
    EXPECT_EQ(userCount(), 3);
}

} // namespace
