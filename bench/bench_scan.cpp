// A barcode scanner at the till: a 13-digit code typed key by key into the
// product box of the sales window, then Enter, until the line is in the list
// and the window (new row, entry row, totals) has been painted. The floor is
// the same line added through the window's own add action, its product put
// into the box whole. A catalogue of 2,000 coded products, as a shop holds.
#include "BenchLine.h"

#include "controls/Prompt.h"
#include "controls/SortableList.h"
#include "core/AppSettings.h"
#include "data/DataSource.h"
#include "data/Database.h"
#include "sales/SalesDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <cstdlib>

namespace {

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

QString codeOf(int i)
{
    return QStringLiteral("690%1").arg(1234560000 + i, 10, 10, QLatin1Char('0'));
}

void fillCatalogue(const QString &dsn)
{
    Database settings;
    if (!settings.open(dsn))
        std::exit(1);
    settings.exec(QStringLiteral("begin"));
    for (int i = 0; i < 2000; ++i)
        settings.exec(
            QStringLiteral("insert into \"PRODUCT_NAME\" (\"items\",\"price\") values (?,?)"),
            {codeOf(i) + QStringLiteral("-商品%1").arg(i),
             QString::number(1 + i % 50) + QStringLiteral(".50")});
    settings.exec(QStringLiteral("commit"));
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir odbcDir;
    setenv("ODBCINI", qPrintable(QDir(odbcDir.path()).filePath(QStringLiteral("odbc.ini"))), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    Prompt::install(new TerminalPrompt);
    const QString buildDir = QCoreApplication::applicationDirPath() + QStringLiteral("/..");
    QTemporaryDir programDir(buildDir + QStringLiteral("/bench-scan-XXXXXX"));
    QDir(programDir.path()).mkpath(QStringLiteral("data"));
    const QString recordsFile = DataSource::recordsFile(programDir.path());
    const QString settingsFile = DataSource::settingsFile(programDir.path());
    if (!QFile::copy(buildDir + QStringLiteral("/data/Quillbook.qmbk"), recordsFile) ||
        !QFile::copy(buildDir + QStringLiteral("/data/Quillmarch.qmst"), settingsFile)) {
        std::fprintf(stderr, "the delivered databases are missing; build first\n");
        return 1;
    }
    QFile::setPermissions(recordsFile, QFile::ReadOwner | QFile::WriteOwner);
    QFile::setPermissions(settingsFile, QFile::ReadOwner | QFile::WriteOwner);
    AppSettings settings;
    settings.programDir = programDir.path();
    settings.workingDir = programDir.path();
    settings.settingsDsn = QStringLiteral("QmBenchScanSettings");
    settings.recordsDsn = QStringLiteral("QmBenchScanRecords");
    settings.userName = QStringLiteral("收银员");
    settings.userPower = AppSettings::ordinaryPower(); // nothing is remembered per line
    DataSource::setUp(settings.settingsDsn, settingsFile, programDir.path());
    fillCatalogue(settings.settingsDsn);

    SalesDialog window(settings);
    window.show();
    QApplication::setActiveWindow(&window);
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    auto *product = window.findChild<QComboBox *>(QStringLiteral("productBox"));
    auto *add = window.findChild<QPushButton *>(QStringLiteral("addButton"));
    const int target = 1500; // far down the list
    const QString code = codeOf(target);
    const QString text = product->itemText(target);
    const auto lineIsShown = [&] {
        if (window.saleList()->rowCount() != 1 || window.saleList()->text(0, 5) != text)
            std::abort();
        QApplication::processEvents(); // the window repaints: new row, entry row, totals
    };
    const Medians figures = interleaved(
        51,
        [&] {
            QTest::keyClicks(product, code);
            QTest::keyClick(product, Qt::Key_Return);
            lineIsShown();
        },
        [&] {
            product->setEditText(text);
            add->click();
            lineIsShown();
        },
        [&] {
            if (window.saleList()->rowCount() > 0) {
                window.saleList()->selectOnly(0);
                window.deleteLines();
            }
            product->setFocus();
            QApplication::processEvents();
        });
    benchLine("scan_code_to_line", figures); // aim: < 16 ms, <= 1.5x the floor
    window.hide();
    return 0;
}
