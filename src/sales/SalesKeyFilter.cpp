#include "sales/SalesKeyFilter.h"

#include "ui_SalesDialog.h"

#include "sales/SalesDialog.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>

#include <algorithm>

SalesKeyFilter::SalesKeyFilter(SalesDialog &dialog) : QObject(&dialog), m_dialog(dialog) {}

bool SalesKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    const auto type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::Wheel && type != QEvent::InputMethod)
        return false;
    QWidget *widget = qobject_cast<QWidget *>(watched);
    if (!widget || (widget != &m_dialog && !m_dialog.isAncestorOf(widget)))
        return false;
    if (type == QEvent::KeyPress && handleKey(static_cast<QKeyEvent *>(event)))
        return true;
    if (type == QEvent::Wheel)
        return handleWheel(watched, static_cast<QWheelEvent *>(event));
    if (filterNumericKey(watched, event))
        return true;
    return false;
}

bool SalesKeyFilter::handleKey(QKeyEvent *event)
{
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    if (event->key() == Qt::Key_F5 || (keypad && event->key() == Qt::Key_Plus)) {
        m_dialog.printReceipt();
        return true;
    }
    if (keypad && event->key() == Qt::Key_Asterisk) {
        m_dialog.focusNextChild(); // "换行": on to the next field
        return true;
    }
    if (event->key() == Qt::Key_F1) {
        m_dialog.openHelp();
        return true;
    }
    return false;
}

// Quantity, price, discount and discounted amount take only digits, "-", "."
// and Backspace; other characters are dropped. Keys without text pass.
bool SalesKeyFilter::filterNumericKey(QObject *watched, QEvent *event)
{
    const bool numeric =
        watched == m_dialog.ui->quantityEdit || watched == m_dialog.ui->priceEdit ||
        watched == m_dialog.ui->discountedEdit || watched == m_dialog.ui->discountBox ||
        watched == m_dialog.ui->discountBox->lineEdit();
    if (!numeric)
        return false;
    const auto allowed = [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= '0' && u <= '9') || u == '-' || u == '.' || u == '\b';
    };
    if (event->type() == QEvent::InputMethod) {
        auto *input = static_cast<QInputMethodEvent *>(event);
        const QString commit = input->commitString();
        return !std::all_of(commit.begin(), commit.end(), allowed);
    }
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return false;
    return !std::all_of(text.begin(), text.end(), allowed);
}

// The wheel works on the field that has the focus, wherever the mouse is: the
// quantity or the price steps by one a notch, the sale time (while "修改时间"
// is ticked) steps the part being edited. A drop-down box or the time under
// the mouse without the focus does not take the turn: the cashier, payment
// method or product must not change unseen.
bool SalesKeyFilter::handleWheel(QObject *watched, QWheelEvent *event)
{
    const int angle = event->angleDelta().y();
    const SaleEntry::Field focus = m_dialog.focusedField();
    const bool onNumber = focus == SaleEntry::Field::Quantity || focus == SaleEntry::Field::Price;
    const bool onTime = m_dialog.ui->timeEdit->isEnabled() && m_dialog.ui->timeEdit->hasFocus();
    if (!onNumber && !onTime) {
        // Empty quantity and price show zero; the control under the mouse scrolls as usual.
        if (angle != 0) {
            m_dialog.m_session.sale().wheel(angle > 0, SaleEntry::Field::None);
            m_dialog.pushEntry();
        }
        return isUnfocusedEntryBox(watched);
    }
    // The focused field takes the whole turn, one step a notch.
    m_wheelAngle += angle;
    int timeSteps = 0;
    while (m_wheelAngle >= 120 || m_wheelAngle <= -120) {
        const bool forward = m_wheelAngle > 0;
        m_wheelAngle += forward ? -120 : 120;
        m_dialog.m_session.sale().wheel(forward, onNumber ? focus : SaleEntry::Field::None);
        timeSteps += forward ? 1 : -1;
    }
    if (onTime && timeSteps != 0)
        m_dialog.ui->timeEdit->stepBy(timeSteps);
    m_dialog.pushEntry();
    return true;
}

bool SalesKeyFilter::isUnfocusedEntryBox(QObject *watched) const
{
    const QWidget *focus = QApplication::focusWidget();
    for (QWidget *widget = qobject_cast<QWidget *>(watched); widget && widget != &m_dialog;
         widget = widget->parentWidget()) {
        if (qobject_cast<QComboBox *>(widget) || qobject_cast<QAbstractSpinBox *>(widget))
            return focus != widget && !widget->isAncestorOf(focus);
    }
    return false;
}
