// Spreadsheets: the query window's export of its sales list (100,000 sales x
// 11 columns, read from a records book of years of sales) to a workbook, set
// against libxlsxwriter writing the same cells (texts already UTF-8, numbers
// already parsed, made beforehand from the same list) into a file synced and
// renamed into place as the program's export is, the two runs interleaved;
// and the import of a 10,000-product workbook as written by a spreadsheet
// program (shared strings). Aims: export within 1.2x of the floor, import
// under 1 s.
#include "BenchLine.h"
#include "RecordsBook.h"

#include "data/DataSource.h"
#include "data/Database.h"
#include "records/QueryBuilder.h"
#include "records/SalesListModel.h"
#include "settings/ProductImport.h"
#include "spreadsheet/ListExport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kProducts = 10000;
constexpr int kRepeats = 7;
const QList<int> kNumberColumns = {0, 3, 4, 5};

template <typename F> double timeMs(F &&work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

struct PlainCell
{
    std::string text;
    double number = 0;
    int decimals = -1; // -1: text
};

// The cells as the workbook holds them, taken once from the list's display texts.
std::vector<std::vector<PlainCell>> plainCells(const SalesListModel &model)
{
    static const QRegularExpression number(
        QStringLiteral("^-?(0|[1-9][0-9]{0,14})(\\.[0-9]{1,15})?$"));
    std::vector<std::vector<PlainCell>> cells(size_t(model.rowCount()));
    for (int r = 0; r < model.rowCount(); ++r) {
        for (int c = 0; c < model.columnCount(); ++c) {
            const QString text = model.text(r, c);
            PlainCell cell{text.toStdString()};
            if (kNumberColumns.contains(c) && number.match(text).hasMatch()) {
                cell.decimals = ListExport::decimalsOf(text);
                cell.number = text.toDouble();
            }
            cells[size_t(r)].push_back(cell);
        }
    }
    return cells;
}

void sync(const char *path, int flags)
{
    const int fd = ::open(path, flags);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The floor: the same cells straight through libxlsxwriter, then synced,
// renamed into place and the folder synced, as the program's safe replace does.
void writeDirectly(const std::vector<std::string> &headers,
                   const std::vector<std::vector<PlainCell>> &cells, const std::string &dir)
{
    const std::string temporary = dir + "/.floor.xlsx.tmp";
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook *book = workbook_new_opt(temporary.c_str(), &options);
    lxw_worksheet *sheet = workbook_add_worksheet(book, "销售总列表");
    lxw_format *twoDecimals = workbook_add_format(book);
    format_set_num_format(twoDecimals, "0.00");
    for (size_t c = 0; c < headers.size(); ++c)
        worksheet_write_string(sheet, 0, lxw_col_t(c), headers[c].c_str(), nullptr);
    for (size_t r = 0; r < cells.size(); ++r) {
        for (size_t c = 0; c < cells[r].size(); ++c) {
            const PlainCell &cell = cells[r][c];
            if (cell.decimals >= 0)
                worksheet_write_number(sheet, lxw_row_t(r + 1), lxw_col_t(c), cell.number,
                                       cell.decimals ? twoDecimals : nullptr);
            else if (!cell.text.empty())
                worksheet_write_string(sheet, lxw_row_t(r + 1), lxw_col_t(c), cell.text.c_str(),
                                       nullptr);
        }
    }
    workbook_close(book);
    sync(temporary.c_str(), O_RDONLY);
    std::rename(temporary.c_str(), (dir + "/floor.xlsx").c_str());
    sync(dir.c_str(), O_RDONLY | O_DIRECTORY);
}

void benchExport(const QString &dir)
{
    const QString file = DataSource::recordsFile(dir);
    QDir(dir).mkpath(QStringLiteral("data"));
    if (!RecordsBook::write(file.toStdString(), QM_SOURCE_DIR "/res/Quillbook.sql")) {
        std::fprintf(stderr, "could not write the records book\n");
        std::exit(1);
    }
    DataSource::setUp(QStringLiteral("QmBenchExport"), file, dir);
    Database db;
    if (!db.open(QStringLiteral("QmBenchExport"))) {
        std::fprintf(stderr, "cannot open the book: %s\n", qPrintable(db.lastOpenError()));
        std::exit(1);
    }
    SalesListModel model;
    model.fill(db, QueryBuilder::numberContains(QString(), db.dialect()));

    std::vector<std::string> headers;
    for (int c = 0; c < model.columnCount(); ++c)
        headers.push_back(model.headerData(c, Qt::Horizontal).toString().toStdString());
    const std::vector<std::vector<PlainCell>> cells = plainCells(model);

    const QString path = dir + QStringLiteral("/export.xlsx");
    const std::string floorDir = QFile::encodeName(dir).toStdString();
    benchLine("export_xlsx_100000x11",
              interleaved(
                  kRepeats,
                  [&] {
                      ListExport::saveWorkbook(model, QStringLiteral("销售总列表"), kNumberColumns,
                                               path);
                  },
                  [&] { writeDirectly(headers, cells, floorDir); }));
}

void benchImport(const QString &dir)
{
    // As a spreadsheet program writes it: shared strings, not constant memory.
    const QByteArray path = QFile::encodeName(dir + QStringLiteral("/products.xlsx"));
    lxw_workbook *book = workbook_new(path.constData());
    lxw_worksheet *sheet = workbook_add_worksheet(book, "商品名列表");
    worksheet_write_string(sheet, 0, 0, "序号", nullptr);
    worksheet_write_string(sheet, 0, 1, "名称", nullptr);
    worksheet_write_string(sheet, 0, 2, "单价", nullptr);
    for (int i = 1; i <= kProducts; ++i) {
        worksheet_write_number(sheet, lxw_row_t(i), 0, i, nullptr);
        const QByteArray name =
            QStringLiteral("P%1-商品%2").arg(i, 5, 10, QChar(u'0')).arg(i).toUtf8();
        worksheet_write_string(sheet, lxw_row_t(i), 1, name.constData(), nullptr);
        worksheet_write_number(sheet, lxw_row_t(i), 2, i % 997 + 0.5, nullptr);
    }
    workbook_close(book);

    std::vector<double> times;
    qsizetype products = 0;
    for (int i = 0; i < kRepeats; ++i)
        times.push_back(timeMs(
            [&] { products = ProductImport::read(QFile::decodeName(path)).products.size(); }));
    if (products != kProducts)
        std::printf("import read %lld products, expected %d\n", qlonglong(products), kProducts);
    benchLine("import_xlsx_10000_products", median(times));
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir dir;
    setenv("ODBCINI", qPrintable(QDir(dir.path()).filePath(QStringLiteral("odbc.ini"))), 1);
    QCoreApplication app(argc, argv);
    benchExport(dir.path());
    benchImport(dir.path());
    return 0;
}
