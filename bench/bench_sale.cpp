// Sale entry speed: adding the 1,000th line of a sale (with the totals
// recomputed), on its own and through the sales window, and saving a 50-line
// sale on the delivered records database.
#include "BenchLine.h"

#include "controls/SortListCtrl.h"
#include "core/AppSettings.h"
#include "core/Clock.h"
#include "core/Prompt.h"
#include "data/DataSource.h"
#include "data/Database.h"
#include "sales/SaleEntry.h"
#include "sales/SaleRecord.h"
#include "sales/SaleStore.h"
#include "sales/SalesDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
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

// No message box may wait for a person here: messages go to the terminal.
class TerminalPrompt : public Prompt
{
public:
    Answer ask(QWidget *, const QString &text, const QString &, Icon, Buttons) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return Answer::Yes;
    }
    QString openFile(QWidget *, FileRequest &) override { return {}; }
    QString saveFile(QWidget *, FileRequest &) override { return {}; }
};

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
        if (window.saleLineCount() != 1000)
            std::abort();
        window.saleList()->selectOnly(999);
        window.deleteLines();
    }
    window.hide();
    return {summarise(handling), summarise(shown)};
}

Figures saveSale(const QString &dsn, int lineCount, const QString &series,
                 const QString &pragma = {})
{
    Database records;
    if (!records.open(dsn)) {
        std::fprintf(stderr, "cannot open the records database: %s\n",
                     qPrintable(records.lastOpenError()));
        std::exit(1);
    }
    if (!pragma.isEmpty())
        records.exec(pragma);
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

    std::vector<double> ms;
    for (int trial = 0; trial < 40; ++trial) {
        record.number = series + QStringLiteral("%1").arg(trial, 7, 10, QLatin1Char('0'));
        QElapsedTimer timer;
        timer.start();
        if (SaleStore::saveAndConsume(records, record) != SaleStore::Result::Saved)
            std::abort();
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    return summarise(ms);
}

} // namespace

int main(int argc, char **argv)
{
    // A private program folder beside the build, on the same disk as a real
    // installation, with a fresh copy of the delivered records database.
    QTemporaryDir odbcDir;
    setenv("ODBCINI", qPrintable(QDir(odbcDir.path()).filePath(QStringLiteral("odbc.ini"))), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    Prompt::install(new TerminalPrompt);
    const QString buildDir = QCoreApplication::applicationDirPath() + QStringLiteral("/..");
    QTemporaryDir programDir(buildDir + QStringLiteral("/bench-sale-XXXXXX"));
    QDir(programDir.path()).mkpath(QStringLiteral("data"));
    const QString file = DataSource::recordsFile(programDir.path());
    const QString settingsFile = DataSource::settingsFile(programDir.path());
    if (!QFile::copy(buildDir + QStringLiteral("/data/Quillbook.qmbk"), file) ||
        !QFile::copy(buildDir + QStringLiteral("/data/Quillmarch.qmst"), settingsFile)) {
        std::fprintf(stderr, "the delivered databases are missing; build first\n");
        return 1;
    }
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    QFile::setPermissions(settingsFile, QFile::ReadOwner | QFile::WriteOwner);
    const QString dsn = QStringLiteral("QmBenchRecords");
    DataSource::setUp(dsn, file, programDir.path());
    AppSettings settings;
    settings.programDir = programDir.path();
    settings.workingDir = programDir.path();
    settings.settingsDsn = QStringLiteral("QmBenchSettings");
    settings.recordsDsn = QStringLiteral("QmBenchWindowRecords");
    settings.userName = QStringLiteral("收银员");
    settings.userPower = AppSettings::ordinaryPower(); // nothing is remembered per line
    DataSource::setUp(settings.settingsDsn, settingsFile, programDir.path());

    const Figures add = thousandthLine();
    benchLine("sale_add_1000th_line_with_totals", add.median); // aim < 2 ms
    const WindowFigures window = thousandthLineInTheWindow(settings);
    benchLine("sale_add_1000th_line_in_window", window.handling.median);
    benchLine("sale_add_1000th_line_in_window_repainted", window.shown.median);
    const Figures save = saveSale(dsn, 50, QStringLiteral("B"));
    benchLine("sale_save_50_lines", save.median); // aim < 10 ms
    // How much of that is the disk's sync at commit, which does not depend on the lines.
    const Figures one = saveSale(dsn, 1, QStringLiteral("C"));
    benchLine("sale_save_1_line", one.median);
    const Figures wal =
        saveSale(dsn, 50, QStringLiteral("D"), QStringLiteral("PRAGMA journal_mode=WAL"));
    benchLine("sale_save_50_lines_wal", wal.median);
    return 0;
}
