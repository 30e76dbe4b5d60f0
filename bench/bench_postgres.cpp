// Several tills on a PostgreSQL server: saving a 50-line sale and the query
// window's list of 100,000 sales, each beside the same work on the delivered
// SQLite records database and beside the plainest way to do it on the server
// (the same statements through Qt's PostgreSQL driver without the program's
// data layer, or libpq itself fetching the same select and keeping its rows),
// each pair of runs interleaved. Uses the server named by QM_TEST_PG_HOST, or
// starts a private one with scripts/start-test-postgres.sh with fsync on (the
// SQLite database syncs at every commit too); the line "server fsync=" says
// which. Without PostgreSQL it says why and skips.
#include "BenchLine.h"

#include "core/Clock.h"
#include "data/DataSource.h"
#include "data/Database.h"
#include "data/DatabaseInit.h"
#include "records/QueryBuilder.h"
#include "records/SalesListModel.h"
#include "sales/SaleEntry.h"
#include "sales/SaleRecord.h"
#include "sales/SaleStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <libpq-fe.h>
#include <odbcinst.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int listedSales = 100000;

QString userName()
{
    const passwd *user = getpwuid(geteuid());
    return QString::fromLocal8Bit(user ? user->pw_name : "root");
}

QString startedHost; // a server this bench started itself

QString serverHost()
{
    const QByteArray host = qgetenv("QM_TEST_PG_HOST");
    if (!host.isEmpty())
        return QString::fromLocal8Bit(host);
    QProcess script;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QM_TEST_PG_FSYNC"), QStringLiteral("on"));
    script.setProcessEnvironment(env);
    script.start(QStringLiteral(QM_SOURCE_DIR "/scripts/start-test-postgres.sh"), {});
    if (!script.waitForFinished(120000) || script.exitCode() != 0) {
        std::printf("bench_postgres: skipped, PostgreSQL cannot be started here: %s\n",
                    qPrintable(QString::fromLocal8Bit(script.readAllStandardError()).trimmed() +
                               script.errorString()));
        return {};
    }
    for (const QString &line : QString::fromLocal8Bit(script.readAllStandardOutput()).split('\n'))
        if (line.startsWith(QLatin1String("QM_TEST_PG_HOST=")))
            startedHost = line.section(QLatin1Char('='), 1);
    // Stopped however the bench ends.
    if (!startedHost.isEmpty())
        std::atexit([] {
            const QByteArray stop = "'" QM_SOURCE_DIR "/scripts/stop-test-postgres.sh' '" +
                                    QFile::encodeName(startedHost) + "' >/dev/null 2>&1";
            if (std::system(stop.constData()) != 0)
                std::fprintf(stderr, "bench_postgres: the server could not be stopped\n");
        });
    return startedHost;
}

QString createDatabase(const QString &host)
{
    const QString name = QStringLiteral("qm_bench_%1").arg(getpid());
    QSqlDatabase admin =
        QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("admin"));
    admin.setHostName(host);
    admin.setDatabaseName(QStringLiteral("quillmarch"));
    if (!admin.open()) {
        std::fprintf(stderr, "cannot reach the server: %s\n", qPrintable(admin.lastError().text()));
        std::exit(1);
    }
    QSqlQuery(admin).exec(QStringLiteral("DROP DATABASE IF EXISTS \"%1\"").arg(name));
    QSqlQuery(admin).exec(QStringLiteral("CREATE DATABASE \"%1\"").arg(name));
    return name;
}

void registerServerSource(const QString &dsn, const QString &host, const QString &database)
{
    SQLSetConfigMode(ODBC_USER_DSN);
    SQLWriteDSNToIni(dsn.toUtf8().constData(), "PostgreSQL Unicode");
    const auto write = [&](const char *key, const QString &value) {
        SQLWritePrivateProfileString(dsn.toUtf8().constData(), key, value.toUtf8().constData(),
                                     "odbc.ini");
    };
    write("Servername", host);
    write("Database", database);
    write("Username", userName());
    write("UseServerSidePrepare", QStringLiteral("1"));
    write("UseDeclareFetch", QStringLiteral("0"));
    SQLSetConfigMode(ODBC_BOTH_DSN);
}

SaleRecord fiftyLineSale()
{
    SaleEntry sale;
    for (int i = 0; i < 50; ++i) {
        sale.entry().setName(QStringLiteral("A%1-商品%1").arg(i));
        sale.entry().typeQuantity(QString::number(1 + i % 7));
        sale.entry().setPrice(QString::number(0.5 + (i % 113) * 1.25));
        sale.addLine();
    }
    SaleRecord record;
    record.time = Clock::now();
    record.discountedTotal = sale.totals().discounted;
    record.totalQuantity = sale.totals().quantity;
    record.cashier = QStringLiteral("admin");
    record.remark = QStringLiteral("谢谢惠顾，欢迎再次光临！");
    record.lines = sale.lines().all();
    return record;
}

// The save path of the sales window: next number, sale and lines, one transaction.
void saveSale(Database &records, SaleRecord &record, const QString &series)
{
    if (SaleStore::saveUnderNextNumber(records, record, series) != SaleStore::Result::Saved)
        std::abort();
}

// The same statements through Qt's PostgreSQL driver alone, prepared once:
// the counter's lock, its newest row, the number's existence check, the sale,
// its lines and the counter's new row, in one transaction.
class RawSave
{
public:
    RawSave(const QString &host, const QString &database)
        : m_db(QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("raw")))
    {
        m_db.setHostName(host);
        m_db.setDatabaseName(database);
        m_db.open();
        m_newest = prepared(QStringLiteral("select \"id\" from \"AUTO_NUM\" where \"id\" = "
                                           "(select max(\"id\") from \"AUTO_NUM\")"));
        m_exists = prepared(QStringLiteral("select count(*) from \"POS_RECORD\" where \"NO\" = ?"));
        m_header = prepared(QStringLiteral(
            "insert into \"POS_RECORD\" (\"NO\",\"date\",\"money\",\"saler\",\"number\","
            "\"standby1\",\"standby2\",\"standby3\",\"standby4\") values (?,?,?,?,?,?,?,?,?)"));
        m_line =
            prepared(QStringLiteral("insert into \"POS_RECORD_DETAIL\" (\"NO\",\"name\",\"num\","
                                    "\"price\",\"money\",\"standby1\") values (?,?,?,?,?,?)"));
        m_counter = prepared(QStringLiteral("insert into \"AUTO_NUM\" (\"id\",\"num\") select "
                                            "coalesce(max(\"id\"), 0) + 1, ? from \"AUTO_NUM\""));
    }

    void save(const SaleRecord &record, int trial)
    {
        m_db.transaction();
        QSqlQuery(m_db).exec(QStringLiteral("lock table \"AUTO_NUM\" in share row exclusive mode"));
        m_newest.exec();
        m_newest.next();
        const QString number =
            QStringLiteral("raw%1-%2").arg(m_newest.value(0).toLongLong()).arg(trial);
        m_exists.addBindValue(number);
        m_exists.exec();
        m_exists.next();
        m_header.addBindValue(number);
        m_header.addBindValue(QStringLiteral("2024-03-15 09:05:07"));
        m_header.addBindValue(record.discountedTotal);
        m_header.addBindValue(record.cashier);
        m_header.addBindValue(record.totalQuantity);
        m_header.addBindValue(record.remark);
        for (int i = 0; i < 3; ++i)
            m_header.addBindValue(QStringLiteral(""));
        m_header.exec();
        for (const SaleLine &l : record.lines) {
            m_line.addBindValue(number);
            m_line.addBindValue(l.name);
            for (const QString *value : {&l.quantity, &l.price, &l.amount, &l.discounted})
                m_line.addBindValue(value->toDouble());
            m_line.exec();
        }
        m_counter.addBindValue(QStringLiteral("1"));
        m_counter.exec();
        m_db.commit();
    }

private:
    QSqlQuery prepared(const QString &sql)
    {
        QSqlQuery query(m_db);
        query.setForwardOnly(true);
        query.prepare(sql);
        return query;
    }

    QSqlDatabase m_db;
    QSqlQuery m_newest, m_exists, m_header, m_line, m_counter;
};

// libpq fetching the list's select, every row kept: numbers as doubles,
// texts in one block whose room stays from run to run.
class LibpqList
{
public:
    LibpqList(const QString &host, const QString &database)
    {
        const QByteArray info =
            QStringLiteral("host='%1' dbname='%2'").arg(host, database).toUtf8();
        m_connection = PQconnectdb(info.constData());
    }
    ~LibpqList() { PQfinish(m_connection); }

    void fetch(const QueryStatement &statement)
    {
        const QByteArray sql = statement.sql.toUtf8();
        PGresult *result = PQexec(m_connection, sql.constData());
        const int rows = PQntuples(result);
        m_ids.clear();
        m_numbers.clear();
        m_textEnds.clear();
        m_texts.clear();
        m_ids.reserve(size_t(rows));
        for (int r = 0; r < rows; ++r) {
            m_ids.push_back(std::strtoll(PQgetvalue(result, r, 0), nullptr, 10));
            for (int c = 1; c < 10; ++c) {
                if (c == 3 || c == 5) {
                    m_numbers.push_back(std::strtod(PQgetvalue(result, r, c), nullptr));
                } else {
                    m_texts.append(PQgetvalue(result, r, c), size_t(PQgetlength(result, r, c)));
                    m_textEnds.push_back(m_texts.size());
                }
            }
        }
        PQclear(result);
        if (rows < listedSales)
            std::abort();
    }

private:
    PGconn *m_connection = nullptr;
    std::vector<qint64> m_ids;
    std::vector<double> m_numbers;
    std::vector<size_t> m_textEnds;
    std::string m_texts;
};

void fillSales(Database &records, bool postgres)
{
    records.exec(QStringLiteral("delete from \"POS_RECORD\""));
    const QString select =
        QStringLiteral(" select '9' || n, '2024-03-15 09:05:07', n * 0.5, 'admin', 3, '备注', "
                       "'张三', '139', '现金' from ");
    if (postgres)
        records.exec(
            QStringLiteral("insert into \"POS_RECORD\" (\"NO\",\"date\",\"money\",\"saler\","
                           "\"number\",\"standby1\",\"standby2\",\"standby3\","
                           "\"standby4\")") +
            select + QStringLiteral("generate_series(1, %1) n").arg(listedSales));
    else
        records.exec(
            QStringLiteral("insert into \"POS_RECORD\" (\"NO\",\"date\",\"money\",\"saler\","
                           "\"number\",\"standby1\",\"standby2\",\"standby3\","
                           "\"standby4\") with recursive s(n) as (select 1 union all "
                           "select n + 1 from s where n < %1)")
                .arg(listedSales) +
            select + QStringLiteral("s"));
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir odbcDir;
    setenv("ODBCINI", qPrintable(QDir(odbcDir.path()).filePath(QStringLiteral("odbc.ini"))), 1);
    QCoreApplication app(argc, argv);
    const QString host = serverHost();
    if (host.isEmpty())
        return 0;

    const QString database = createDatabase(host);
    registerServerSource(QStringLiteral("QmBenchServer"), host, database);
    const DatabaseInit::Outcome init =
        DatabaseInit::prepare(QStringLiteral("QmBenchServer"), DatabaseInit::Kind::Records);
    if (init.code != DatabaseInit::Created) {
        std::fprintf(stderr, "%s\n", qPrintable(init.message));
        return 1;
    }
    const QString file = QDir(odbcDir.path()).filePath(QStringLiteral("Quillbook.qmbk"));
    if (!QFile::copy(QCoreApplication::applicationDirPath() +
                         QStringLiteral("/../data/Quillbook.qmbk"),
                     file)) {
        std::fprintf(stderr, "the delivered databases are missing; build first\n");
        return 1;
    }
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    DataSource::setUp(QStringLiteral("QmBenchLocal"), file, odbcDir.path());

    Database server;
    Database local;
    if (!server.open(QStringLiteral("QmBenchServer")) ||
        !local.open(QStringLiteral("QmBenchLocal"))) {
        std::fprintf(stderr, "cannot open: %s %s\n", qPrintable(server.lastOpenError()),
                     qPrintable(local.lastOpenError()));
        return 1;
    }
    {
        QSqlQuery fsync(server.handle());
        fsync.exec(QStringLiteral("show fsync"));
        std::printf("bench_postgres: server fsync=%s\n",
                    fsync.next() ? qPrintable(fsync.value(0).toString()) : "?");
    }
    SaleRecord record = fiftyLineSale();
    const int saves = 21;
    benchLine("save_50_line_sale_postgres_vs_sqlite",
              interleaved(
                  saves, [&] { saveSale(server, record, QStringLiteral("S")); },
                  [&] { saveSale(local, record, QStringLiteral("L")); }));
    RawSave raw(host, database);
    int trial = 0;
    benchLine("save_50_line_sale_postgres_vs_raw_qpsql",
              interleaved(
                  saves, [&] { saveSale(server, record, QStringLiteral("S")); },
                  [&] { raw.save(record, trial++); }));

    fillSales(local, false);
    fillSales(server, true);
    const QueryStatement all = QueryBuilder::numberContains(QString(), server.dialect());
    SalesListModel serverList;
    SalesListModel localList;
    const int lists = 9;
    benchLine(
        "list_100000_sales_postgres_vs_sqlite",
        interleaved(
            lists, [&] { serverList.fill(server, all); }, [&] { localList.fill(local, all); }));
    if (serverList.rowCount() < listedSales)
        std::abort();
    LibpqList libpq(host, database);
    benchLine("list_100000_sales_postgres_vs_libpq",
              interleaved(
                  lists, [&] { serverList.fill(server, all); }, [&] { libpq.fetch(all); }));
    Database odbc;
    if (odbc.open(QStringLiteral("QmBenchServer"), Database::Route::Odbc)) {
        SalesListModel odbcList;
        benchLine("list_100000_sales_postgres_through_odbc_vs_native",
                  interleaved(
                      3, [&] { odbcList.fill(odbc, all); }, [&] { serverList.fill(server, all); }));
    }

    server.close();
    odbc.close();
    return 0;
}
