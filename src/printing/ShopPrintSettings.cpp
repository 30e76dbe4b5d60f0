#include "printing/ShopPrintSettings.h"

#include "core/NumberText.h"
#include "data/ShopRow.h"

namespace {

bool isOne(const QString &text)
{
    return text == QLatin1String("1");
}

} // namespace

ShopPrintSettings ShopPrintSettings::load(Database &settingsDb, const QString &defaultPrinter)
{
    ShopPrintSettings shop;
    shop.printer1Name = defaultPrinter;
    ShopRow row;
    if (!ShopRow::read(settingsDb, row))
        return shop;
    shop.shopName = row.shopName;
    shop.saveOnPrint = isOne(row.saveOnPrint);
    shop.defaultRemark = row.remark;
    shop.finishedNotice = row.finishedNotice != QLatin1String("0");
    shop.secondCopy = isOne(row.secondCopy);
    shop.showPrice = isOne(row.showPrice);
    shop.printLogo = isOne(row.printLogo);
    if (!row.printer1.isEmpty())
        shop.printer1Name = row.printer1;
    shop.paperMargin = NumberText::toInt(row.paperMargin);
    shop.printOffset = NumberText::toInt(row.printOffset);
    shop.logoOffset = NumberText::toInt(row.logoOffset);
    return shop;
}
