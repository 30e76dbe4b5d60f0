// The preview frame: what it shows, the sales window waiting beneath it while
// it is open and usable again however it closes, and printing refused from inside.
#include "PrintOwner.h"

#include "app/FontAliases.h"
#include "core/AppSettings.h"
#include "printing/ReceiptPage.h"
#include "printing/ReceiptPreview.h"
#include "printing/ReceiptPreviewWindow.h"
#include "printing/ReceiptPrinters.h"
#include "data/ShopRow.h"
#include "support/Gui.h"
#include "support/ScriptedPrompt.h"

#include <QAction>
#include <QApplication>
#include <QGraphicsView>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScrollBar>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

class PreviewTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { FontAliases::install(); }

    PreviewTest() : host(env)
    {
        shop.printer1Name = ReceiptPrinters::defaultName();
        host.window.show();
    }

    ReceiptPreviewWindow *open()
    {
        ReceiptPreviewWindow *frame =
            ReceiptPreview::open(&host.window, host.sale, host.settingsDb, env.settings(), shop);
        settle();
        // Without any printer the preview says so first (see NoPrinterTest).
        if (shop.printer1Name.isEmpty()) {
            EXPECT_EQ(env.prompt().texts(), QStringList{ReceiptPreview::noPrinterMessage()});
            env.prompt().clear();
        }
        return frame;
    }

    TestEnv env;
    ShopRow shop;
    PrintOwner host;
};

TEST_F(PreviewTest, OpensMaximisedAndModalOverTheSalesWindow)
{
    QPointer<ReceiptPreviewWindow> frame = open();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->windowTitle(), "QuillmarchV3.5.1 —— 收银员：admin（管理员） (预览)");
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(frame->windowState() & Qt::WindowMaximized);
    // The sales window stays shown (hiding a modally run window ends it) but waits.
    EXPECT_TRUE(host.window.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), frame.data());
    EXPECT_EQ(frame->previewWidget()->pageCount(), 1);
    keepPicture(frame->grab().toImage(), QStringLiteral("preview"));
    // The toolbar offers zoom, fitting, page turning, one or two pages, print and close.
    for (const char *name :
         {"printAction", "zoomInAction", "zoomOutAction", "fitWidthAction", "fitPageAction",
          "nextPageAction", "previousPageAction", "onePageAction", "twoPagesAction", "closeAction"})
        EXPECT_TRUE(frame->action(QString::fromLatin1(name))) << name;
    frame->action("zoomInAction")->trigger();
    frame->action("twoPagesAction")->trigger();
    EXPECT_EQ(frame->previewWidget()->viewMode(), QPrintPreviewWidget::FacingPagesView);

    frame->action("closeAction")->trigger();
    settle();
    EXPECT_FALSE(frame);
    EXPECT_TRUE(host.window.isVisible());
    EXPECT_TRUE(env.prompt().messages().isEmpty());
}

TEST_F(PreviewTest, PageIsTheReceiptsLength)
{
    host.sale = ReceiptSample::sale(80);
    QPointer<ReceiptPreviewWindow> frame = open();
    ASSERT_TRUE(frame);
    const QSize page = frame->printer()->pageLayout().pageSize().sizePoints();
    // 80 rows of 35 dots at 203 dpi already make more than 1000 points.
    EXPECT_GT(page.height(), 1000);
    EXPECT_LT(page.width(), page.height());
    frame->close();
    settle();
    EXPECT_TRUE(host.window.isVisible());
}

TEST_F(PreviewTest, OpensAtTheTopOfTheReceiptAndStaysWhereThePersonScrolls)
{
    host.sale = ReceiptSample::sale(80);
    QPointer<ReceiptPreviewWindow> frame = open();
    ASSERT_TRUE(frame);
    auto *view = frame->previewWidget()->findChild<QGraphicsView *>();
    ASSERT_TRUE(view);
    QScrollBar *bar = view->verticalScrollBar();
    ASSERT_GT(bar->maximum(), bar->minimum()) << "a long receipt is taller than the window";
    EXPECT_EQ(bar->value(), bar->minimum());

    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    settle();
    const int scrolled = bar->value();
    EXPECT_GT(scrolled, bar->minimum());
    frame->resize(frame->width() - 40, frame->height() - 40);
    settle();
    EXPECT_NE(bar->value(), bar->minimum());
    frame->close();
    settle();
}

TEST_F(PreviewTest, PrintIsRefusedAndClosesThePreview)
{
    QPointer<ReceiptPreviewWindow> frame = open();
    ASSERT_TRUE(frame);
    frame->action("printAction")->trigger();
    settle();
    ASSERT_EQ(env.prompt().messages().size(), 1);
    EXPECT_EQ(env.prompt().messages()[0].text, "请使用主窗口上的“打印小票”按钮进行打印！");
    EXPECT_EQ(env.prompt().messages()[0].caption, "提示");
    EXPECT_EQ(env.prompt().messages()[0].icon, Prompt::Icon::Information);
    EXPECT_FALSE(frame);
    EXPECT_TRUE(host.window.isVisible());
}

TEST_F(PreviewTest, CloseBoxBringsTheSalesWindowBack)
{
    QPointer<ReceiptPreviewWindow> frame = open();
    ASSERT_TRUE(frame);
    // The window system's close request, as the title bar's close box sends it.
    ASSERT_TRUE(frame->windowHandle());
    frame->windowHandle()->close();
    settle();
    EXPECT_FALSE(frame);
    EXPECT_TRUE(host.window.isVisible());
}

TEST_F(PreviewTest, KeyboardReachesEveryToolbarActionAndCloses)
{
    // Every action answers Alt and the letter its text underlines.
    {
        QPointer<ReceiptPreviewWindow> frame = open();
        ASSERT_TRUE(frame);
        for (QAction *action : frame->findChildren<QAction *>()) {
            if (action->text().contains(u'&'))
                EXPECT_EQ(action->shortcut(), QKeySequence::mnemonic(action->text()))
                    << action->text().toStdString();
        }
        frame->close();
        settle();
    }
    // Alt+C, Esc and Ctrl+W each close it, typed into the window.
    for (const QKeyCombination key : {QKeyCombination(Qt::AltModifier, Qt::Key_C),
                                      QKeyCombination(Qt::NoModifier, Qt::Key_Escape),
                                      QKeyCombination(Qt::ControlModifier, Qt::Key_W)}) {
        QPointer<ReceiptPreviewWindow> frame = open();
        ASSERT_TRUE(frame);
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
        // A zoom key first: the page grows and the preview stays open.
        auto *preview = frame->findChild<QPrintPreviewWidget *>();
        const qreal zoom = preview->zoomFactor();
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : frame.data(),
                        Qt::Key_I, Qt::AltModifier);
        settle();
        ASSERT_TRUE(frame);
        EXPECT_GT(preview->zoomFactor(), zoom);
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : frame.data(),
                        key.key(), key.keyboardModifiers());
        settle();
        EXPECT_FALSE(frame) << QKeySequence(key).toString().toStdString();
        EXPECT_TRUE(host.window.isVisible());
        if (frame)
            frame->close();
        settle();
    }
}

TEST_F(PreviewTest, EmptySaleAndNoNotice)
{
    host.sale.lines.clear();
    shop.finishedNotice = true; // the notice follows printing only
    QPointer<ReceiptPreviewWindow> frame = open();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->previewWidget()->pageCount(), 1);
    // No notice: the only modal window is the preview itself.
    EXPECT_EQ(QApplication::activeModalWidget(), frame.data());
    EXPECT_TRUE(env.prompt().messages().isEmpty());
    frame->close();
    settle();
}

TEST_F(PreviewTest, TitleWithoutOwnerCaption)
{
    QWidget owner;
    EXPECT_EQ(ReceiptPreviewWindow::titleFor(&owner), "打印预览");
    EXPECT_EQ(ReceiptPreviewWindow::titleFor(nullptr), "打印预览");
}

} // namespace
