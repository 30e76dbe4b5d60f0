#pragma once

#include "spreadsheet/SheetData.h"

#include <QList>
#include <QString>
#include <QStringList>

// Reads one sheet of a spreadsheet file: a workbook (.xlsx), a binary Excel
// 97-2003 workbook or delimited text, told apart by the file's content, not
// its name. The whole sheet is read when the reader is made; rows and columns
// count from 1, row 1 being the header row. The file is only read, never
// written.
//
//     SpreadsheetReader sheet(path, u"商品名列表"_s);
//     if (!sheet.isLoaded()) show(sheet.lastError());
//     for (int row = 2; row <= sheet.totalRows(); ++row)
//         sheet.readCell(name, 2, row);
class SpreadsheetReader
{
public:
    enum class Format
    {
        Unknown,
        Workbook,
        Excel97,
        Text
    };

    // SHEET names the sheet of a workbook; a workbook of one sheet is read
    // whatever its sheet is called. Text files have one sheet.
    explicit SpreadsheetReader(const QString &file, const QString &sheet = {},
                               const SheetLimits &limits = {});

    bool isLoaded() const { return m_loaded; }
    Format format() const { return m_format; }
    static Format formatOf(const QByteArray &head);

    // The cells of ROW, or of the current row when ROW is 0 (then the next
    // row becomes the current one).
    bool readRow(QStringList &cells, int row = 0);
    // The cell at COLUMN of ROW (the current row when 0); false and empty
    // when the row has no such column.
    bool readCell(QString &text, int column, int row = 0);

    int totalRows() const { return int(m_rows.size()); }
    int totalColumns() const { return m_columns; }
    QString lastError() const { return m_lastError; }

private:
    bool load(const QString &file, const QString &sheet, const SheetLimits &limits);

    QList<QStringList> m_rows;
    int m_columns = 0;
    int m_currentRow = 1;
    bool m_loaded = false;
    Format m_format = Format::Unknown;
    QString m_lastError;
};
