#pragma once

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QPrinter;
class QPrintPreviewWidget;

// The print-preview frame: a top-level window with a preview of the receipt
// page and its own toolbar. It is application-modal: the owner window (the
// sales window) waits beneath it until it closes. Printing from here is refused: receipts are
// printed from the sales window only.
class ReceiptPreviewWindow : public QMainWindow
{
    Q_OBJECT

public:
    using Draw = std::function<void(QPrinter &printer)>;

    // Takes PRINTER, set up for the receipt's page; DRAW paints the receipt.
    ReceiptPreviewWindow(QWidget *owner, std::unique_ptr<QPrinter> printer, Draw draw);
    ~ReceiptPreviewWindow() override;

    static QString refusedPrintMessage()
    {
        return QStringLiteral("请使用主窗口上的“打印小票”按钮进行打印！");
    }
    static QString titleFor(const QWidget *owner);

    QPrintPreviewWidget *previewWidget() const { return m_preview; }
    QPrinter *printer() const { return m_printer.get(); }
    QAction *action(const QString &name) const;

private:
    void buildToolBar();
    void refusePrint();
    void keepPageTop();
    std::unique_ptr<QPrinter> m_printer;
    Draw m_draw;
    QPrintPreviewWidget *m_preview = nullptr;
    bool m_keepTop = true;
};
