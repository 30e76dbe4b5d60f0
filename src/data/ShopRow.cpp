#include "data/ShopRow.h"

#include "core/NumberText.h"
#include "data/Database.h"
#include "data/StoredFlag.h"

namespace {

QString shopId()
{
    return QStringLiteral("1");
}

} // namespace

ShopRow ShopRow::read(Database &settingsDb)
{
    ShopRow row;
    Database::Rows rows = settingsDb.query(QStringLiteral(
        "select \"shopName\",\"ifSave\",\"remark1\",\"remark2\",\"saler\",\"showPrice\","
        "\"set2\",\"set3\",\"set4\",\"set5\",\"set6\",\"set7\",\"set8\",\"set9\","
        "\"set10\" from \"INFO\""));
    if (!rows.next())
        return row;
    const auto on = [&rows](int column) { return rows.text(column) == QLatin1String("1"); };
    const auto notOff = [&rows](int column) { return rows.text(column) != QLatin1String("0"); };
    row.shopName = rows.text(0);
    row.saveOnPrint = on(1);
    row.defaultRemark = rows.text(2);
    row.finishedNotice = notOff(3);
    row.secondCopy = on(4);
    row.showPrice = on(5);
    row.printLogo = on(6);
    row.discountEnabled = on(7);
    row.printer1Name = rows.text(8);
    row.paperMargin = NumberText::toInt(rows.text(9));
    row.printOffset = NumberText::toInt(rows.text(10));
    row.logoOffset = NumberText::toInt(rows.text(11));
    row.productMemory = notOff(12);
    row.customerEnabled = on(13);
    row.cashEnabled = on(14);
    return row;
}

void ShopRow::storePrintInfo(Database &settingsDb, const ShopRow &row)
{
    settingsDb.exec(QStringLiteral("update \"INFO\" set \"shopName\"=?,\"remark1\"=?,\"remark2\"=?,"
                                   "\"saler\"=?,\"ifSave\"=?,\"showPrice\"=?,\"set5\"=?,\"set6\"=? "
                                   "where \"id\"=?"),
                    {row.shopName, row.defaultRemark, storedFlag(row.finishedNotice),
                     storedFlag(row.secondCopy), storedFlag(row.saveOnPrint),
                     storedFlag(row.showPrice), QString::number(row.paperMargin),
                     QString::number(row.printOffset), shopId()});
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
