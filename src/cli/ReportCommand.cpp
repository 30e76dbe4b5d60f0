#include "cli/ReportCommand.h"

#include "cli/CliContext.h"
#include "cli/CliPeriod.h"
#include "cli/ReportText.h"
#include "data/Database.h"
#include "records/DayReport.h"

QString ReportCommand::summary() const
{
    return QStringLiteral("营业统计：单数、数量、金额、折扣，按付款方式、收银员和小时");
}

QString ReportCommand::help() const
{
    return QStringLiteral("用法：quillmarch-cli report [--date 日期 | --from 日期 --to 日期]\n"
                          "                           [--format text|csv|json]\n"
                          "\n"
                          "统计一段时间的销售：销售单数、销售数量、营业金额、折扣让利、\n"
                          "首单和末单，以及按付款方式、按收银员、按小时（一天中的钟点）\n"
                          "的单数和金额。数字与查询窗口“日结”的相同。\n"
                          "\n") +
           CliPeriod::optionsHelp() +
           QStringLiteral(
               "  --format 格式           text（默认，给人看）、csv 或 json（给其他程序）；\n"
               "  --help                  显示本说明。\n");
}

QList<CliArguments::Option> ReportCommand::options() const
{
    QList<CliArguments::Option> all = CliPeriod::options();
    all.append({QStringLiteral("format"), true});
    return all;
}

int ReportCommand::execute(const CliArguments &arguments, CliContext &context)
{
    ReportText::Format format = ReportText::Format::Text;
    if (arguments.isSet(QStringLiteral("format")) &&
        !ReportText::formatNamed(arguments.value(QStringLiteral("format")), format))
        return usageError(QStringLiteral("不认识的格式：%1（可选 text、csv、json）")
                              .arg(arguments.value(QStringLiteral("format"))));
    const CliPeriod period(arguments);
    if (!period.error().isEmpty())
        return usageError(period.error());
    Database db;
    const QString problem = CliContext::open(db, context.recordsDsn());
    if (!problem.isEmpty()) {
        complain(problem);
        return Failed;
    }
    try {
        const QueryStatement statement = period.statement(db.dialect());
        DayReport report = DayReport::of(db, statement);
        if (!report.isEmpty())
            report.addHours(db, statement);
        say(ReportText::write(report, period.text(), format));
    } catch (const DatabaseError &error) {
        complain(error.personText());
        return Failed;
    }
    return Done;
}
