// Hostile and damaged spreadsheet files: each ends in a clear error (or is
// read), never a crash, with memory bounded by the reader's limits. A short
// mutation run over the sample files of every format; fuzz_spreadsheet runs
// the same for longer.
#include "SpreadsheetFuzz.h"
#include "records/Fixtures.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QByteArray kWorkbookXml =
    R"(<?xml version="1.0" encoding="UTF-8"?><workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets><sheet name="商品名列表" sheetId="1" r:id="rId1"/></sheets></workbook>)";
const QByteArray kRelations =
    R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="worksheet" Target="worksheets/sheet1.xml"/></Relationships>)";
const QByteArray kSheetHead =
    R"(<worksheet><sheetData><row r="1"><c r="A1" t="s"><v>0</v></c></row>)";
const QByteArray kSheetTail = "</sheetData></worksheet>";

// Peak memory of this process so far, in megabytes.
qint64 peakMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() / 1024;
    return 0;
}

// The reason a file was refused, printed as text when a check fails.
struct Refusal
{
    QString text;
    bool contains(const QString &part) const { return text.contains(part); }
    bool startsWith(const QString &part) const { return text.startsWith(part); }
    bool isEmpty() const { return text.isEmpty(); }
    bool operator==(const QString &other) const { return text == other; }
};

void PrintTo(const Refusal &refusal, std::ostream *out)
{
    *out << refusal.text.toStdString();
}

class SpreadsheetFuzzTest : public ::testing::Test
{
protected:
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    // A workbook whose sheet (or shared strings) part is streamed: HEAD, REPEAT × COUNT, TAIL.
    QString bomb(const char *name, const QString &part, const QByteArray &head,
                 const QByteArray &repeat, qint64 count, const QByteArray &tail, qint64 claimed)
    {
        const QString file = path(name);
        zipFile zip = zipOpen64(QFile::encodeName(file).constData(), APPEND_STATUS_CREATE);
        EXPECT_NE(zip, nullptr);
        fuzz::addStreamedEntry(zip, QStringLiteral("xl/workbook.xml"), kWorkbookXml, {}, 0, {});
        fuzz::addStreamedEntry(zip, QStringLiteral("xl/_rels/workbook.xml.rels"), kRelations, {}, 0,
                               {});
        if (part != QLatin1String("xl/worksheets/sheet1.xml"))
            fuzz::addStreamedEntry(zip, QStringLiteral("xl/worksheets/sheet1.xml"),
                                   kSheetHead + kSheetTail, {}, 0, {});
        EXPECT_TRUE(fuzz::addStreamedEntry(zip, part, head, repeat, count, tail, claimed));
        EXPECT_EQ(zipClose(zip, nullptr), ZIP_OK);
        return file;
    }

    QString workbook(const char *name, const QByteArray &sheet, const QByteArray &shared = {})
    {
        QList<fuzz::ZipEntry> entries = {{QStringLiteral("xl/workbook.xml"), kWorkbookXml},
                                         {QStringLiteral("xl/_rels/workbook.xml.rels"), kRelations},
                                         {QStringLiteral("xl/worksheets/sheet1.xml"), sheet}};
        if (!shared.isEmpty())
            entries.append({QStringLiteral("xl/sharedStrings.xml"), shared});
        EXPECT_TRUE(fuzz::writeZip(path(name), entries));
        return path(name);
    }

    QString file(const char *name, const QByteArray &bytes)
    {
        QFile out(path(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return path(name);
    }

    static Refusal refusal(const QString &file)
    {
        SpreadsheetReader sheet(file, QStringLiteral("商品名列表"));
        EXPECT_FALSE(sheet.isLoaded()) << file.toStdString();
        EXPECT_EQ(sheet.totalRows(), 0);
        return {sheet.lastError()};
    }

    QTemporaryDir m_dir;
};

TEST_F(SpreadsheetFuzzTest, CraftedHostileFilesEndInAClearErrorWithBoundedMemory)
{
    const qint64 before = peakMegabytes();
    const QByteArray spaces(1 << 20, ' ');

    // A sheet that claims 1000 bytes and inflates to 200 MB: minizip stops at the claim
    // and the checksum gives it away. The same sheet stating its size is refused unread.
    EXPECT_EQ(
        refusal(bomb("bomb.xlsx", QStringLiteral("xl/worksheets/sheet1.xml"), kSheetHead, spaces,
                     200, kSheetTail, 1000)),
        QStringLiteral("文件不是完整的 Excel 工作簿（xl/worksheets/sheet1.xml 的校验和不符）。"));
    EXPECT_EQ(refusal(bomb("honest.xlsx", QStringLiteral("xl/worksheets/sheet1.xml"), kSheetHead,
                           spaces, 200, kSheetTail, -1)),
              QStringLiteral(
                  "文件不是完整的 Excel 工作簿（xl/worksheets/sheet1.xml 解压后超过 64 MB）。"));
    // A 100 MB shared-strings part.
    EXPECT_EQ(
        refusal(bomb("strings.xlsx", QStringLiteral("xl/sharedStrings.xml"), "<sst>",
                     QByteArray("<si><t>x</t></si>").repeated(1 << 16), 100 * 16 / 17 + 1, "</sst>",
                     -1)),
        QStringLiteral("文件不是完整的 Excel 工作簿（xl/sharedStrings.xml 解压后超过 64 MB）。"));

    // A shared-strings part claiming four billion strings, and a cell pointing far beyond them.
    {
        SpreadsheetReader sheet(
            workbook(
                "claims.xlsx",
                kSheetHead + R"(<row r="2"><c r="B2" t="s"><v>999999999</v></c></row>)" +
                    kSheetTail,
                R"(<sst count="4294967295" uniqueCount="4294967295"><si><t>名称</t></si></sst>)"),
            QStringLiteral("商品名列表"));
        ASSERT_TRUE(sheet.isLoaded()) << sheet.lastError().toStdString();
        QString text;
        EXPECT_TRUE(sheet.readCell(text, 1, 1));
        EXPECT_EQ(text, QStringLiteral("名称"));
        EXPECT_FALSE(sheet.readCell(text, 2, 2)) << "an unknown string is an empty cell";
    }
    // Malformed XML; a cell at the far corner of the sheet.
    EXPECT_TRUE(
        refusal(
            workbook(
                "malformed.xlsx",
                R"(<worksheet><sheetData><row r="1"><c r="A1" t="inlineStr"><is><t>x</t></row>)"))
            .contains(QStringLiteral("xl/worksheets/sheet1.xml 第 1 行")));
    EXPECT_EQ(
        refusal(workbook("corner.xlsx",
                         kSheetHead + R"(<row r="1048576"><c r="XFD1048576"><v>1</v></c></row>)" +
                             kSheetTail)),
        QStringLiteral("表格超过 65536 行。"));

    // One cell in the last column on every row: the empty cells before it are held too.
    QByteArray farRight;
    for (int row = 1; row <= 5000; ++row)
        farRight +=
            QStringLiteral(R"(<row r="%1"><c r="IV%1"><v>1</v></c></row>)").arg(row).toLatin1();
    EXPECT_EQ(refusal(workbook("far-right.xlsx", kSheetHead + farRight + kSheetTail)),
              QStringLiteral("表格超过 1000000 个单元格。"));

    // A truncated workbook and Excel 97 file; random bytes behind a compound-file header.
    QFile sample(fixture("products.xlsx"));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    const QByteArray xlsx = sample.readAll();
    EXPECT_FALSE(refusal(file("truncated.xlsx", xlsx.left(xlsx.size() / 2))).isEmpty());
    QFile xlsSample(fixture("products-97.xls"));
    ASSERT_TRUE(xlsSample.open(QIODevice::ReadOnly));
    const QByteArray xls = xlsSample.readAll();
    EXPECT_FALSE(refusal(file("truncated.xls", xls.left(xls.size() / 2))).isEmpty());
    // A directory entry whose name claims 65535 bytes instead of at most 64
    // (in every copy of the root entry the file holds).
    QByteArray longName = xls;
    const QByteArray rootEntry("R\0o\0o\0t\0 \0E\0", 12);
    for (qsizetype root = longName.indexOf(rootEntry); root >= 0;
         root = longName.indexOf(rootEntry, root + 1)) {
        longName[root + 64] = '\xFF';
        longName[root + 65] = '\xFF';
    }
    EXPECT_TRUE(refusal(file("long-name.xls", longName))
                    .startsWith(QStringLiteral("文件不是可读的 Excel 97-2003 工作簿")));
    fuzz::Mutator random(7);
    EXPECT_TRUE(refusal(file("random.xls", QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) +
                                               random.randomBytes(16384)))
                    .startsWith(QStringLiteral("文件不是可读的 Excel 97-2003 工作簿")));

    // A million rows of text; a line of 100,000 cells.
    EXPECT_EQ(refusal(file("million.xls", QByteArray("1\t2\t\r\n").repeated(1000000))),
              QStringLiteral("表格超过 65536 行。"));
    EXPECT_EQ(refusal(file("wide.csv", QByteArray("1,").repeated(100000))),
              QStringLiteral("表格超过 256 列。"));

    EXPECT_LT(peakMegabytes() - before, 400) << "peak grew from " << before << " MB";
}

// Not hostile, just every kind of cell a spreadsheet program writes, read as
// it shows them: a gap in the middle of a row, booleans, large and small
// numbers in its general format, a formula's text, an error value.
TEST_F(SpreadsheetFuzzTest, CellsOfEveryKindReadAsTheSpreadsheetShowsThem)
{
    SpreadsheetReader sheet(
        workbook("kinds.xlsx",
                 kSheetHead +
                     R"(<row r="2"><c r="A2" t="inlineStr"><is><t>可乐</t></is></c>)"
                     R"(<c r="C2" t="b"><v>1</v></c><c r="D2" t="b"><v>0</v></c>)"
                     R"(<c r="E2"><v>1E+20</v></c><c r="F2"><v>0.1</v></c>)"
                     R"(<c r="G2" t="n"><v>2.50</v></c><c r="H2" t="str"><v>3.5</v></c>)"
                     R"(<c r="I2" t="e"><v>#DIV/0!</v></c></row>)" +
                     kSheetTail,
                 R"(<sst><si><t>名称</t></si></sst>)"),
        QStringLiteral("商品名列表"));
    ASSERT_TRUE(sheet.isLoaded()) << sheet.lastError().toStdString();
    EXPECT_EQ(sheet.totalRows(), 2);
    EXPECT_EQ(sheet.totalColumns(), 9);
    QStringList row;
    EXPECT_TRUE(sheet.readRow(row, 2));
    EXPECT_EQ(row, (QStringList{QStringLiteral("可乐"), QString(), QStringLiteral("TRUE"),
                                QStringLiteral("FALSE"), QStringLiteral("1E+20"),
                                QStringLiteral("0.1"), QStringLiteral("2.5"), QStringLiteral("3.5"),
                                QStringLiteral("#DIV/0!")}));
}

TEST_F(SpreadsheetFuzzTest, MutatedSampleFilesOfEveryFormatNeverFailSilently)
{
    const double seconds = qEnvironmentVariableIsSet("QM_FUZZ_SECONDS")
                               ? qEnvironmentVariable("QM_FUZZ_SECONDS").toDouble()
                               : 3.0;
    const fuzz::Report report = fuzz::run(fixtureFiles(), seconds, m_dir.path(), 20240307);
    // The run is bounded by time: under the sanitizers on a loaded machine it
    // makes about a hundred files, a plain build thousands.
    EXPECT_GT(report.runs, 20);
    EXPECT_GT(report.refused, 0);
    EXPECT_GT(report.read, 0);
    EXPECT_TRUE(report.faults.isEmpty()) << report.faults.join(u' ').toStdString();
    m_dir.setAutoRemove(report.faults.isEmpty());
}

} // namespace
