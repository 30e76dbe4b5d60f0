#include "spreadsheet/XlsWorkbook.h"

#include "spreadsheet/XlsxReader.h"

#include <QFile>

#include <freexl.h>

namespace {

// Closes the freexl handle on every way out.
class Handle
{
public:
    ~Handle()
    {
        if (m_handle)
            freexl_close(m_handle);
    }
    const void **out() { return &m_handle; }
    const void *get() const { return m_handle; }

private:
    const void *m_handle = nullptr;
};

QString broken(int code)
{
    return QStringLiteral("文件不是可读的 Excel 97-2003 工作簿（错误 %1）。").arg(code);
}

// freexl 1.0 gives up on some valid workbooks, e.g. one whose shared strings
// hold an empty text (which LibreOffice Calc writes for a cell emptied to ""),
// and then answers "done" without a workbook.
QString notReadable()
{
    return QStringLiteral(
        "这个 Excel 97-2003 工作簿中有本程序不能读取的内容（例如内容为空文本的单元格）。\n"
        "请在表格程序中把它另存为“Excel 工作簿(.xlsx)”或 CSV 文件后再导入。");
}

QStringList sheetNames(const void *handle)
{
    QStringList names;
    unsigned int count = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK)
        return names;
    for (unsigned int i = 0; i < count && i < 65535; ++i) {
        const char *name = nullptr;
        if (freexl_get_worksheet_name(handle, static_cast<unsigned short>(i), &name) != FREEXL_OK)
            break;
        names.append(QString::fromUtf8(name ? name : ""));
    }
    return names;
}

QString cellText(const FreeXL_CellValue &cell)
{
    switch (cell.type) {
    case FREEXL_CELL_INT:
        return QString::number(cell.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return XlsxReader::generalNumber(cell.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        return QString::fromUtf8(cell.value.text_value ? cell.value.text_value : "");
    default:
        return QString();
    }
}

quint32 littleEndian(const QByteArray &bytes, qsizetype at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | quint8(bytes.at(at + i));
    return value;
}

// freexl converts each entry name of the compound file's first directory
// sector with the length the entry states, up to 65535 bytes, from a
// 4096-byte buffer. A damaged file that states more than the 64 bytes a
// name has would make it read far beyond that buffer, so such a file is
// refused before freexl sees it. The sector is found as freexl finds it.
bool directoryNamesFit(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return true; // freexl reports the file itself
    const QByteArray header = file.read(512);
    if (header.size() < 512 || !header.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return true; // not a compound file: freexl reads it as an older BIFF file
    const quint32 shift = littleEndian(header, 0x1E, 2);
    if (shift != 9 && shift != 12)
        return true; // freexl refuses it
    const quint32 sectorSize = 1u << shift;
    const quint32 start = (littleEndian(header, 0x30, 4) + 1) * sectorSize; // wraps as in freexl
    if (!file.seek(start))
        return true;
    const QByteArray sector = file.read(sectorSize);
    if (sector.size() < qsizetype(sectorSize))
        return true; // freexl stops at the short read
    constexpr int kEntrySize = 128, kNameBytes = 64;
    for (qsizetype entry = 0; entry + kEntrySize <= sector.size(); entry += kEntrySize) {
        if (littleEndian(sector, entry + kNameBytes, 2) > kNameBytes)
            return false;
    }
    return true;
}

// Every sheet's cells are allocated at once, as many as its dimensions claim.
bool claimsFit(const void *handle, SheetData &data)
{
    const qsizetype sheets = sheetNames(handle).size();
    qint64 claimed = 0;
    for (qsizetype i = 0; i < sheets; ++i) {
        unsigned int rows = 0;
        unsigned short columns = 0;
        if (freexl_select_active_worksheet(handle, static_cast<unsigned short>(i)) != FREEXL_OK ||
            freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK)
            continue;
        if (rows > unsigned(data.limits().maxRows) || columns > data.limits().maxColumns) {
            data.fail(QStringLiteral("表格超过 %1 行或 %2 列。")
                          .arg(data.limits().maxRows)
                          .arg(data.limits().maxColumns));
            return false;
        }
        claimed += qint64(rows) * columns;
    }
    if (claimed > data.limits().maxCells)
        return data.failTooManyCells();
    return true;
}

} // namespace

bool XlsWorkbook::read(const QString &path, const QString &sheet, SheetData &data)
{
    if (!directoryNamesFit(path)) {
        data.fail(broken(FREEXL_CRAFTED_FILE));
        return false;
    }
    const QByteArray name = QFile::encodeName(path);
    // freexl keeps every sheet's cells in memory, sized by what the file
    // claims: look at the claims first, without loading any cell.
    {
        Handle info;
        const int rc = freexl_open_info(name.constData(), info.out());
        if (rc != FREEXL_OK) {
            data.fail(broken(rc));
            return false;
        }
        if (!info.get()) {
            data.fail(notReadable());
            return false;
        }
        unsigned int password = 0;
        if (freexl_get_info(info.get(), FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK &&
            password == FREEXL_BIFF_OBFUSCATED) {
            data.fail(QStringLiteral("工作簿有密码保护，不能读取。"));
            return false;
        }
        if (!claimsFit(info.get(), data))
            return false;
    }

    Handle handle;
    const int rc = freexl_open(name.constData(), handle.out());
    if (rc != FREEXL_OK) {
        data.fail(broken(rc));
        return false;
    }
    if (!handle.get()) {
        data.fail(notReadable());
        return false;
    }
    const int index = data.chooseSheet(sheetNames(handle.get()), sheet);
    if (index < 0)
        return false;
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_select_active_worksheet(handle.get(), static_cast<unsigned short>(index)) !=
            FREEXL_OK ||
        freexl_worksheet_dimensions(handle.get(), &rows, &columns) != FREEXL_OK) {
        data.fail(broken(FREEXL_BIFF_ILLEGAL_SHEET_INDEX));
        return false;
    }
    for (unsigned int row = 0; row < rows; ++row) {
        for (unsigned short column = 0; column < columns; ++column) {
            FreeXL_CellValue cell{};
            if (freexl_get_cell_value(handle.get(), row, column, &cell) != FREEXL_OK)
                continue;
            const QString text = cellText(cell);
            if (!text.isEmpty() && !data.setCell(row, column, text))
                return false;
        }
    }
    return true;
}
