#include "controls/ProgressWindow.h"

#include <QApplication>
#include <QProgressDialog>

#include <memory>

namespace {

constexpr int kSteps = 1000;
constexpr int kRepaintMs = 50;

} // namespace

ProgressWindow::ProgressWindow(QWidget *parent, const QString &text, int showAfterMs)
    : m_dialog(new QProgressDialog(text, QStringLiteral("取消"), 0, kSteps, parent)),
      m_showAfterMs(showAfterMs)
{
    m_dialog->setWindowTitle(QStringLiteral("请稍候"));
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setMinimumDuration(INT_MAX); // shown here, not by its own guess
    m_dialog->setMinimumWidth(m_dialog->fontMetrics().horizontalAdvance(text) + 60);
    m_dialog->hide();
    m_started.start();
    m_painted.start();
}

ProgressWindow::~ProgressWindow()
{
    delete m_dialog;
}

bool ProgressWindow::report(qint64 done, qint64 total)
{
    if (!m_dialog)
        return true;
    if (m_dialog->wasCanceled())
        return false;
    if (m_painted.elapsed() < kRepaintMs && m_dialog->isVisible())
        return true;
    m_painted.restart();
    if (!m_dialog->isVisible()) {
        if (m_started.elapsed() < m_showAfterMs)
            return true;
        m_dialog->show();
    }
    if (total > 0) {
        m_dialog->setMaximum(kSteps);
        m_dialog->setValue(int(qMin<qint64>(kSteps, done * kSteps / total)));
    } else {
        m_dialog->setMaximum(0); // a moving bar: the whole is not known
    }
    QApplication::processEvents();
    return !(m_dialog && m_dialog->wasCanceled());
}

WorkProgress ProgressWindow::start(QWidget *parent, const QString &text, int showAfterMs)
{
    auto window = std::make_shared<ProgressWindow>(parent, text, showAfterMs);
    return [window](qint64 done, qint64 total) { return window->report(done, total); };
}
