#pragma once

#include "cli/CliCommand.h"

// "import-products [--dry-run] FILE": the product page's "导入excel表". The
// whole file is read and checked first; the catalogue is then replaced in one
// go, and one summary says how many came in and which rows were skipped.
class ImportProductsCommand : public CliCommand
{
public:
    QString name() const override { return QStringLiteral("import-products"); }
    QString summary() const override;
    QString help() const override;

protected:
    QList<CliArguments::Option> options() const override;
    int fewestWords() const override { return 1; }
    int mostWords() const override { return 1; }
    int execute(const CliArguments &arguments, CliContext &context) override;
};
