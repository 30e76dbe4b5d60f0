#include "cli/ExportCommand.h"

#include "cli/CliContext.h"
#include "cli/CliPeriod.h"
#include "cli/ListFile.h"
#include "data/Database.h"
#include "records/DetailListModel.h"
#include "records/SalesListModel.h"

QString ExportCommand::summary() const
{
    return QStringLiteral("把一段时间的销售记录导出为 Excel 表（.xlsx 或 .xls）");
}

QString ExportCommand::help() const
{
    return QStringLiteral("用法：quillmarch-cli export [--date 日期 | --from 日期 --to 日期]\n"
                          "                           [--details] [--dry-run] 文件\n"
                          "\n"
                          "与查询窗口的“导出表”相同：文件名以 .xls 结尾时写成制表符分隔的\n"
                          "文本（GB18030），否则写成 Excel 工作簿（.xlsx）。同名的文件先放入\n"
                          "回收站；数据库文件不会被覆盖。\n"
                          "\n") +
           CliPeriod::optionsHelp() +
           QStringLiteral(
               "  --details               导出销售详情总表（每张小票后面跟着它的商品行）；\n"
               "  --dry-run               只说明要导出多少行，不写文件；\n"
               "  --help                  显示本说明。\n");
}

QList<CliArguments::Option> ExportCommand::options() const
{
    QList<CliArguments::Option> all = CliPeriod::options();
    all.append({QStringLiteral("details"), false});
    all.append({QStringLiteral("dry-run"), false});
    return all;
}

int ExportCommand::execute(const CliArguments &arguments, CliContext &context)
{
    const CliPeriod period(arguments);
    if (!period.error().isEmpty())
        return usageError(period.error());
    Database db;
    const QString problem = CliContext::open(db, context.recordsDsn());
    if (!problem.isEmpty()) {
        complain(problem);
        return Failed;
    }
    const bool details = arguments.isSet(QStringLiteral("details"));
    SalesListModel sales;
    DetailListModel lines;
    RecordListModel &model = details ? static_cast<RecordListModel &>(lines) : sales;
    try {
        model.fill(db, period.statement(db.dialect()));
    } catch (const DatabaseError &error) {
        complain(error.personText());
        return Failed;
    }
    db.close();
    const ListFile file{details ? QStringLiteral("销售详情列表") : QStringLiteral("销售总列表"),
                        details ? QList<int>{0, 3, 4} : QList<int>{0, 3, 4, 5}};
    return file.write(model, arguments.positional().first(),
                      arguments.isSet(QStringLiteral("dry-run")));
}
