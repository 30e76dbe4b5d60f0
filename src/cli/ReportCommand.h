#pragma once

#include "cli/CliCommand.h"

// "report [--date D | --from A --to B] [--format text|csv|json]": the
// number of sales and items, the takings, the discounts given, and the
// takings by payment method, by cashier and by hour of the day, summed by
// the same statements as the query window's day-end report.
class ReportCommand : public CliCommand
{
public:
    QString name() const override { return QStringLiteral("report"); }
    QString summary() const override;
    QString help() const override;

protected:
    QList<CliArguments::Option> options() const override;
    int execute(const CliArguments &arguments, CliContext &context) override;
};
