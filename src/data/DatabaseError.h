#pragma once

#include "data/DatabaseErrorText.h"

#include <QString>

#include <stdexcept>

// A statement failed inside an operation. Carries the driver's own text; the
// operation is abandoned and the text is shown to the user (see DbOperation).
class DatabaseError : public std::runtime_error
{
public:
    enum class Kind
    {
        Statement,
        // A unique index refused the row (a receipt number stored meanwhile).
        UniqueViolation,
        // The database server went away; nothing of the operation was kept.
        ConnectionLost,
        // The server went away while committing: the work may or may not be stored.
        CommitInDoubt
    };

    explicit DatabaseError(const QString &driverText, Kind kind = Kind::Statement,
                           const QString &file = {})
        : std::runtime_error(driverText.toStdString()), m_driverText(driverText), m_kind(kind),
          m_file(file)
    {
    }

    QString driverText() const { return m_driverText; }
    Kind kind() const { return m_kind; }
    // The database file (or data source) the statement ran on.
    QString file() const { return m_file; }
    // What is shown to a person: what failed and what to do, then the driver's text.
    // A lost server connection is already told in the program's own words.
    QString personText() const
    {
        if (m_kind == Kind::ConnectionLost || m_kind == Kind::CommitInDoubt)
            return m_driverText;
        return DatabaseErrorText::describe(m_driverText, m_file);
    }

private:
    QString m_driverText;
    Kind m_kind;
    QString m_file;
};
