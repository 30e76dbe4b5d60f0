#include "cli/ListFile.h"

#include "cli/CliCommand.h"
#include "spreadsheet/ListExport.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

int ListFile::write(const QAbstractItemModel &model, const QString &path, bool dryRun) const
{
    const QString target = QFileInfo(path).absoluteFilePath();
    const int rows = model.rowCount();
    if (rows == 0) {
        CliCommand::complain(QStringLiteral("没有可导出的记录，没有写文件。"));
        return CliCommand::Failed;
    }
    if (dryRun) {
        if (ListExport::isDatabaseFile(target)) {
            CliCommand::complain(
                ListExport::outcomeText({ListExport::Outcome::DatabaseTarget, {}}, target, rows));
            return CliCommand::Failed;
        }
        const QString replaced =
            QFileInfo(target).isFile() ? QStringLiteral("，原有的同名文件将放入回收站") : QString();
        CliCommand::say(QStringLiteral("将把 %1 行导出到 %2%3（试运行，没有写任何文件）")
                            .arg(rows)
                            .arg(QDir::toNativeSeparators(target), replaced));
        return CliCommand::Done;
    }
    if (QFileInfo(target).isFile() && !ListExport::isDatabaseFile(target))
        return replace(model, target);
    const ListExport::Result result = ListExport::save(model, title, numberColumns, target);
    const QString text = ListExport::outcomeText(result, target, rows);
    if (result.outcome != ListExport::Outcome::Saved) {
        CliCommand::complain(text);
        return CliCommand::Failed;
    }
    CliCommand::say(QStringLiteral("%1（%2 行）").arg(text).arg(rows));
    return CliCommand::Done;
}

int ListFile::replace(const QAbstractItemModel &model, const QString &target) const
{
    const int rows = model.rowCount();
    const QFileInfo info(target);
    QTemporaryDir folder(info.absoluteDir().filePath(QStringLiteral(".replacing-XXXXXX")));
    if (!folder.isValid()) {
        CliCommand::complain(QStringLiteral("导出文件“%1”失败：不能在文件夹“%2”中写文件。")
                                 .arg(QDir::toNativeSeparators(target),
                                      QDir::toNativeSeparators(info.absolutePath())));
        return CliCommand::Failed;
    }
    // The same name, so that the same type is written.
    const QString written = QDir(folder.path()).filePath(info.fileName());
    const ListExport::Result result = ListExport::save(model, title, numberColumns, written);
    if (result.outcome != ListExport::Outcome::Saved) {
        CliCommand::complain(ListExport::outcomeText(result, target, rows));
        return CliCommand::Failed;
    }
    // Where the trash cannot take it (a share without one), the new file
    // replaces it in one step, as it always did.
    const bool trashed = QFile::moveToTrash(target);
    const QString old = trashed ? QStringLiteral("原有的同名文件已放入回收站。")
                                : QStringLiteral("原有的同名文件不能放入回收站，已被替换。");
    if (std::rename(QFile::encodeName(written).constData(),
                    QFile::encodeName(target).constData()) != 0) {
        folder.setAutoRemove(false);
        CliCommand::complain(QStringLiteral("新文件不能改名为“%1”，保存在：%2\n%3")
                                 .arg(QDir::toNativeSeparators(target),
                                      QDir::toNativeSeparators(written),
                                      trashed ? old : QStringLiteral("原有的文件没有改变。")));
        return CliCommand::Failed;
    }
    CliCommand::say(QStringLiteral("%1（%2 行）\n%3")
                        .arg(ListExport::outcomeText(result, target, rows))
                        .arg(rows)
                        .arg(old));
    return CliCommand::Done;
}
