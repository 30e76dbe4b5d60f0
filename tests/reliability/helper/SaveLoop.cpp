// Stores sales (or settings) through the program's own save path, one after
// another, until it is killed. The power-cut test starts it on a copy of a
// data file and kills it at random moments, then checks the file.
//
//   qm_save_loop sales <records DSN> <seed>
//   qm_save_loop print <settings DSN> <seed>
//   qm_save_loop accounts <settings DSN> <seed>
//   qm_save_loop import <settings DSN> <seed>
//
// Every sale carries its own line count in its remark, so that the check can
// tell a whole sale from a torn one. Every print-settings write puts one
// generation number into all of the columns it touches; every imported
// catalogue names its generation and its size in each product ("g7/1200/15").
// Prints "ready" once the file is open.
#include "data/Database.h"
#include "printing/PrintInfo.h"
#include "printing/ReceiptNumber.h"
#include "sales/SaleRecord.h"
#include "sales/SaleStore.h"
#include "settings/ProductCatalogue.h"
#include "users/UserAccounts.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QRandomGenerator>

#include <cstdio>

namespace {

SaleRecord sale(Database &records, QRandomGenerator &random)
{
    SaleRecord record;
    record.number = ReceiptNumber::load(records, QString());
    record.time = QDateTime::currentDateTime();
    record.cashier = QStringLiteral("收银员");
    const int count = 1 + random.bounded(200);
    record.remark = QString::number(count);
    for (int i = 0; i < count; ++i) {
        SaleLine line;
        line.name = QStringLiteral("商品%1").arg(i);
        line.quantity = QString::number(1 + i % 5);
        line.price = QStringLiteral("2.5");
        line.amount = QString::number((1 + i % 5) * 2.5);
        line.discounted = line.amount;
        record.totalQuantity += 1 + i % 5;
        record.discountedTotal += (1 + i % 5) * 2.5;
        record.lines.append(line);
    }
    return record;
}

void saveSales(Database &records, QRandomGenerator &random)
{
    for (;;)
        SaleStore::saveAndConsume(records, sale(records, random));
}

void storePrintSettings(Database &settings, QRandomGenerator &random)
{
    for (;;) {
        const QString generation = QString::number(random.bounded(1, 1000));
        PrintInfo info;
        info.shopName = generation;
        info.remark = generation;
        info.margin = generation;
        info.offset = generation;
        info.paperLengthAdjust = generation;
        info.store(settings);
    }
}

// Each new account's password is its own name; the check logs every one in.
void addAccounts(Database &settings, QRandomGenerator &random)
{
    UserAccounts accounts(settings);
    for (;;) {
        const QString name = QStringLiteral("u%1").arg(random.generate());
        accounts.add(name, name, name, QStringLiteral("收银员"));
    }
}

// A whole catalogue read from a file replaces the old one, as the product
// page's import does.
void importCatalogues(Database &settings, QRandomGenerator &random)
{
    ProductCatalogue catalogue(settings);
    for (;;) {
        const int generation = random.bounded(1, 1000000);
        const int size = random.bounded(1, 3000);
        QList<Product> products;
        for (int i = 0; i < size; ++i)
            products.append({0, QStringLiteral("g%1/%2/%3").arg(generation).arg(size).arg(i),
                             QStringLiteral("1.00")});
        catalogue.replaceAll(products);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 4)
        return 2;
    const QString kind = QString::fromLocal8Bit(argv[1]);
    Database db;
    if (!db.open(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "cannot open: %s\n", qPrintable(db.lastOpenError()));
        return 1;
    }
    QRandomGenerator random(QString::fromLocal8Bit(argv[3]).toUInt());
    std::printf("ready\n");
    std::fflush(stdout);
    try {
        if (kind == QLatin1String("sales"))
            saveSales(db, random);
        else if (kind == QLatin1String("print"))
            storePrintSettings(db, random);
        else if (kind == QLatin1String("accounts"))
            addAccounts(db, random);
        else if (kind == QLatin1String("import"))
            importCatalogues(db, random);
    } catch (const DatabaseError &error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.driverText()));
        return 1;
    }
    return 2;
}
