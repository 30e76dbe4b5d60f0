#pragma once

#include "cli/CliArguments.h"
#include "records/QueryStatement.h"

#include <QDate>
#include <QList>
#include <QString>

class SqlDialect;

// The days a report or an export covers: "--date D", "--from A --to B"
// (whole days, both included) or, without either, today. Dates are written
// YYYY-MM-DD.
class CliPeriod
{
public:
    static QList<CliArguments::Option> options();
    static QString optionsHelp();

    // Reads the options; error() says what is wrong with them.
    explicit CliPeriod(const CliArguments &arguments);

    QString error() const { return m_error; }
    QDate first() const { return m_first; }
    QDate last() const { return m_last; }
    // "2026-12-09" or "2026-12-01 至 2026-12-31".
    QString text() const;
    // The sales of the period, as the query window selects them.
    QueryStatement statement(const SqlDialect &dialect) const;

private:
    static QDate readDate(const QString &text);

    QDate m_first;
    QDate m_last;
    QString m_error;
};
