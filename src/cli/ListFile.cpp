#include "cli/ListFile.h"

#include "cli/CliCommand.h"
#include "spreadsheet/ListExport.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QFileInfo>

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
        CliCommand::say(QStringLiteral("将把 %1 行导出到 %2（试运行，没有写任何文件）")
                            .arg(rows)
                            .arg(QDir::toNativeSeparators(target)));
        return CliCommand::Done;
    }
    const ListExport::Result result = ListExport::save(model, title, numberColumns, target);
    const QString text = ListExport::outcomeText(result, target, rows);
    if (result.outcome != ListExport::Outcome::Saved) {
        CliCommand::complain(text);
        return CliCommand::Failed;
    }
    CliCommand::say(QStringLiteral("%1（%2 行）").arg(text).arg(rows));
    return CliCommand::Done;
}
