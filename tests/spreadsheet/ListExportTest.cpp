// The list export: the tab-separated text byte for byte, the workbook's
// numbers and texts as a spreadsheet program reads them, and the file put in
// place only when whole.
#include "records/RecordsBook.h"

#include "controls/TextOrder.h"
#include "records/DetailListModel.h"
#include "records/QueryBuilder.h"
#include "records/SalesListModel.h"
#include "spreadsheet/ExportList.h"
#include "spreadsheet/ListExport.h"
#include "spreadsheet/SpreadsheetReader.h"
#include "spreadsheet/ZipArchive.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"

#include <QAbstractTableModel>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardItemModel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

std::unique_ptr<QStandardItemModel> listOf(const QStringList &headers,
                                           const QList<QStringList> &rows)
{
    auto model = std::make_unique<QStandardItemModel>(int(rows.size()), int(headers.size()));
    model->setHorizontalHeaderLabels(headers);
    for (int row = 0; row < rows.size(); ++row)
        for (int column = 0; column < rows[row].size(); ++column)
            model->setItem(row, column, new QStandardItem(rows[row][column]));
    return model;
}

QByteArray part(const QString &path, const char *name)
{
    ZipArchive zip(path);
    QByteArray xml;
    EXPECT_TRUE(zip.read(QString::fromLatin1(name), 1 << 24, xml)) << zip.error().toStdString();
    return xml;
}

bool has(const QByteArray &xml, const char *pattern)
{
    return QRegularExpression(QString::fromUtf8(pattern)).match(QString::fromUtf8(xml)).hasMatch();
}

// A list of as many rows as asked, made up as they are read.
class LongList : public QAbstractTableModel
{
public:
    explicit LongList(int rows) : m_rows(rows) {}
    int rowCount(const QModelIndex & = {}) const override { return m_rows; }
    int columnCount(const QModelIndex & = {}) const override { return 2; }
    QVariant data(const QModelIndex &index, int role) const override
    {
        return role == Qt::DisplayRole ? QVariant(index.row()) : QVariant();
    }
    QVariant headerData(int section, Qt::Orientation, int role) const override
    {
        return role == Qt::DisplayRole
                   ? QVariant(section == 0 ? QStringLiteral("序") : QStringLiteral("销售票号"))
                   : QVariant();
    }

private:
    int m_rows;
};

TEST(ListExport, AListLongerThanAWorkbookSheetIsRefusedBeforeAnythingIsWritten)
{
    ScriptedPrompt &prompt = ScriptedPrompt::install();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("all.xlsx"));
    const LongList rows(ListExport::kMaxWorkbookRows); // with the header one too many
    prompt.fileNext(path, QStringLiteral("Excel文件(*.xlsx)"));
    exportList(nullptr, rows, QStringLiteral("销售总列表"), {});
    EXPECT_EQ(prompt.lastText(),
              QStringLiteral("列表有 1048576 行，而 Excel 工作簿（.xlsx）连同标题行最多只能容纳 "
                             "1048576 行，文件没有导出。\n请在“保存类型”中选择“表格文件(*.xls)”"
                             "再导出一次：这种文本格式没有行数限制。"));
    EXPECT_TRUE(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    Prompt::install(nullptr);
}

TEST(ListExport, TextFileKeepsTheOlderVersionsFormat)
{
    const auto model =
        listOf({QStringLiteral("销售票号"), QStringLiteral("金额"), QStringLiteral("备注")},
               {{QStringLiteral("0000012"), QStringLiteral("12.50"), QStringLiteral("两行\r\nx")},
                {QStringLiteral("7\n"), QStringLiteral("3"), QStringLiteral("a\nb\r\tc")}});
    // GB18030; a tab after every cell; an apostrophe before the receipt number; CR LF;
    // no line break left in any cell, and a tab inside a cell becomes a blank.
    const QByteArray expected(
        "\xCF\xFA\xCA\xDB\xC6\xB1\xBA\xC5\t\xBD\xF0\xB6\xEE\t\xB1\xB8\xD7\xA2\t\r\n"
        "'0000012\t12.50\t\xC1\xBD\xD0\xD0x\t\r\n"
        "'7\t3\tab c\t\r\n");
    EXPECT_EQ(ListExport::textBytes(*model), expected);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("20240307查询结果.xls"));
    ASSERT_EQ(ListExport::saveText(*model, path).outcome, ListExport::Outcome::Saved);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), expected);

    // And the reader takes it back, apostrophe and all.
    SpreadsheetReader sheet(path);
    ASSERT_TRUE(sheet.isLoaded());
    EXPECT_EQ(sheet.totalColumns(), 3);
    QStringList cells;
    ASSERT_TRUE(sheet.readRow(cells, 2));
    EXPECT_EQ(cells, (QStringList{QStringLiteral("'0000012"), QStringLiteral("12.50"),
                                  QStringLiteral("两行x")}));
}

TEST(ListExport, WorkbookHasNumbersAsNumbersAndCodesAsText)
{
    const auto model =
        listOf({QStringLiteral("单号"), QStringLiteral("数量"), QStringLiteral("金额"),
                QStringLiteral("实收金额")},
               {{QStringLiteral("0000012"), QStringLiteral("2"), QStringLiteral("12.50"),
                 QStringLiteral("12.5")},
                {QStringLiteral("A-3"), QStringLiteral("007"), QStringLiteral("abc"), QString()},
                {QStringLiteral("0000013"), QStringLiteral("-1.5"), QStringLiteral("0.10"),
                 QStringLiteral("x")}});
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("销售.xlsx"));
    const ListExport::Result result =
        ListExport::saveWorkbook(*model, QStringLiteral("销售总列表"), {1, 2}, path);
    ASSERT_EQ(result.outcome, ListExport::Outcome::Saved) << result.reason.toStdString();

    const QByteArray sheetXml = part(path, "xl/worksheets/sheet1.xml");
    EXPECT_TRUE(has(sheetXml, R"(<c r="A2" t="inlineStr"><is><t>0000012</t>)"))
        << sheetXml.constData();
    EXPECT_TRUE(has(sheetXml, R"(<c r="B2"( s="\d+")?><v>2</v>)"));
    EXPECT_TRUE(has(sheetXml, R"(<c r="C2" s="\d+"><v>12.5</v>)"));
    EXPECT_TRUE(has(sheetXml, R"(<c r="D2" t="inlineStr"><is><t>12.5</t>)"))
        << "not a number column";
    EXPECT_TRUE(has(sheetXml, R"(<c r="B3" t="inlineStr"><is><t>007</t>)")) << "leading zeros stay";
    EXPECT_TRUE(has(sheetXml, R"(<c r="C3" t="inlineStr"><is><t>abc</t>)"));
    EXPECT_TRUE(has(sheetXml, R"(<c r="B4" s="\d+"><v>-1.5</v>)"));
    EXPECT_TRUE(has(part(path, "xl/styles.xml"), R"(formatCode="0.00")"));
    EXPECT_TRUE(has(part(path, "xl/workbook.xml"), R"(<sheet name="销售总列表")"));

    SpreadsheetReader sheet(path, QStringLiteral("销售总列表"));
    ASSERT_TRUE(sheet.isLoaded()) << sheet.lastError().toStdString();
    EXPECT_EQ(sheet.totalRows(), 4);
    EXPECT_EQ(sheet.totalColumns(), 4);
    QStringList cells;
    ASSERT_TRUE(sheet.readRow(cells, 1));
    EXPECT_EQ(cells.value(3), QStringLiteral("实收金额"));
    ASSERT_TRUE(sheet.readRow(cells, 4));
    EXPECT_EQ(cells, (QStringList{QStringLiteral("0000013"), QStringLiteral("-1.5"),
                                  QStringLiteral("0.1"), QStringLiteral("x")}));
}

TEST(ListExport, FileIsReplacedOnlyByAWholeNewOne)
{
    const auto model = listOf({QStringLiteral("序号")}, {{QStringLiteral("1")}});
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.xlsx"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("an old file");
    }
    ASSERT_EQ(ListExport::saveWorkbook(*model, QStringLiteral("商品名列表"), {0}, path).outcome,
              ListExport::Outcome::Saved);
    EXPECT_TRUE(SpreadsheetReader(path).isLoaded());

    // A folder of that name is in the way: nothing is written anywhere.
    const QString folder = dir.filePath(QStringLiteral("folder.xls"));
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/inside")));
    const ListExport::Result blocked = ListExport::saveText(*model, folder);
    EXPECT_EQ(blocked.outcome, ListExport::Outcome::CannotReplace);
    EXPECT_FALSE(blocked.reason.isEmpty());

    // A folder that does not exist: a failure with the reason, never success.
    const ListExport::Result missing = ListExport::saveWorkbook(
        *model, QStringLiteral("x"), {}, dir.filePath(QStringLiteral("no/x.xlsx")));
    EXPECT_EQ(missing.outcome, ListExport::Outcome::Failed);
    EXPECT_FALSE(missing.reason.isEmpty());

    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{QStringLiteral("folder.xls"), QStringLiteral("old.xlsx")}))
        << "no temporary file is left behind";
}

} // namespace

// The display texts of a list, as any other list hands them to the export.
std::unique_ptr<QStandardItemModel> textsOf(const RecordListModel &list)
{
    QStringList headers;
    for (const RecordListModel::Column &column : list.columns())
        headers << column.title;
    QList<QStringList> rows;
    for (int row = 0; row < list.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < list.columnCount(); ++column)
            cells << list.text(row, column);
        rows << cells;
    }
    return listOf(headers, rows);
}

QStringList columnTexts(const RecordListModel &list, int column)
{
    QStringList texts;
    for (int row = 0; row < list.rowCount(); ++row)
        texts << list.text(row, column);
    return texts;
}

// The query window's lists hand the export their stored texts and numbers
// directly; the workbook must be the one their display texts give, cell for
// cell, whatever is stored: amounts half-way between cents or too large for
// two decimals, NULLs, fractional and huge quantities, bytes that are not
// UTF-8, a remark longer than a cell holds. Sorting by a text column keeps
// the order the texts' own comparison gives.
TEST(ListExport, QueryListsWriteTheCellsTheirTextsShow)
{
    TestEnv env;
    Database db;
    ASSERT_TRUE(db.open(env.settings().recordsDsn));
    const QVariant null;
    const auto t = [](const char *text) { return QVariant(QString::fromUtf8(text)); };
    const QVariant longRemark(QString(40000, QChar(u'长')));
    const QList<QVariantList> sales = {
        {t("0000012"), t("2024-03-07 09:00:00"), 0.005, t("张敏"), 2.5, t("会员"), t(""), t("139"),
         t("现金")},
        {t("A-3"), t("2024-03-07 09:00:01"), 1.005, t("admin"), 1e6, longRemark, t("O'Neil"), t(""),
         t("微信")},
        {t("007"), t("2024-03-07 09:00:02"), 2.675, t("李强"), -0.0, t(""), null, null, t("现金")},
        {t("B8"), t("2024-03-07 09:00:03"), 1e12 + 0.125, QByteArray("\xff\xfe\xe5\xbc"), 7.0,
         QByteArray("a\xef\xbb\xbf"
                    "b"),
         t("\xf0\x9f\x98\x80"), t("\t"), t("银行卡")},
        {t("C9"), t("2024-03-07 09:00:04"), null, t("张敏"), null, t(""), t(""), t(""), t("")},
        {t("D10"), t("2024-03-07 09:00:05"), -0.004, t("Zoe"), 0.1 + 0.2, t("谢谢"), t(""), t(""),
         t("现金")},
        {t("E11"), t("2024-03-07 09:00:06"), 123456.785, t("admin"), 3.0, t(""), t(""), t(""),
         t("支付宝")}};
    for (const QVariantList &sale : sales)
        storeSale(db, sale, {{QStringLiteral("绿茶"), 1.5, 2.0, 3.0, 2.999}});
    QTemporaryDir dir;
    SalesListModel list;
    list.fill(db, QueryBuilder::sales(QueryConditions(), db.dialect()));
    DetailListModel details;
    details.fill(db, QueryBuilder::sales(QueryConditions(), db.dialect()));
    ASSERT_EQ(list.rowCount(), int(sales.size()));

    for (const int column : {6, 7, 1}) {
        for (const bool ascending : {true, false}) {
            const QStringList texts = columnTexts(list, column);
            const std::vector<QStringView> views(texts.cbegin(), texts.cend());
            TextOrder order;
            QStringList expected;
            for (int row : ListSorter::order(views, ColumnKind::Text, ascending, order))
                expected << texts[row];
            list.sortRows(column, ColumnKind::Text, ascending);
            EXPECT_EQ(columnTexts(list, column), expected) << column << ascending;
        }
    }

    const struct
    {
        const RecordListModel &model;
        QList<int> numbers;
    } exports[] = {{list, {0, 3, 4, 5}}, {details, {0, 3, 4}}};
    for (const auto &exported : exports) {
        const QString direct = dir.filePath(QStringLiteral("direct.xlsx"));
        const QString viaTexts = dir.filePath(QStringLiteral("texts.xlsx"));
        ASSERT_EQ(ListExport::saveWorkbook(exported.model, QStringLiteral("销售总列表"),
                                           exported.numbers, direct)
                      .outcome,
                  ListExport::Outcome::Saved);
        ASSERT_EQ(ListExport::saveWorkbook(*textsOf(exported.model), QStringLiteral("销售总列表"),
                                           exported.numbers, viaTexts)
                      .outcome,
                  ListExport::Outcome::Saved);
        const QByteArray sheet = part(direct, "xl/worksheets/sheet1.xml");
        EXPECT_EQ(sheet, part(viaTexts, "xl/worksheets/sheet1.xml"));
        EXPECT_EQ(part(direct, "xl/styles.xml"), part(viaTexts, "xl/styles.xml"));
        EXPECT_TRUE(has(sheet, R"(<c r="B\d+" t="inlineStr"><is><t>0000012</t>)"));
    }
}
