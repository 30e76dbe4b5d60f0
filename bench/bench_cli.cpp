// The command-line companion on the 100,000-sale book: a month's report and a
// backup, each run as the program runs its command (finding the data, the
// data sources, the connection, the statements; only the process start is
// left out), beside its floor: the report's statements stepped through the
// SQLite C API, and SQLite's own backup API copying the book. Runs interleaved.
#include "BenchLine.h"
#include "RecordsBook.h"

#include "cli/CliProgram.h"
#include "data/DataSource.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Standard output goes nowhere while a command writes its report.
class Silenced
{
public:
    Silenced() : m_saved(dup(STDOUT_FILENO))
    {
        std::fflush(stdout);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        close(null);
    }
    ~Silenced()
    {
        std::fflush(stdout);
        dup2(m_saved, STDOUT_FILENO);
        close(m_saved);
    }

private:
    int m_saved;
};

double step(sqlite3 *db, const char *sql, const char *from, const char *to)
{
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "floor: %s\n", sqlite3_errmsg(db));
        std::abort();
    }
    sqlite3_bind_text(stmt, 1, from, -1, SQLITE_STATIC);
    sqlite3_bind_text(stmt, 2, to, -1, SQLITE_STATIC);
    double sum = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(stmt); ++c)
            sum += sqlite3_column_double(stmt, c);
    }
    sqlite3_finalize(stmt);
    return sum;
}

// The report's statements over June 2024, written out plainly, on a connection of their own.
double rawMonthReport(const QString &book)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(book.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    const char *from = "2024-06-01 00:00:00";
    const char *to = "2024-06-30 23:59:59";
    const char *where = " from \"POS_RECORD\" where \"date\" >= ?1 and \"date\" <= ?2";
    const QByteArray w(where);
    double sum = step(db, "select count(*), sum(\"number\"), sum(\"money\")" + w, from, to);
    sum += step(db,
                "select sum(coalesce(\"money\", 0) - coalesce(\"standby1\", \"money\", 0)) from "
                "\"POS_RECORD_DETAIL\" where \"NO\" in (select \"NO\"" +
                    w + ")",
                from, to);
    sum += step(db, "select \"NO\", \"date\"" + w + " order by \"date\", \"id\" limit 1", from, to);
    sum += step(db, "select \"NO\", \"date\"" + w + " order by \"date\" desc, \"id\" desc limit 1",
                from, to);
    for (const char *column : {"\"standby4\"", "\"saler\"", "substr(\"date\", 12, 2)"})
        sum += step(db,
                    "select " + QByteArray(column) + ", count(*), sum(\"money\")" + w +
                        " group by 1 order by 3 desc",
                    from, to);
    sqlite3_close(db);
    return sum;
}

bool rawBackup(const QString &book, const QString &target)
{
    sqlite3 *source = nullptr;
    sqlite3 *copy = nullptr;
    sqlite3_open_v2(book.toUtf8().constData(), &source, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_open(target.toUtf8().constData(), &copy);
    sqlite3_backup *backup = sqlite3_backup_init(copy, "main", source, "main");
    const bool ok = backup && sqlite3_backup_step(backup, -1) == SQLITE_DONE;
    sqlite3_backup_finish(backup);
    sqlite3_close(copy);
    sqlite3_close(source);
    return ok;
}

int command(const QStringList &arguments)
{
    Silenced quiet;
    CliProgram program;
    return program.run(arguments, QCoreApplication::applicationDirPath());
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir dir;
    setenv("ODBCINI", qPrintable(QDir(dir.path()).filePath(QStringLiteral("odbc.ini"))), 1);
    QCoreApplication app(argc, argv);
    QDir(dir.path()).mkpath(QStringLiteral("data"));
    QDir(dir.path()).mkpath(QStringLiteral("copies"));
    const QString book = DataSource::recordsFile(dir.path());
    if (!RecordsBook::write(book.toStdString(), QM_SOURCE_DIR "/res/Quillbook.sql") ||
        !QFile::copy(QStringLiteral(QM_DATA_DIR "/Quillmarch.qmst"),
                     DataSource::settingsFile(dir.path()))) {
        std::fprintf(stderr, "could not write the books\n");
        return 1;
    }
    const QStringList home{QStringLiteral("--data-home"), dir.path()};
    const QStringList report =
        home + QStringList{QStringLiteral("report"),     QStringLiteral("--from"),
                           QStringLiteral("2024-06-01"), QStringLiteral("--to"),
                           QStringLiteral("2024-06-30"), QStringLiteral("--format"),
                           QStringLiteral("json")};
    int failures = 0;
    const Medians month = interleaved(
        15, [&] { failures += command(report); }, [&] { rawMonthReport(book); });
    benchLine("cli_report_month_100k", month);

    const QString copies = QDir(dir.path()).filePath(QStringLiteral("copies"));
    const QString floorCopy = QDir(copies).filePath(QStringLiteral("floor.qmbk"));
    const auto clear = [&] {
        QDir folder(copies);
        for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden))
            folder.remove(name);
    };
    const Medians backup = interleaved(
        5,
        [&] {
            failures += command(home + QStringList{QStringLiteral("backup"), copies});
        },
        [&] { failures += rawBackup(book, floorCopy) ? 0 : 1; }, clear);
    std::fprintf(stderr, "book: %lld bytes\n", static_cast<long long>(QFile(book).size()));
    benchLine("cli_backup_100k", backup);
    return failures == 0 ? 0 : 1;
}
