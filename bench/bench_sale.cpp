// Sale entry speed: adding the 1,000th line of a sale (with the totals
// recomputed), on its own and through the sales window, and saving a 50-line
// sale on the delivered records database beside its floor: the same
// statements and settings (journal, synchronous FULL, the write lock taken at
// the start) on the SQLite C API, prepared once, runs interleaved.
#include "BenchLine.h"
#include "BenchTill.h"

#include "controls/Prompt.h"
#include "controls/SortableList.h"
#include "core/Clock.h"
#include "data/Database.h"
#include "sales/SaleEntry.h"
#include "sales/SaleRecord.h"
#include "sales/SaleStore.h"
#include "sales/SalesDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void enterLine(SaleEntry &sale, int i)
{
    sale.entry().setName(QStringLiteral("A%1-商品%1").arg(i));
    sale.entry().typeQuantity(QString::number(1 + i % 7));
    sale.entry().setPrice(QString::number(0.5 + (i % 113) * 1.25));
    sale.entry().setDiscount(QStringLiteral("9.5"));
    sale.addLine();
}

struct Figures
{
    double median;
    double worst;
};

Figures summarise(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

Figures thousandthLine()
{
    SaleEntry base;
    base.loadDiscountEnabled(true);
    for (int i = 0; i < 999; ++i)
        enterLine(base, i);
    std::vector<double> ms;
    for (int trial = 0; trial < 200; ++trial) {
        SaleEntry sale = base;
        QElapsedTimer timer;
        timer.start();
        enterLine(sale, 999);
        ms.push_back(timer.nsecsElapsed() / 1e6);
        if (sale.lines().count() != 1000)
            std::abort();
    }
    return summarise(ms);
}

struct WindowFigures
{
    Figures handling; // the window's own work
    Figures shown;    // with the repaint that follows
};

WindowFigures thousandthLineInTheWindow(AppSettings &settings)
{
    SalesDialog window(settings);
    window.show();
    auto *product = window.findChild<QComboBox *>(QStringLiteral("productBox"));
    auto *price = window.findChild<QLineEdit *>(QStringLiteral("priceEdit"));
    const auto enter = [&](int i) {
        product->setEditText(QStringLiteral("A%1-商品%1").arg(i));
        price->setText(QString::number(0.5 + (i % 113) * 1.25));
    };
    for (int i = 0; i < 999; ++i) {
        enter(i);
        window.addLine();
    }
    std::vector<double> handling;
    std::vector<double> shown;
    for (int trial = 0; trial < 50; ++trial) {
        enter(999);
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        window.addLine();
        handling.push_back(timer.nsecsElapsed() / 1e6);
        QApplication::processEvents(); // the window repaints: new row, entry row, totals
        shown.push_back(timer.nsecsElapsed() / 1e6);
        if (window.session().sale().lines().count() != 1000)
            std::abort();
        window.saleList()->selectOnly(999);
        QTest::keyClick(window.saleList(), Qt::Key_Delete);
    }
    window.hide();
    return {summarise(handling), summarise(shown)};
}

SaleRecord saleOf(int lineCount)
{
    SaleEntry sale;
    sale.loadDiscountEnabled(true);
    for (int i = 0; i < lineCount; ++i)
        enterLine(sale, i);
    SaleRecord record;
    record.time = Clock::now();
    record.discountedTotal = sale.totals().discounted;
    record.totalQuantity = sale.totals().quantity;
    record.cashier = QStringLiteral("admin");
    record.remark = QStringLiteral("谢谢惠顾，欢迎再次光临！");
    record.lines = sale.lines().all();
    return record;
}

// The floor: the save's statements on the SQLite C API.
class RawSave
{
public:
    RawSave(const QString &file, const char *journal)
    {
        sqlite3_open_v2(QFile::encodeName(file).constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_busy_timeout(m_db, Database::busyTimeoutMs);
        run("PRAGMA foreign_keys = OFF");
        run((std::string("PRAGMA journal_mode = ") + journal).c_str());
        run("PRAGMA synchronous = FULL");
        m_lock = prepare("update \"AUTO_NUM\" set \"num\" = \"num\" where 0 = 1");
        m_exists = prepare("select count(*) from \"POS_RECORD\" where \"NO\" = ?");
        m_header = prepare("insert into \"POS_RECORD\" (\"NO\",\"date\",\"money\",\"saler\","
                           "\"number\",\"standby1\",\"standby2\",\"standby3\",\"standby4\") "
                           "values (?,?,?,?,?,?,?,?,?)");
        m_line = prepare("insert into \"POS_RECORD_DETAIL\" (\"NO\",\"name\",\"num\",\"price\","
                         "\"money\",\"standby1\") values (?,?,?,?,?,?)");
        m_counter = prepare("insert into \"AUTO_NUM\" (\"num\") values ('1')");
    }
    ~RawSave()
    {
        for (sqlite3_stmt *statement : {m_lock, m_exists, m_header, m_line, m_counter})
            sqlite3_finalize(statement);
        sqlite3_close(m_db);
    }

    void save(const SaleRecord &record, const QString &number)
    {
        const QByteArray no = number.toUtf8();
        const QByteArray date = Clock::stamp(record.time).toUtf8();
        const QByteArray cashier = record.cashier.toUtf8();
        const QByteArray remark = record.remark.toUtf8();
        run("BEGIN IMMEDIATE");
        step(m_lock);
        sqlite3_bind_text(m_exists, 1, no.constData(), int(no.size()), SQLITE_STATIC);
        step(m_exists);
        bindText(m_header, 1, no);
        bindText(m_header, 2, date);
        sqlite3_bind_double(m_header, 3, record.discountedTotal);
        bindText(m_header, 4, cashier);
        sqlite3_bind_double(m_header, 5, record.totalQuantity);
        bindText(m_header, 6, remark);
        for (int column = 7; column <= 9; ++column)
            sqlite3_bind_text(m_header, column, "", 0, SQLITE_STATIC);
        step(m_header);
        for (const SaleLine &line : record.lines) {
            const QByteArray name = line.name.toUtf8();
            bindText(m_line, 1, no);
            bindText(m_line, 2, name);
            int column = 3;
            for (const QString *value :
                 {&line.quantity, &line.price, &line.amount, &line.discounted})
                sqlite3_bind_double(m_line, column++, value->toDouble());
            step(m_line);
        }
        step(m_counter);
        run("COMMIT");
    }

private:
    void run(const char *sql) { sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr); }
    sqlite3_stmt *prepare(const char *sql)
    {
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr) != SQLITE_OK)
            std::abort();
        return statement;
    }
    static void bindText(sqlite3_stmt *statement, int column, const QByteArray &text)
    {
        sqlite3_bind_text(statement, column, text.constData(), int(text.size()), SQLITE_STATIC);
    }
    static void step(sqlite3_stmt *statement)
    {
        const int result = sqlite3_step(statement);
        sqlite3_reset(statement);
        if (result != SQLITE_DONE && result != SQLITE_ROW)
            std::abort();
    }

    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_lock = nullptr, *m_exists = nullptr, *m_header = nullptr, *m_line = nullptr,
                 *m_counter = nullptr;
};

Medians saveSale(const QString &dsn, const QString &file, int lineCount, const QString &series,
                 const char *journal)
{
    Database records;
    if (!records.open(dsn)) {
        std::fprintf(stderr, "cannot open the records database: %s\n",
                     qPrintable(records.lastOpenError()));
        std::exit(1);
    }
    records.exec(QStringLiteral("PRAGMA journal_mode=") + QLatin1String(journal));
    RawSave raw(file, journal);
    SaleRecord record = saleOf(lineCount);
    int trial = 0;
    int rawTrial = 0;
    return interleaved(
        21,
        [&] {
            record.number = series + QStringLiteral("%1").arg(trial++, 7, 10, QLatin1Char('0'));
            if (SaleStore::saveAndConsume(records, record) != SaleStore::Result::Saved)
                std::abort();
        },
        [&] {
            raw.save(record,
                     series + QStringLiteral("R%1").arg(rawTrial++, 7, 10, QLatin1Char('0')));
        });
}

} // namespace

int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    BenchTill till(QStringLiteral("Sale"));
    if (!till.isReady())
        return 1;
    AppSettings &settings = till.settings();
    const QString dsn = settings.recordsDsn;
    const QString file = till.recordsFile();

    const Figures add = thousandthLine();
    benchLine("sale_add_1000th_line_with_totals", add.median); // aim < 2 ms
    const WindowFigures window = thousandthLineInTheWindow(settings);
    benchLine("sale_add_1000th_line_in_window", window.handling.median);
    benchLine("sale_add_1000th_line_in_window_repainted", window.shown.median);
    benchLine("sale_save_50_lines", saveSale(dsn, file, 50, QStringLiteral("B"), "DELETE"));
    // How much of that is the disk's sync at commit, which does not depend on the lines.
    benchLine("sale_save_1_line", saveSale(dsn, file, 1, QStringLiteral("C"), "DELETE"));
    benchLine("sale_save_50_lines_wal", saveSale(dsn, file, 50, QStringLiteral("D"), "WAL"));
    return 0;
}
