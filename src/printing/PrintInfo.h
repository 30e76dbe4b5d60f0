#pragma once

#include <QString>

class Database;
struct AppSettings;
struct ShopRow;

// The values of the print-information page as the person typed them, and
// how they are stored: the shop's INFO row and the paper-length adjustment
// of the options row. Margin and offset are typed in 毫米 and stored as four
// screen pixels per millimetre.
struct PrintInfo
{
    QString shopName;
    QString remark;
    bool saveOnPrint = true; // "保存记录"
    bool finishedNotice = true;
    bool secondCopy = false;
    bool showPrice = false;
    QString margin; // 毫米, as typed
    QString offset;
    QString paperLengthAdjust;

    // The page's values from memory; shop name and remark come from the sales window.
    static PrintInfo from(const ShopRow &shop, const AppSettings &settings, const QString &shopName,
                          const QString &remark);
    bool operator==(const PrintInfo &other) const = default;

    // A shop name takes at most 32 bytes as GB2312 text, that is 16 Chinese
    // characters.
    static constexpr int maxShopNameBytes = 32;
    static int gbBytes(const QString &text);
    bool shopNameFits() const { return gbBytes(shopName) <= maxShopNameBytes; }

    // Typed millimetres to the stored text: four times the number, "0" when empty.
    static QString storedMillimetres(const QString &typed);
    // The stored value as the page shows it.
    static QString shownMillimetres(int stored);

    // Writes the INFO row and the options row's paper-length adjustment in one
    // transaction. Throws DatabaseError; nothing is written then.
    void store(Database &settingsDb) const;
    // Takes the values into memory, as store() wrote them.
    void apply(ShopRow &shop, AppSettings &settings) const;

private:
    // SHOP with the page's values in their stored units.
    ShopRow appliedTo(ShopRow shop) const;
};
