#pragma once

#include "cli/CliCommand.h"

// "init-database [--dry-run] DSN settings|records": the tables, indexes and
// seed rows of the settings or the records database in the empty database a
// data source names (a PostgreSQL server for several tills, or SQLite). A
// database that already holds any of them is left as it is.
class InitDatabaseCommand : public CliCommand
{
public:
    QString name() const override { return QStringLiteral("init-database"); }
    QString summary() const override;
    QString help() const override;

protected:
    QList<CliArguments::Option> options() const override;
    int fewestWords() const override { return 2; }
    int mostWords() const override { return 2; }
    bool needsData() const override { return false; }
    int execute(const CliArguments &arguments, CliContext &context) override;
};
