#pragma once

#include "cli/CliCommand.h"

// "export-products [--dry-run] FILE": the product page's "导出excel表", the
// sheet "商品名列表" with prices as numbers, or the ".xls" text.
class ExportProductsCommand : public CliCommand
{
public:
    QString name() const override { return QStringLiteral("export-products"); }
    QString summary() const override;
    QString help() const override;

protected:
    QList<CliArguments::Option> options() const override;
    int fewestWords() const override { return 1; }
    int mostWords() const override { return 1; }
    int execute(const CliArguments &arguments, CliContext &context) override;
};
