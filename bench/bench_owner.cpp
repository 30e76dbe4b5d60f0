// The owner's day on the 100,000-sale book (two years of a busy shop): a
// day's end report and a year's chart of takings, each beside its floor, the
// same aggregation stepped through the SQLite C API, runs interleaved.
#include "BenchBook.h"
#include "BenchLine.h"
#include "RecordsBook.h"

#include "data/DataSource.h"
#include "data/Database.h"
#include "records/DayReport.h"
#include "records/QueryBuilder.h"
#include "records/TakingsChartView.h"
#include "records/TakingsSeries.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Steps SQL with STATEMENT's values bound and reads every column of every row.
double rawAggregate(sqlite3 *db, const QString &sql, const QueryStatement &statement)
{
    sqlite3_stmt *stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db, text.constData(), -1, &stmt, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "floor: %s\n", sqlite3_errmsg(db));
        std::abort();
    }
    std::vector<QByteArray> texts;
    texts.reserve(statement.values.size());
    for (int i = 0; i < statement.values.size(); ++i) {
        texts.push_back(statement.values[i].toString().toUtf8());
        sqlite3_bind_text(stmt, i + 1, texts.back().constData(), int(texts.back().size()),
                          SQLITE_STATIC);
    }
    double sum = 0;
    const int columns = sqlite3_column_count(stmt);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c)
            sum += sqlite3_column_type(stmt, c) == SQLITE_TEXT ? sqlite3_column_bytes(stmt, c)
                                                               : sqlite3_column_double(stmt, c);
    }
    sqlite3_finalize(stmt);
    return sum;
}

// The day-end report's statements, written out plainly.
double rawDayReport(sqlite3 *db, const QueryStatement &day)
{
    const QString from = QStringLiteral(" from \"POS_RECORD\" ") + day.filter;
    double sum = rawAggregate(
        db, QStringLiteral("select count(*), sum(\"number\"), sum(\"money\")") + from, day);
    sum +=
        rawAggregate(db,
                     QStringLiteral("select sum(\"money\" - coalesce(\"standby1\", \"money\")) "
                                    "from \"POS_RECORD_DETAIL\" where \"NO\" in (select \"NO\"") +
                         from + u')',
                     day);
    sum += rawAggregate(db,
                        QStringLiteral("select \"NO\", \"date\"") + from +
                            QStringLiteral(" order by \"date\", \"id\" limit 1"),
                        day);
    sum += rawAggregate(db,
                        QStringLiteral("select \"NO\", \"date\"") + from +
                            QStringLiteral(" order by \"date\" desc, \"id\" desc limit 1"),
                        day);
    for (const char *column : {"standby4", "saler"})
        sum += rawAggregate(
            db,
            QStringLiteral("select \"%1\", count(*), sum(\"money\")").arg(QLatin1String(column)) +
                from + QStringLiteral(" group by 1"),
            day);
    return sum;
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir dir;
    setenv("ODBCINI", qPrintable(QDir(dir.path()).filePath(QStringLiteral("odbc.ini"))), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QDir(dir.path()).mkpath(QStringLiteral("data"));
    const QString file = DataSource::recordsFile(dir.path());
    if (!RecordsBook::write(file.toStdString(), QM_SOURCE_DIR "/res/Quillbook.sql")) {
        std::fprintf(stderr, "could not write the records book\n");
        return 1;
    }
    Database db;
    sqlite3 *raw = nullptr;
    if (!openBenchBook(file, QStringLiteral("QmBenchOwner"), dir.path(), db, raw))
        return 1;
    const int runs = 15;

    const QueryStatement day = QueryBuilder::day(QDate(2024, 6, 15));
    DayReport report;
    const auto [reportMs, reportFloor] = interleaved(
        runs, [&] { report = DayReport::of(db, day); }, [&] { rawDayReport(raw, day); });
    std::fprintf(stderr, "day report: %d sales, takings %.2f\n", report.sales, report.takings);
    benchLine("day_report_100k", reportMs, reportFloor);

    QueryConditions year;
    year.timeRange = true;
    year.from = QDateTime(QDate(2024, 1, 1), QTime(0, 0));
    year.to = QDateTime(QDate(2024, 12, 31), QTime(23, 59));
    const QueryStatement yearQuery = QueryBuilder::sales(year, db.dialect());
    TakingsChartView chart;
    chart.resize(800, 500);
    const auto [chartMs, chartFloor] = interleaved(
        runs, [&] { chart.showSeries(TakingsSeries::of(db, yearQuery)); },
        [&] {
            rawAggregate(raw,
                         QStringLiteral("select substr(\"date\", 1, 13), count(*), sum(\"money\") "
                                        "from \"POS_RECORD\" ") +
                             yearQuery.filter + QStringLiteral(" group by 1 order by 1"),
                         yearQuery);
        });
    TakingsSeries series;
    std::fprintf(stderr, "chart: %d points; the series alone %.1f ms\n",
                 int(chart.series().points.size()),
                 medianMs(5, [&] { series = TakingsSeries::of(db, yearQuery); }));
    benchLine("chart_year", chartMs, chartFloor);
    sqlite3_close(raw);
    return report.isEmpty() || chart.series().isEmpty() ? 1 : 0;
}
