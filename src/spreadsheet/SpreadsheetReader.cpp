#include "spreadsheet/SpreadsheetReader.h"

#include "spreadsheet/DelimitedTextReader.h"
#include "spreadsheet/XlsReader.h"
#include "spreadsheet/XlsxReader.h"

#include <QFile>

namespace {

const QByteArray kZipMagic("PK\x03\x04", 4);
const QByteArray kCompoundMagic("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);

} // namespace

SpreadsheetReader::SpreadsheetReader(const QString &file, const QString &sheet,
                                     const SheetLimits &limits)
{
    m_loaded = load(file, sheet, limits);
    if (!m_loaded)
        m_rows.clear();
}

SpreadsheetReader::Format SpreadsheetReader::formatOf(const QByteArray &head)
{
    if (head.startsWith(kZipMagic))
        return Format::Workbook;
    if (head.startsWith(kCompoundMagic))
        return Format::Excel97;
    if (head.contains('\0'))
        return Format::Unknown;
    return Format::Text;
}

bool SpreadsheetReader::load(const QString &file, const QString &sheet, const SheetLimits &limits)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        m_lastError = QStringLiteral("不能打开文件：%1").arg(in.errorString());
        return false;
    }
    if (in.size() > limits.maxFileBytes) {
        m_lastError = QStringLiteral("文件太大（超过 %1 MB）。").arg(limits.maxFileBytes >> 20);
        return false;
    }
    m_format = formatOf(in.peek(4096));
    SheetData data(limits);
    bool ok = false;
    switch (m_format) {
    case Format::Workbook:
        in.close();
        ok = XlsxReader::read(file, sheet, data);
        break;
    case Format::Excel97:
        in.close();
        ok = XlsReader::read(file, sheet, data);
        break;
    case Format::Text:
        ok = DelimitedTextReader::read(in.readAll(), data);
        break;
    case Format::Unknown:
        data.fail(QStringLiteral("文件不是表格文件。"));
        break;
    }
    if (!ok) {
        m_lastError = data.error();
        return false;
    }
    m_rows = data.rows();
    m_columns = data.columnCount();
    return true;
}

bool SpreadsheetReader::readRow(QStringList &cells, int row)
{
    if (row > totalRows()) {
        m_lastError =
            QStringLiteral("Desired row is greater than total number of rows in spreadsheet\n");
        return false;
    }
    if (row > 0)
        m_currentRow = row;
    else if (m_currentRow > totalRows() || m_currentRow < 1)
        return false;
    cells = m_rows[m_currentRow - 1];
    ++m_currentRow;
    return true;
}

bool SpreadsheetReader::readCell(QString &text, int column, int row)
{
    if (column == 0) {
        m_lastError = QStringLiteral("Column cannot be zero\n");
        return false;
    }
    const int remembered = m_currentRow;
    if (row != 0)
        m_currentRow = row;
    QStringList cells;
    const bool ok = readRow(cells, m_currentRow);
    m_currentRow = remembered;
    text.clear();
    if (!ok) {
        m_lastError = QStringLiteral("Error reading row\n");
        return false;
    }
    if (column < 0 || column > cells.size())
        return false;
    text = cells[column - 1];
    return true;
}
