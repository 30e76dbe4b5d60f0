#include "cli/ExportProductsCommand.h"

#include "cli/CliContext.h"
#include "cli/ListFile.h"
#include "controls/SortListModel.h"
#include "data/Database.h"
#include "settings/ProductCatalogue.h"
#include "settings/ProductImport.h"

QString ExportProductsCommand::summary() const
{
    return QStringLiteral("把常用商品列表导出为 Excel 表（.xlsx 或 .xls）");
}

QString ExportProductsCommand::help() const
{
    return QStringLiteral(
        "用法：quillmarch-cli export-products [--dry-run] 文件\n"
        "\n"
        "与商品页的“导出excel表”相同：工作表“商品名列表”，列为序号、名称、单价；\n"
        "文件名以 .xls 结尾时写成制表符分隔的文本（GB18030）。同名的文件先放入\n"
        "回收站。导出的文件可以在表格程序中修改后用 import-products 导入。\n"
        "\n"
        "  --dry-run   只说明要导出多少行，不写文件；\n"
        "  --help      显示本说明。\n");
}

QList<CliArguments::Option> ExportProductsCommand::options() const
{
    return {{QStringLiteral("dry-run"), false}};
}

int ExportProductsCommand::execute(const CliArguments &arguments, CliContext &context)
{
    Database db;
    const QString problem = CliContext::open(db, context.settingsDsn());
    if (!problem.isEmpty()) {
        complain(problem);
        return Failed;
    }
    SortListModel model;
    model.setColumns(ProductImport::listColumns());
    try {
        model.setRows(ProductImport::listRows(ProductCatalogue(db).all()));
    } catch (const DatabaseError &error) {
        complain(error.personText());
        return Failed;
    }
    db.close();
    const ListFile file{ProductImport::sheetName(), ProductImport::numberColumns()};
    return file.write(model, arguments.positional().first(),
                      arguments.isSet(QStringLiteral("dry-run")));
}
