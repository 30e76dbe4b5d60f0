#pragma once

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QPrinter;
class QPrintPreviewWidget;

// The print-preview frame: a top-level window with a preview of the receipt
// page and its own toolbar. The owner window (the sales window) is hidden
// while the frame is shown and comes back however the frame closes. Printing
// from here is refused: receipts are printed from the sales window only.
class CMainFrame : public QMainWindow
{
    Q_OBJECT

public:
    using Draw = std::function<void(QPrinter &printer)>;

    // Takes PRINTER, set up for the receipt's page; DRAW paints the receipt.
    CMainFrame(QWidget *owner, std::unique_ptr<QPrinter> printer, Draw draw);
    ~CMainFrame() override;

    static QString refusedPrintMessage()
    {
        return QStringLiteral("请使用主窗口上的“打印小票”按钮进行打印！");
    }
    static QString titleFor(const QWidget *owner);

    QPrintPreviewWidget *previewWidget() const { return m_preview; }
    QPrinter *printer() const { return m_printer.get(); }
    QAction *action(const QString &name) const;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildToolBar();
    void refusePrint();
    void keepPageTop();
    void showOwner();

    QPointer<QWidget> m_owner;
    std::unique_ptr<QPrinter> m_printer;
    Draw m_draw;
    QPrintPreviewWidget *m_preview = nullptr;
    bool m_keepTop = true;
};
