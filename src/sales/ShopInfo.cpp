#include "sales/ShopInfo.h"

#include "data/Database.h"

ShopInfo ShopInfo::load(Database &settings, const QString &defaultPrinter)
{
    ShopInfo info;
    Database::Rows row = settings.query(QStringLiteral("select * from \"INFO\""));
    if (row.next()) {
        QString *fields[] = {&info.shopName, &info.ifSave,    &info.remark1, &info.remark2,
                             &info.saler,    &info.showPrice, &info.set1,    &info.set2,
                             &info.set3,     &info.set4,      &info.set5,    &info.set6,
                             &info.set7,     &info.set8,      &info.set9,    &info.set10};
        for (int i = 0; i < int(std::size(fields)); ++i)
            *fields[i] = row.text(i + 1);
    }
    for (QString *number : {&info.set1, &info.set5, &info.set6, &info.set7})
        if (number->isEmpty())
            *number = QStringLiteral("0");
    if (info.set4.isEmpty())
        info.set4 = defaultPrinter;
    return info;
}
