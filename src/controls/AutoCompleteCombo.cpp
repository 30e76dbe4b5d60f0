#include "controls/AutoCompleteCombo.h"

#include "controls/InlineCompletion.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include <utility>

AutoCompleteCombo::AutoCompleteCombo(QWidget *parent) : DataCombo(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr); // the completion here replaces Qt's own
    lineEdit()->installEventFilter(this);
    connect(lineEdit(), &QLineEdit::textEdited, this, &AutoCompleteCombo::noteEdit);
    // The entries are read once per change of the list, not at every key:
    // a catalogue of thousands of products is completed at a scanner's pace.
    QAbstractItemModel *entries = model();
    const auto stale = [this] { m_entriesStale = true; };
    connect(entries, &QAbstractItemModel::rowsInserted, this, stale);
    connect(entries, &QAbstractItemModel::rowsRemoved, this, stale);
    connect(entries, &QAbstractItemModel::rowsMoved, this, stale);
    connect(entries, &QAbstractItemModel::dataChanged, this, stale);
    connect(entries, &QAbstractItemModel::modelReset, this, stale);
    connect(entries, &QAbstractItemModel::layoutChanged, this, stale);
}

const QStringList &AutoCompleteCombo::entries()
{
    if (m_entriesStale || m_entries.size() != count()) {
        m_entries.clear();
        m_entries.reserve(count());
        for (int i = 0; i < count(); ++i)
            m_entries.append(itemText(i));
        m_entriesStale = false;
    }
    return m_entries;
}

void AutoCompleteCombo::noteKey(int key)
{
    m_completeOnNextUpdate = key != Qt::Key_Delete && key != Qt::Key_Backspace;
}

// The edit reports an edit before it reports the changed text. Completing
// right then would have the box report the completed text first and the typed
// one last, so the completion waits until the key has been handled.
void AutoCompleteCombo::noteEdit()
{
    if (m_inInput) {
        m_edited = true;
        return;
    }
    // An edit without a key (pasted or dropped text) completes once the edit is over.
    QTimer::singleShot(0, this, [this] {
        m_completeOnNextUpdate = true;
        completeEdit();
    });
}

template <typename Handle> void AutoCompleteCombo::handleInput(Handle handle)
{
    if (m_inInput) {
        handle();
        return;
    }
    m_inInput = true;
    m_edited = false;
    handle();
    m_inInput = false;
    if (std::exchange(m_edited, false))
        completeEdit();
}

bool AutoCompleteCombo::eventFilter(QObject *watched, QEvent *event)
{
    // Keys sent to the edit itself rather than through the box.
    if (watched == lineEdit() && !m_inInput) {
        if (event->type() == QEvent::KeyPress) {
            noteKey(static_cast<QKeyEvent *>(event)->key());
            handleInput([&] { lineEdit()->event(event); });
            return true;
        }
        if (event->type() == QEvent::InputMethod) {
            m_completeOnNextUpdate = true;
            handleInput([&] { lineEdit()->event(event); });
            return true;
        }
    }
    return DataCombo::eventFilter(watched, event);
}

void AutoCompleteCombo::keyPressEvent(QKeyEvent *event)
{
    noteKey(event->key());
    handleInput([&] { DataCombo::keyPressEvent(event); });
}

void AutoCompleteCombo::inputMethodEvent(QInputMethodEvent *event)
{
    m_completeOnNextUpdate = true;
    handleInput([&] { DataCombo::inputMethodEvent(event); });
}

void AutoCompleteCombo::completeEdit()
{
    QLineEdit *edit = lineEdit();
    if (m_completeOnNextUpdate) {
        const QString typed = edit->text();
        int start = edit->cursorPosition();
        int end = start;
        if (edit->hasSelectedText()) {
            start = int(edit->selectionStart());
            end = int(edit->selectionEnd());
        }
        const InlineCompletion::Result result =
            InlineCompletion::complete(entries(), typed, start, end);
        if (result.entry >= 0) {
            setCurrentIndex(result.entry);
            edit->setText(result.text);
        }
        edit->setSelection(result.selectionStart, result.selectionEnd - result.selectionStart);
    }
    emit textTyped(currentText());
}
