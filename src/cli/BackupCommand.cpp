#include "cli/BackupCommand.h"

#include "cli/CliContext.h"
#include "core/Clock.h"
#include "records/BookSteps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {

const QRegularExpression &backupPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("^Quillbook-(\\d{4}-\\d{2}-\\d{2}-\\d{6})(?:-(\\d+))?\\.qmbk$"));
    return pattern;
}

} // namespace

QString BackupCommand::summary() const
{
    return QStringLiteral("备份销售记录库（收银时也可以备份）");
}

QString BackupCommand::help() const
{
    return QStringLiteral("用法：quillmarch-cli backup [--keep N] [--dry-run] [文件夹]\n"
                          "\n"
                          "把正在使用的销售记录库完整地备份到文件夹里，文件名为日期和时间，\n"
                          "例如 Quillbook-2026-12-09-231500.qmbk。备份与“管理数据库”菜单的\n"
                          "“导出备份数据库”相同：先写入临时文件并检查，再改名，收银机同时保存\n"
                          "小票也不受影响。不写文件夹时备份到数据文件夹旁边的 backups 文件夹。\n"
                          "销售记录在数据库服务器上时，请用服务器的备份工具。\n"
                          "\n"
                          "  --keep N    只保留文件夹中最新的 N 个备份，较早的删除；\n"
                          "  --dry-run   只说明要做什么，不写也不删任何文件；\n"
                          "  --help      显示本说明。\n");
}

QList<CliArguments::Option> BackupCommand::options() const
{
    return {{QStringLiteral("keep"), true}, {QStringLiteral("dry-run"), false}};
}

QString BackupCommand::fileName(const QDateTime &time, int repeat)
{
    QString name =
        QStringLiteral("Quillbook-") + time.toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    if (repeat > 1)
        name += u'-' + QString::number(repeat);
    return name + QStringLiteral(".qmbk");
}

QStringList BackupCommand::backupsIn(const QString &folder)
{
    struct Found
    {
        QString time;
        int repeat;
        QString name;
    };
    QList<Found> found;
    for (const QString &name : QDir(folder).entryList(QDir::Files)) {
        const QRegularExpressionMatch match = backupPattern().match(name);
        if (match.hasMatch())
            found.append({match.captured(1), qMax(1, match.captured(2).toInt()), name});
    }
    std::sort(found.begin(), found.end(), [](const Found &a, const Found &b) {
        return a.time != b.time ? a.time < b.time : a.repeat < b.repeat;
    });
    QStringList names;
    for (const Found &backup : found)
        names.append(QDir(folder).filePath(backup.name));
    return names;
}

QString BackupCommand::freeName(const QString &folder, const QDateTime &time)
{
    // After every backup of this second so far, even one that --keep has
    // removed already: a name reused would sort before the newer ones and be
    // removed at once.
    const QString stamp = time.toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    int repeat = 1;
    for (const QString &name : QDir(folder).entryList(QDir::Files)) {
        const QRegularExpressionMatch match = backupPattern().match(name);
        if (match.hasMatch() && match.captured(1) == stamp)
            repeat = qMax(repeat, qMax(1, match.captured(2).toInt()) + 1);
    }
    for (;; ++repeat) {
        const QString path = QDir(folder).filePath(fileName(time, repeat));
        if (!QFileInfo::exists(path))
            return path;
    }
}

bool BackupCommand::rotate(const QString &folder, int keep, bool dryRun, const QString &written)
{
    QStringList backups = backupsIn(folder);
    // The backup just written stays, whatever the clock did meanwhile.
    backups.removeAll(written);
    bool ok = true;
    for (qsizetype i = 0; i + keep - 1 < backups.size(); ++i) {
        const QString shown = QDir::toNativeSeparators(backups.at(i));
        if (dryRun) {
            say(QStringLiteral("将删除较早的备份 %1").arg(shown));
        } else if (QFile::remove(backups.at(i))) {
            say(QStringLiteral("已删除较早的备份 %1").arg(shown));
        } else {
            complain(QStringLiteral("不能删除较早的备份 %1").arg(shown));
            ok = false;
        }
    }
    return ok;
}

int BackupCommand::execute(const CliArguments &arguments, CliContext &context)
{
    int keep = 0;
    if (arguments.isSet(QStringLiteral("keep"))) {
        bool number = false;
        keep = arguments.value(QStringLiteral("keep")).toInt(&number);
        if (!number || keep < 1)
            return usageError(QStringLiteral("--keep 后面须是一个正整数。"));
    }
    const bool dryRun = arguments.isSet(QStringLiteral("dry-run"));
    const BookSteps::Place place = BookSteps::locate(context.recordsDsn());
    if (!place.found()) {
        complain(place.problem);
        return Failed;
    }
    const QString folder = QDir(arguments.positional().isEmpty() ? context.backupFolder()
                                                                 : arguments.positional().first())
                               .absolutePath();
    const QString target = freeName(folder, Clock::now());
    if (BookSteps::isOwnDataFile(target, place.book, context.settingsDsn(), context.programDir())) {
        complain(BookSteps::ownDataFileMessage(target));
        return Failed;
    }
    if (dryRun) {
        say(QStringLiteral("将把 %1 备份到 %2（试运行，没有写任何文件）")
                .arg(QDir::toNativeSeparators(place.book), QDir::toNativeSeparators(target)));
        return keep > 0 && !rotate(folder, keep, true, target) ? Failed : Done;
    }
    if (!QDir().mkpath(folder)) {
        complain(QStringLiteral("数据库备份失败!\n不能创建文件夹%1。")
                     .arg(QDir::toNativeSeparators(folder)));
        return Failed;
    }
    const BookSteps::Outcome outcome = BookSteps::backUp(place.book, target);
    if (!outcome.done) {
        complain(outcome.message);
        return Failed;
    }
    say(QStringLiteral("%1\n%2").arg(outcome.message, QDir::toNativeSeparators(target)));
    if (keep > 0 && !rotate(folder, keep, false, target))
        return Failed;
    return Done;
}
