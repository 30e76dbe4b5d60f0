#include "cli/ImportProductsCommand.h"

#include "cli/CliContext.h"
#include "data/Database.h"
#include "settings/ProductCatalogue.h"
#include "settings/ProductImport.h"

QString ImportProductsCommand::summary() const
{
    return QStringLiteral("用表格文件中的商品替换常用商品列表");
}

QString ImportProductsCommand::help() const
{
    return QStringLiteral(
        "用法：quillmarch-cli import-products [--dry-run] 文件\n"
        "\n"
        "与商品页的“导入excel表”相同：读取 .xlsx、.xls、制表符分隔的文本或 CSV\n"
        "（UTF-8 或 GB18030）；第1行是标题，商品名在第2列，单价在第3列。整个文件\n"
        "读完并检查无误后，才一次性替换现有的商品列表；不能导入的行被跳过并说明\n"
        "原因。文件不能读取时商品列表不变。\n"
        "\n"
        "  --dry-run   只读取和检查文件，说明会怎样替换，不改动商品列表；\n"
        "  --help      显示本说明。\n");
}

QList<CliArguments::Option> ImportProductsCommand::options() const
{
    return {{QStringLiteral("dry-run"), false}};
}

int ImportProductsCommand::execute(const CliArguments &arguments, CliContext &context)
{
    const QString path = arguments.positional().first();
    const ProductImport::Result result = ProductImport::read(path);
    if (!result.readable) {
        complain(ProductImport::unreadableMessage(path, result));
        return Failed;
    }
    if (result.products.isEmpty()) {
        complain(ProductImport::summary(result));
        return Failed;
    }
    Database db;
    const QString problem = CliContext::open(db, context.settingsDsn());
    if (!problem.isEmpty()) {
        complain(problem);
        return Failed;
    }
    try {
        ProductCatalogue catalogue(db);
        if (arguments.isSet(QStringLiteral("dry-run"))) {
            say(ProductImport::replacement(result, int(catalogue.all().size())) +
                QStringLiteral("\n（试运行，商品列表没有改变。）"));
            return Done;
        }
        catalogue.replaceAll(result.products);
    } catch (const DatabaseError &error) {
        complain(error.personText() + QStringLiteral("\n商品列表没有改变。"));
        return Failed;
    }
    say(ProductImport::summary(result));
    return Done;
}
