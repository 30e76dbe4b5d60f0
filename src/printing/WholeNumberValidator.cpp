#include "printing/WholeNumberValidator.h"

QValidator::State WholeNumberValidator::validate(QString &input, int &position) const
{
    // Pasted text keeps its digits and minus signs; the rest is dropped.
    QString kept;
    int keptBeforeCursor = 0;
    for (int i = 0; i < input.size(); ++i) {
        const QChar c = input.at(i);
        const bool wanted =
            (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-');
        if (wanted) {
            kept.append(c);
            if (i < position)
                ++keptBeforeCursor;
        }
    }
    input = kept;
    position = keptBeforeCursor;
    return Acceptable;
}
