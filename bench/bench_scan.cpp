// A barcode scanner at the till: a 13-digit code typed key by key into the
// product box of the sales window, then Enter, until the line is in the list
// and the window (new row, entry row, totals) has been painted. The floor is
// the same line added through the window's own add action, its product put
// into the box whole. A catalogue of 2,000 coded products, as a shop holds.
#include "BenchLine.h"
#include "BenchTill.h"

#include "controls/Prompt.h"
#include "controls/SortableList.h"
#include "data/Database.h"
#include "sales/SalesDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <cstdio>
#include <cstdlib>

namespace {

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
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    BenchTill till(QStringLiteral("Scan"));
    if (!till.isReady())
        return 1;
    AppSettings &settings = till.settings();
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
                QTest::keyClick(window.saleList(), Qt::Key_Delete);
            }
            product->setFocus();
            QApplication::processEvents();
        });
    benchLine("scan_code_to_line", figures); // aim: < 16 ms, <= 1.5x the floor
    window.hide();
    return 0;
}
