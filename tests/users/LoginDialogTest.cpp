// The login dialog driven as a cashier drives it: pick or type a name, type
// the password, press "登录(&L)" or Enter.
#include "UsersTestBase.h"
#include "support/Gui.h"
#include "support/ScriptedDialogs.h"

#include "sales/SalesDialog.h"
#include "users/LoginDialog.h"
#include "users/UserAccounts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

class LoginDialogTest : public UsersTest
{
protected:
    LoginDialog &open()
    {
        m_dialog = std::make_unique<LoginDialog>(settings());
        m_dialog->show();
        QApplication::setActiveWindow(m_dialog.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_dialog.get()));
        return *m_dialog;
    }
    QComboBox *names() { return child<QComboBox>(m_dialog.get(), "userName"); }
    QLineEdit *password() { return child<QLineEdit>(m_dialog.get(), "password"); }
    QCheckBox *direct() { return child<QCheckBox>(m_dialog.get(), "directLogin"); }
    QPushButton *logIn() { return child<QPushButton>(m_dialog.get(), "logInButton"); }
    QPushButton *exit() { return child<QPushButton>(m_dialog.get(), "exitButton"); }

    void addUser(const QString &name, const QString &pw, const QString &power)
    {
        ASSERT_EQ(UserAccounts(db()).add(name, pw, pw, power), UserAccounts::AddResult::Added);
    }

    std::unique_ptr<LoginDialog> m_dialog;
};

TEST_F(LoginDialogTest, OpensWithSortedNamesTheStoredUserAndFocusOnThePassword)
{
    addUser(QStringLiteral("zhao"), QString(), ordinary());
    addUser(QStringLiteral("Bob"), QString(), ordinary());
    addUser(QStringLiteral("王五"), QString(), ordinary());
    addUser(QStringLiteral("张三"), QString(), ordinary());
    addUser(QStringLiteral("李四"), QString(), ordinary());
    settings().userName = QStringLiteral("Bob");
    LoginDialog &dialog = open();

    EXPECT_EQ(dialog.windowTitle(), QStringLiteral(" 登录"));
    QStringList shown;
    for (int i = 0; i < names()->count(); ++i)
        shown.append(names()->itemText(i));
    // The program's one order of texts (ASCII by code, Chinese by pinyin),
    // the same as the sales window's cashier box.
    const QStringList expected{"Bob", "admin", "zhao", "李四", "王五", "张三"};
    EXPECT_EQ(shown, expected);
    {
        SalesDialog sales(settings());
        auto *cashiers = sales.findChild<QComboBox *>("cashierBox");
        ASSERT_TRUE(cashiers);
        QStringList listed;
        for (int i = 0; i < cashiers->count(); ++i)
            listed.append(cashiers->itemText(i));
        EXPECT_EQ(listed, expected);
    }
    EXPECT_EQ(names()->currentText(), QStringLiteral("Bob"));
    EXPECT_EQ(QApplication::focusWidget(), password());
    EXPECT_EQ(password()->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(direct()->isChecked());
    EXPECT_EQ(logIn()->text(), QStringLiteral("登录(&L)"));
    EXPECT_EQ(exit()->text(), QStringLiteral("退出(&X)"));

    auto *hint = child<QLabel>(&dialog, "hint");
    EXPECT_EQ(hint->text(), QStringLiteral("[用户名“admin”初始密码为空]"));
    EXPECT_EQ(hint->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    const QImage image = dialog.grab().toImage();
    EXPECT_EQ(image.pixelColor(image.width() - 3, image.height() - 3), QColor(222, 241, 254));
}

TEST_F(LoginDialogTest, UnknownStoredUserSelectsTheFirstName)
{
    addUser(QStringLiteral("bea"), QString(), ordinary());
    settings().userName = QStringLiteral("已删除的人");
    open();
    EXPECT_EQ(names()->currentText(), QStringLiteral("admin"));
}

TEST_F(LoginDialogTest, DeliveredAdminGetsInWithAnEmptyPassword)
{
    open();
    ASSERT_EQ(names()->currentText(), QStringLiteral("admin"));
    click(logIn());

    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(prompt().messages().isEmpty()) << prompt().lastText().toStdString();
    EXPECT_EQ(settings().userName, QStringLiteral("admin"));
    EXPECT_EQ(settings().userPower, admin());
    EXPECT_EQ(loginRowText(QStringLiteral("userName")), QStringLiteral("admin"));
    EXPECT_EQ(loginRowText(QStringLiteral("userPower")), admin());
    EXPECT_EQ(loginRowText(QStringLiteral("directLogin")), QStringLiteral("0"));
    EXPECT_TRUE(PasswordHash::isHash(storedCode(QStringLiteral("admin"))));
}

TEST_F(LoginDialogTest, NameInAnotherCaseIsAnUnknownName)
{
    settings().userPower = QStringLiteral("before");
    open();
    names()->lineEdit()->selectAll();
    QTest::keyClicks(names()->lineEdit(), QStringLiteral("ADMIN"));
    click(logIn());

    ASSERT_EQ(prompt().messages().size(), 1);
    EXPECT_EQ(prompt().lastText(), QStringLiteral("ADMIN  此用户名不存在!"));
    EXPECT_EQ(prompt().messages().last().caption, QStringLiteral("用户名错误"));
    EXPECT_EQ(prompt().messages().last().icon, Prompt::Icon::Warning);
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_EQ(m_dialog->result(), 0);
    EXPECT_EQ(names()->currentText(), QStringLiteral("ADMIN")) << "nothing completed the name";
    EXPECT_EQ(settings().userPower, QStringLiteral("before"));
    EXPECT_EQ(names()->count(), 1) << "typed names are not added to the list";

    // Enter in the name field logs in the same way and does not "correct" the case either.
    QTest::keyClick(names()->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(prompt().messages().size(), 2);
    EXPECT_EQ(prompt().lastText(), QStringLiteral("ADMIN  此用户名不存在!"));
    EXPECT_EQ(names()->currentText(), QStringLiteral("ADMIN"));
}

TEST_F(LoginDialogTest, WrongPasswordClearsTheFieldAndKeepsTheUser)
{
    addUser(QStringLiteral("小李"), QStringLiteral("1234"), ordinary());
    settings().userName = QStringLiteral("小李");
    open();
    QTest::keyClicks(password(), QStringLiteral("4321"));
    click(logIn());

    ASSERT_EQ(prompt().messages().size(), 1);
    EXPECT_EQ(prompt().lastText(), QStringLiteral("请输入正确的密码!"));
    EXPECT_EQ(prompt().messages().last().caption, QStringLiteral("密码错误"));
    EXPECT_EQ(password()->text(), QString());
    EXPECT_EQ(QApplication::focusWidget(), password());
    EXPECT_EQ(names()->currentText(), QStringLiteral("小李"));
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_EQ(loginRowText(QStringLiteral("userName")), QStringLiteral("admin"));
    EXPECT_EQ(settings().userPower, QString()) << "a failed attempt hands out no power";

    // Right password, with Enter from the password field.
    QTest::keyClicks(password(), QStringLiteral("1234"));
    QTest::keyClick(password(), Qt::Key_Return);
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
    EXPECT_EQ(settings().userName, QStringLiteral("小李"));
    EXPECT_EQ(settings().userPower, ordinary());
}

TEST_F(LoginDialogTest, EmptyNameIsRefused)
{
    open();
    names()->lineEdit()->clear();
    click(logIn());
    EXPECT_EQ(prompt().lastText(), QStringLiteral("用户名不能为空!"));
    EXPECT_EQ(prompt().messages().last().caption, QStringLiteral("错误"));
    EXPECT_TRUE(m_dialog->isVisible());
}

TEST_F(LoginDialogTest, TickedDirectLoginIsStoredWithTheUser)
{
    const QString name = QStringLiteral("店员 O'Hara “甲”");
    const QString pw = QStringLiteral("密 码'\"") + QString(190, QLatin1Char('x'));
    addUser(name, pw, ordinary());
    open();
    names()->lineEdit()->clear();
    commitText(names()->lineEdit(), name);
    commitText(password(), pw);
    tick(direct());
    click(logIn());

    EXPECT_EQ(m_dialog->result(), QDialog::Accepted) << prompt().lastText().toStdString();
    EXPECT_EQ(loginRowText(QStringLiteral("userName")), name);
    EXPECT_EQ(loginRowText(QStringLiteral("userPower")), ordinary());
    EXPECT_EQ(loginRowText(QStringLiteral("directLogin")), QStringLiteral("1"));
}

TEST_F(LoginDialogTest, ExitEndsWithoutALogin)
{
    open();
    click(exit());
    EXPECT_EQ(m_dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_EQ(settings().userPower, QString());
    EXPECT_EQ(storedCode(QStringLiteral("admin")), QString());
}

TEST_F(LoginDialogTest, UnreachableDatabaseIsReportedAndNobodyGetsIn)
{
    settings().settingsDsn = QStringLiteral("QmNoSuchDataSource");
    open();
    EXPECT_EQ(prompt().texts(), QStringList{QStringLiteral("不能打开数据库")});
    EXPECT_EQ(names()->count(), 0);
    commitText(names()->lineEdit(), QStringLiteral("admin"));
    click(logIn());
    EXPECT_EQ(prompt().texts().size(), 2);
    EXPECT_EQ(prompt().lastText(), QStringLiteral("不能打开数据库"));
    EXPECT_TRUE(m_dialog->isVisible());
}

} // namespace
