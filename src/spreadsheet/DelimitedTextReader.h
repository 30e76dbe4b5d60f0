#pragma once

#include "spreadsheet/SheetData.h"

#include <QByteArray>
#include <QString>

// Reads delimited text: the tab-separated ".xls" files that the older version
// and this one write (a tab after every cell) and comma-separated files.
// GB18030 or UTF-8 (with or without its byte-order mark), told apart by the
// bytes; tab or comma, told apart by the first line. Quoted cells may hold
// separators, doubled quotes and line breaks.
class DelimitedTextReader
{
public:
    static bool read(const QByteArray &bytes, SheetData &data);

    // The text of BYTES: UTF-8 when they are valid UTF-8, else GB18030.
    static bool decode(const QByteArray &bytes, QString &text);
    static QChar separatorOf(const QString &text);
};
