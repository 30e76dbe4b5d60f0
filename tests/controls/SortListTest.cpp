// The sort rules of the sortable list, on its model: header-click directions,
// the column kind taken from the second row, the four comparisons, stable
// order, and rows moving whole with their item data and selection.
#include "controls/ListSorter.h"
#include "controls/SortListModel.h"
#include "controls/TextOrder.h"

#include <QItemSelectionModel>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A list like the sales window's: number, name, quantity, price, amount.
void fill(SortListModel &model, const QList<QStringList> &rows)
{
    QList<SortListModel::Column> columns;
    for (qsizetype i = 0; i < rows.value(0).size(); ++i)
        columns.append({QStringLiteral("c%1").arg(i)});
    model.setColumns(columns);
    QList<SortListModel::Row> data;
    for (qsizetype i = 0; i < rows.size(); ++i)
        data.append({rows[i], i});
    model.setRows(data);
}

QStringList column(const SortListModel &model, int c)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts << model.text(row, c);
    return texts;
}

QList<qint64> itemData(const SortListModel &model)
{
    QList<qint64> data;
    for (int row = 0; row < model.rowCount(); ++row)
        data << model.itemData(row);
    return data;
}

} // namespace

TEST(ListSorter, ColumnKindFollowsTheSample)
{
    EXPECT_EQ(ListSorter::kindOf(4, u"12.50"), ColumnKind::Decimal);
    EXPECT_EQ(ListSorter::kindOf(2, u"2008年3月5日"), ColumnKind::Date);
    EXPECT_EQ(ListSorter::kindOf(2, u"2008年3月"), ColumnKind::Text);
    EXPECT_EQ(ListSorter::kindOf(2, u"2008-03-05 10:20:30"), ColumnKind::Text);
    EXPECT_EQ(ListSorter::kindOf(2, u""), ColumnKind::Text);
    EXPECT_EQ(ListSorter::kindOf(0, u"12"), ColumnKind::Integer);
    EXPECT_EQ(ListSorter::kindOf(0, u"-12"), ColumnKind::Text);
    EXPECT_EQ(ListSorter::kindOf(0, u"１２"), ColumnKind::Text); // full-width digits are not digits
    EXPECT_EQ(ListSorter::kindOf(3, u"2.5年3月1日"), ColumnKind::Decimal); // "." wins
    // Column 1 is text whatever it holds.
    EXPECT_EQ(ListSorter::kindOf(1, u"12"), ColumnKind::Text);
    EXPECT_EQ(ListSorter::kindOf(1, u"12.50"), ColumnKind::Text);
}

TEST(ListSorter, ComparisonsReadNumbersAndDatesLikeTheCLibrary)
{
    TextOrder text;
    EXPECT_EQ(ListSorter::compare(ColumnKind::Decimal, u"9.00", u"12.50", text), -1);
    EXPECT_EQ(ListSorter::compare(ColumnKind::Decimal, u"abc", u"0", text), 0); // atof: 0
    EXPECT_EQ(ListSorter::compare(ColumnKind::Decimal, u" 3.5元", u"3.50", text), 0);
    EXPECT_EQ(ListSorter::compare(ColumnKind::Decimal, u"-1", u"1e-3", text), -1);
    EXPECT_EQ(ListSorter::compare(ColumnKind::Integer, u"9", u"10", text), -1);
    EXPECT_EQ(ListSorter::compare(ColumnKind::Integer, u"12abc", u"12", text), 0);
    EXPECT_EQ(ListSorter::compare(ColumnKind::Integer, u"99999999999", u"1", text), 1);
    EXPECT_EQ(ListSorter::compare(ColumnKind::Text, u"10", u"9", text), -1);
    EXPECT_EQ(ListSorter::compare(ColumnKind::Date, u"2008年3月12日", u"2008年3月5日", text), 1);
    EXPECT_EQ(ListSorter::compare(ColumnKind::Date, u"2007年12月31日", u"2008年1月1日", text), -1);
    EXPECT_EQ(ListSorter::compare(ColumnKind::Date, u"2008年3月5日", u"2008年03月05日", text), 0);

    const ListSorter::Date partial = ListSorter::dateOf(u"2008年3月");
    EXPECT_EQ(partial.year, 2008);
    EXPECT_EQ(partial.month, 3);
    EXPECT_EQ(partial.day, 0);
    EXPECT_EQ(ListSorter::dateOf(u"无日期").year, 0);
}

TEST(ListSorter, NotANumberStillSortsInAProperOrder)
{
    TextOrder text;
    const std::vector<QStringView> texts = {u"5", u"nan", u"-inf", u"1", u"NAN", u"3"};
    const std::vector<int> order = ListSorter::order(texts, ColumnKind::Decimal, true, text);
    QStringList sorted;
    for (int i : order)
        sorted << texts[i].toString();
    // "nan" reads as nothing comparable; it goes with the lowest values, in place.
    EXPECT_EQ(sorted, (QStringList{u"nan"_qs, u"-inf"_qs, u"NAN"_qs, u"1"_qs, u"3"_qs, u"5"_qs}));
}

TEST(ListSorter, LongNumbersAreReadInFull)
{
    const QString longNumber = QString(200, u'0') + u"42.5"_qs;
    EXPECT_DOUBLE_EQ(ListSorter::decimalOf(longNumber), 42.5);
    EXPECT_EQ(ListSorter::integerOf(QString(200, u'0') + u"7"_qs), 7);
}

TEST(SortListModel, HeaderClicksAlternateOnOneColumnAndRestartOnAnother)
{
    SortListModel model;
    fill(model, {{"1", "可乐", "2", "3.00", "6.00"},
                 {"2", "面包", "1", "12.50", "12.50"},
                 {"3", "牛奶", "3", "9.00", "27.00"}});

    model.clickColumn(4); // 金额: ascending first
    EXPECT_TRUE(model.sortAscending());
    EXPECT_EQ(model.columnKind(), ColumnKind::Decimal);
    EXPECT_EQ(column(model, 4), (QStringList{"6.00", "12.50", "27.00"}));

    model.clickColumn(4); // again: descending
    EXPECT_FALSE(model.sortAscending());
    EXPECT_EQ(column(model, 4), (QStringList{"27.00", "12.50", "6.00"}));

    model.clickColumn(2); // 数量: another column starts ascending
    EXPECT_TRUE(model.sortAscending());
    EXPECT_EQ(model.sortColumn(), 2);
    EXPECT_EQ(model.columnKind(), ColumnKind::Integer);
    EXPECT_EQ(column(model, 2), (QStringList{"1", "2", "3"}));

    model.clickColumn(2);
    model.clickColumn(2); // third click on the same column: ascending again
    EXPECT_TRUE(model.sortAscending());
}

TEST(SortListModel, DecimalColumnSortsNumerically)
{
    SortListModel model;
    fill(model, {{"1", "a", "12.50"}, {"2", "b", "12.50"}, {"3", "c", "9.00"}, {"4", "d", "100"}});
    model.clickColumn(2);
    EXPECT_EQ(column(model, 2), (QStringList{"9.00", "12.50", "12.50", "100"}));
    // Equal amounts keep their order, in both directions.
    EXPECT_EQ(column(model, 1), (QStringList{"c", "a", "b", "d"}));
    model.clickColumn(2);
    EXPECT_EQ(column(model, 1), (QStringList{"d", "a", "b", "c"}));
}

TEST(SortListModel, ColumnOneIsTextEvenWhenItHoldsDigits)
{
    SortListModel model;
    fill(model, {{"9", "9"}, {"10", "10"}, {"2", "2"}});
    model.clickColumn(1);
    EXPECT_EQ(model.columnKind(), ColumnKind::Text);
    EXPECT_EQ(column(model, 1), (QStringList{"10", "2", "9"}));
    model.clickColumn(0); // any other column with digits sorts as a number
    EXPECT_EQ(model.columnKind(), ColumnKind::Integer);
    EXPECT_EQ(column(model, 0), (QStringList{"2", "9", "10"}));
}

TEST(SortListModel, KindComesFromTheSecondRowInTheCurrentOrder)
{
    SortListModel model;
    // The second row holds a time with "-", ":" and a blank: the column is text.
    fill(model, {{"1", "x", "2008-03-12 08:00:00"},
                 {"2", "y", "2008-03-05 10:20:30"},
                 {"3", "z", "2008-10-01 00:00:00"}});
    model.clickColumn(2);
    EXPECT_EQ(model.columnKind(), ColumnKind::Text);
    EXPECT_EQ(column(model, 2),
              (QStringList{"2008-03-05 10:20:30", "2008-03-12 08:00:00", "2008-10-01 00:00:00"}));

    SortListModel dates;
    fill(dates,
         {{"1", "x", "2008年3月12日"}, {"2", "y", "2008年3月5日"}, {"3", "z", "2007年12月1日"}});
    dates.clickColumn(2);
    EXPECT_EQ(dates.columnKind(), ColumnKind::Date);
    EXPECT_EQ(column(dates, 2), (QStringList{"2007年12月1日", "2008年3月5日", "2008年3月12日"}));

    // After a sort the sample is the new second row: here an empty cell, so text.
    SortListModel mixed;
    fill(mixed, {{"1", "b", "5"}, {"2", "a", ""}, {"3", "c", "40"}});
    mixed.clickColumn(1); // rows now a, b, c: second row's column 2 is "5"
    mixed.clickColumn(2);
    EXPECT_EQ(mixed.columnKind(), ColumnKind::Integer);
    EXPECT_EQ(column(mixed, 2), (QStringList{"", "5", "40"}));
}

TEST(SortListModel, OneRowOrEmptySampleSortsAsText)
{
    SortListModel one;
    fill(one, {{"1", "x", "12.50"}});
    one.clickColumn(2);
    EXPECT_EQ(one.columnKind(), ColumnKind::Text);

    SortListModel empty;
    fill(empty, {{"1", "x", "100"}, {"2", "y", ""}, {"3", "z", "20"}});
    empty.clickColumn(2);
    EXPECT_EQ(empty.columnKind(), ColumnKind::Text);
    EXPECT_EQ(column(empty, 2), (QStringList{"", "100", "20"}));

    SortListModel none;
    fill(none, {{"1"}});
    none.clear();
    none.clickColumn(0); // an empty list sorts without complaint
    EXPECT_EQ(none.rowCount(), 0);
}

TEST(SortListModel, RowsMoveWholeWithItemDataAndRowNumbers)
{
    SortListModel model;
    fill(model, {{"1", "张三", "30.00"}, {"2", "李四", "10.00"}, {"3", "王五", "20.00"}});
    model.clickColumn(1);
    EXPECT_EQ(column(model, 1), (QStringList{"李四", "王五", "张三"}));
    EXPECT_EQ(column(model, 0), (QStringList{"2", "3", "1"})); // not renumbered
    EXPECT_EQ(column(model, 2), (QStringList{"10.00", "20.00", "30.00"}));
    EXPECT_EQ(itemData(model), (QList<qint64>{1, 2, 0}));
    EXPECT_EQ(model.findItemData(0), 2);
}

TEST(SortListModel, SelectionAndCurrentRowFollowTheirRows)
{
    SortListModel model;
    fill(model, {{"1", "c", "3"}, {"2", "a", "1"}, {"3", "b", "2"}});
    QItemSelectionModel selection(&model);
    selection.setCurrentIndex(model.index(0, 0),
                              QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    model.clickColumn(1);
    ASSERT_EQ(selection.selectedRows().size(), 1);
    EXPECT_EQ(selection.selectedRows().first().row(), 2);
    EXPECT_EQ(selection.currentIndex().row(), 2);
    EXPECT_EQ(model.text(2, 1), u"c"_qs);
}

TEST(SortListModel, RefillingKeepsTheSortState)
{
    SortListModel model;
    fill(model, {{"1", "b", "2"}, {"2", "a", "1"}});
    model.clickColumn(2);
    EXPECT_TRUE(model.sortAscending());
    model.clear();
    model.appendRow({"1", "x", "5"}, 0);
    model.appendRow({"2", "y", "7"}, 1);
    model.clickColumn(2); // the same column after a refill turns round
    EXPECT_FALSE(model.sortAscending());
    EXPECT_EQ(column(model, 2), (QStringList{"7", "5"}));
}

TEST(SortListModel, EditingRowsAndCells)
{
    SortListModel model;
    fill(model, {{"1", "a"}, {"2", "b"}});
    model.insertRow(1, {"x", "y"}, 9);
    EXPECT_EQ(column(model, 1), (QStringList{"a", "y", "b"}));
    EXPECT_EQ(model.itemData(1), 9);
    model.setText(1, 3, u"far"_qs); // beyond the texts given: grows the row
    EXPECT_EQ(model.text(1, 3), u"far"_qs);
    EXPECT_EQ(model.text(1, 2), QString());
    model.removeRow(0);
    EXPECT_EQ(column(model, 0), (QStringList{"x", "2"}));
    model.removeRow(7); // out of range: nothing happens
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.text(5, 0), QString());
    model.setColumnTitle(1, u"名称"_qs);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), u"名称"_qs);
}
