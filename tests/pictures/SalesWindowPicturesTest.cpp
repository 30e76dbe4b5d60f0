// Pictures of the sales window for the documentation, written to picturesDir()
// ($QM_PICTURES_DIR; `make pictures` sets it to docs/).
#include "data/Database.h"
#include "sales/SalesWindows.h"
#include "support/Gui.h"
#include "support/SalesWindowFixture.h"

#include <QCheckBox>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class SalesWindowPictures : public SalesWindowFixture
{
protected:
    void save(const char *name)
    {
        QTest::qWait(50);
        savePicture(m_dialog->grab().toImage(), QString::fromLatin1(name));
    }
};

// Shown as in the whole program, with the windows it opens today.
TEST_F(SalesWindowPictures, EmptyWithLinesAndForAnOrdinaryUser)
{
    open();
    save("sales-window");

    {
        Database db;
        ASSERT_TRUE(db.open(m_env.settings().settingsDsn));
        db.exec(QStringLiteral("insert into \"SALER\" (\"items\",\"standby\") values (?,?)"),
                {s("张三"), s("13800001111")});
    }
    m_dialog->session().reloadCustomers();
    w<QCheckBox>("discountCheck")->click();
    w<QCheckBox>("customerCheck")->click();
    w<QCheckBox>("paymentCheck")->click();
    w<QCheckBox>("cashCheck")->click();
    retype(box("customerBox"), s("张三"));
    retype(box("paymentBox"), s("现金"));
    enterLine("A01-橙味汽水 330ml", "2", "3.5");
    enterLine("B12-全麦面包", "1", "12.8");
    retype(box("productBox"), s("C07-鲜牛奶 1L"));
    retype(edit("quantityEdit"), s("3"));
    retype(edit("priceEdit"), s("9.9"));
    retype(box("discountBox"), s("9.5"));
    QTest::keyClick(box("discountBox"), Qt::Key_Return);
    enterLine("D03-苹果（斤）", "2.5", "6.8");
    retype(box("productBox"), s("E21-鸡蛋（盒）"));
    retype(edit("quantityEdit"), s("1"));
    retype(edit("priceEdit"), s("15.9"));
    box("productBox")->setFocus();
    retype(box("cashBox"), s("100"));
    box("productBox")->setFocus();
    save("sales-window-lines");

    m_dialog.reset();
    login(s("小王"), s("普通用户"));
    open();
    save("sales-window-ordinary-user");
}

} // namespace
