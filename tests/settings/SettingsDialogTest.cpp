// The settings window: its tab host, the pages shown to each kind of user and
// the values handed over by the sales window and taken back.
#include "settings/SettingsDialog.h"
#include "controls/HoverButton.h"
#include "data/Database.h"
#include "settings/ProductPage.h"
#include "settings/SettingsTabs.h"
#include "support/Gui.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"
#include "users/UsersPage.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>

#include <gtest/gtest.h>

namespace {

QStringList texts(const SettingsHandover &values)
{
    return {values.shopName, values.remark, values.receiptNumber};
}

class SettingsDialogTest : public ::testing::Test
{
protected:
    SettingsDialogTest()
    {
        m_env.settings().userName = QStringLiteral("admin");
        m_env.settings().userPower = AppSettings::administratorPower();
    }

    QStringList captions(const SettingsDialog &dialog)
    {
        QStringList texts;
        for (int i = 0; i < dialog.tabs()->count(); ++i)
            texts.append(dialog.tabs()->tabText(i));
        return texts;
    }

    TestEnv m_env;
    const SettingsHandover m_handed{QStringLiteral("我的小店"), QStringLiteral("谢谢惠顾\n再见"),
                                    QStringLiteral("A2403070000012")};
};

TEST_F(SettingsDialogTest, CaptionsKeepTheirTrailingBlanks)
{
    EXPECT_EQ(SettingsDialog::printInfoCaption(), QStringLiteral("设置打印信息") + QString(5, ' '));
    EXPECT_EQ(SettingsDialog::productCaption(), QStringLiteral("设置常用商品名") + QString(6, ' '));
    EXPECT_EQ(SettingsDialog::usersCaption(), QStringLiteral("设置用户(收银员)") + QString(5, ' '));
}

TEST_F(SettingsDialogTest, OpensWithItsPagesUnderTabs)
{
    SettingsDialog dialog(m_env.settings(), m_handed);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("设置"));
    EXPECT_EQ(captions(dialog),
              (QStringList{SettingsDialog::printInfoCaption(), SettingsDialog::productCaption(),
                           SettingsDialog::usersCaption()}));
    ASSERT_NE(dialog.findChild<UsersPage *>(), nullptr);
    EXPECT_TRUE(dialog.tabs()->widget(0)->isVisible());
    EXPECT_FALSE(dialog.findChild<UsersPage *>()->isVisible());
    EXPECT_EQ(dialog.findChildren<QPushButton *>(QString(), Qt::FindDirectChildrenOnly).size(), 0)
        << "no buttons of its own";
    // Every page's buttons are the program's own, as in its other windows.
    const auto buttons = dialog.findChildren<QPushButton *>();
    EXPECT_GT(buttons.size(), 10);
    for (QPushButton *button : buttons)
        EXPECT_TRUE(qobject_cast<HoverButton *>(button)) << button->objectName().toStdString();

    // The page sits below the tabs, inside the tab control.
    QWidget *page = dialog.tabs()->widget(0);
    const QRect tab = dialog.tabs()->tabBar()->geometry();
    EXPECT_GT(page->mapTo(dialog.tabs(), QPoint(0, 0)).y(), tab.bottom());
    EXPECT_LE(page->mapTo(dialog.tabs(), QPoint(page->width(), page->height())).x(),
              dialog.tabs()->width());
}

TEST_F(SettingsDialogTest, OrdinaryUserGetsTheUsersPageWithAccountButtonsDisabled)
{
    m_env.settings().userPower = AppSettings::ordinaryPower();
    SettingsDialog dialog(m_env.settings(), m_handed);
    dialog.show();
    EXPECT_EQ(captions(dialog),
              (QStringList{SettingsDialog::productCaption(), SettingsDialog::usersCaption()}));
    EXPECT_NE(qobject_cast<ProductPage *>(dialog.tabs()->widget(0)), nullptr)
        << "an ordinary user's window opens on the product page";
    auto *page = dialog.findChild<UsersPage *>();
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(child<QPushButton>(page, "addButton")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(page, "cancelDirectLoginButton")->isEnabled());
}

TEST_F(SettingsDialogTest, SixteenPagesAtMostAndTheSeventeenthIsRefused)
{
    SettingsDialog dialog(m_env.settings(), m_handed);
    const int present = dialog.tabs()->count();
    for (int i = present; i < SettingsTabs::MaxPages; ++i)
        ASSERT_TRUE(dialog.addPage(new QWidget, QStringLiteral("页%1").arg(i)));
    EXPECT_EQ(dialog.tabs()->count(), 16);

    QPointer<QWidget> extra = new QWidget;
    EXPECT_FALSE(dialog.addPage(extra, QStringLiteral("第十七页")));
    EXPECT_EQ(dialog.tabs()->count(), 16);
    EXPECT_TRUE(extra.isNull()) << "a refused page is not left lying around";
    EXPECT_FALSE(dialog.tabs()->addPage(new QWidget(&dialog), QStringLiteral("x")));
}

TEST_F(SettingsDialogTest, AClickOnATabSwitchesThePage)
{
    SettingsDialog dialog(m_env.settings(), m_handed);
    auto *second = new QWidget;
    ASSERT_TRUE(dialog.addPage(second, QStringLiteral("第二页")));
    dialog.show();
    QWidget *first = dialog.tabs()->widget(0);
    QTabBar *bar = dialog.tabs()->tabBar();

    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
    EXPECT_EQ(dialog.tabs()->currentIndex(), 0) << "the current tab again changes nothing";
    EXPECT_TRUE(first->isVisible());

    const int last = dialog.tabs()->count() - 1;
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(last).center());
    EXPECT_EQ(dialog.tabs()->currentIndex(), last);
    EXPECT_TRUE(second->isVisible());
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(second->geometry(), first->geometry());
}

TEST_F(SettingsDialogTest, HandedValuesComeBackAsThePagesLeftThem)
{
    // Unchanged when no page touched them.
    whenModal([](QDialog *dialog) { dialog->close(); });
    EXPECT_EQ(texts(SettingsDialog::run(m_env.settings(), m_handed, nullptr)), texts(m_handed));

    // A page (as the print-information page does) edits them while the window is open.
    bool wasSettingsWindow = false;
    whenModal([&](QDialog *dialog) {
        auto *settings = qobject_cast<SettingsDialog *>(dialog);
        wasSettingsWindow = settings != nullptr;
        if (settings) {
            EXPECT_EQ(texts(settings->handover()), texts(m_handed));
            settings->handover().shopName = QStringLiteral("新店 'A&B'");
            settings->handover().remark = QStringLiteral("欢迎\n再来");
            settings->handover().receiptNumber = QStringLiteral("B2403070000012");
        }
        dialog->close(); // the close box
    });
    const SettingsHandover back = SettingsDialog::run(m_env.settings(), m_handed, nullptr);
    EXPECT_TRUE(wasSettingsWindow);
    EXPECT_EQ(back.shopName, QStringLiteral("新店 'A&B'"));
    EXPECT_EQ(back.remark, QStringLiteral("欢迎\n再来"));
    EXPECT_EQ(back.receiptNumber, QStringLiteral("B2403070000012"));
}

TEST_F(SettingsDialogTest, ClosingWithAnUnsavedShopNameAsksToSaveDiscardOrStay)
{
    auto storedShopName = [this] {
        Database db;
        db.open(m_env.settings().settingsDsn);
        return db.scalar(QStringLiteral("select \"shopName\" from \"INFO\" where \"id\"=1"));
    };
    const QString before = storedShopName();
    // Closed without any edit: no question.
    whenModal([](QDialog *dialog) { dialog->close(); });
    SettingsDialog::run(m_env.settings(), m_handed, nullptr);
    EXPECT_TRUE(m_env.prompt().messages().isEmpty());

    // A new shop name typed, then the close box: "Cancel" stays, "No" discards.
    int closes = 0;
    whenModal([&](QDialog *dialog) {
        child<QLineEdit>(dialog, "shopNameEdit")->selectAll();
        commitText(child<QLineEdit>(dialog, "shopNameEdit"), QStringLiteral("新名字"));
        m_env.prompt().answerNext(Prompt::Answer::Cancel);
        dialog->close();
        closes += dialog->isVisible() ? 1 : 0;
        m_env.prompt().answerNext(Prompt::Answer::No);
        dialog->close();
    });
    SettingsHandover back = SettingsDialog::run(m_env.settings(), m_handed, nullptr);
    EXPECT_EQ(closes, 1) << "Cancel closed the window";
    EXPECT_EQ(m_env.prompt().texts(),
              (QStringList{SettingsDialog::unsavedQuestion(), SettingsDialog::unsavedQuestion()}));
    EXPECT_EQ(m_env.prompt().messages().first().buttons, Prompt::Buttons::YesNoCancel);
    EXPECT_EQ(back.shopName, m_handed.shopName);
    EXPECT_EQ(storedShopName(), before);

    // "Yes" saves it as "保存设置" would, and the sales window gets it back.
    m_env.prompt().clear();
    whenModal([&](QDialog *dialog) {
        child<QLineEdit>(dialog, "shopNameEdit")->selectAll();
        commitText(child<QLineEdit>(dialog, "shopNameEdit"), QStringLiteral("新名字"));
        m_env.prompt().answerNext(Prompt::Answer::Yes);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    back = SettingsDialog::run(m_env.settings(), m_handed, nullptr);
    EXPECT_EQ(m_env.prompt().texts(), (QStringList{SettingsDialog::unsavedQuestion(),
                                                   QStringLiteral("基本信息保存成功！")}));
    EXPECT_EQ(back.shopName, QStringLiteral("新名字"));
    EXPECT_EQ(storedShopName(), QStringLiteral("新名字"));
}

} // namespace

namespace {

TEST_F(SettingsDialogTest, EnterOnTheUsersPageAddsAUser)
{
    SettingsDialog dialog(m_env.settings(), m_handed);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QString opened;
    whenModal([&](QDialog *modal) {
        opened = modal->windowTitle();
        modal->reject();
    });
    QTabBar *bar = dialog.tabs()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(bar->count() - 1).center());
    auto *list = dialog.findChild<UsersPage *>()->findChild<QWidget *>(QStringLiteral("list"));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(opened, QStringLiteral("添加新用户"));
}

} // namespace
