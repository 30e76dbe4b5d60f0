#pragma once

#include <QList>
#include <QString>

class QAbstractItemModel;
class QWidget;

// Exports the rows of a list to a file the user chooses ("保存Excel表"): a
// workbook (.xlsx) with one sheet named TITLE, or the tab-separated ".xls"
// text. Cells of NUMBERCOLUMNS that hold a number become numbers in the
// workbook. Reports the outcome to the user.
void exportList(QWidget *parent, const QAbstractItemModel &model, const QString &title,
                const QList<int> &numberColumns);
