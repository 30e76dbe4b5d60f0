// Several tills on a PostgreSQL server: saving a 50-line sale and listing
// 100,000 sales, each beside the same work on the delivered SQLite records
// database and beside the plainest way to do it on the server (Qt's
// PostgreSQL driver without the program's data layer, or libpq itself).
// Uses the server named by QM_TEST_PG_HOST, or starts a private one with
// scripts/start-test-postgres.sh; without PostgreSQL it says why and skips.
#include "BenchLine.h"

#include "core/Clock.h"
#include "data/DataSource.h"
#include "data/Database.h"
#include "data/DatabaseInit.h"
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
#include <vector>

namespace {

constexpr int listedSales = 100000;

double timed(int trials, const std::function<void(int)> &work)
{
    std::vector<double> ms;
    for (int trial = 0; trial < trials; ++trial) {
        QElapsedTimer timer;
        timer.start();
        work(trial);
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    return median(ms);
}

void report(const char *name, double ms, double floor)
{
    std::printf("bench: %s median_ms=%.2f floor_ms=%.2f ratio=%.2f\n", name, ms, floor, ms / floor);
    std::fflush(stdout);
}

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
double saveSales(Database &records, const QString &series)
{
    SaleRecord record = fiftyLineSale();
    return timed(40, [&](int) {
        if (SaleStore::saveUnderNextNumber(records, record, series) != SaleStore::Result::Saved)
            std::abort();
    });
}

// The same rows through Qt's PostgreSQL driver alone: statements prepared once,
// one transaction, no counter lock and no checks.
double saveSalesRaw(const QString &host, const QString &database)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("raw"));
    db.setHostName(host);
    db.setDatabaseName(database);
    db.open();
    QSqlQuery header(db);
    header.prepare(QStringLiteral("insert into \"POS_RECORD\" (\"NO\",\"date\",\"money\",\"saler\","
                                  "\"number\",\"standby1\",\"standby2\",\"standby3\","
                                  "\"standby4\") values (?,?,?,?,?,?,?,?,?)"));
    QSqlQuery line(db);
    line.prepare(QStringLiteral("insert into \"POS_RECORD_DETAIL\" (\"NO\",\"name\",\"num\","
                                "\"price\",\"money\",\"standby1\") values (?,?,?,?,?,?)"));
    const SaleRecord record = fiftyLineSale();
    return timed(40, [&](int trial) {
        const QString number = QStringLiteral("raw%1").arg(trial);
        db.transaction();
        header.addBindValue(number);
        header.addBindValue(QStringLiteral("2024-03-15 09:05:07"));
        header.addBindValue(record.discountedTotal);
        header.addBindValue(record.cashier);
        header.addBindValue(record.totalQuantity);
        header.addBindValue(record.remark);
        for (int i = 0; i < 3; ++i)
            header.addBindValue(QString());
        header.exec();
        for (const SaleLine &l : record.lines) {
            line.addBindValue(number);
            line.addBindValue(l.name);
            for (const QString *value : {&l.quantity, &l.price, &l.amount, &l.discounted})
                line.addBindValue(value->toDouble());
            line.exec();
        }
        db.commit();
    });
}

// The query window's all-sales list: every column of every sale, into memory.
double listSales(Database &records, int trials)
{
    return timed(trials, [&](int) {
        QVector<QStringList> list;
        Database::Rows rows = records.query(QStringLiteral("select * from \"POS_RECORD\""));
        while (rows.next()) {
            QStringList row;
            for (int i = 0; i < 10; ++i)
                row << rows.text(i);
            list.append(row);
        }
        if (list.size() < listedSales)
            std::abort();
    });
}

double listSalesLibpq(const QString &host, const QString &database)
{
    const QByteArray info = QStringLiteral("host='%1' dbname='%2'").arg(host, database).toUtf8();
    PGconn *connection = PQconnectdb(info.constData());
    const double ms = timed(5, [&](int) {
        PGresult *result = PQexec(connection, "select * from \"POS_RECORD\"");
        QVector<QStringList> list;
        const int count = PQntuples(result);
        list.reserve(count);
        for (int r = 0; r < count; ++r) {
            QStringList row;
            for (int c = 0; c < 10; ++c)
                row << QString::fromUtf8(PQgetvalue(result, r, c));
            list.append(row);
        }
        PQclear(result);
        if (list.size() < listedSales)
            std::abort();
    });
    PQfinish(connection);
    return ms;
}

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
    const double sqliteSave = saveSales(local, QStringLiteral("L"));
    const double serverSave = saveSales(server, QStringLiteral("S"));
    report("save_50_line_sale_postgres_vs_sqlite", serverSave, sqliteSave);
    report("save_50_line_sale_postgres_vs_raw_qpsql", serverSave, saveSalesRaw(host, database));

    fillSales(local, false);
    fillSales(server, true);
    const double sqliteList = listSales(local, 5);
    const double serverList = listSales(server, 5);
    report("list_100000_sales_postgres_vs_sqlite", serverList, sqliteList);
    report("list_100000_sales_postgres_vs_libpq", serverList, listSalesLibpq(host, database));
    Database odbc;
    if (odbc.open(QStringLiteral("QmBenchServer"), Database::Route::Odbc))
        report("list_100000_sales_postgres_through_odbc_vs_native", listSales(odbc, 2), serverList);

    server.close();
    odbc.close();
    if (!startedHost.isEmpty())
        QProcess::execute(QStringLiteral(QM_SOURCE_DIR "/scripts/stop-test-postgres.sh"),
                          {startedHost});
    return 0;
}
