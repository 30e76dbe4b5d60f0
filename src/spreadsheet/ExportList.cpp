#include "spreadsheet/ExportList.h"

#include "controls/ExportFileDialog.h"
#include "controls/Prompt.h"
#include "core/Clock.h"
#include "spreadsheet/ListExport.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>

namespace {

QString proposedName()
{
    const QDate today = Clock::now().date();
    return QString::asprintf("%04d%02d%02d", today.year(), today.month(), today.day()) +
           QStringLiteral("查询结果.xlsx");
}

} // namespace

void exportList(QWidget *parent, const QAbstractItemModel &model, const QString &title,
                const QList<int> &numberColumns)
{
    if (model.rowCount() == 0) {
        Prompt::info(parent, ListExport::outcomeText({ListExport::Outcome::Empty, {}}, {}, 0));
        return;
    }
    ExportFileDialog dialog(QStringLiteral("保存Excel表"),
                            QStringLiteral("Excel文件(*.xlsx)|表格文件(*.xls)|所有文件(*.*)"),
                            proposedName(), parent);
    if (!dialog.exec())
        return;
    const QString path = dialog.path();
    ListExport::Result result;
    if (ListExport::isDatabaseFile(path)) {
        result.outcome = ListExport::Outcome::DatabaseTarget;
    } else {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const WorkProgress progress = Prompt::instance().progress(
            parent, QStringLiteral("正在导出%1…").arg(QDir::toNativeSeparators(path)));
        result = ListExport::save(model, title, numberColumns, path, progress);
        QApplication::restoreOverrideCursor();
    }
    const QString text = ListExport::outcomeText(result, path, model.rowCount());
    switch (result.outcome) {
    case ListExport::Outcome::Saved:
    case ListExport::Outcome::Empty:
        Prompt::info(parent, text);
        break;
    case ListExport::Outcome::Cancelled:
        break; // the person stopped it; the old file is as it was
    case ListExport::Outcome::Failed:
        Prompt::error(parent, text);
        break;
    case ListExport::Outcome::TooManyRows:
    case ListExport::Outcome::CannotReplace:
    case ListExport::Outcome::DatabaseTarget:
        Prompt::warn(parent, text);
        break;
    }
}
