#include "app/QuitWhenShown.h"

#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QTimer>

#include <cstdio>

bool QuitWhenShown::eventFilter(QObject *watched, QEvent *event)
{
    auto *window = qobject_cast<QWidget *>(watched);
    if (!window || !window->isWindow())
        return false;
    if (event->type() == QEvent::Show) {
        std::printf("shown: %s \"%s\"\n", window->metaObject()->className(),
                    qUtf8Printable(window->windowTitle().trimmed()));
        std::fflush(stdout);
        return false;
    }
    if (event->type() != QEvent::Paint || m_closing.contains(window))
        return false;
    m_closing.insert(window);
    std::printf("painted: %s\n", window->metaObject()->className());
    std::fflush(stdout);
    QPointer<QWidget> shown(window);
    // After this paint has finished.
    QTimer::singleShot(0, window, [this, shown] {
        m_closing.remove(shown.data());
        if (auto *dialog = qobject_cast<QDialog *>(shown.data()))
            dialog->done(QDialog::Rejected);
        else if (shown)
            shown->close();
    });
    return false;
}
