#include "controls/AutoCompleteCombo.h"

#include "controls/InlineCompletion.h"

#include <QKeyEvent>
#include <QLineEdit>

AutoCompleteCombo::AutoCompleteCombo(QWidget *parent) : DataCombo(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr); // the completion here replaces Qt's own
    lineEdit()->installEventFilter(this);
    connect(lineEdit(), &QLineEdit::textEdited, this, &AutoCompleteCombo::completeTyped);
}

void AutoCompleteCombo::noteKey(int key)
{
    m_completeOnNextUpdate = key != Qt::Key_Delete && key != Qt::Key_Backspace;
}

bool AutoCompleteCombo::eventFilter(QObject *watched, QEvent *event)
{
    // Keys that reach the edit directly rather than through the box.
    if (watched == lineEdit()) {
        if (event->type() == QEvent::KeyPress)
            noteKey(static_cast<QKeyEvent *>(event)->key());
        else if (event->type() == QEvent::InputMethod)
            m_completeOnNextUpdate = true;
    }
    return DataCombo::eventFilter(watched, event);
}

void AutoCompleteCombo::keyPressEvent(QKeyEvent *event)
{
    noteKey(event->key());
    DataCombo::keyPressEvent(event);
}

void AutoCompleteCombo::inputMethodEvent(QInputMethodEvent *event)
{
    m_completeOnNextUpdate = true;
    DataCombo::inputMethodEvent(event);
}

void AutoCompleteCombo::completeTyped(const QString &typed)
{
    if (m_completeOnNextUpdate) {
        QLineEdit *edit = lineEdit();
        int start = edit->cursorPosition();
        int end = start;
        if (edit->hasSelectedText()) {
            start = int(edit->selectionStart());
            end = int(edit->selectionEnd());
        }
        QStringList entries;
        entries.reserve(count());
        for (int i = 0; i < count(); ++i)
            entries.append(itemText(i));
        const InlineCompletion::Result result =
            InlineCompletion::complete(entries, typed, start, end);
        if (result.entry >= 0) {
            setCurrentIndex(result.entry);
            edit->setText(result.text);
        }
        edit->setSelection(result.selectionStart, result.selectionEnd - result.selectionStart);
    }
    emit textTyped(currentText());
}
