#include "controls/ShownText.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace ShownText {

void show(QLineEdit *edit, const QString &text)
{
    if (edit->text() != text)
        edit->setText(text);
}

void show(QComboBox *box, const QString &text)
{
    if (box->currentText() != text)
        box->setEditText(text);
}

void show(QPlainTextEdit *edit, const QString &text)
{
    if (edit->toPlainText() != text)
        edit->setPlainText(text);
}

void refill(QComboBox *box, const QStringList &items)
{
    const QString text = box->currentText();
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(-1);
    box->setEditText(text);
}

void addNew(QComboBox *box, const QStringList &items)
{
    if (box->count() == items.size())
        return;
    const QString text = box->currentText();
    for (qsizetype i = box->count(); i < items.size(); ++i)
        box->addItem(items.at(i));
    box->setCurrentIndex(-1);
    box->setEditText(text);
}

} // namespace ShownText
