#pragma once

#include "cli/CliCommand.h"

// "export [--date D | --from A --to B] [--details] [--dry-run] FILE": the
// query window's export of the sales of a period: the sales list ("销售总列表")
// or, with --details, each sale followed by its lines ("销售详情列表"), as a
// workbook (.xlsx) or the tab-separated ".xls" text.
class ExportCommand : public CliCommand
{
public:
    QString name() const override { return QStringLiteral("export"); }
    QString summary() const override;
    QString help() const override;

protected:
    QList<CliArguments::Option> options() const override;
    int fewestWords() const override { return 1; }
    int mostWords() const override { return 1; }
    int execute(const CliArguments &arguments, CliContext &context) override;
};
