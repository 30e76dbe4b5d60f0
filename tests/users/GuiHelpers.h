#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QInputMethodEvent>
#include <QTest>
#include <QTimer>

#include <functional>

// Types TEXT the way an input method delivers it (QTest::keyClicks cannot
// type Chinese).
inline void commitText(QWidget *widget, const QString &text)
{
    widget->setFocus();
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

inline void click(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

// Clicks a check box on its box, where a person would.
inline void tick(QAbstractButton *box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

// Runs ACTION on the next modal dialog as soon as it is shown; the caller then
// opens it (exec()). If no dialog turns up within a few seconds nothing runs
// and the test fails on what it expected the dialog to do.
inline void whenModal(const std::function<void(QDialog *)> &action, int attempts = 200)
{
    QTimer::singleShot(10, [action, attempts] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible())
            action(dialog);
        else if (attempts > 0)
            whenModal(action, attempts - 1);
    });
}

template <typename T> T *child(QWidget *parent, const char *name)
{
    return parent->findChild<T *>(QString::fromLatin1(name));
}
