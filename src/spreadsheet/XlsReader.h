#pragma once

#include "spreadsheet/SheetData.h"

#include <QString>

// Reads one sheet of a binary Excel 97-2003 workbook (.xls). The reading
// itself runs in a process of its own (quillmarch-xls, XlsWorkbook): a
// damaged or hostile file can at worst end that process, never the till
// with a sale on its screen. Only reads; the file is never written.
class XlsReader
{
public:
    // SHEET empty, or not in a workbook of one sheet: that sheet is read.
    static bool read(const QString &path, const QString &sheet, SheetData &data);

    // The reading process's program name, beside the till's own program.
    static const char *const helperName;
    // What the reading process writes on its standard output.
    static QByteArray answer(const SheetData &data, bool ok);
};
