// quillmarch-cli report, export and the product list as a script runs them,
// on a generated book of 20,000 sales, against figures the sqlite3 command
// computes with statements of its own and files read back by the program's
// workbook reader.
#include "CliHome.h"
#include "support/Text.h"

#include "spreadsheet/SpreadsheetReader.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QPair>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A program folder whose data/ holds the delivered settings and a generated book.
class GeneratedBook : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_home.generate(20000)); }

    QString book() const { return m_home.recordsFile(); }
    QString settings() const { return m_home.settingsFile(); }
    QString sql(const QString &statement) const { return CliRun::sqlite(book(), statement); }
    CliRun cli(const QStringList &arguments) const { return m_home.cli(arguments); }

    // NAME|SALES|TAKINGS rows of the sqlite3 command, keyed by name.
    static QMap<QString, QPair<int, double>> shares(const QString &rows)
    {
        QMap<QString, QPair<int, double>> result;
        for (const QString &row : rows.split(u'\n', Qt::SkipEmptyParts)) {
            const QStringList cells = row.split(u'|');
            result.insert(cells[0], {cells[1].toInt(), cells[2].toDouble()});
        }
        return result;
    }

    static QMap<QString, QPair<int, double>> shares(const QJsonArray &array, const QString &key)
    {
        QMap<QString, QPair<int, double>> result;
        for (const QJsonValue &value : array) {
            const QJsonObject share = value.toObject();
            result.insert(share[key].toString(),
                          {share[s("sales")].toInt(), share[s("takings")].toDouble()});
        }
        return result;
    }

    static void expectSameShares(const QMap<QString, QPair<int, double>> &cli,
                                 const QMap<QString, QPair<int, double>> &expected)
    {
        EXPECT_EQ(cli.keys(), expected.keys());
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            EXPECT_EQ(cli.value(it.key()).first, it.value().first) << it.key().toStdString();
            EXPECT_NEAR(cli.value(it.key()).second, it.value().second, 0.006)
                << it.key().toStdString();
        }
    }

private:
    CliHome m_home;
};

const QString june = s("\"date\" >= '2024-06-01' and \"date\" <= '2024-06-30 23:59:59'");

} // namespace

TEST_F(GeneratedBook, AMonthsReportIsWhatSqlite3Sums)
{
    const CliRun run = cli({s("report"), s("--from"), s("2024-06-01"), s("--to"), s("2024-06-30"),
                            s("--format"), s("json")});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    const QJsonObject report = QJsonDocument::fromJson(run.out.toUtf8()).object();
    ASSERT_FALSE(report.isEmpty()) << run.out.toStdString();

    const QStringList totals =
        sql(s("select count(*), total(\"number\"), total(\"money\") from POS_RECORD where ") + june)
            .split(u'|');
    ASSERT_EQ(totals.size(), 3);
    EXPECT_GT(totals[0].toInt(), 500);
    EXPECT_EQ(report[s("sales")].toInt(), totals[0].toInt());
    EXPECT_DOUBLE_EQ(report[s("items")].toDouble(), totals[1].toDouble());
    EXPECT_NEAR(report[s("takings")].toDouble(), totals[2].toDouble(), 0.006);
    const double discounts =
        sql(s("select total(d.\"money\" - d.standby1) from POS_RECORD_DETAIL d join POS_RECORD r "
              "on r.\"NO\" = d.\"NO\" where r.") +
            june)
            .toDouble();
    EXPECT_GT(discounts, 0);
    EXPECT_NEAR(report[s("discounts")].toDouble(), discounts, 0.006);
    EXPECT_EQ(report[s("first")][s("number")].toString() + u'|' +
                  report[s("first")][s("time")].toString(),
              sql(s("select \"NO\", \"date\" from POS_RECORD where ") + june +
                  s(" order by \"date\", id limit 1")));
    EXPECT_EQ(report[s("last")][s("number")].toString() + u'|' +
                  report[s("last")][s("time")].toString(),
              sql(s("select \"NO\", \"date\" from POS_RECORD where ") + june +
                  s(" order by \"date\" desc, id desc limit 1")));

    expectSameShares(
        shares(report[s("byPayment")].toArray(), s("payment")),
        shares(sql(s("select standby4, count(*), total(money) from POS_RECORD where ") + june +
                   s(" group by 1"))));
    expectSameShares(shares(report[s("byCashier")].toArray(), s("cashier")),
                     shares(sql(s("select saler, count(*), total(money) from POS_RECORD where ") +
                                june + s(" group by 1"))));
    const auto hours = shares(sql(s("select strftime('%H', \"date\"), count(*), total(money) from "
                                    "POS_RECORD where ") +
                                  june + s(" group by 1")));
    EXPECT_EQ(hours.size(), 14) << "the shop is open from 8 to 22 o'clock";
    expectSameShares(shares(report[s("byHour")].toArray(), s("hour")), hours);

    // The same day in the other forms.
    const QString day = s("\"date\" like '2024-06-15 %'");
    const QStringList dayTotals =
        sql(s("select count(*), printf('%.2f', total(money)) from POS_RECORD where ") + day)
            .split(u'|');
    const CliRun text = cli({s("report"), s("--date"), s("2024-06-15")});
    ASSERT_EQ(text.exit, 0) << text.err.toStdString();
    EXPECT_TRUE(text.out.contains(s("销售单数：") + dayTotals[0])) << text.out.toStdString();
    EXPECT_TRUE(text.out.contains(s("营业金额：") + dayTotals[1])) << text.out.toStdString();
    const CliRun csv = cli({s("report"), s("--date"), s("2024-06-15"), s("--format"), s("csv")});
    ASSERT_EQ(csv.exit, 0) << csv.err.toStdString();
    const QStringList csvLines = csv.out.trimmed().split(u'\n');
    ASSERT_GE(csvLines.size(), 2);
    EXPECT_TRUE(csvLines[1].startsWith(s("total,,%1,").arg(dayTotals[0]))) << csv.out.toStdString();
    EXPECT_TRUE(csvLines[1].contains(u',' + dayTotals[1] + u',')) << csv.out.toStdString();

    const CliRun backwards =
        cli({s("report"), s("--from"), s("2024-06-30"), s("--to"), s("2024-06-01")});
    EXPECT_EQ(backwards.exit, 2);
    EXPECT_TRUE(backwards.err.contains(s("开始时间晚于结束时间"))) << backwards.err.toStdString();
}

TEST_F(GeneratedBook, ExportedSalesReadBackWithTheWorkbookReader)
{
    QTemporaryDir out;
    const QString workbook = QDir(out.path()).filePath(s("june15.xlsx"));
    const CliRun run = cli({s("export"), s("--date"), s("2024-06-15"), workbook});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    const QString numbers =
        sql(s("select \"NO\" from POS_RECORD where \"date\" like '2024-06-15 %' order by id"));
    const QStringList expected = numbers.split(u'\n');
    SpreadsheetReader sheet(workbook, s("销售总列表"));
    ASSERT_TRUE(sheet.isLoaded()) << sheet.lastError().toStdString();
    ASSERT_EQ(sheet.totalRows(), expected.size() + 1);
    QStringList header;
    sheet.readRow(header, 1);
    EXPECT_EQ(header.mid(0, 5),
              (QStringList{s("序"), s("销售票号"), s("销售时间"), s("数量"), s("金额")}));
    QStringList read;
    double money = 0;
    for (int row = 2; row <= sheet.totalRows(); ++row) {
        QString number, amount;
        sheet.readCell(number, 2, row);
        sheet.readCell(amount, 5, row);
        read.append(number);
        money += amount.toDouble();
    }
    EXPECT_EQ(read, expected);
    EXPECT_NEAR(
        money,
        sql(s("select total(money) from POS_RECORD where \"date\" like '2024-06-15 %'")).toDouble(),
        0.01 * expected.size());

    // Exported again under the same name: the new day's list takes its place
    // and the earlier file is in the trash, where the person can find it.
    const CliRun dry = cli({s("export"), s("--date"), s("2024-06-16"), s("--dry-run"), workbook});
    EXPECT_TRUE(dry.out.contains(s("原有的同名文件将放入回收站"))) << dry.out.toStdString();
    const CliRun again = cli({s("export"), s("--date"), s("2024-06-16"), workbook});
    ASSERT_EQ(again.exit, 0) << again.err.toStdString();
    EXPECT_TRUE(again.out.contains(s("原有的同名文件已放入回收站"))) << again.out.toStdString();
    SpreadsheetReader replaced(workbook, s("销售总列表"));
    ASSERT_TRUE(replaced.isLoaded()) << replaced.lastError().toStdString();
    EXPECT_EQ(replaced.totalRows(),
              sql(s("select count(*) from POS_RECORD where \"date\" like '2024-06-16 %'")).toInt() +
                  1);
    const QDir trash(qEnvironmentVariable("XDG_DATA_HOME") + s("/Trash"));
    QFile info(trash.filePath(s("info/june15.xlsx.trashinfo")));
    ASSERT_TRUE(info.open(QIODevice::ReadOnly)) << "the earlier file is not in the trash";
    EXPECT_TRUE(QString::fromUtf8(info.readAll()).contains(s("Path=") + workbook));
    SpreadsheetReader trashed(trash.filePath(s("files/june15.xlsx")), s("销售总列表"));
    ASSERT_TRUE(trashed.isLoaded()) << trashed.lastError().toStdString();
    EXPECT_EQ(trashed.totalRows(), expected.size() + 1);
    EXPECT_EQ(QDir(out.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{s("june15.xlsx")})
        << "nothing is left beside it";

    // The details, as the ".xls" text: each sale followed by its lines.
    const QString text = QDir(out.path()).filePath(s("june15.xls"));
    const CliRun details = cli({s("export"), s("--date"), s("2024-06-15"), s("--details"), text});
    ASSERT_EQ(details.exit, 0) << details.err.toStdString();
    SpreadsheetReader lines(text);
    ASSERT_TRUE(lines.isLoaded()) << lines.lastError().toStdString();
    EXPECT_EQ(lines.totalRows(),
              1 + expected.size() +
                  sql(s("select count(*) from POS_RECORD_DETAIL d join POS_RECORD r on r.\"NO\" = "
                        "d.\"NO\" where r.\"date\" like '2024-06-15 %'"))
                      .toInt());

    // A database is never overwritten; a day without sales writes nothing.
    const QByteArray before = QCryptographicHash::hash(
        [&] {
            QFile f(settings());
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }(),
        QCryptographicHash::Sha256);
    const CliRun onDatabase = cli({s("export"), s("--date"), s("2024-06-15"), settings()});
    EXPECT_EQ(onDatabase.exit, 1);
    EXPECT_TRUE(onDatabase.err.contains(s("是数据库文件"))) << onDatabase.err.toStdString();
    QFile settingsFile(settings());
    ASSERT_TRUE(settingsFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(QCryptographicHash::hash(settingsFile.readAll(), QCryptographicHash::Sha256), before);
    const QString none = QDir(out.path()).filePath(s("none.xlsx"));
    EXPECT_EQ(cli({s("export"), s("--date"), s("2030-01-01"), none}).exit, 1);
    EXPECT_FALSE(QFile::exists(none));
}

TEST_F(GeneratedBook, ProductsComeInCheckedAndGoOutAsAWorkbook)
{
    QTemporaryDir out;
    const QString list = QDir(out.path()).filePath(s("products.csv"));
    QFile csv(list);
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write(s("序号,名称,单价\n1,A01-绿茶,3.5\n2,可乐,2\n3,面包,\n4,赠品,-0.001\n").toUtf8());
    csv.close();
    const QString catalogue = s("select count(*) from PRODUCT_NAME");

    const CliRun dry = cli({s("import-products"), s("--dry-run"), list});
    ASSERT_EQ(dry.exit, 0) << dry.err.toStdString();
    EXPECT_TRUE(dry.out.contains(s("将用文件中的 3 个商品替换现有的 0 个商品")))
        << dry.out.toStdString();
    EXPECT_EQ(CliRun::sqlite(settings(), catalogue), s("0"));

    const CliRun imported = cli({s("import-products"), list});
    ASSERT_EQ(imported.exit, 0) << imported.err.toStdString();
    EXPECT_TRUE(imported.out.contains(s("成功导入 3 个商品！"))) << imported.out.toStdString();
    EXPECT_TRUE(imported.out.contains(s("第4行：单价为空"))) << imported.out.toStdString();
    // A price that rounds to nothing is 0.00, never "-0.00".
    EXPECT_EQ(CliRun::sqlite(settings(), s("select items, price from PRODUCT_NAME order by items")),
              s("A01-绿茶|3.50\n可乐|2.00\n赠品|0.00"));

    const QString workbook = QDir(out.path()).filePath(s("products.xlsx"));
    const CliRun exported = cli({s("export-products"), workbook});
    ASSERT_EQ(exported.exit, 0) << exported.err.toStdString();
    SpreadsheetReader sheet(workbook, s("商品名列表"));
    ASSERT_TRUE(sheet.isLoaded()) << sheet.lastError().toStdString();
    QStringList row;
    ASSERT_EQ(sheet.totalRows(), 4);
    sheet.readRow(row, 2);
    EXPECT_EQ(row.mid(1, 2), (QStringList{s("A01-绿茶"), s("3.5")})) << "the price as a number";

    const QString broken = QDir(out.path()).filePath(s("broken.csv"));
    QFile wrong(broken);
    ASSERT_TRUE(wrong.open(QIODevice::WriteOnly));
    wrong.write(s("名称,单价\n绿茶,3\n").toUtf8());
    wrong.close();
    const CliRun refused = cli({s("import-products"), broken});
    EXPECT_EQ(refused.exit, 1);
    EXPECT_TRUE(refused.err.contains(s("商品列表没有改变"))) << refused.err.toStdString();
    EXPECT_EQ(CliRun::sqlite(settings(), catalogue), s("3"));
}
