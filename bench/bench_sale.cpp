// Sale entry speed: adding the 1,000th line of a sale (with the totals
// recomputed), and saving a 50-line sale on the delivered records database.
#include "app/AppSettings.h"
#include "app/Clock.h"
#include "data/DataSource.h"
#include "data/Database.h"
#include "sales/SaleEntry.h"
#include "sales/SaleRecord.h"
#include "sales/SaleStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

void enterLine(SaleEntry &sale, int i)
{
    sale.entry().setName(QStringLiteral("A%1-商品%1").arg(i));
    sale.entry().typeQuantity(QString::number(1 + i % 7));
    sale.entry().setPrice(QString::number(0.5 + (i % 113) * 1.25));
    sale.entry().setDiscount(QStringLiteral("9.5"));
    sale.addLine();
}

struct Figures
{
    double median;
    double worst;
};

Figures summarise(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

Figures thousandthLine()
{
    SaleEntry base;
    base.loadDiscountEnabled(true);
    for (int i = 0; i < 999; ++i)
        enterLine(base, i);
    std::vector<double> ms;
    for (int trial = 0; trial < 200; ++trial) {
        SaleEntry sale = base;
        QElapsedTimer timer;
        timer.start();
        enterLine(sale, 999);
        ms.push_back(timer.nsecsElapsed() / 1e6);
        if (sale.lines().count() != 1000)
            std::abort();
    }
    return summarise(ms);
}

Figures saveSale(const QString &dsn, int lineCount, const QString &series,
                 const QString &pragma = {})
{
    Database records;
    if (!records.open(dsn)) {
        std::fprintf(stderr, "cannot open the records database: %s\n",
                     qPrintable(records.lastOpenError()));
        std::exit(1);
    }
    if (!pragma.isEmpty())
        records.exec(pragma);
    SaleEntry sale;
    sale.loadDiscountEnabled(true);
    for (int i = 0; i < lineCount; ++i)
        enterLine(sale, i);
    SaleRecord record;
    record.time = Clock::now();
    record.discountedTotal = sale.totals().discounted;
    record.totalQuantity = sale.totals().quantity;
    record.cashier = QStringLiteral("admin");
    record.remark = QStringLiteral("谢谢惠顾，欢迎再次光临！");
    record.lines = sale.lines().all();

    std::vector<double> ms;
    for (int trial = 0; trial < 40; ++trial) {
        record.number = series + QStringLiteral("%1").arg(trial, 7, 10, QLatin1Char('0'));
        QElapsedTimer timer;
        timer.start();
        if (SaleStore::saveAndConsume(records, record) != SaleStore::Result::Saved)
            std::abort();
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    return summarise(ms);
}

} // namespace

int main(int argc, char **argv)
{
    // A private program folder beside the build, on the same disk as a real
    // installation, with a fresh copy of the delivered records database.
    QTemporaryDir odbcDir;
    setenv("ODBCINI", qPrintable(QDir(odbcDir.path()).filePath(QStringLiteral("odbc.ini"))), 1);
    QCoreApplication app(argc, argv);
    const QString buildDir = QCoreApplication::applicationDirPath() + QStringLiteral("/..");
    QTemporaryDir programDir(buildDir + QStringLiteral("/bench-sale-XXXXXX"));
    QDir(programDir.path()).mkpath(QStringLiteral("data"));
    const QString file = DataSource::recordsFile(programDir.path());
    if (!QFile::copy(buildDir + QStringLiteral("/data/Quillbook.qmbk"), file)) {
        std::fprintf(stderr, "the delivered records database is missing; build first\n");
        return 1;
    }
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    const QString dsn = QStringLiteral("QmBenchRecords");
    DataSource::setUp(dsn, file, programDir.path());

    const Figures add = thousandthLine();
    std::printf("bench_sale: adding the 1,000th line and recomputing totals: median %.3f ms, "
                "worst %.3f ms (aim: under 2 ms)\n",
                add.median, add.worst);
    const Figures save = saveSale(dsn, 50, QStringLiteral("B"));
    std::printf("bench_sale: saving a 50-line sale (header, lines, number; one transaction): "
                "median %.3f ms, worst %.3f ms (aim: under 10 ms)\n",
                save.median, save.worst);
    // How much of that is the disk's sync at commit, which does not depend on the lines.
    const Figures one = saveSale(dsn, 1, QStringLiteral("C"));
    std::printf("bench_sale:   of which fixed cost, saving a 1-line sale: median %.3f ms\n",
                one.median);
    const Figures wal =
        saveSale(dsn, 50, QStringLiteral("D"), QStringLiteral("PRAGMA journal_mode=WAL"));
    std::printf("bench_sale:   the same 50-line sale with the file in WAL journal mode "
                "(not the delivered setting): median %.3f ms, worst %.3f ms\n",
                wal.median, wal.worst);
    return 0;
}
