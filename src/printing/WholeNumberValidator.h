#pragma once

#include <QValidator>

// Lets only the digits and "-" into an edit (Backspace still works); every
// other character typed is dropped. What is typed is read with atoi.
class WholeNumberValidator : public QValidator
{
public:
    explicit WholeNumberValidator(QObject *parent = nullptr) : QValidator(parent) {}

    State validate(QString &input, int &position) const override;
};
