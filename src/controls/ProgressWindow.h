#pragma once

#include "core/WorkProgress.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QString>

class QWidget;

// The window of a long piece of work (an export, an import, a backup): the
// text, a bar and "取消". It appears only once the work has taken SHOWAFTERMS,
// so quick work shows nothing but the wait cursor.
class ProgressWindow
{
public:
    ProgressWindow(QWidget *parent, const QString &text, int showAfterMs = 1000);
    ~ProgressWindow();
    ProgressWindow(const ProgressWindow &) = delete;
    ProgressWindow &operator=(const ProgressWindow &) = delete;

    // Moves the bar and lets the window paint and take the click on "取消";
    // false once it was pressed.
    bool report(qint64 done, qint64 total);
    QProgressDialog *dialog() const { return m_dialog; }

    // A report function that owns its window: the window goes when the last
    // copy of the function does.
    static WorkProgress start(QWidget *parent, const QString &text, int showAfterMs = 1000);

private:
    QPointer<QProgressDialog> m_dialog;
    QElapsedTimer m_started;
    QElapsedTimer m_painted;
    int m_showAfterMs;
};
