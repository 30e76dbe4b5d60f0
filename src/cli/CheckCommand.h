#pragma once

#include "cli/CliCommand.h"

#include <QStringList>

// "check": the settings database and the records book pass the checks of the
// program's start (present, whole, the program's tables, writable) and the
// integrity check a restore asks of a book. The exit status is 0 only when
// both are sound.
class CheckCommand : public CliCommand
{
public:
    QString name() const override { return QStringLiteral("check"); }
    QString summary() const override;
    QString help() const override;

protected:
    int execute(const CliArguments &arguments, CliContext &context) override;

private:
    // The problem with the database of DSN, empty when there is none.
    static QString problemOf(const QString &dsn, const QStringList &tables, bool records);
    static QString serverProblem(const QString &dsn, const QStringList &tables);
    static QString integrityProblem(const QString &dsn, const QString &file);
};
