#include "data/ShopRow.h"

#include "data/Database.h"
#include "data/StoredFlag.h"

namespace {

QString shopId()
{
    return QStringLiteral("1");
}

} // namespace

bool ShopRow::read(Database &settingsDb, ShopRow &row)
{
    row = ShopRow();
    Database::Rows rows = settingsDb.query(QStringLiteral(
        "select \"shopName\",\"ifSave\",\"remark1\",\"remark2\",\"saler\",\"showPrice\","
        "\"set1\",\"set2\",\"set3\",\"set4\",\"set5\",\"set6\",\"set7\",\"set8\",\"set9\","
        "\"set10\" from \"INFO\""));
    if (!rows.next())
        return false;
    QString *fields[] = {
        &row.shopName,        &row.saveOnPrint,   &row.remark,          &row.finishedNotice,
        &row.secondCopy,      &row.showPrice,     &row.reserved,        &row.printLogo,
        &row.discountEnabled, &row.printer1,      &row.paperMargin,     &row.printOffset,
        &row.logoOffset,      &row.productMemory, &row.customerEnabled, &row.cashEnabled};
    for (int i = 0; i < int(std::size(fields)); ++i)
        *fields[i] = rows.text(i);
    return true;
}

void ShopRow::storePrintInfo(Database &settingsDb, const ShopRow &row)
{
    settingsDb.exec(QStringLiteral("update \"INFO\" set \"shopName\"=?,\"remark1\"=?,\"remark2\"=?,"
                                   "\"saler\"=?,\"ifSave\"=?,\"showPrice\"=?,\"set5\"=?,\"set6\"=? "
                                   "where \"id\"=?"),
                    {row.shopName, row.remark, row.finishedNotice, row.secondCopy, row.saveOnPrint,
                     row.showPrice, row.paperMargin, row.printOffset, shopId()});
}

void ShopRow::storeFinishedNotice(Database &settingsDb, bool on)
{
    settingsDb.exec(QStringLiteral("update \"INFO\" set \"remark2\"=? where \"id\"=?"),
                    {storedFlag(on), shopId()});
}

void ShopRow::storePrinter1(Database &settingsDb, const QString &name)
{
    settingsDb.exec(QStringLiteral("update \"INFO\" set \"set4\"=? where \"id\"=?"),
                    {name, shopId()});
}

void ShopRow::storeLogo(Database &settingsDb, bool printLogo, const QString &offset)
{
    settingsDb.exec(QStringLiteral("update \"INFO\" set \"set2\"=?,\"set7\"=? where \"id\"=?"),
                    {storedFlag(printLogo), offset, shopId()});
}

void ShopRow::storeSwitch(Database &settingsDb, Switch which, bool on)
{
    const char *column = which == Switch::Discount        ? "set3"
                         : which == Switch::Customer      ? "set9"
                         : which == Switch::ProductMemory ? "set8"
                                                          : "set10";
    settingsDb.exec(
        QStringLiteral("update \"INFO\" set \"%1\"=? where \"id\"=?").arg(QLatin1String(column)),
        {storedFlag(on), shopId()});
}
