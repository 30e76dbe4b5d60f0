// The sales window with the windows the program really opens from it: the
// About box (button and window menu), the help on F1, the calculator, and the
// query window (driven in tests/records).
#include "app/SettingsLoader.h"
#include "core/AppSettings.h"
#include "data/Database.h"
#include "sales/AboutDialog.h"
#include "sales/HelpFile.h"
#include "sales/SalesDialog.h"
#include "sales/SalesWindows.h"
#include "support/Gui.h"
#include "support/SalesWindowFixture.h"
#include "support/ScriptedDialogs.h"
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

// Chooses the window menu's About item as soon as the menu pops up (a popup
// menu runs its own loop and is no dialog: it is watched for).
class MenuChooser : public QObject
{
public:
    MenuChooser()
    {
        connect(&m_timer, &QTimer::timeout, this, &MenuChooser::look);
        m_timer.start(20);
    }

    QStringList seen;

private:
    void look()
    {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction *action : menu->actions())
            if (action->text() == s("关于 Quillmarch(&A)...") && action->isEnabled()) {
                seen << s("menu");
                menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
        menu->close();
    }

    QTimer m_timer;
};

class SalesWiring : public SalesWindowFixture
{
protected:
    void SetUp() override
    {
        SalesWindowFixture::SetUp();
        open();
    }

    void TearDown() override
    {
        if (m_path)
            qputenv("PATH", *m_path);
    }

    // The programs found on PATH are those of DIR only (restored after the test).
    void searchOnlyIn(const QString &dir)
    {
        if (!m_path)
            m_path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(dir));
    }

    std::optional<QByteArray> m_path;
};

TEST_F(SalesWiring, EveryWindowOfTheProgramIsOffered)
{
    for (const char *name : {"printButton", "previewButton", "settingsButton", "customersButton",
                             "paymentMethodsButton", "queryButton", "aboutButton"}) {
        EXPECT_TRUE(w<QPushButton>(name)->isEnabled()) << name;
        EXPECT_TRUE(w<QPushButton>(name)->toolTip().isEmpty()) << name;
    }
    EXPECT_EQ(w<QPushButton>("queryButton")->text(), s("  查询统计(&Q)..."));
}

TEST_F(SalesWiring, TheAboutBoxOpensFromItsButtonAndFromTheWindowMenu)
{
    QStringList seen;
    const auto readAndClose = [&](QDialog *about) {
        seen << about->windowTitle();
        QTest::keyClick(about, Qt::Key_Escape);
    };
    whenModal(QStringLiteral("AboutDialog"), readAndClose);
    w<QPushButton>("aboutButton")->click();
    EXPECT_EQ(seen, QStringList{s("关于 Quillmarch")});

    MenuChooser chooser;
    whenModal(QStringLiteral("AboutDialog"), readAndClose);
    const QPoint at = m_dialog->rect().center();
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, m_dialog->mapToGlobal(at));
    QApplication::sendEvent(m_dialog.get(), &menu);
    EXPECT_EQ(chooser.seen, QStringList{s("menu")});
    EXPECT_EQ(seen, (QStringList{s("关于 Quillmarch"), s("关于 Quillmarch")}));
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
