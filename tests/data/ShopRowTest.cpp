// The shop's settings row as the program reads and stores it: the delivered
// row, what older or hand-edited files hold ("yes", empty numbers), and the
// stored texts other tills and older versions read back.
#include "data/ShopRow.h"
#include "data/Database.h"
#include "support/TestEnv.h"
#include "support/Text.h"

#include <gtest/gtest.h>

namespace {

class ShopRowTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(db.open(env.settings().settingsDsn)); }

    QString stored(const char *column)
    {
        return db.scalar(QStringLiteral("select \"%1\" from \"INFO\"").arg(s(column)));
    }

    TestEnv env;
    Database db;
};

TEST_F(ShopRowTest, TheDeliveredRowAndHandEditedTextsReadAsTheProgramMeansThem)
{
    const ShopRow delivered = ShopRow::read(db);
    EXPECT_EQ(delivered.shopName, s("我的小店"));
    EXPECT_TRUE(delivered.saveOnPrint);
    EXPECT_EQ(delivered.defaultRemark, s("谢谢惠顾，欢迎再次光临！"));
    EXPECT_TRUE(delivered.finishedNotice);
    EXPECT_FALSE(delivered.secondCopy);
    EXPECT_TRUE(delivered.showPrice);
    EXPECT_FALSE(delivered.printLogo);
    EXPECT_FALSE(delivered.discountEnabled);
    EXPECT_TRUE(delivered.productMemory);
    EXPECT_EQ(delivered.printer1Name, QString()) << "the default printer, looked up when printing";
    EXPECT_EQ(delivered.paperMargin, 0);

    db.exec(s("update \"INFO\" set \"remark2\"='0', \"saler\"='1', \"showPrice\"='0', "
              "\"set2\"='1', \"set4\"='Bar', \"set5\"='12', \"set6\"='-8', \"set7\"='', "
              "\"set8\"='', \"ifSave\"='yes'"));
    const ShopRow changed = ShopRow::read(db);
    EXPECT_FALSE(changed.finishedNotice);
    EXPECT_TRUE(changed.secondCopy);
    EXPECT_FALSE(changed.showPrice);
    EXPECT_TRUE(changed.printLogo);
    EXPECT_FALSE(changed.saveOnPrint) << "only \"1\" is on";
    EXPECT_TRUE(changed.productMemory) << "only \"0\" is off";
    EXPECT_EQ(changed.printer1Name, s("Bar"));
    EXPECT_EQ(changed.paperMargin, 12);
    EXPECT_EQ(changed.printOffset, -8);
    EXPECT_EQ(changed.logoOffset, 0);

    db.exec(s("delete from \"INFO\""));
    EXPECT_EQ(ShopRow::read(db).shopName, QString()) << "no row: the defaults";
}

TEST_F(ShopRowTest, StoredValuesKeepTheTextsOlderVersionsRead)
{
    ShopRow row = ShopRow::read(db);
    row.shopName = s("小店 \"O'Brien\"");
    row.defaultRemark = s("谢谢");
    row.finishedNotice = false;
    row.secondCopy = true;
    row.saveOnPrint = false;
    row.showPrice = false;
    row.paperMargin = 48;
    row.printOffset = -12;
    ShopRow::storePrintInfo(db, row);
    ShopRow::storeSwitch(db, ShopRow::Switch::Discount, true);
    ShopRow::storeSwitch(db, ShopRow::Switch::Customer, true);
    ShopRow::storeSwitch(db, ShopRow::Switch::Cash, true);
    ShopRow::storeSwitch(db, ShopRow::Switch::ProductMemory, false);
    ShopRow::storeLogo(db, true, s("7"));
    ShopRow::storePrinter1(db, s("前台"));

    const QStringList columns{"remark2", "saler", "ifSave", "showPrice", "set5", "set6",
                              "set3",    "set9",  "set10",  "set8",      "set2", "set7"};
    QStringList texts;
    for (const QString &column : columns)
        texts << stored(column.toUtf8().constData());
    EXPECT_EQ(texts, (QStringList{"0", "1", "0", "0", "48", "-12", "1", "1", "1", "0", "1", "7"}));

    const ShopRow back = ShopRow::read(db);
    EXPECT_EQ(back.shopName, row.shopName);
    EXPECT_EQ(back.defaultRemark, row.defaultRemark);
    EXPECT_TRUE(back.secondCopy);
    EXPECT_TRUE(back.discountEnabled && back.customerEnabled && back.cashEnabled);
    EXPECT_FALSE(back.productMemory);
    EXPECT_EQ(back.logoOffset, 7);
    EXPECT_EQ(back.printer1Name, s("前台"));
}

} // namespace
