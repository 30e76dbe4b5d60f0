#include "cli/CheckCommand.h"

#include "cli/CliContext.h"
#include "data/DataFileCheck.h"
#include "data/DataSource.h"
#include "data/Database.h"
#include "records/BookFile.h"

#include <QDir>

QString CheckCommand::summary() const
{
    return QStringLiteral("检查设置库和销售记录库是否完好");
}

QString CheckCommand::help() const
{
    return QStringLiteral("用法：quillmarch-cli check\n"
                          "\n"
                          "检查设置库和销售记录库：文件存在、完整、有本程序的数据表、可以写入，\n"
                          "并做 SQLite 的完整性检查（与程序启动时和恢复数据库时的检查相同）。\n"
                          "数据源在数据库服务器上时，检查能否连接以及数据表是否都在。\n"
                          "两个数据库都完好时退出状态为 0，否则为 1，并说明问题所在。\n"
                          "\n"
                          "  --help      显示本说明。\n");
}

int CheckCommand::execute(const CliArguments &, CliContext &context)
{
    struct Book
    {
        QString label;
        QString dsn;
        QStringList tables;
        bool records;
    };
    const QList<Book> books{
        {QStringLiteral("设置库"), context.settingsDsn(), DataFileCheck::settingsTables(), false},
        {QStringLiteral("销售记录库"), context.recordsDsn(), DataFileCheck::recordsTables(), true}};
    int exit = Done;
    for (const Book &book : books) {
        const DataSource::Entry entry = DataSource::lookup(book.dsn);
        const QString where = entry.isSqlite() ? QDir::toNativeSeparators(entry.database)
                                               : QStringLiteral("数据源 %1").arg(book.dsn);
        const QString problem = problemOf(book.dsn, book.tables, book.records);
        if (problem.isEmpty()) {
            say(QStringLiteral("%1 %2：完好").arg(book.label, where));
        } else {
            complain(QStringLiteral("%1 %2：%3").arg(book.label, where, problem));
            exit = Failed;
        }
    }
    return exit;
}

QString CheckCommand::problemOf(const QString &dsn, const QStringList &tables, bool records)
{
    const DataSource::Entry entry = DataSource::lookup(dsn);
    if (entry.exists() && !entry.isSqlite())
        return serverProblem(dsn, tables);
    const DataFileCheck::Result start = DataFileCheck::check(entry.database, tables);
    if (!start.ok())
        return DataFileCheck::message(start);
    if (records) {
        switch (BookFile::examine(entry.database)) {
        case BookFile::Verdict::Book:
            return {};
        case BookFile::Verdict::WrongTables:
            return QStringLiteral(
                "数据表的列与本程序的不同（不是本程序的销售记录库，或版本不同）。");
        default:
            return QStringLiteral("没有通过完整性检查：数据库文件已损坏或不完整。"
                                  "请用备份恢复（“管理数据库”→“导入恢复数据库”）。");
        }
    }
    return integrityProblem(dsn, entry.database);
}

QString CheckCommand::serverProblem(const QString &dsn, const QStringList &tables)
{
    Database db;
    const QString problem = CliContext::open(db, dsn);
    if (!problem.isEmpty())
        return problem;
    QStringList missing;
    for (const QString &table : tables) {
        try {
            db.query(QStringLiteral("select count(*) from \"%1\"").arg(table));
        } catch (const DatabaseError &) {
            missing.append(table);
        }
    }
    if (missing.isEmpty())
        return {};
    return QStringLiteral("数据库里缺少本程序的数据表（%1）。")
        .arg(missing.join(QStringLiteral("、")));
}

QString CheckCommand::integrityProblem(const QString &dsn, const QString &file)
{
    Database db;
    const QString problem = CliContext::open(db, dsn);
    if (!problem.isEmpty())
        return problem;
    try {
        const QString verdict = db.scalar(QStringLiteral("pragma integrity_check"));
        if (verdict == QLatin1String("ok"))
            return {};
        return QStringLiteral("没有通过完整性检查：%1").arg(verdict);
    } catch (const DatabaseError &error) {
        return QStringLiteral("数据库文件%1已损坏，无法读取。\n%2")
            .arg(QDir::toNativeSeparators(file), error.driverText());
    }
}
