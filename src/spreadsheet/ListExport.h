#pragma once

#include "core/WorkProgress.h"

#include <QByteArray>
#include <QList>
#include <QString>

class QAbstractItemModel;

// Writes the rows of a list to a file for a spreadsheet program, in one of
// two forms:
// - a workbook (.xlsx): one sheet named by the title, a header row with every
//   column (zero-wide ones too), one row per list row in list order; the
//   cells of the number columns that hold a number are written as numbers,
//   every other cell as text (receipt numbers keep their leading zeros);
// - the tab-separated text of the older version (".xls"): GB18030, a tab
//   after every cell, an apostrophe before each receipt number (the column
//   titled "销售票号"), CR LF line ends, no line break inside a cell and a tab
//   inside a cell as a blank.
// The file is written beside the target and renamed into place; a write that
// fails or is stopped through PROGRESS leaves the old file as it was.
class ListExport
{
public:
    enum class Outcome
    {
        Saved,
        CannotReplace, // an old file of that name is in the way
        TooManyRows,   // more rows than a workbook sheet holds; nothing written
        Cancelled,     // stopped by the person; nothing written
        Failed,
        DatabaseTarget, // the file chosen is a database; nothing written
        Empty           // the list has no rows; nothing written
    };
    struct Result
    {
        Outcome outcome = Outcome::Saved;
        QString reason;
    };

    // The rows of a workbook sheet, the header row included.
    static constexpr int kMaxWorkbookRows = 1048576;

    static Result saveWorkbook(const QAbstractItemModel &model, const QString &title,
                               const QList<int> &numberColumns, const QString &path,
                               const WorkProgress &progress = {});
    static Result saveText(const QAbstractItemModel &model, const QString &path,
                           const WorkProgress &progress = {});

    // The export of a list the person asked for, as the save dialog's type
    // says: the ".xls" text for a name ending in .xls, a workbook otherwise.
    // An empty list and a database at PATH (the program's books and settings
    // under whatever name, a backup) are refused before anything is written.
    static Result save(const QAbstractItemModel &model, const QString &title,
                       const QList<int> &numberColumns, const QString &path,
                       const WorkProgress &progress = {});
    // What the person is told after save(); empty after Cancelled.
    static QString outcomeText(const Result &result, const QString &path, int rows);
    static bool isTextType(const QString &path);
    static bool isDatabaseFile(const QString &path);

    // Null when PROGRESS stopped it.
    static QByteArray textBytes(const QAbstractItemModel &model, const WorkProgress &progress = {});
    // The column of the receipt numbers, -1 when the list has none.
    static int receiptNumberColumn(const QAbstractItemModel &model);
    // A sheet name a spreadsheet program accepts: at most 31 characters, none of []:*?/\.
    static QString sheetName(const QString &title);
    // The decimals of a number's text ("12.50" -> 2), -1 when TEXT is not a number.
    static int decimalsOf(const QString &text);
};
