// The sortable list with a large query result: fill 100,000 rows of 11
// columns, then sort by a money column (decimal) and by the customer column
// (text). Each sort is set against std::stable_sort of the same column's
// values in a plain std::vector. Aims: fill under 300 ms, sorts within 5x.
#include "BenchLine.h"

#include "controls/SortableList.h"
#include "controls/TextOrder.h"
#include "core/NumberText.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 100000;
constexpr int kRepeats = 5;
constexpr int kMoneyColumn = 4;
constexpr int kCustomerColumn = 8;

// Rows as the query window shows them: 序, 销售票号, 销售时间, 数量, 金额,
// 实收金额, 收银员, 备注, 客户, 电话, 付款方式.
QList<QStringList> makeRows()
{
    const QStringList surnames = {u"王"_qs, u"李"_qs, u"张"_qs, u"刘"_qs, u"陈"_qs, u"杨"_qs,
                                  u"赵"_qs, u"黄"_qs, u"周"_qs, u"吴"_qs, u"徐"_qs, u"孙"_qs,
                                  u"胡"_qs, u"朱"_qs, u"高"_qs, u"林"_qs, u"何"_qs, u"郭"_qs};
    const QStringList given = {u"伟"_qs, u"芳"_qs, u"娜"_qs, u"秀英"_qs, u"敏"_qs, u"静"_qs,
                               u"丽"_qs, u"强"_qs, u"磊"_qs, u"军"_qs,   u"洋"_qs, u"勇"_qs,
                               u"艳"_qs, u"杰"_qs, u"娟"_qs, u"涛"_qs,   u"明"_qs, u"超"_qs};
    const QStringList cashiers = {u"admin"_qs, u"小李"_qs, u"王店长"_qs};
    const QStringList payments = {u"现金"_qs, u"微信"_qs, u"支付宝"_qs, u"银行卡"_qs};
    const QStringList remarks = {QString(), u"谢谢惠顾"_qs, u"会员"_qs, u"VIP客户"_qs};
    QRandomGenerator random(20240307);
    QList<QStringList> rows;
    rows.reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
        const double quantity = random.bounded(1, 40);
        const double money = random.bounded(1, 2000000) / 100.0;
        const QString customer =
            surnames[random.bounded(int(surnames.size()))] +
            given[random.bounded(int(given.size()))] +
            (random.bounded(2) ? given[random.bounded(int(given.size()))] : QString());
        rows.append({QString::number(i + 1), QStringLiteral("QM%1").arg(i + 1, 7, 10, QChar(u'0')),
                     QStringLiteral("2024-%1-%2 %3:%4:%5")
                         .arg(random.bounded(1, 13), 2, 10, QChar(u'0'))
                         .arg(random.bounded(1, 29), 2, 10, QChar(u'0'))
                         .arg(random.bounded(8, 22), 2, 10, QChar(u'0'))
                         .arg(random.bounded(60), 2, 10, QChar(u'0'))
                         .arg(random.bounded(60), 2, 10, QChar(u'0')),
                     NumberText::quantity(quantity), NumberText::money(money),
                     NumberText::money(money), cashiers[random.bounded(int(cashiers.size()))],
                     remarks[random.bounded(int(remarks.size()))], customer,
                     QStringLiteral("13%1").arg(random.bounded(100000000, 999999999)),
                     payments[random.bounded(int(payments.size()))]});
    }
    return rows;
}

void setUp(SortableList &list)
{
    list.resize(900, 600);
    list.setColumns({{u"序"_qs, 29},
                     {u"销售票号"_qs, 93},
                     {u"销售时间"_qs, 133},
                     {u"数量"_qs, 57, Qt::AlignRight},
                     {u"金额"_qs, 78, Qt::AlignRight},
                     {u"实收金额"_qs, 0, Qt::AlignRight},
                     {u"收银员"_qs, 67},
                     {u"备注"_qs, 100},
                     {u"客户"_qs, 67},
                     {u"电话"_qs, 90},
                     {u"付款方式"_qs, 70}});
    list.setGridLines(true);
    list.setRowHeights(18);
    list.setColours(QColor(135, 215, 215), QColor(135, 215, 215), Qt::black);
    list.show();
    QApplication::processEvents();
}

double elapsedMs(QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

// The list's job for a time measurement: the call and the repaint it causes.
template <class Work> double timeWithRepaint(Work work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    QApplication::processEvents();
    return elapsedMs(timer);
}

} // namespace

int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);

    const QList<QStringList> rows = makeRows();
    std::vector<double> fill, fillFromCells, fillByRow, moneySort, textSort, plainMoney, plainText,
        plainTextKeys;

    for (int repeat = 0; repeat < kRepeats; ++repeat) {
        SortableList list;
        setUp(list);

        fill.push_back(timeWithRepaint([&] { list.setRows(rows); }));
        // As an owner fills it from a result set: every cell text made anew.
        list.clear();
        QApplication::processEvents();
        fillFromCells.push_back(timeWithRepaint([&] {
            QList<QStringList> fresh;
            fresh.reserve(rows.size());
            for (const QStringList &row : rows) {
                QStringList texts;
                texts.reserve(row.size());
                for (const QString &cell : row)
                    texts.append(QString(cell.constData(), cell.size()));
                fresh.append(std::move(texts));
            }
            list.setRows(fresh);
        }));
        // Row by row with addRow(), for owners that insert one row at a time.
        list.clear();
        QApplication::processEvents();
        fillByRow.push_back(timeWithRepaint([&] {
            for (qsizetype i = 0; i < rows.size(); ++i)
                list.addRow(rows[i], i);
        }));
        list.setRows(rows);
        QApplication::processEvents();
        moneySort.push_back(timeWithRepaint([&] { list.sortByClick(kMoneyColumn); }));
        list.setRows(rows);
        QApplication::processEvents();
        textSort.push_back(timeWithRepaint([&] { list.sortByClick(kCustomerColumn); }));
        if (list.rowCount() != kRows) {
            std::fprintf(stderr, "rows lost: %d\n", list.rowCount());
            return 1;
        }

        // The same keys in plain vectors.
        std::vector<double> amounts;
        std::vector<QString> customers;
        for (const QStringList &row : rows) {
            amounts.push_back(NumberText::toDouble(row[kMoneyColumn]));
            customers.push_back(row[kCustomerColumn]);
        }
        QElapsedTimer timer;
        timer.start();
        std::stable_sort(amounts.begin(), amounts.end());
        plainMoney.push_back(elapsedMs(timer));
        timer.start();
        std::stable_sort(customers.begin(), customers.end());
        plainText.push_back(elapsedMs(timer));

        TextOrder order;
        std::vector<QStringView> views;
        for (const QStringList &row : rows)
            views.push_back(row[kCustomerColumn]);
        std::vector<std::string> keys = order.sortKeys(views);
        timer.start();
        std::stable_sort(keys.begin(), keys.end());
        plainTextKeys.push_back(elapsedMs(timer));
    }

    const double fillMs = median(fill);
    const double moneyMs = median(moneySort);
    const double textMs = median(textSort);
    std::fprintf(stderr,
                 "sortlist: %d rows x 11 columns, median of %d runs (offscreen, with repaint)\n",
                 kRows, kRepeats);
    benchLine("sortlist_fill_100k_set_rows", fillMs); // aim < 300 ms
    benchLine("sortlist_fill_100k_new_cell_texts", median(fillFromCells));
    benchLine("sortlist_fill_100k_row_by_row", median(fillByRow));
    // Floors: a plain stable_sort of the doubles, of the QStrings, of the ready keys.
    benchLine("sortlist_sort_100k_by_money", moneyMs, median(plainMoney));  // aim <= 5x
    benchLine("sortlist_sort_100k_by_customer", textMs, median(plainText)); // aim <= 5x
    benchLine("sortlist_sort_100k_by_customer_vs_keys", textMs, median(plainTextKeys));
    return 0;
}
