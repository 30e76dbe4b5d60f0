#include "data/DatabaseInit.h"

#include "data/DataSource.h"
#include "data/Database.h"
#include "data/Transaction.h"

#include <QFile>
#include <optional>

#include <cstdio>

// The schemas live in the library's resources; a static library needs them named.
static void initSchemaResources()
{
    Q_INIT_RESOURCE(schema);
}

namespace {

bool tableExists(Database &db, const QString &table)
{
    // A select that fails names a table that is not there; outside a
    // transaction the failure leaves nothing behind on either engine.
    try {
        db.query(QStringLiteral("select count(*) from \"%1\"").arg(table));
        return true;
    } catch (const DatabaseError &) {
        return false;
    }
}

void print(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
}

} // namespace

QString DatabaseInit::usage()
{
    return QStringLiteral(
        "用法: quillmarch [--help] [--init-database 数据源 [--settings|--records]]\n"
        "（--init-database 与 quillmarch-cli init-database 相同。）\n"
        "\n"
        "  --init-database 数据源   在数据源所指的空数据库里建立表格和初始数据。\n"
        "                          数据源名为 Quillmarch 时建立设置库，为 Quillbook 时\n"
        "                          建立销售记录库；其他名字须加 --settings 或 --records。\n"
        "                          已有这些表格的数据库不会被改动。\n"
        "  --help                  显示本说明。\n"
        "\n"
        "不带参数时启动收银程序。");
}

QStringList DatabaseInit::tables(Kind kind)
{
    if (kind == Kind::Settings)
        return {QStringLiteral("USER"),         QStringLiteral("USER_SET"),
                QStringLiteral("INFO"),         QStringLiteral("RAW_PRINTER"),
                QStringLiteral("PRODUCT_NAME"), QStringLiteral("SALER"),
                QStringLiteral("AUTO_NUM")};
    return {QStringLiteral("AUTO_NUM"), QStringLiteral("POS_RECORD"),
            QStringLiteral("POS_RECORD_DETAIL")};
}

QString DatabaseInit::schemaResource(Kind kind, bool postgres)
{
    const QString base =
        kind == Kind::Settings ? QStringLiteral("Quillmarch") : QStringLiteral("Quillbook");
    return QStringLiteral(":/schema/%1%2.sql").arg(base, postgres ? QStringLiteral(".pg") : "");
}

QStringList DatabaseInit::statements(const QString &script)
{
    QString text;
    for (const QString &line : script.split(QLatin1Char('\n'))) {
        if (!line.trimmed().startsWith(QLatin1String("--")))
            text += line + QLatin1Char('\n');
    }
    QStringList result;
    // The schema's texts hold no semicolon: a statement ends at one.
    for (const QString &statement : text.split(QLatin1Char(';'))) {
        if (!statement.trimmed().isEmpty())
            result << statement.trimmed();
    }
    return result;
}

DatabaseInit::Outcome DatabaseInit::prepare(const QString &dsn, Kind kind, bool dryRun)
{
    Database db;
    if (!db.open(dsn))
        return {CannotOpen,
                QStringLiteral("不能打开数据库（数据源 %1）：%2").arg(dsn, db.lastOpenError())};
    return prepare(db, kind, dryRun);
}

DatabaseInit::Outcome DatabaseInit::prepare(Database &db, Kind kind, bool dryRun)
{
    initSchemaResources();
    const SqlDialect::Engine engine = db.dialect().engine();
    if (engine == SqlDialect::Engine::Other)
        return {Failed, QStringLiteral("数据源 %1 的数据库引擎不受支持：只能准备 PostgreSQL 或 "
                                       "SQLite 数据库。")
                            .arg(db.dsn())};
    for (const QString &table : tables(kind)) {
        if (tableExists(db, table))
            return {AlreadyPrepared,
                    QStringLiteral("数据源 %1 的数据库里已经有表格 %2，没有做任何改动。")
                        .arg(db.dsn(), table)};
    }
    QFile file(schemaResource(kind, engine == SqlDialect::Engine::Postgres));
    if (!file.open(QIODevice::ReadOnly))
        return {Failed, QStringLiteral("找不到数据库结构 %1。").arg(file.fileName())};
    const QStringList script = statements(QString::fromUtf8(file.readAll()));
    const QString what =
        kind == Kind::Settings ? QStringLiteral("设置库") : QStringLiteral("销售记录库");
    if (dryRun)
        return {Created,
                QStringLiteral("可以在数据源 %1 的数据库里建立%2（试运行，没有做任何改动）。")
                    .arg(db.dsn(), what)};
    try {
        Transaction transaction(db);
        for (const QString &statement : script)
            db.exec(statement);
        transaction.commit();
    } catch (const DatabaseError &error) {
        return {Failed,
                QStringLiteral("建立数据库失败，没有做任何改动：%1").arg(error.driverText())};
    }
    return {Created, QStringLiteral("已在数据源 %1 的数据库里建立%2。").arg(db.dsn(), what)};
}

int DatabaseInit::runCommand(const QStringList &arguments)
{
    QString dsn;
    std::optional<Kind> kind;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--init-database") && i + 1 < arguments.size())
            dsn = arguments.at(++i);
        else if (argument == QLatin1String("--init-database")) {
            print(stderr, QStringLiteral("--init-database 后面缺少数据源名。\n\n%1").arg(usage()));
            return BadUsage;
        } else if (argument == QLatin1String("--settings"))
            kind = Kind::Settings;
        else if (argument == QLatin1String("--records"))
            kind = Kind::Records;
        else {
            print(stderr, QStringLiteral("不认识的参数：%1\n\n%2").arg(argument, usage()));
            return BadUsage;
        }
    }
    if (!kind && dsn == QLatin1String(DataSource::settingsDsn))
        kind = Kind::Settings;
    if (!kind && dsn == QLatin1String(DataSource::recordsDsn))
        kind = Kind::Records;
    if (dsn.isEmpty() || !kind) {
        print(stderr, usage());
        return BadUsage;
    }
    const Outcome outcome = prepare(dsn, *kind);
    print(outcome.code == Created ? stdout : stderr, outcome.message);
    return outcome.code;
}
