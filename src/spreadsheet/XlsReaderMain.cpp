// quillmarch-xls: reads one sheet of an Excel 97-2003 workbook for the till
// (XlsReader) and writes the cells, or the reason it could not, on standard
// output. Arguments: file, sheet (may be empty), most rows, columns, cells.
#include "spreadsheet/XlsReader.h"
#include "spreadsheet/XlsWorkbook.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 6)
        return 2;
    SheetLimits limits;
    limits.maxRows = arguments.at(3).toInt();
    limits.maxColumns = arguments.at(4).toInt();
    limits.maxCells = arguments.at(5).toLongLong();
    SheetData data(limits);
    const bool ok = XlsWorkbook::read(arguments.at(1), arguments.at(2), data);
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly))
        return 2;
    const QByteArray answer = XlsReader::answer(data, ok);
    return out.write(answer) == answer.size() && out.flush() ? 0 : 2;
}
