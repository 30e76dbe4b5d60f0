// The add, modify, delete and power-explanation dialogs, each driven on its
// own as an administrator drives it.
#include "UsersTestBase.h"
#include "support/Gui.h"
#include "support/ScriptedDialogs.h"

#include "controls/HoverButton.h"
#include "users/AddUserDialog.h"
#include "users/DeleteUserDialog.h"
#include "users/LoginDialog.h"
#include "users/ModifyUserDialog.h"
#include "users/PowerInfoDialog.h"
#include "users/UserAccounts.h"
#include "users/UsersPage.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

class UserDialogsTest : public UsersTest
{
protected:
    void type(QWidget *dialog, const char *field, const QString &text)
    {
        auto *edit = child<QLineEdit>(dialog, field);
        edit->clear();
        commitText(edit, text);
    }
    QStringList powerItems(QWidget *dialog)
    {
        auto *power = child<QComboBox>(dialog, "power");
        QStringList items;
        for (int i = 0; i < power->count(); ++i)
            items.append(power->itemText(i));
        return items;
    }
    void expectWarning(const QString &text, const QString &caption)
    {
        ASSERT_FALSE(prompt().messages().isEmpty());
        EXPECT_EQ(prompt().lastText(), text);
        EXPECT_EQ(prompt().messages().last().caption, caption);
        EXPECT_EQ(prompt().messages().last().icon, Prompt::Icon::Warning);
    }
    void addUser(const QString &name, const QString &pw, const QString &power)
    {
        ASSERT_EQ(UserAccounts(db()).add(name, pw, pw, power), UserAccounts::AddResult::Added);
    }
};

TEST_F(UserDialogsTest, AddReportsEachProblemInOrderAndStaysOpen)
{
    AddUserDialog dialog(settings());
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("添加新用户"));
    EXPECT_EQ(powerItems(&dialog), (QStringList{admin(), ordinary()}));
    EXPECT_EQ(child<QComboBox>(&dialog, "power")->currentIndex(), 0);
    EXPECT_EQ(child<QLineEdit>(&dialog, "password")->echoMode(), QLineEdit::Password);
    EXPECT_EQ(child<QLineEdit>(&dialog, "confirmation")->echoMode(), QLineEdit::Password);
    auto *add = child<QPushButton>(&dialog, "addButton");

    type(&dialog, "password", QStringLiteral("1"));
    click(add);
    expectWarning(QStringLiteral("用户名不能为空!"), QStringLiteral("注意"));

    type(&dialog, "userName", QStringLiteral("admin"));
    click(add);
    expectWarning(QStringLiteral("此用户名已存在,请选择其它用户名!"), QStringLiteral("注意"));

    type(&dialog, "userName", QStringLiteral("王小二"));
    click(add);
    expectWarning(QStringLiteral("两次输入的密码不同!"), QStringLiteral("注意"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(userCount(), 1);

    type(&dialog, "confirmation", QStringLiteral("1"));
    click(add);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(storedPower(QStringLiteral("王小二")), admin()) << "administrator unless changed";
    EXPECT_TRUE(UserAccounts(db()).passwordMatches(QStringLiteral("王小二"), QStringLiteral("1")));
}

TEST_F(UserDialogsTest, AddStoresAnOrdinaryUserWithAnUnusualNameAndNoPassword)
{
    AddUserDialog dialog(settings());
    dialog.show();
    const QString name = QStringLiteral(" 'Lily' \"莉莉\" ") + QString(186, QChar(0x4E00));
    type(&dialog, "userName", name);
    child<QComboBox>(&dialog, "power")->setCurrentIndex(1);
    click(child<QPushButton>(&dialog, "addButton"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    // Stored as typed, apart from the blanks around it.
    EXPECT_EQ(storedPower(name.trimmed()), ordinary());
    EXPECT_TRUE(UserAccounts(db()).passwordMatches(name.trimmed(), QString()));
}

TEST_F(UserDialogsTest, PowerExplanationShowsItsSixLines)
{
    AddUserDialog dialog(settings());
    dialog.show();
    QStringList lines;
    QString title;
    whenModal([&](QDialog *info) {
        title = info->windowTitle();
        for (int i = 1; i <= 6; ++i)
            lines.append(info->findChild<QLabel *>(QStringLiteral("line%1").arg(i))->text());
        click(child<QPushButton>(info, "okButton"));
    });
    click(child<QPushButton>(&dialog, "powerInfoButton"));
    EXPECT_EQ(title, QStringLiteral("权限说明"));
    EXPECT_EQ(lines, (QStringList{QStringLiteral("普通用户相对于管理员用户："),
                                  QStringLiteral("1、不可设置店铺信息；"),
                                  QStringLiteral("2、没有管理用户的权限；"),
                                  QStringLiteral("3、不可更改销售票号、收银员；"),
                                  QStringLiteral("4、不可删除销售记录；"),
                                  QStringLiteral("5、不可取消“保存销售记录”。")}));
    EXPECT_TRUE(dialog.isVisible()) << "the add dialog stays";
}

TEST_F(UserDialogsTest, ModifyOpensOnTheRowsUserAndGuardsTheLastAdministrator)
{
    ModifyUserDialog dialog(settings(), QStringLiteral("admin"), admin());
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("修改用户信息"));
    EXPECT_EQ(child<QLineEdit>(&dialog, "userName")->text(), QStringLiteral("admin"));
    EXPECT_TRUE(child<QLineEdit>(&dialog, "userName")->isReadOnly());
    EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(&dialog, "oldPassword"));
    auto *power = child<QComboBox>(&dialog, "power");
    EXPECT_EQ(power->currentText(), admin());

    power->setCurrentIndex(1);
    click(child<QPushButton>(&dialog, "modifyButton"));
    expectWarning(QStringLiteral("系统中必须保留至少一个管理员!"), QStringLiteral("注意"));
    EXPECT_EQ(power->currentText(), admin()) << "the list returns to 管理员";
    EXPECT_EQ(QApplication::focusWidget(), power);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(storedPower(QStringLiteral("admin")), admin());
}

TEST_F(UserDialogsTest, ModifyChecksPasswordsAndConfirmsSuccess)
{
    addUser(QStringLiteral("小王"), QStringLiteral("old'pw"), ordinary());
    QWidget owner;
    ModifyUserDialog dialog(settings(), QStringLiteral("小王"), ordinary(), &owner);
    dialog.show();
    EXPECT_EQ(child<QComboBox>(&dialog, "power")->currentText(), ordinary());
    auto *modify = child<QPushButton>(&dialog, "modifyButton");

    type(&dialog, "oldPassword", QStringLiteral("old"));
    click(modify);
    expectWarning(QStringLiteral("旧密码错误!"), QStringLiteral("密码错误"));

    type(&dialog, "oldPassword", QStringLiteral("old'pw"));
    type(&dialog, "newPassword", QStringLiteral("新"));
    click(modify);
    expectWarning(QStringLiteral("两次输入的新密码不同!"), QStringLiteral("密码错误"));
    EXPECT_TRUE(dialog.isVisible());

    type(&dialog, "confirmation", QStringLiteral("新"));
    child<QComboBox>(&dialog, "power")->setCurrentIndex(0);
    click(modify);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(prompt().lastText(), QStringLiteral("用户信息修改成功！下次登录时生效！"));
    EXPECT_EQ(prompt().messages().last().caption, QStringLiteral("修改成功"));
    EXPECT_EQ(prompt().messages().last().icon, Prompt::Icon::Information);
    EXPECT_EQ(storedPower(QStringLiteral("小王")), admin());
    EXPECT_TRUE(UserAccounts(db()).passwordMatches(QStringLiteral("小王"), QStringLiteral("新")));
}

TEST_F(UserDialogsTest, ModifyWithEmptyNewFieldsEmptiesThePassword)
{
    addUser(QStringLiteral("Amy"), QStringLiteral("secret"), ordinary());
    ModifyUserDialog dialog(settings(), QStringLiteral("Amy"), ordinary());
    dialog.show();
    type(&dialog, "oldPassword", QStringLiteral("secret"));
    click(child<QPushButton>(&dialog, "modifyButton"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(UserAccounts(db()).passwordMatches(QStringLiteral("Amy"), QString()));
}

TEST_F(UserDialogsTest, DeleteNeedsThatUsersOwnPassword)
{
    addUser(QStringLiteral("小李"), QStringLiteral("li"), ordinary());
    DeleteUserDialog dialog(settings(), QStringLiteral("小李"));
    dialog.show();
    EXPECT_TRUE(dialog.userFound());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("删除用户：小李"));
    EXPECT_EQ(child<QLabel>(&dialog, "prompt")->text(), QStringLiteral("请输入该用户的密码："));
    auto *ok = child<QPushButton>(&dialog, "okButton");

    click(ok);
    expectWarning(QStringLiteral("密码错误!"), QStringLiteral("密码错误"));
    EXPECT_TRUE(dialog.isVisible());
    type(&dialog, "password", QStringLiteral("li"));
    click(ok);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(userCount(), 2) << "the caller deletes";
}

TEST_F(UserDialogsTest, DeleteOfAnUnknownUserNeverAccepts)
{
    DeleteUserDialog dialog(settings(), QStringLiteral("无名氏"));
    EXPECT_FALSE(dialog.userFound());
    EXPECT_EQ(prompt().texts(), QStringList{QStringLiteral("不存在此用户")});
    EXPECT_EQ(prompt().messages().last().caption, QStringLiteral("Quillmarch"));
    dialog.show();
    click(child<QPushButton>(&dialog, "okButton"));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(UserDialogsTest, EveryButtonOfTheLoginAndUserWindowsIsTheProgramsOwn)
{
    LoginDialog login(settings());
    UsersPage page(settings());
    AddUserDialog add(settings());
    ModifyUserDialog modify(settings(), QStringLiteral("admin"), admin());
    DeleteUserDialog remove(settings(), QStringLiteral("admin"));
    PowerInfoDialog power;
    for (QWidget *window :
         std::initializer_list<QWidget *>{&login, &page, &add, &modify, &remove, &power}) {
        const auto buttons = window->findChildren<QPushButton *>();
        EXPECT_FALSE(buttons.isEmpty()) << window->metaObject()->className();
        for (QPushButton *button : buttons)
            EXPECT_TRUE(qobject_cast<HoverButton *>(button))
                << window->metaObject()->className() << " " << button->objectName().toStdString();
    }
}

} // namespace
