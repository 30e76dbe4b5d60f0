#include "printing/ShopPrintSettings.h"

#include "app/NumberText.h"
#include "data/Database.h"

namespace {

enum InfoColumn
{
    ShopName = 1,
    IfSave = 2,
    Remark1 = 3,
    Remark2 = 4,
    Saler = 5,
    ShowPrice = 6,
    Set2 = 8,
    Set4 = 10,
    Set5 = 11,
    Set6 = 12,
    Set7 = 13,
};

bool isOne(const QString &text)
{
    return text == QLatin1String("1");
}

} // namespace

ShopPrintSettings ShopPrintSettings::load(Database &settingsDb, const QString &defaultPrinter)
{
    ShopPrintSettings shop;
    shop.printer1Name = defaultPrinter;
    auto rows = settingsDb.query(QStringLiteral("select * from INFO"));
    if (!rows.next())
        return shop;
    shop.shopName = rows.text(ShopName);
    shop.saveOnPrint = isOne(rows.text(IfSave));
    shop.defaultRemark = rows.text(Remark1);
    shop.finishedNotice = rows.text(Remark2) != QLatin1String("0");
    shop.secondCopy = isOne(rows.text(Saler));
    shop.showPrice = isOne(rows.text(ShowPrice));
    shop.printLogo = isOne(rows.text(Set2));
    if (!rows.text(Set4).isEmpty())
        shop.printer1Name = rows.text(Set4);
    shop.paperMargin = NumberText::toInt(rows.text(Set5));
    shop.printOffset = NumberText::toInt(rows.text(Set6));
    shop.logoOffset = NumberText::toInt(rows.text(Set7));
    return shop;
}
