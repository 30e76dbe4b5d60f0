#pragma once

#include "controls/DataCombo.h"

// An editable drop-down box that completes what is typed from its own list:
// typing "ab" in a box whose list holds "abc" shows "abc" with "c" selected.
// Delete and Backspace never complete again, so the user can cut a completion
// back; text that no entry begins with stays as typed, caret unmoved. Text
// from an input method (Chinese) completes like typed text. Enter is left to
// the dialog (its default button) and typed text is never added to the list.
// See InlineCompletion for which entry completes.
//
// The completion is made once the key has been handled in full, so the last
// text the box reports (editTextChanged, currentTextChanged) is always the
// completed one: an owner that follows the box's text is never left with the
// letters typed so far.
//
// Sized and shown as a DataCombo: long entries never widen the window.
//
// Owners read currentText(); textTyped() comes once per user edit with the
// text as completed; activated()/textActivated() when an entry is chosen.
class AutoCompleteCombo : public DataCombo
{
    Q_OBJECT

public:
    explicit AutoCompleteCombo(QWidget *parent = nullptr);

signals:
    void textTyped(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    void noteKey(int key);
    void noteEdit();
    template <typename Handle> void handleInput(Handle handle);
    void completeEdit();
    const QStringList &entries();

    bool m_completeOnNextUpdate = true;
    bool m_inInput = false; // a key or input-method event is being handled
    bool m_edited = false;  // ... and it changed the text
    QStringList m_entries;  // the list's texts, read again after it changed
    bool m_entriesStale = true;
};
