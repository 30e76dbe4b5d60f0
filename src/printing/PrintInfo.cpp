#include "printing/PrintInfo.h"

#include "core/AppSettings.h"
#include "core/NumberText.h"
#include "data/Database.h"
#include "data/OptionsRow.h"
#include "data/ShopRow.h"
#include "data/Transaction.h"

#include <algorithm>
#include <climits>

PrintInfo PrintInfo::from(const ShopRow &shop, const AppSettings &settings, const QString &shopName,
                          const QString &remark)
{
    PrintInfo info;
    info.shopName = shopName;
    info.remark = remark;
    info.saveOnPrint = shop.saveOnPrint;
    info.finishedNotice = shop.finishedNotice;
    info.secondCopy = shop.secondCopy;
    info.showPrice = shop.showPrice;
    info.margin = shownMillimetres(shop.paperMargin);
    info.offset = shownMillimetres(shop.printOffset);
    info.paperLengthAdjust = QString::number(settings.paperLengthAdjust);
    return info;
}

int PrintInfo::gbBytes(const QString &text)
{
    int bytes = 0;
    for (const char32_t c : text.toUcs4())
        bytes += c < 0x80 ? 1 : (c > 0xffff ? 4 : 2);
    return bytes;
}

QString PrintInfo::storedMillimetres(const QString &typed)
{
    if (typed.isEmpty())
        return QStringLiteral("0");
    const qint64 pixels = 4LL * NumberText::toInt(typed);
    return QString::number(std::clamp<qint64>(pixels, INT_MIN, INT_MAX));
}

QString PrintInfo::shownMillimetres(int stored)
{
    return QString::number(stored / 4);
}

ShopRow PrintInfo::appliedTo(ShopRow shop) const
{
    shop.shopName = shopName;
    shop.defaultRemark = remark;
    shop.finishedNotice = finishedNotice;
    shop.secondCopy = secondCopy;
    shop.saveOnPrint = saveOnPrint;
    shop.showPrice = showPrice;
    shop.paperMargin = NumberText::toInt(storedMillimetres(margin));
    shop.printOffset = NumberText::toInt(storedMillimetres(offset));
    return shop;
}

void PrintInfo::store(Database &settingsDb) const
{
    Transaction transaction(settingsDb);
    ShopRow::storePrintInfo(settingsDb, appliedTo(ShopRow()));
    OptionsRow::storePaperLengthAdjust(settingsDb,
                                       QString::number(NumberText::toInt(paperLengthAdjust)));
    transaction.commit();
}

void PrintInfo::apply(ShopRow &shop, AppSettings &settings) const
{
    shop = appliedTo(shop);
    settings.paperLengthAdjust = NumberText::toInt(paperLengthAdjust);
}
