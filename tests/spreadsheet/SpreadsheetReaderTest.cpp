// The spreadsheet reader on files made by a spreadsheet program: the same
// table as a workbook, an Excel 97 workbook, GB18030 text and UTF-8 CSV, told
// apart by their content; and the reader's interface rules.
#include "records/Fixtures.h"

#include "spreadsheet/SpreadsheetReader.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QList<QStringList> allRows(SpreadsheetReader &sheet)
{
    QList<QStringList> rows;
    QStringList cells;
    for (int row = 1; row <= sheet.totalRows(); ++row) {
        EXPECT_TRUE(sheet.readRow(cells, row));
        rows.append(cells);
    }
    return rows;
}

QByteArray digest(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

TEST(SpreadsheetReader, EveryFormatOfTheSampleListGivesTheSameCells)
{
    const QList<QStringList> expected = {
        {QStringLiteral("序号"), QStringLiteral("名称"), QStringLiteral("单价")},
        {QStringLiteral("1"), QStringLiteral("A01-牛奶"), QStringLiteral("3.5")},
        {QStringLiteral("2"), QStringLiteral("可乐"), QStringLiteral("2.5")},
        {QStringLiteral("3"), QStringLiteral("B02-面包"), QStringLiteral("三元")},
        {QStringLiteral("4"), QStringLiteral("0012-酸奶"), QStringLiteral("6")},
        {QStringLiteral("5"), QStringLiteral("毛巾, 白色"), QStringLiteral("12.8")}};
    const QList<SpreadsheetReader::Format> formats = {
        SpreadsheetReader::Format::Workbook, SpreadsheetReader::Format::Excel97,
        SpreadsheetReader::Format::Text, SpreadsheetReader::Format::Text};
    const QStringList files = fixtureFiles();
    const QStringList folder =
        QFileInfo(files[0]).dir().entryList(QDir::Files | QDir::Hidden); // nothing is added to it
    for (qsizetype i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(files[i].toStdString());
        const QByteArray before = digest(files[i]);
        const QDateTime modified = QFileInfo(files[i]).lastModified();
        SpreadsheetReader sheet(files[i], QStringLiteral("商品名列表"));
        ASSERT_TRUE(sheet.isLoaded()) << sheet.lastError().toStdString();
        EXPECT_EQ(sheet.format(), formats[i]);
        EXPECT_EQ(sheet.totalRows(), 6);
        EXPECT_EQ(sheet.totalColumns(), 3);
        QList<QStringList> cells = expected;
        if (files[i].endsWith(QLatin1String(".csv")))
            cells[2][2] = QStringLiteral("2.50"); // the source text, as typed
        EXPECT_EQ(allRows(sheet), cells);
        // The reader never writes the file it reads.
        EXPECT_EQ(digest(files[i]), before);
        EXPECT_EQ(QFileInfo(files[i]).lastModified(), modified);
        EXPECT_EQ(QFileInfo(files[i]).dir().entryList(QDir::Files | QDir::Hidden), folder);
    }
}

TEST(SpreadsheetReader, TellsTheFormatByContentNotByName)
{
    QTemporaryDir dir;
    const QString renamed = dir.filePath(QStringLiteral("价目表.txt"));
    ASSERT_TRUE(QFile::copy(fixture("products.xlsx"), renamed));
    SpreadsheetReader sheet(renamed, QStringLiteral("商品名列表"));
    ASSERT_TRUE(sheet.isLoaded()) << sheet.lastError().toStdString();
    EXPECT_EQ(sheet.format(), SpreadsheetReader::Format::Workbook);
    QString text;
    EXPECT_TRUE(sheet.readCell(text, 2, 2));
    EXPECT_EQ(text, QStringLiteral("A01-牛奶"));

    // A workbook of one sheet is read whatever its sheet is called.
    SpreadsheetReader other(fixture("products.xlsx"), QStringLiteral("别的表"));
    EXPECT_TRUE(other.isLoaded());
}

TEST(SpreadsheetReader, ReadCellAndReadRowKeepTheirRules)
{
    SpreadsheetReader sheet(fixture("products.csv"));
    ASSERT_TRUE(sheet.isLoaded());
    QString text = QStringLiteral("old");
    EXPECT_FALSE(sheet.readCell(text, 0, 2));
    EXPECT_EQ(sheet.lastError(), QStringLiteral("Column cannot be zero\n"));
    EXPECT_FALSE(sheet.readCell(text, 2, 7));
    EXPECT_EQ(sheet.lastError(), QStringLiteral("Error reading row\n"));
    EXPECT_TRUE(text.isEmpty());
    EXPECT_FALSE(sheet.readCell(text, 4, 2)) << "no fourth column";

    // Row 0 walks the rows from the current one; ReadCell leaves the current row alone.
    QStringList cells;
    ASSERT_TRUE(sheet.readRow(cells, 5));
    EXPECT_TRUE(sheet.readCell(text, 2, 2));
    EXPECT_EQ(text, QStringLiteral("A01-牛奶"));
    ASSERT_TRUE(sheet.readRow(cells));
    EXPECT_EQ(cells.value(1), QStringLiteral("毛巾, 白色"));
    EXPECT_FALSE(sheet.readRow(cells)) << "past the last row";
    EXPECT_FALSE(sheet.readRow(cells, 9));
    EXPECT_EQ(sheet.lastError(),
              QStringLiteral("Desired row is greater than total number of rows in spreadsheet\n"));
}

TEST(SpreadsheetReader, FileThatIsNoSpreadsheetSaysSo)
{
    QTemporaryDir dir;
    SpreadsheetReader absent(dir.filePath(QStringLiteral("none.xlsx")));
    EXPECT_FALSE(absent.isLoaded());
    EXPECT_TRUE(absent.lastError().startsWith(QStringLiteral("不能打开文件")));

    const QString binary = dir.filePath(QStringLiteral("logo.xls"));
    QFile file(binary);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    file.close();
    SpreadsheetReader picture(binary);
    EXPECT_FALSE(picture.isLoaded());
    EXPECT_EQ(picture.lastError(), QStringLiteral("文件不是表格文件。"));
    EXPECT_EQ(picture.totalRows(), 0);
}

} // namespace
