#include "cli/InitDatabaseCommand.h"

#include "data/DatabaseInit.h"

QString InitDatabaseCommand::summary() const
{
    return QStringLiteral("在数据源所指的空数据库里建立设置库或销售记录库");
}

QString InitDatabaseCommand::help() const
{
    return QStringLiteral(
        "用法：quillmarch-cli init-database [--dry-run] 数据源 settings|records\n"
        "\n"
        "在 odbc.ini 中的数据源所指的空数据库里建立表格和初始数据：settings 为\n"
        "设置库（用户、商店信息、商品等），records 为销售记录库。数据源可以在\n"
        "PostgreSQL 服务器上（几台收银机共用），也可以是 SQLite。已有这些表格的\n"
        "数据库不会被改动；全部建立或者什么都不建立。\n"
        "旧的写法 quillmarch --init-database 数据源 --settings|--records 照样可用。\n"
        "\n"
        "  --dry-run   只检查能否建立，不做任何改动；\n"
        "  --help      显示本说明。\n");
}

QList<CliArguments::Option> InitDatabaseCommand::options() const
{
    return {{QStringLiteral("dry-run"), false}};
}

int InitDatabaseCommand::execute(const CliArguments &arguments, CliContext &)
{
    const QString dsn = arguments.positional().at(0);
    const QString kindName = arguments.positional().at(1);
    DatabaseInit::Kind kind;
    if (kindName == QLatin1String("settings"))
        kind = DatabaseInit::Kind::Settings;
    else if (kindName == QLatin1String("records"))
        kind = DatabaseInit::Kind::Records;
    else
        return usageError(
            QStringLiteral("“%1”不是数据库的种类：请写 settings 或 records。").arg(kindName));
    const DatabaseInit::Outcome outcome =
        DatabaseInit::prepare(dsn, kind, arguments.isSet(QStringLiteral("dry-run")));
    if (outcome.code != DatabaseInit::Created) {
        complain(outcome.message);
        return Failed;
    }
    say(outcome.message);
    return Done;
}
