// The list export: the tab-separated text byte for byte, the workbook's
// numbers and texts as a spreadsheet program reads them, and the file put in
// place only when whole.
#include "spreadsheet/ListExport.h"
#include "spreadsheet/CSpreadSheet.h"
#include "spreadsheet/ExportList.h"
#include "spreadsheet/ZipArchive.h"
#include "support/ScriptedPrompt.h"

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
    EXPECT_TRUE(zip.read(QString::fromLatin1(name), 1 << 20, xml)) << zip.error().toStdString();
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
    CSpreadSheet sheet(path);
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

    CSpreadSheet sheet(path, QStringLiteral("销售总列表"));
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
    EXPECT_TRUE(CSpreadSheet(path).isLoaded());

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
