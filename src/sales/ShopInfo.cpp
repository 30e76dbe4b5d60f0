#include "sales/ShopInfo.h"

#include "data/ShopRow.h"

ShopInfo ShopInfo::load(Database &settings)
{
    ShopRow row;
    ShopRow::read(settings, row);
    ShopInfo info;
    info.shopName = row.shopName;
    info.ifSave = row.saveOnPrint;
    info.remark1 = row.remark;
    info.remark2 = row.finishedNotice;
    info.saler = row.secondCopy;
    info.showPrice = row.showPrice;
    info.set1 = row.reserved;
    info.set2 = row.printLogo;
    info.set3 = row.discountEnabled;
    info.set4 = row.printer1;
    info.set5 = row.paperMargin;
    info.set6 = row.printOffset;
    info.set7 = row.logoOffset;
    info.set8 = row.productMemory;
    info.set9 = row.customerEnabled;
    info.set10 = row.cashEnabled;
    for (QString *number : {&info.set1, &info.set5, &info.set6, &info.set7})
        if (number->isEmpty())
            *number = QStringLiteral("0");
    return info;
}
