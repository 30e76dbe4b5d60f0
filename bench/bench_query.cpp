// The query window on years of sales (100,000 sales, about 1,000,000 lines):
// each figure beside its floor, the same statement stepped through the SQLite
// C API with every value read and nothing kept.
#include "BenchBook.h"
#include "BenchLine.h"
#include "RecordsBook.h"

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
#include <vector>

namespace {

// Steps STATEMENT on the raw handle and reads every column of every row.
long rawStep(sqlite3 *db, const QueryStatement &statement)
{
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
    long sum = 0;
    const int columns = sqlite3_column_count(stmt);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            if (sqlite3_column_type(stmt, c) == SQLITE_TEXT)
                sum += sqlite3_column_bytes(stmt, c) + (sqlite3_column_text(stmt, c) != nullptr);
            else
                sum += long(sqlite3_column_double(stmt, c));
        }
    }
    sqlite3_finalize(stmt);
    return sum;
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

    Database db;
    sqlite3 *raw = nullptr;
    if (!openBenchBook(file, QStringLiteral("QmBenchBook"), dir.path(), db, raw))
        return 1;

    const int runs = 7;
    SalesListModel sales;
    DetailListModel details;

    const QueryStatement all = QueryBuilder::numberContains(QString(), db.dialect());
    const double allMs = medianMs(runs, [&] { sales.fill(db, all); });
    const double allFloor = medianMs(runs, [&] { rawStep(raw, all); });
    if (sales.rowCount() != 100000)
        std::fprintf(stderr, "expected 100000 rows, got %d\n", sales.rowCount());
    benchLine("query_all_sales_to_list", allMs, allFloor);

    const QueryStatement month =
        QueryBuilder::sales(range(QDateTime(QDate(2024, 6, 1), QTime(0, 0)),
                                  QDateTime(QDate(2024, 6, 30), QTime(23, 59))),
                            db.dialect());
    QString line;
    const double monthMs = medianMs(runs, [&] {
        sales.fill(db, month);
        line = QueryStatistics::line(sales.totalQuantity(), sales.totalMoney());
    });
    benchLine("query_month_with_statistics", monthMs, medianMs(runs, [&] { rawStep(raw, month); }));

    QueryConditions milk;
    milk.product = QStringLiteral("奶");
    const QueryStatement product = QueryBuilder::sales(milk, db.dialect());
    const double productMs = medianMs(runs, [&] { sales.fill(db, product); });
    benchLine("query_contained_product", productMs, medianMs(runs, [&] { rawStep(raw, product); }));

    // About 10,000 sales: 73 days of 137 sales a day.
    const QueryStatement tenThousand =
        QueryBuilder::sales(range(QDateTime(QDate(2024, 3, 1), QTime(0, 0)),
                                  QDateTime(QDate(2024, 5, 12), QTime(23, 59))),
                            db.dialect());
    const double detailMs = medianMs(runs, [&] { details.fill(db, tenThousand); });
    const double detailFloor = medianMs(runs, [&] {
        rawStep(raw, tenThousand);
        rawStep(raw, QueryBuilder::linesOf(tenThousand, db.dialect()));
    });
    std::fprintf(stderr, "detail list: %d sales, %d rows\n", details.sales().size(),
                 details.rowCount());
    benchLine("query_detail_list_10k_sales", detailMs, detailFloor);

    sales.fill(db, all);
    bool ascending = false;
    const double byAmount = medianMs(runs, [&] {
        ascending = !ascending;
        sales.sortRows(4, ColumnKind::Decimal, ascending);
    });
    benchLine("query_sort_100k_by_amount", byAmount);
    const double byCashier = medianMs(runs, [&] {
        ascending = !ascending;
        sales.sortRows(6, ColumnKind::Text, ascending);
    });
    benchLine("query_sort_100k_by_cashier", byCashier);

    sqlite3_close(raw);
    return line.isEmpty() ? 1 : 0;
}
