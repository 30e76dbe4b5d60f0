#include "controls/DataCombo.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOptionComboBox>

namespace {

// The room the box asks for, in "x" widths, whatever its entries hold.
constexpr int designedCharacters = 3;

} // namespace

DataCombo::DataCombo(QWidget *parent) : QComboBox(parent)
{
    // A text the program sets (a stored customer, the chosen entry) would
    // otherwise show its end, where the caret is left. Typing is left alone.
    connect(this, &QComboBox::editTextChanged, this, [this] {
        if (!hasFocus() && lineEdit() && !lineEdit()->isModified())
            showBeginning();
    });
}

QSize DataCombo::sizeHint() const
{
    return designed(QComboBox::sizeHint());
}

QSize DataCombo::minimumSizeHint() const
{
    return designed(QComboBox::minimumSizeHint());
}

// HINT with its width replaced by the designed one; its height is kept.
QSize DataCombo::designed(QSize hint) const
{
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QFontMetrics metrics = fontMetrics();
    const QSize text(designedCharacters * metrics.horizontalAdvance(u'x'),
                     qMax(metrics.height(), 14) + 2);
    hint.setWidth(style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, this).width());
    return hint;
}

void DataCombo::focusOutEvent(QFocusEvent *event)
{
    QComboBox::focusOutEvent(event);
    // Its own list or another window taking the focus for a moment leaves
    // the text and its selection as they are.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        showBeginning();
}

void DataCombo::showBeginning()
{
    if (QLineEdit *edit = lineEdit())
        edit->setCursorPosition(0);
}

void DataCombo::showPopup()
{
    // What is kept free covers the popup's own frame around the list, so the
    // popup never outgrows the screen.
    constexpr int popupFrame = 16;
    QAbstractItemView *list = view();
    const int scrollBar =
        count() > maxVisibleItems() ? list->verticalScrollBar()->sizeHint().width() : 0;
    const int wanted = list->sizeHintForColumn(modelColumn()) + 2 * list->frameWidth() + scrollBar;
    const int room = screen()->availableGeometry().width() - popupFrame;
    list->setMinimumWidth(qMax(0, qMin(wanted, room)));
    QComboBox::showPopup();
}
