#include "spreadsheet/ListExport.h"

#include "core/WriteFailure.h"
#include "spreadsheet/ExportCells.h"
#include "spreadsheet/Gb18030.h"
#include "spreadsheet/ReplacingFile.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <xlsxwriter.h>

#include <optional>
#include <string>

namespace {

constexpr int kMaxCellText = 32767; // the longest text a workbook cell holds
constexpr int kRowsPerReport = 2048;

// False when the person stopped the work.
bool goOn(const WorkProgress &progress, int row, int rows)
{
    return !progress || row % kRowsPerReport != 0 || progress(row, rows);
}

QString headerText(const QAbstractItemModel &model, int column)
{
    return model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

QString cellText(const QAbstractItemModel &model, int row, int column)
{
    return model.data(model.index(row, column), Qt::DisplayRole).toString();
}

// A line break or a tab inside a cell would split the row or the cell.
QString textCell(QString text)
{
    text.remove(u'\r');
    text.remove(u'\n');
    text.replace(u'\t', u' ');
    return text;
}

// Well-formed UTF-8 that reads back byte for byte through QString: no
// surrogates, no byte order mark, no non-characters U+FFFE and U+FFFF. Anything
// else takes the way through the display text, which mends it as before.
bool isPlainUtf8(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    const auto follows = [&end](const unsigned char *at, int count) {
        if (end - at < count)
            return false;
        for (int i = 0; i < count; ++i)
            if ((at[i] & 0xC0) != 0x80)
                return false;
        return true;
    };
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
        } else if (c >= 0xC2 && c <= 0xDF && follows(p + 1, 1)) {
            p += 2;
        } else if (c >= 0xE0 && c <= 0xEF && follows(p + 1, 2)) {
            const char32_t point =
                char32_t(c & 0x0F) << 12 | char32_t(p[1] & 0x3F) << 6 | char32_t(p[2] & 0x3F);
            if (point < 0x800 || (point >= 0xD800 && point <= 0xDFFF) || point == 0xFEFF ||
                point >= 0xFFFE)
                return false;
            p += 3;
        } else if (c >= 0xF0 && c <= 0xF4 && follows(p + 1, 3)) {
            const char32_t point = char32_t(c & 0x07) << 18 | char32_t(p[1] & 0x3F) << 12 |
                                   char32_t(p[2] & 0x3F) << 6 | char32_t(p[3] & 0x3F);
            if (point < 0x10000 || point > 0x10FFFF)
                return false;
            p += 4;
        } else {
            return false;
        }
    }
    return true;
}

ListExport::Result failed(const QString &reason)
{
    return {ListExport::Outcome::Failed, reason};
}

// One workbook being written; the cell formats are made once per number of decimals.
class WorkbookWriter
{
public:
    explicit WorkbookWriter(const QString &path)
    {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE; // rows go to disk as they are written
        m_path = QFile::encodeName(path);
        m_book = workbook_new_opt(m_path.constData(), &options);
    }
    ~WorkbookWriter()
    {
        if (m_book)
            workbook_close(m_book);
    }

    bool addSheet(const QString &name)
    {
        if (!m_book)
            return false;
        m_sheet = workbook_add_worksheet(m_book, name.toUtf8().constData());
        return m_sheet != nullptr;
    }

    lxw_error text(int row, int column, const QString &text)
    {
        if (text.isEmpty())
            return LXW_NO_ERROR;
        const QByteArray utf8 = text.left(kMaxCellText).toUtf8();
        return worksheet_write_string(m_sheet, lxw_row_t(row), lxw_col_t(column), utf8.constData(),
                                      nullptr);
    }

    // Text already in UTF-8, as isPlainUtf8 accepts it.
    lxw_error utf8(int row, int column, QByteArrayView text)
    {
        if (text.isEmpty())
            return LXW_NO_ERROR;
        m_cell.assign(text.data(), size_t(text.size()));
        return worksheet_write_string(m_sheet, lxw_row_t(row), lxw_col_t(column), m_cell.c_str(),
                                      nullptr);
    }

    lxw_error number(int row, int column, double value, int decimals)
    {
        return worksheet_write_number(m_sheet, lxw_row_t(row), lxw_col_t(column), value,
                                      format(decimals));
    }

    lxw_error close()
    {
        lxw_workbook *book = m_book;
        m_book = nullptr;
        return book ? workbook_close(book) : LXW_ERROR_CREATING_XLSX_FILE;
    }

private:
    // "0.00" for a number shown with two decimals, so the sheet shows what the list showed.
    lxw_format *format(int decimals)
    {
        if (decimals <= 0)
            return nullptr;
        lxw_format *&format = m_formats[decimals];
        if (!format) {
            format = workbook_add_format(m_book);
            const QByteArray pattern = "0." + QByteArray(qMin(decimals, 15), '0');
            format_set_num_format(format, pattern.constData());
        }
        return format;
    }

    QByteArray m_path;
    lxw_workbook *m_book = nullptr;
    lxw_worksheet *m_sheet = nullptr;
    QHash<int, lxw_format *> m_formats;
    std::string m_cell;
};

// A cell as the list holds it where the list can hand it over directly.
std::optional<lxw_error> writeDirectly(WorkbookWriter &writer, const ExportCells &cells, int row,
                                       int column, bool numeric)
{
    if (numeric) {
        if (const std::optional<ExportCells::Number> number = cells.exportNumber(row, column))
            return writer.number(row + 1, column, number->value, number->decimals);
        return std::nullopt;
    }
    const std::optional<QByteArrayView> text = cells.exportText(row, column);
    if (text && text->size() <= kMaxCellText && isPlainUtf8(*text))
        return writer.utf8(row + 1, column, *text);
    return std::nullopt;
}

lxw_error writeCells(WorkbookWriter &writer, const QAbstractItemModel &model,
                     const QList<int> &numberColumns, const WorkProgress &progress, bool *stopped)
{
    const int columns = model.columnCount();
    const int rows = model.rowCount();
    QList<bool> numeric(columns, false);
    for (int column : numberColumns)
        if (column >= 0 && column < columns)
            numeric[column] = true;
    for (int column = 0; column < columns; ++column)
        if (lxw_error error = writer.text(0, column, headerText(model, column)))
            return error;
    const auto *direct = dynamic_cast<const ExportCells *>(&model);
    for (int row = 0; row < rows; ++row) {
        if (!goOn(progress, row, rows)) {
            *stopped = true;
            return LXW_NO_ERROR;
        }
        for (int column = 0; column < columns; ++column) {
            if (direct) {
                if (const std::optional<lxw_error> error =
                        writeDirectly(writer, *direct, row, column, numeric[column])) {
                    if (*error)
                        return *error;
                    continue;
                }
            }
            const QString text = cellText(model, row, column);
            const int decimals = numeric[column] ? ListExport::decimalsOf(text) : -1;
            const lxw_error error = decimals >= 0
                                        ? writer.number(row + 1, column, text.toDouble(), decimals)
                                        : writer.text(row + 1, column, text);
            if (error)
                return error;
        }
    }
    return LXW_NO_ERROR;
}

} // namespace

int ListExport::decimalsOf(const QString &text)
{
    // Leading zeros ("007") mark a code, not a number.
    static const QRegularExpression number(
        QStringLiteral("^-?(0|[1-9][0-9]{0,14})(\\.[0-9]{1,15})?$"));
    if (!number.match(text).hasMatch())
        return -1;
    const qsizetype point = text.indexOf(u'.');
    return point < 0 ? 0 : int(text.size() - point - 1);
}

QString ListExport::sheetName(const QString &title)
{
    QString name = title;
    for (QChar c : {u'[', u']', u':', u'*', u'?', u'/', u'\\'})
        name.replace(c, u'_');
    name = name.left(31);
    return name.isEmpty() ? QStringLiteral("Sheet1") : name;
}

ListExport::Result ListExport::saveWorkbook(const QAbstractItemModel &model, const QString &title,
                                            const QList<int> &numberColumns, const QString &path,
                                            const WorkProgress &progress)
{
    if (model.rowCount() + 1 > kMaxWorkbookRows)
        return {Outcome::TooManyRows, {}};
    ReplacingFile file(path);
    if (!file.create())
        return failed(file.error());
    WorkbookWriter writer(file.temporaryPath());
    if (!writer.addSheet(sheetName(title)))
        return failed(QStringLiteral("不能创建工作簿"));
    bool stopped = false;
    lxw_error error = writeCells(writer, model, numberColumns, progress, &stopped);
    const lxw_error closed = writer.close();
    if (stopped)
        return {Outcome::Cancelled, {}};
    if (!error)
        error = closed;
    if (error)
        return failed(QString::fromUtf8(lxw_strerror(error)));
    if (!file.commit())
        return {file.cannotReplace() ? Outcome::CannotReplace : Outcome::Failed, file.error()};
    return {};
}

int ListExport::receiptNumberColumn(const QAbstractItemModel &model)
{
    for (int column = 0; column < model.columnCount(); ++column) {
        if (headerText(model, column) == QStringLiteral("销售票号"))
            return column;
    }
    return -1;
}

QByteArray ListExport::textBytes(const QAbstractItemModel &model, const WorkProgress &progress)
{
    const int columns = model.columnCount();
    const int receiptNumbers = receiptNumberColumn(model);
    QString text;
    for (int column = 0; column < columns; ++column)
        text += textCell(headerText(model, column)) + u'\t';
    text += QStringLiteral("\r\n");
    const int rows = model.rowCount();
    for (int row = 0; row < rows; ++row) {
        if (!goOn(progress, row, rows))
            return {};
        for (int column = 0; column < columns; ++column) {
            const QString cell = textCell(cellText(model, row, column));
            // The apostrophe keeps a spreadsheet program from reading a receipt
            // number such as 0000012 as the number 12.
            if (column == receiptNumbers && !cell.isEmpty())
                text += u'\'';
            text += cell + u'\t';
        }
        text += QStringLiteral("\r\n");
    }
    return Gb18030::encode(text);
}

ListExport::Result ListExport::saveText(const QAbstractItemModel &model, const QString &path,
                                        const WorkProgress &progress)
{
    ReplacingFile file(path);
    if (!file.create())
        return failed(file.error());
    QFile out(file.temporaryPath());
    const QByteArray bytes = textBytes(model, progress);
    if (bytes.isNull())
        return {Outcome::Cancelled, {}};
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes) != bytes.size() ||
        !out.flush()) {
        return failed(out.errorString());
    }
    out.close();
    if (out.error() != QFileDevice::NoError)
        return failed(out.errorString());
    if (!file.commit())
        return {file.cannotReplace() ? Outcome::CannotReplace : Outcome::Failed, file.error()};
    return {};
}

bool ListExport::isTextType(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("xls"), Qt::CaseInsensitive) == 0;
}

bool ListExport::isDatabaseFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(16) == QByteArray("SQLite format 3\0", 16);
}

ListExport::Result ListExport::save(const QAbstractItemModel &model, const QString &title,
                                    const QList<int> &numberColumns, const QString &path,
                                    const WorkProgress &progress)
{
    if (model.rowCount() == 0)
        return {Outcome::Empty, {}};
    if (isDatabaseFile(path))
        return {Outcome::DatabaseTarget, {}};
    return isTextType(path) ? saveText(model, path, progress)
                            : saveWorkbook(model, title, numberColumns, path, progress);
}

QString ListExport::outcomeText(const Result &result, const QString &path, int rows)
{
    const QString shown = QDir::toNativeSeparators(path);
    switch (result.outcome) {
    case Outcome::Saved:
        return isTextType(path) ? QStringLiteral("%1已经成功保存！").arg(shown)
                                : QStringLiteral("导出文件保存于%1!").arg(shown);
    case Outcome::Empty:
        return QStringLiteral("当前窗口没有数据可导出!");
    case Outcome::DatabaseTarget:
        return QStringLiteral("“%1”是数据库文件，不能用导出的表格覆盖它！\n"
                              "请另选一个文件名。")
            .arg(shown);
    case Outcome::TooManyRows:
        return QStringLiteral("列表有 %1 行，而 Excel 工作簿（.xlsx）连同标题行最多只能容纳 %2 行，"
                              "文件没有导出。\n请在“保存类型”中选择“表格文件(*.xls)”再导出一次："
                              "这种文本格式没有行数限制。")
            .arg(rows)
            .arg(kMaxWorkbookRows);
    case Outcome::Cancelled:
        return {};
    case Outcome::CannotReplace:
        return QStringLiteral("覆盖文件时出错！") + u'\n' + result.reason;
    case Outcome::Failed:
        return QStringLiteral("导出文件“%1”失败：%2")
            .arg(shown, WriteFailure::reason(path, result.reason));
    }
    return {};
}
