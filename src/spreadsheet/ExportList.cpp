#include "spreadsheet/ExportList.h"

#include "controls/ExportFileDialog.h"
#include "core/Clock.h"
#include "core/Prompt.h"
#include "core/WriteFailure.h"
#include "spreadsheet/ListExport.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString proposedName()
{
    const QDate today = Clock::now().date();
    return QString::asprintf("%04d%02d%02d", today.year(), today.month(), today.day()) +
           QStringLiteral("查询结果.xlsx");
}

// An export never replaces a database: not the program's own books and
// settings (under whatever name leads to them), nor a backup of them.
bool isDatabase(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(16) == QByteArray("SQLite format 3\0", 16);
}

bool isText(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("xls"), Qt::CaseInsensitive) == 0;
}

} // namespace

void exportList(QWidget *parent, const QAbstractItemModel &model, const QString &title,
                const QList<int> &numberColumns)
{
    if (model.rowCount() == 0) {
        Prompt::info(parent, QStringLiteral("当前窗口没有数据可导出!"));
        return;
    }
    ExportFileDialog dialog(QStringLiteral("保存Excel表"),
                            QStringLiteral("Excel文件(*.xlsx)|表格文件(*.xls)|所有文件(*.*)"),
                            proposedName(), parent);
    if (!dialog.exec())
        return;
    const QString path = dialog.path();
    const QString shown = QDir::toNativeSeparators(path);
    if (isDatabase(path)) {
        Prompt::warn(parent, QStringLiteral("“%1”是数据库文件，不能用导出的表格覆盖它！\n"
                                            "请另选一个文件名。")
                                 .arg(shown));
        return;
    }

    ListExport::Result result;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const WorkProgress progress =
            Prompt::instance().progress(parent, QStringLiteral("正在导出%1…").arg(shown));
        result = isText(path)
                     ? ListExport::saveText(model, path, progress)
                     : ListExport::saveWorkbook(model, title, numberColumns, path, progress);
        QApplication::restoreOverrideCursor();
    }

    switch (result.outcome) {
    case ListExport::Outcome::Saved:
        Prompt::info(parent, isText(path) ? QStringLiteral("%1已经成功保存！").arg(shown)
                                          : QStringLiteral("导出文件保存于%1!").arg(shown));
        break;
    case ListExport::Outcome::TooManyRows:
        Prompt::warn(
            parent,
            QStringLiteral("列表有 %1 行，而 Excel 工作簿（.xlsx）连同标题行最多只能容纳 %2 行，"
                           "文件没有导出。\n请在“保存类型”中选择“表格文件(*.xls)”再导出一次："
                           "这种文本格式没有行数限制。")
                .arg(model.rowCount())
                .arg(ListExport::kMaxWorkbookRows));
        break;
    case ListExport::Outcome::Cancelled:
        break; // the person stopped it; the old file is as it was
    case ListExport::Outcome::CannotReplace:
        Prompt::warn(parent, QStringLiteral("覆盖文件时出错！") + u'\n' + result.reason);
        break;
    case ListExport::Outcome::Failed:
        Prompt::error(parent, QStringLiteral("导出文件“%1”失败：%2")
                                  .arg(shown, WriteFailure::reason(path, result.reason)));
        break;
    }
}
