#include "printing/ReceiptPreviewWindow.h"

#include "controls/Prompt.h"

#include <QAction>
#include <QCloseEvent>
#include <QGraphicsView>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScrollBar>
#include <QToolBar>

ReceiptPreviewWindow::ReceiptPreviewWindow(QWidget *owner, std::unique_ptr<QPrinter> printer,
                                           Draw draw)
    : QMainWindow(nullptr), m_printer(std::move(printer)), m_draw(std::move(draw))
{
    setAttribute(Qt::WA_DeleteOnClose);
    // The sales window runs modally (exec); hiding it would end its loop and
    // with it the program. It stays where it is, covered and blocked by the
    // maximised preview until the preview closes.
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(titleFor(owner));
    if (owner)
        setWindowIcon(owner->windowIcon());
    setGeometry(200, 200, 300, 300);

    m_preview = new QPrintPreviewWidget(m_printer.get(), this);
    setCentralWidget(m_preview);
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter *target) { m_draw(*target); });
    buildToolBar();
    m_preview->fitToWidth();
    keepPageTop();
}

ReceiptPreviewWindow::~ReceiptPreviewWindow()
{
    // The preview goes before the printer it draws on.
    delete m_preview;
}

QString ReceiptPreviewWindow::titleFor(const QWidget *owner)
{
    const QString caption = owner ? owner->windowTitle() : QString();
    return caption.isEmpty() ? QStringLiteral("打印预览") : caption + QStringLiteral(" (预览)");
}

QAction *ReceiptPreviewWindow::action(const QString &name) const
{
    return findChild<QAction *>(name);
}

void ReceiptPreviewWindow::buildToolBar()
{
    QToolBar *bar = addToolBar(QStringLiteral("预览"));
    bar->setObjectName(QStringLiteral("previewToolBar"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto add = [this, bar](const char *name, const QString &text, auto slot) {
        QAction *action = bar->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        // A tool button shows the text without its "&": the letter works as
        // Alt plus that letter only through the action's own shortcut.
        action->setShortcut(QKeySequence::mnemonic(text));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    add("printAction", QStringLiteral("打印(&P)..."), [this] { refusePrint(); });
    bar->addSeparator();
    add("nextPageAction", QStringLiteral("下一页(&N)"),
        [this] { m_preview->setCurrentPage(m_preview->currentPage() + 1); });
    add("previousPageAction", QStringLiteral("上一页(&V)"),
        [this] { m_preview->setCurrentPage(m_preview->currentPage() - 1); });
    add("onePageAction", QStringLiteral("一页(&O)"),
        [this] { m_preview->setSinglePageViewMode(); });
    add("twoPagesAction", QStringLiteral("两页(&T)"),
        [this] { m_preview->setFacingPagesViewMode(); });
    bar->addSeparator();
    add("zoomInAction", QStringLiteral("放大(&I)"), [this] { m_preview->zoomIn(1.25); });
    add("zoomOutAction", QStringLiteral("缩小(&U)"), [this] { m_preview->zoomOut(1.25); });
    add("fitWidthAction", QStringLiteral("适合宽度(&W)"), [this] { m_preview->fitToWidth(); });
    add("fitPageAction", QStringLiteral("整页(&F)"), [this] { m_preview->fitInView(); });
    bar->addSeparator();
    QAction *closeAction = add("closeAction", QStringLiteral("关闭(&C)"), [this] { close(); });
    closeAction->setShortcuts({QKeySequence::mnemonic(closeAction->text()),
                               QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
}

void ReceiptPreviewWindow::refusePrint()
{
    Prompt::info(this, refusedPrintMessage(), QStringLiteral("提示"));
    close();
}

void ReceiptPreviewWindow::keepPageTop()
{
    // The preview centres the page whenever it fits it to the window; a
    // receipt is read from its top, so the top stays in view until the person
    // scrolls.
    auto *view = m_preview->findChild<QGraphicsView *>();
    if (!view)
        return;
    QScrollBar *bar = view->verticalScrollBar();
    connect(bar, &QAbstractSlider::actionTriggered, this, [this] { m_keepTop = false; });
    connect(bar, &QAbstractSlider::valueChanged, this, [this, bar](int value) {
        if (m_keepTop && value != bar->minimum())
            bar->setValue(bar->minimum());
    });
    connect(bar, &QAbstractSlider::rangeChanged, this, [this, bar](int minimum) {
        if (m_keepTop)
            bar->setValue(minimum);
    });
}
