#include "printing/RawPrinterSetup.h"

#include "data/Database.h"

#include <QSqlDatabase>

int RawPrinterSetup::knownDots(int dots)
{
    return dots == dots58 ? dots58 : dots80;
}

void RawPrinterSetup::ensureTable(Database &settingsDb)
{
    // Asked first: the server would note "already exists" at every save.
    if (settingsDb.handle().tables().contains(QStringLiteral("RAW_PRINTER")))
        return;
    settingsDb.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS \"RAW_PRINTER\" ("
                                   "\"printer\" TEXT PRIMARY KEY, "
                                   "\"paperDots\" INTEGER, "
                                   "\"openDrawer\" INTEGER)"));
}

RawPrinterSetup RawPrinterSetup::load(Database &settingsDb, const QString &printer)
{
    RawPrinterSetup setup;
    setup.printer = printer;
    // A settings file from before raw printers has no table: nothing was chosen.
    if (!settingsDb.handle().tables().contains(QStringLiteral("RAW_PRINTER")))
        return setup;
    auto rows = settingsDb.query(QStringLiteral("select \"paperDots\", \"openDrawer\" from "
                                                "\"RAW_PRINTER\" where \"printer\"=?"),
                                 {printer});
    if (rows.next()) {
        setup.paperDots = knownDots(rows.value(0).toInt());
        setup.openDrawer = rows.value(1).toInt() != 0;
    }
    return setup;
}

void RawPrinterSetup::store(Database &settingsDb) const
{
    ensureTable(settingsDb);
    settingsDb.exec(QStringLiteral("delete from \"RAW_PRINTER\" where \"printer\"=?"), {printer});
    settingsDb.exec(QStringLiteral("insert into \"RAW_PRINTER\" (\"printer\", \"paperDots\", "
                                   "\"openDrawer\") values (?, ?, ?)"),
                    {printer, knownDots(paperDots), openDrawer ? 1 : 0});
}
