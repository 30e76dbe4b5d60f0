// The query window on years of sales (100,000 sales, about 1,000,000 lines):
// each figure beside its floor, the same statement stepped through the SQLite
// C API with every value read and kept (numbers as doubles, texts in one
// block whose room stays from run to run), each pair of runs interleaved.
// The sorts start from a freshly filled list each time; their floor is
// std::stable_sort of the same keys (amounts, the cashiers' collation keys).
#include "BenchLine.h"
#include "RecordsBook.h"

#include "controls/TextOrder.h"
#include "core/AppSettings.h"
#include "data/DataSource.h"
#include "data/Database.h"
#include "records/DetailListModel.h"
#include "records/QueryBuilder.h"
#include "records/QueryStatistics.h"
#include "records/SalesListModel.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

// The floor's rows: every column of every row, numbers as doubles and texts
// in one block.
struct KeptRows
{
    std::vector<double> numbers;
    std::vector<size_t> textEnds;
    std::string texts;

    void clear()
    {
        numbers.clear();
        textEnds.clear();
        texts.clear(); // keeps its room, as the list's block does
    }
};

// Steps STATEMENT on the raw handle and keeps every column of every row.
void keepRows(sqlite3 *db, const QueryStatement &statement, KeptRows &kept)
{
    kept.clear();
    sqlite3_stmt *stmt = nullptr;
    const QByteArray sql = statement.sql.toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK)
        std::abort();
    std::vector<QByteArray> texts;
    for (int i = 0; i < statement.values.size(); ++i) {
        const QVariant &value = statement.values[i];
        if (value.typeId() == QMetaType::Double) {
            sqlite3_bind_double(stmt, i + 1, value.toDouble());
        } else {
            texts.push_back(value.toString().toUtf8());
            sqlite3_bind_text(stmt, i + 1, texts.back().constData(), int(texts.back().size()),
                              SQLITE_STATIC);
        }
    }
    const int columns = sqlite3_column_count(stmt);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            if (sqlite3_column_type(stmt, c) == SQLITE_TEXT) {
                kept.texts.append(reinterpret_cast<const char *>(sqlite3_column_text(stmt, c)),
                                  size_t(sqlite3_column_bytes(stmt, c)));
                kept.textEnds.push_back(kept.texts.size());
            } else {
                kept.numbers.push_back(sqlite3_column_double(stmt, c));
            }
        }
    }
    sqlite3_finalize(stmt);
}

template <class Key> std::vector<int> stableOrder(std::vector<std::pair<Key, int>> &keyed)
{
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    std::vector<int> order;
    order.reserve(keyed.size());
    for (const auto &entry : keyed)
        order.push_back(entry.second);
    return order;
}

QueryConditions range(const QDateTime &from, const QDateTime &to)
{
    QueryConditions c;
    c.timeRange = true;
    c.from = from;
    c.to = to;
    return c;
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir dir;
    setenv("ODBCINI", qPrintable(QDir(dir.path()).filePath(QStringLiteral("odbc.ini"))), 1);
    QCoreApplication app(argc, argv);
    QDir(dir.path()).mkpath(QStringLiteral("data"));
    const QString file = DataSource::recordsFile(dir.path());
    QElapsedTimer made;
    made.start();
    if (!RecordsBook::write(file.toStdString(), QM_SOURCE_DIR "/res/Quillbook.sql")) {
        std::fprintf(stderr, "could not write the records book\n");
        return 1;
    }
    benchLine("query_generate_book_100k_sales_1m_lines", made.nsecsElapsed() / 1e6);

    const QString dsn = QStringLiteral("QmBenchBook");
    DataSource::setUp(dsn, file, dir.path());
    Database db;
    if (!db.open(dsn)) {
        std::fprintf(stderr, "cannot open the book: %s\n", qPrintable(db.lastOpenError()));
        return 1;
    }
    sqlite3 *raw = nullptr;
    sqlite3_open_v2(file.toUtf8().constData(), &raw, SQLITE_OPEN_READONLY, nullptr);

    const int runs = 9;
    SalesListModel sales;
    DetailListModel details;
    KeptRows kept;
    KeptRows keptLines;

    const QueryStatement all = QueryBuilder::numberContains(QString(), db.dialect());
    benchLine("query_all_sales_to_list",
              interleaved(
                  runs, [&] { sales.fill(db, all); }, [&] { keepRows(raw, all, kept); }));
    if (sales.rowCount() != 100000)
        std::fprintf(stderr, "expected 100000 rows, got %d\n", sales.rowCount());

    const QueryStatement month =
        QueryBuilder::sales(range(QDateTime(QDate(2024, 6, 1), QTime(0, 0)),
                                  QDateTime(QDate(2024, 6, 30), QTime(23, 59))),
                            db.dialect());
    QString line;
    benchLine("query_month_with_statistics",
              interleaved(
                  runs,
                  [&] {
                      sales.fill(db, month);
                      line = QueryStatistics::line(sales.totalQuantity(), sales.totalMoney());
                  },
                  [&] { keepRows(raw, month, kept); }));

    QueryConditions milk;
    milk.product = QStringLiteral("奶");
    const QueryStatement product = QueryBuilder::sales(milk, db.dialect());
    benchLine("query_contained_product",
              interleaved(
                  runs, [&] { sales.fill(db, product); }, [&] { keepRows(raw, product, kept); }));

    // About 10,000 sales: 73 days of 137 sales a day.
    const QueryStatement tenThousand =
        QueryBuilder::sales(range(QDateTime(QDate(2024, 3, 1), QTime(0, 0)),
                                  QDateTime(QDate(2024, 5, 12), QTime(23, 59))),
                            db.dialect());
    const QueryStatement tenThousandLines = QueryBuilder::linesOf(tenThousand, db.dialect());
    benchLine("query_detail_list_10k_sales", interleaved(
                                                 runs, [&] { details.fill(db, tenThousand); },
                                                 [&] {
                                                     keepRows(raw, tenThousand, kept);
                                                     keepRows(raw, tenThousandLines, keptLines);
                                                 }));
    std::fprintf(stderr, "detail list: %d sales, %d rows\n", details.sales().size(),
                 details.rowCount());

    // Sorting a freshly filled list (in the order of the statement), the
    // first click on the column, ascending.
    sales.fill(db, all);
    std::vector<std::pair<double, int>> amounts;
    std::vector<QString> cashierTexts;
    for (int row = 0; row < sales.rowCount(); ++row) {
        amounts.emplace_back(sales.sales().money(row), row);
        cashierTexts.push_back(sales.text(row, 6));
    }
    TextOrder textOrder;
    const std::vector<std::string> cashierKeys =
        textOrder.sortKeys(std::vector<QStringView>(cashierTexts.begin(), cashierTexts.end()));
    std::vector<std::pair<double, int>> amountWork;
    std::vector<std::pair<std::string, int>> cashierWork;
    const auto freshList = [&] {
        sales.fill(db, all);
        amountWork = amounts;
        cashierWork.clear();
        for (size_t i = 0; i < cashierKeys.size(); ++i)
            cashierWork.emplace_back(cashierKeys[i], int(i));
    };
    benchLine("query_sort_100k_by_amount",
              interleaved(
                  runs, [&] { sales.sortRows(4, ColumnKind::Decimal, true); },
                  [&] { stableOrder(amountWork); }, freshList));
    benchLine("query_sort_100k_by_cashier",
              interleaved(
                  runs, [&] { sales.sortRows(6, ColumnKind::Text, true); },
                  [&] { stableOrder(cashierWork); }, freshList));

    sqlite3_close(raw);
    return line.isEmpty() ? 1 : 0;
}
