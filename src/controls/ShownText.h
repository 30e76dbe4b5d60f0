#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

// A value shown in a field: set only when it differs, so that a field that
// already shows it keeps its caret and selection and reports no change.
namespace ShownText {

void show(QLineEdit *edit, const QString &text);
void show(QComboBox *box, const QString &text);
void show(QPlainTextEdit *edit, const QString &text);

// Fills the box's list again without touching the text it shows.
void refill(QComboBox *box, const QStringList &items);
// Adds the ITEMS beyond those the list holds, the text shown untouched.
void addNew(QComboBox *box, const QStringList &items);

} // namespace ShownText
