#pragma once

#include "spreadsheet/SheetData.h"

#include <QString>

// Reads one sheet of a binary Excel 97-2003 workbook (.xls) through freexl,
// in the process that calls it. freexl 1.0 reads beyond its buffers on some
// damaged files, so the program calls this only inside quillmarch-xls
// (XlsReader), never in the till itself. Only reads; the file is never written.
class XlsWorkbook
{
public:
    // SHEET empty, or not in a workbook of one sheet: that sheet is read.
    static bool read(const QString &path, const QString &sheet, SheetData &data);
};
