#pragma once

#include <QString>

class Database;

// How the shop uses a printer that CUPS knows as a raw queue (no driver): the
// roll's printable width in dots at 203 dpi, and whether the cash drawer
// behind it opens after a sale's receipt. Kept per printer in RAW_PRINTER of
// the settings database, so the INFO row keeps its columns.
struct RawPrinterSetup
{
    static constexpr int dpi = 203;
    static constexpr int dots58 = 384; // 58 mm roll, 48 mm printed
    static constexpr int dots80 = 576; // 80 mm roll, 72 mm printed

    QString printer;
    int paperDots = dots80;
    bool openDrawer = false; // "打印后打开钱箱"

    // A stored width that is not one of the two rolls counts as 80 mm.
    static int knownDots(int dots);

    // Creates RAW_PRINTER in a settings database from before raw printers.
    // Throws DatabaseError.
    static void ensureTable(Database &settingsDb);
    // The printer's row; the defaults when it has none. Throws DatabaseError.
    static RawPrinterSetup load(Database &settingsDb, const QString &printer);
    // Replaces the printer's row. Throws DatabaseError; run it in a transaction.
    void store(Database &settingsDb) const;
};
