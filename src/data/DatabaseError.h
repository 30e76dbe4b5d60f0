#pragma once

#include <QString>

#include <stdexcept>

// A statement failed inside an operation. Carries the driver's own text; the
// operation is abandoned and the text is shown to the user (see DbOperation).
class DatabaseError : public std::runtime_error
{
public:
    explicit DatabaseError(const QString &driverText)
        : std::runtime_error(driverText.toStdString()), m_driverText(driverText)
    {
    }

    QString driverText() const { return m_driverText; }

private:
    QString m_driverText;
};
