// The sales window with the windows the program really opens from it: the
// About box (button and window menu), the help on F1, the calculator, and the
// query window that is not part of the program yet.
#include "app/AppSettings.h"
#include "app/SettingsLoader.h"
#include "data/Database.h"
#include "sales/AboutDialog.h"
#include "sales/HelpFile.h"
#include "sales/SalesDialog.h"
#include "sales/SalesWindows.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

// Receives the files the desktop would open, so no browser starts.
class FileOpener : public QObject
{
    Q_OBJECT

public:
    FileOpener() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~FileOpener() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }

    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls << url; }
};

// Answers the windows that open over the sales window, as a person would:
// the window menu's About item is chosen, the About box is read and closed.
class WindowCloser : public QObject
{
public:
    WindowCloser()
    {
        connect(&m_timer, &QTimer::timeout, this, &WindowCloser::look);
        m_timer.start(20);
    }

    QStringList seen;

private:
    void look()
    {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            for (QAction *action : menu->actions())
                if (action->text() == s("关于 Quillmarch(&A)...") && action->isEnabled()) {
                    seen << s("menu");
                    menu->setActiveAction(action);
                    QTest::keyClick(menu, Qt::Key_Return);
                    return;
                }
            menu->close();
            return;
        }
        if (auto *about = qobject_cast<AboutDialog *>(QApplication::activeModalWidget())) {
            seen << about->windowTitle();
            QTest::keyClick(about, Qt::Key_Escape);
        }
    }

    QTimer m_timer;
};

class SalesWiring : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Database db;
        ASSERT_TRUE(db.open(m_env.settings().settingsDsn));
        SettingsLoader::loadFrom(db, m_env.settings(), QDate(2024, 3, 7), QString());
        m_env.settings().userName = s("admin");
        m_env.settings().userPower = s("管理员");
        m_dialog = std::make_unique<SalesDialog>(m_env.settings());
        m_dialog->show();
        QApplication::setActiveWindow(m_dialog.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_dialog.get()));
    }

    void TearDown() override
    {
        if (m_path)
            qputenv("PATH", *m_path);
    }

    template <typename T = QWidget> T *w(const char *name)
    {
        T *widget = m_dialog->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    // The programs found on PATH are those of DIR only (restored after the test).
    void searchOnlyIn(const QString &dir)
    {
        if (!m_path)
            m_path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(dir));
    }

    TestEnv m_env;
    std::unique_ptr<SalesDialog> m_dialog;
    std::optional<QByteArray> m_path;
};

TEST_F(SalesWiring, EveryWindowOfTheProgramIsOfferedAndTheQueryWindowNotYet)
{
    for (const char *name : {"printButton", "previewButton", "settingsButton", "customersButton",
                             "paymentMethodsButton", "aboutButton"}) {
        EXPECT_TRUE(w<QPushButton>(name)->isEnabled()) << name;
        EXPECT_TRUE(w<QPushButton>(name)->toolTip().isEmpty()) << name;
    }
    QPushButton *query = w<QPushButton>("queryButton");
    EXPECT_FALSE(query->isEnabled());
    EXPECT_EQ(query->toolTip(), s("查询统计窗口将在后续版本中提供"));
    EXPECT_EQ(query->text(), s("  查询统计(&Q)..."));
}

TEST_F(SalesWiring, TheAboutBoxOpensFromItsButtonAndFromTheWindowMenu)
{
    WindowCloser closer;
    w<QPushButton>("aboutButton")->click();
    EXPECT_EQ(closer.seen, QStringList{s("关于 Quillmarch")});

    const QPoint at = m_dialog->rect().center();
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, m_dialog->mapToGlobal(at));
    QApplication::sendEvent(m_dialog.get(), &menu);
    EXPECT_EQ(closer.seen, (QStringList{s("关于 Quillmarch"), s("menu"), s("关于 Quillmarch")}));
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_TRUE(m_env.prompt().messages().isEmpty());
}

TEST_F(SalesWiring, F1OpensTheHelpBesideTheProgramFromAnyField)
{
    FileOpener desktop;
    QTest::keyClick(w<QComboBox>("productBox"), Qt::Key_F1);
    // Not shipped in this folder: said so, nothing opened.
    EXPECT_TRUE(desktop.urls.isEmpty());
    EXPECT_EQ(m_env.prompt().lastText(),
              s("找不到帮助文件：\n") + QDir(m_env.programDir()).filePath(HelpFile::fileName()));

    ASSERT_TRUE(QFile::copy(QStringLiteral(QM_SOURCE_DIR "/res/ship/") + HelpFile::fileName(),
                            QDir(m_env.programDir()).filePath(HelpFile::fileName())));
    QTest::keyClick(w("quantityEdit"), Qt::Key_F1);
    QTest::keyClick(w("remarkEdit"), Qt::Key_F1);
    const QUrl help = QUrl::fromLocalFile(QDir(m_env.programDir()).filePath(HelpFile::fileName()));
    EXPECT_EQ(desktop.urls, QList<QUrl>({help, help}));
    EXPECT_EQ(m_env.prompt().messages().size(), 1);
}

TEST_F(SalesWiring, TheCalculatorIconStartsTheDesktopCalculator)
{
    QTemporaryDir bin;
    ASSERT_TRUE(bin.isValid());
    const QString marker = bin.filePath(QStringLiteral("started"));
    QFile calculator(bin.filePath(QStringLiteral("xcalc")));
    ASSERT_TRUE(calculator.open(QIODevice::WriteOnly));
    calculator.write("#!/bin/sh\necho started > '" + QFile::encodeName(marker) + "'\n");
    calculator.close();
    calculator.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    searchOnlyIn(bin.path());
    QTest::mouseClick(w<QToolButton>("calculatorIcon"), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(marker); }, 5000));
    EXPECT_TRUE(m_env.prompt().messages().isEmpty());

    // None installed: the cashier is told, the sale goes on.
    QTemporaryDir empty;
    searchOnlyIn(empty.path());
    QTest::mouseClick(w<QToolButton>("calculatorIcon"), Qt::LeftButton);
    EXPECT_EQ(m_env.prompt().lastText(), s("没有找到计算器程序，请先安装一个计算器。"));
    EXPECT_TRUE(m_dialog->isVisible());
}

} // namespace

#include "SalesWindowWiringTest.moc"
