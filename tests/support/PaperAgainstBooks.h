#pragma once

#include "printing/SaleSnapshot.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

class Database;
struct AppSettings;
struct ShopRow;

// What reached a raw receipt printer set against the books. Each job is read
// back as the printer prints it and found among the stored sales by its
// picture: the one the program draws for the sale from what the books hold
// (number, time, cashier, every line, the totals), pixel for pixel.
class PaperAgainstBooks
{
public:
    // How the tills print: their settings, the shop's print options, the
    // window's switches and the roll's width in dots.
    struct Printing
    {
        const AppSettings &settings;
        const ShopRow &shop;
        ReceiptSwitches switches;
        int paperDots;
    };

    // Expects every job to be the receipt of exactly one stored sale, cut once,
    // and every stored sale to have exactly one job. Returns the numbers of the
    // sales the jobs are, in the order they came ("?" for a job that is none).
    static QStringList expectAgreement(Database &records, const QList<QByteArray> &jobs,
                                       const Printing &printing);

    // The sale stored under NUMBER as its receipt shows it; no cash was typed.
    static SaleSnapshot storedSale(Database &records, const QString &number,
                                   const ReceiptSwitches &switches);
};
