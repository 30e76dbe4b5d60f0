// Spreadsheets: export of 100,000 rows x 11 columns to a workbook, set
// against libxlsxwriter writing the same cells directly (texts already UTF-8,
// numbers already parsed); and the import of a 10,000-product workbook as
// written by a spreadsheet program (shared strings). Aims: export within
// 1.5x of the floor, import under 1 s.
#include "BenchLine.h"

#include "controls/SortListModel.h"
#include "core/NumberText.h"
#include "settings/ProductImport.h"
#include "spreadsheet/ListExport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 100000;
constexpr int kProducts = 10000;
constexpr int kRepeats = 5;
const QList<int> kNumberColumns = {0, 3, 4, 5};

// Rows as the query window shows them: 序, 销售票号, 销售时间, 数量, 金额,
// 实收金额, 收银员, 备注, 客户, 电话, 付款方式.
QList<SortListModel::Row> makeRows()
{
    const QStringList cashiers = {u"admin"_qs, u"小李"_qs, u"王店长"_qs};
    const QStringList payments = {u"现金"_qs, u"微信"_qs, u"支付宝"_qs, u"银行卡"_qs};
    const QStringList customers = {u"王伟"_qs, u"李芳"_qs, u"张秀英"_qs, QString(), u"陈静"_qs};
    QRandomGenerator random(20240307);
    QList<SortListModel::Row> rows;
    rows.reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
        const double money = random.bounded(1, 2000000) / 100.0;
        rows.append({{QString::number(i + 1), QStringLiteral("QM%1").arg(i + 1, 7, 10, QChar(u'0')),
                      QStringLiteral("2024-03-%1 10:%2:00")
                          .arg(random.bounded(1, 29), 2, 10, QChar(u'0'))
                          .arg(random.bounded(60), 2, 10, QChar(u'0')),
                      NumberText::quantity(random.bounded(1, 40)), NumberText::money(money),
                      NumberText::money(money), cashiers[random.bounded(int(cashiers.size()))],
                      random.bounded(3) ? QString() : u"谢谢惠顾"_qs,
                      customers[random.bounded(int(customers.size()))],
                      QStringLiteral("13%1").arg(random.bounded(100000000, 999999999)),
                      payments[random.bounded(int(payments.size()))]},
                     i});
    }
    return rows;
}

template <typename F> double timeMs(F &&work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

// The floor: the same cells, converted beforehand, written straight through libxlsxwriter.
struct PlainCell
{
    std::string text;
    double number = 0;
    int decimals = -1;
};

double writeDirectly(const std::vector<std::string> &headers,
                     const std::vector<std::vector<PlainCell>> &cells, const QByteArray &path)
{
    return timeMs([&] {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        lxw_workbook *book = workbook_new_opt(path.constData(), &options);
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
    });
}

void print(const char *name, double ms, double floor)
{
    if (floor > 0)
        std::printf("bench: %s median_ms=%.1f floor_ms=%.1f ratio=%.2f\n", name, ms, floor,
                    ms / floor);
    else
        std::printf("bench: %s median_ms=%.1f floor_ms=- ratio=-\n", name, ms);
    std::fflush(stdout);
}

void benchExport(const QString &dir)
{
    SortListModel model;
    QList<SortListModel::Column> columns;
    for (const char *title : {"序", "销售票号", "销售时间", "数量", "金额", "实收金额", "收银员",
                              "备注", "客户", "电话", "付款方式"})
        columns.append({QString::fromUtf8(title)});
    model.setColumns(columns);
    model.setRows(makeRows());

    std::vector<std::string> headers;
    for (int c = 0; c < model.columnCount(); ++c)
        headers.push_back(model.columnTitle(c).toStdString());
    std::vector<std::vector<PlainCell>> cells(size_t(model.rowCount()));
    for (int r = 0; r < model.rowCount(); ++r) {
        for (int c = 0; c < model.columnCount(); ++c) {
            const QString text = model.text(r, c);
            PlainCell cell{text.toStdString()};
            if (kNumberColumns.contains(c)) {
                cell.decimals = ListExport::decimalsOf(text);
                cell.number = text.toDouble();
            }
            cells[size_t(r)].push_back(cell);
        }
    }

    const QString path = dir + QStringLiteral("/export.xlsx");
    const QByteArray floorPath = QFile::encodeName(dir + QStringLiteral("/floor.xlsx"));
    std::vector<double> ours;
    std::vector<double> floor;
    for (int i = 0; i < kRepeats; ++i) {
        floor.push_back(writeDirectly(headers, cells, floorPath));
        ours.push_back(timeMs([&] {
            ListExport::saveWorkbook(model, QStringLiteral("销售总列表"), kNumberColumns, path);
        }));
    }
    print("export_xlsx_100000x11", median(ours), median(floor));
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
    print("import_xlsx_10000_products", median(times), 0);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    benchExport(dir.path());
    benchImport(dir.path());
    return 0;
}
