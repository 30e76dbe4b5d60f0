// The product page and its dialog driven as a person drives them: adding,
// changing and deleting rows by their ids, the two switches, the ordinary
// user's restrictions, and the catalogue exported to a spreadsheet file and
// imported back (one summary; a bad file changes nothing).
#include "records/Fixtures.h"

#include "app/SettingsLoader.h"
#include "controls/HoverButton.h"
#include "controls/SortableList.h"
#include "data/Database.h"
#include "settings/ProductCatalogue.h"
#include "settings/ProductPage.h"
#include "support/Gui.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"

#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Stored = QList<QPair<QString, QString>>;

class ProductPageTest : public ::testing::Test
{
protected:
    ProductPageTest()
    {
        EXPECT_TRUE(m_db.open(m_env.settings().settingsDsn));
        // As start-up leaves the settings and the options row.
        SettingsLoader::loadFrom(m_db, m_env.settings(), QDate(2024, 3, 7), QString());
        m_env.settings().userName = QStringLiteral("admin");
        m_env.settings().userPower = AppSettings::administratorPower();
    }

    ProductPage &open()
    {
        m_page = std::make_unique<ProductPage>(m_env.settings());
        m_page->resize(520, 330);
        m_page->show();
        QApplication::setActiveWindow(m_page.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_page.get()));
        return *m_page;
    }
    SortableList *list() { return m_page->list(); }
    QPushButton *button(const char *name) { return child<QPushButton>(m_page.get(), name); }
    QCheckBox *rememberBox() { return child<QCheckBox>(m_page.get(), "rememberBox"); }
    static void type(QWidget *dialog, const char *field, const QString &text)
    {
        auto *edit = child<QLineEdit>(dialog, field);
        edit->clear();
        commitText(edit, text);
    }

    Stored stored()
    {
        Stored products;
        for (const Product &product : ProductCatalogue(m_db).all())
            products.append({product.text, product.price});
        return products;
    }
    Stored shown()
    {
        Stored rows;
        for (int row = 0; row < list()->rowCount(); ++row)
            rows.append({list()->text(row, 1), list()->text(row, 2)});
        return rows;
    }
    QString optionsFlag(const char *sql) { return m_db.scalar(QString::fromLatin1(sql)); }

    TestEnv m_env;
    Database m_db;
    std::unique_ptr<ProductPage> m_page;
};

TEST_F(ProductPageTest, AddModifyAndDeleteTouchOnlyTheirOwnRow)
{
    ProductCatalogue catalogue(m_db);
    catalogue.add(QStringLiteral("可乐"), QStringLiteral("2.50"));
    catalogue.add(QStringLiteral("可乐"), QStringLiteral("2.80")); // two rows, one text
    open();
    ASSERT_EQ(list()->columnTitle(0), QStringLiteral("序号"));
    ASSERT_EQ(shown(), (Stored{{QStringLiteral("可乐"), QStringLiteral("2.50")},
                               {QStringLiteral("可乐"), QStringLiteral("2.80")}}));

    // Add: code A01, name 牛奶; letters typed into the price are dropped, and
    // a price of digits and points that is no number is refused.
    whenModal([&](QDialog *dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("添加名称"));
        for (QPushButton *button : dialog->findChildren<QPushButton *>())
            EXPECT_TRUE(qobject_cast<HoverButton *>(button)) << button->objectName().toStdString();
        type(dialog, "codeEdit", QStringLiteral("A01"));
        type(dialog, "nameEdit", QStringLiteral("牛奶"));
        auto *price = child<QLineEdit>(dialog, "priceEdit");
        price->setFocus();
        QTest::keyClicks(price, QStringLiteral("3x..5y"));
        click(child<QPushButton>(dialog, "okButton"));
        EXPECT_EQ(m_env.prompt().lastText(), QStringLiteral("单价“3..5”不是数字!"));
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_TRUE(stored().size() == 2) << "nothing stored";
        price->clear();
        QTest::keyClicks(price, QStringLiteral("3x.5y"));
        click(child<QPushButton>(dialog, "okButton"));
    });
    click(button("addButton"));
    EXPECT_TRUE(stored().contains({QStringLiteral("A01-牛奶"), QStringLiteral("3.5")}));
    EXPECT_EQ(list()->text(list()->selectedRows().value(0), 1), QStringLiteral("A01-牛奶"));

    // A name of blanks is refused; blanks around a code and name are not kept,
    // so " 可乐 " is the 可乐 already there. "打印时显示代码" is stored even
    // when the dialog is left.
    whenModal([&](QDialog *dialog) {
        type(dialog, "nameEdit", QStringLiteral("   "));
        click(child<QPushButton>(dialog, "okButton"));
        EXPECT_EQ(m_env.prompt().lastText(), QStringLiteral("名称不能为空!"));
        type(dialog, "nameEdit", QStringLiteral(" 可乐 "));
        click(child<QPushButton>(dialog, "okButton"));
        EXPECT_EQ(m_env.prompt().lastText(), QStringLiteral("此项已存在!"));
        tick(child<QCheckBox>(dialog, "showCodeBox"));
        click(child<QPushButton>(dialog, "exitButton"));
    });
    click(button("addButton"));
    EXPECT_EQ(optionsFlag("select \"set3\" from \"USER_SET\" where \"directLogin\"=6"), u"0"_qs);
    EXPECT_FALSE(m_env.settings().showProductCode);
    EXPECT_EQ(stored().size(), 3);

    // Modify the second 可乐 (its price 2.80): only that row changes.
    const int second = int(shown().indexOf({QStringLiteral("可乐"), QStringLiteral("2.80")}));
    clickRow(list(), second);
    whenModal([&](QDialog *dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("修改名称"));
        EXPECT_EQ(child<QLineEdit>(dialog, "priceEdit")->text(), QStringLiteral("2.80"));
        type(dialog, "codeEdit", QStringLiteral("C9"));
        click(child<QPushButton>(dialog, "okButton"));
    });
    click(button("modifyButton"));
    EXPECT_EQ(stored(), (Stored{{QStringLiteral("A01-牛奶"), QStringLiteral("3.5")},
                                {QStringLiteral("C9-可乐"), QStringLiteral("2.80")},
                                {QStringLiteral("可乐"), QStringLiteral("2.50")}}));
    EXPECT_EQ(list()->text(second, 1), QStringLiteral("C9-可乐"));

    // Delete the other 可乐 after the question; the changed row stays.
    catalogue.change(ProductCatalogue(m_db).all()[1].id, QStringLiteral("可乐"),
                     QStringLiteral("2.80"));
    m_page.reset();
    open();
    clickRow(list(), 1); // 可乐 at 2.50
    ASSERT_EQ(list()->text(1, 2), QStringLiteral("2.50"));
    m_env.prompt().answerNext(Prompt::Answer::Yes);
    click(button("deleteButton"));
    EXPECT_EQ(m_env.prompt().lastText(), QStringLiteral("真的要删除商品名“ 可乐 ”吗？"));
    EXPECT_EQ(stored(), (Stored{{QStringLiteral("A01-牛奶"), QStringLiteral("3.5")},
                                {QStringLiteral("可乐"), QStringLiteral("2.80")}}));
    EXPECT_EQ(shown(), stored());

    // The memory switch is stored at once.
    tick(rememberBox());
    EXPECT_EQ(optionsFlag("select \"set8\" from \"INFO\" where \"id\"=1"), u"0"_qs);
}

TEST_F(ProductPageTest, OrdinaryUserMayOnlyExportAndImport)
{
    m_env.settings().userPower = AppSettings::ordinaryPower();
    ProductCatalogue(m_db).add(QStringLiteral("可乐"), QStringLiteral("2.50"));
    open();
    for (const char *name : {"addButton", "modifyButton", "deleteButton"})
        EXPECT_FALSE(button(name)->isEnabled()) << name;
    EXPECT_FALSE(rememberBox()->isEnabled());
    EXPECT_FALSE(rememberBox()->isChecked());
    EXPECT_EQ(optionsFlag("select \"set8\" from \"INFO\" where \"id\"=1"), u"1"_qs)
        << "the stored switch is not changed";

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("商品.xlsx"));
    m_env.prompt().fileNext(path);
    click(button("exportButton"));
    ASSERT_EQ(m_env.prompt().fileRequests().size(), 1);
    const Prompt::FileRequest request = m_env.prompt().fileRequests().first();
    EXPECT_EQ(request.caption, QStringLiteral("保存Excel表"));
    EXPECT_EQ(request.filters.value(0), QStringLiteral("Excel文件(*.xlsx)"));
    EXPECT_EQ(request.filters.value(1), QStringLiteral("表格文件(*.xls)"));
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(m_env.prompt().lastText(), QStringLiteral("导出文件保存于%1!").arg(path));

    m_env.prompt().fileNext(fixture("products.csv"));
    m_env.prompt().answerNext(Prompt::Answer::Yes);
    click(button("importButton"));
    EXPECT_EQ(stored().size(), 4);
}

TEST_F(ProductPageTest, ImportReadsTheWholeFileFirstAndSummarisesOnce)
{
    ProductCatalogue(m_db).add(QStringLiteral("旧商品"), QStringLiteral("1.00"));
    open();
    const Stored expected = {{QStringLiteral("0012-酸奶"), QStringLiteral("6.00")},
                             {QStringLiteral("A01-牛奶"), QStringLiteral("3.50")},
                             {QStringLiteral("可乐"), QStringLiteral("2.50")},
                             {QStringLiteral("毛巾, 白色"), QStringLiteral("12.80")}};
    m_env.prompt().fileNext(fixture("products-97.xls"));
    m_env.prompt().answerNext(Prompt::Answer::Yes);
    click(button("importButton"));
    EXPECT_EQ(stored(), expected);
    EXPECT_EQ(shown(), expected);
    EXPECT_EQ(
        m_env.prompt().texts(),
        (QStringList{
            QStringLiteral("将用文件中的 4 个商品替换现有的 1 个商品，现有的商品列表将被清空。"
                           "\n文件中另有 1 行不能导入，将被跳过。\n\n是否继续导入？"),
            QStringLiteral("成功导入 4 个商品！\n跳过 1 行：\n第4行：单价“三元”不是数字")}));
    EXPECT_EQ(m_env.prompt().messages().first().caption, QStringLiteral("导入商品"));
    EXPECT_EQ(m_env.prompt().fileRequests().first().caption, QStringLiteral("导入文件"));

    // A damaged file, a cancelled dialog: the catalogue and the list stay as they were.
    QTemporaryDir dir;
    QFile whole(fixture("products.xlsx"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    QFile broken(dir.filePath(QStringLiteral("坏.xlsx")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(whole.readAll().chopped(300));
    broken.close();
    m_env.prompt().clear();
    m_env.prompt().fileNext(broken.fileName());
    click(button("importButton"));
    ASSERT_EQ(m_env.prompt().texts().size(), 1);
    EXPECT_TRUE(m_env.prompt().lastText().startsWith(QStringLiteral("不能读取文件")));
    EXPECT_TRUE(m_env.prompt().lastText().endsWith(QStringLiteral("商品列表没有改变。")));
    m_env.prompt().fileNext(QString()); // cancelled
    click(button("importButton"));
    EXPECT_EQ(stored(), expected);
    EXPECT_EQ(shown(), expected);
}

// A list made by hand in a spreadsheet program: what it holds is checked
// against where it is read before the catalogue is touched, and replacing the
// catalogue is asked first.
TEST_F(ProductPageTest, AHandMadeListIsCheckedAndReplacingTheCatalogueIsAsked)
{
    ProductCatalogue(m_db).add(QStringLiteral("旧商品"), QStringLiteral("1.00"));
    ProductCatalogue(m_db).add(QStringLiteral("旧商品2"), QStringLiteral("2.00"));
    const Stored before = stored();
    open();
    QTemporaryDir dir;
    const auto write = [&](const char *name, const char *text) {
        QFile file(dir.filePath(QString::fromUtf8(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return file.fileName();
    };
    // Name in A and price in B, as a new owner types it.
    m_env.prompt().fileNext(write("calc.csv", "名称,单价\n牛奶,3.5\n面包,3\n"));
    click(button("importButton"));
    EXPECT_EQ(m_env.prompt().lastText(),
              QStringLiteral(
                  "不能读取文件“%1”：\n第1行的标题表明商品名称在第1列（A列），单价在第2列"
                  "（B列），而导入时商品名称必须在第2列（B列）、单价在第3列（C列），第1列可以是"
                  "序号或空着。\n请在表格程序中调整列的位置后再导入。\n商品列表没有改变。")
                  .arg(dir.filePath(QStringLiteral("calc.csv"))));
    EXPECT_EQ(stored(), before);

    // The right columns, one price left empty, and the question answered No.
    const QString right = write("right.csv", "序号,商品名称,售价\n1,牛奶,3.5\n2,面包,\n3,可乐,2\n");
    m_env.prompt().fileNext(right);
    m_env.prompt().answerNext(Prompt::Answer::No);
    click(button("importButton"));
    EXPECT_EQ(m_env.prompt().lastText(),
              QStringLiteral("将用文件中的 2 个商品替换现有的 2 个商品，现有的商品列表将被清空。"
                             "\n文件中另有 1 行不能导入，将被跳过。\n\n是否继续导入？"));
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(shown(), before);

    m_env.prompt().fileNext(right);
    m_env.prompt().answerNext(Prompt::Answer::Yes);
    click(button("importButton"));
    EXPECT_EQ(m_env.prompt().lastText(),
              QStringLiteral("成功导入 2 个商品！\n跳过 1 行：\n第3行：单价为空"));
    const Stored imported = {{QStringLiteral("可乐"), QStringLiteral("2.00")},
                             {QStringLiteral("牛奶"), QStringLiteral("3.50")}};
    EXPECT_EQ(stored(), imported);

    // An Excel 97 workbook saved by LibreOffice Calc with a cell emptied to
    // "": the reader cannot take it and says what to do instead.
    m_env.prompt().fileNext(fixture("calc-empty-text.xls"));
    click(button("importButton"));
    EXPECT_TRUE(m_env.prompt().lastText().contains(QStringLiteral(
        "这个 Excel 97-2003 工作簿中有本程序不能读取的内容（例如内容为空文本的单元格）")))
        << m_env.prompt().lastText().toStdString();
    EXPECT_TRUE(m_env.prompt().lastText().contains(QStringLiteral("另存为“Excel 工作簿(.xlsx)”")));
    EXPECT_EQ(stored(), imported);
}

TEST_F(ProductPageTest, ExportedCatalogueImportsBackUnchanged)
{
    const Stored products = {{QStringLiteral("-5"), QStringLiteral("-1.50")},
                             {QStringLiteral("0012-酸奶"), QStringLiteral("6.00")},
                             {QStringLiteral("A01-牛奶"), QStringLiteral("3.50")},
                             {QStringLiteral("可乐 \"大瓶\" 's"), QStringLiteral("2.00")},
                             {QStringLiteral("毛巾, 白色 (条)"), QStringLiteral("12.80")}};
    for (const auto &[text, price] : products)
        ProductCatalogue(m_db).add(text, price);
    open();
    QTemporaryDir dir;
    for (const QString &name :
         {QStringLiteral("商品名列表.xlsx"), QStringLiteral("商品名列表.xls")}) {
        SCOPED_TRACE(name.toStdString());
        const QString path = dir.filePath(name);
        m_env.prompt().fileNext(path);
        click(button("exportButton"));
        ProductCatalogue(m_db).replaceAll({{0, QStringLiteral("别的"), QStringLiteral("1")}});
        m_env.prompt().fileNext(path);
        m_env.prompt().answerNext(Prompt::Answer::Yes);
        click(button("importButton"));
        EXPECT_EQ(stored(), products) << m_env.prompt().lastText().toStdString();
        EXPECT_EQ(m_env.prompt().lastText(), QStringLiteral("成功导入 5 个商品！"));
    }
}

} // namespace
