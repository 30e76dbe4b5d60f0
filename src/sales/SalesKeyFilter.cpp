#include "sales/SalesKeyFilter.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QWheelEvent>

SalesKeyFilter::SalesKeyFilter(QWidget &window) : QObject(&window), m_window(window) {}

void SalesKeyFilter::setWheelFields(const QList<QWidget *> &fields)
{
    m_wheelFields = fields;
}

bool SalesKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    const auto type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::Wheel)
        return false;
    QWidget *widget = qobject_cast<QWidget *>(watched);
    if (!widget || (widget != &m_window && !m_window.isAncestorOf(widget)))
        return false;
    if (type == QEvent::KeyPress)
        return handleKey(static_cast<QKeyEvent *>(event));
    return handleWheel(watched, static_cast<QWheelEvent *>(event));
}

bool SalesKeyFilter::handleKey(QKeyEvent *event)
{
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    if (event->key() == Qt::Key_F5 || (keypad && event->key() == Qt::Key_Plus)) {
        emit printPressed();
        return true;
    }
    if (keypad && event->key() == Qt::Key_Asterisk) {
        emit nextFieldPressed(); // "换行": on to the next field
        return true;
    }
    if (event->key() == Qt::Key_F1) {
        emit helpPressed();
        return true;
    }
    return false;
}

bool SalesKeyFilter::handleWheel(QObject *watched, QWheelEvent *event)
{
    const int angle = event->angleDelta().y();
    if (!wheelFieldHasFocus()) {
        if (angle != 0)
            emit wheelTurnedElsewhere(angle > 0);
        return isUnfocusedBox(watched);
    }
    // The focused field takes the whole turn, one step a notch.
    m_wheelAngle += angle;
    int notches = 0;
    while (m_wheelAngle >= 120 || m_wheelAngle <= -120) {
        const bool forward = m_wheelAngle > 0;
        m_wheelAngle += forward ? -120 : 120;
        notches += forward ? 1 : -1;
    }
    if (notches != 0)
        emit wheelStepped(notches);
    return true;
}

bool SalesKeyFilter::wheelFieldHasFocus() const
{
    for (const QWidget *field : m_wheelFields)
        if (field->isEnabled() && field->hasFocus())
            return true;
    return false;
}

bool SalesKeyFilter::isUnfocusedBox(QObject *watched) const
{
    const QWidget *focus = QApplication::focusWidget();
    for (QWidget *widget = qobject_cast<QWidget *>(watched); widget && widget != &m_window;
         widget = widget->parentWidget()) {
        if (qobject_cast<QComboBox *>(widget) || qobject_cast<QAbstractSpinBox *>(widget))
            return focus != widget && !widget->isAncestorOf(focus);
    }
    return false;
}
