// The sortable list as a person uses it: clicking headers, the triangle on the
// sorted column only, clicks and keys reaching the owner, and its look.
#include "controls/SortableList.h"
#include "controls/SortableHeader.h"

#include "support/Gui.h"

#include <QHeaderView>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class SortableListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_list.resize(520, 200);
        m_list.setColumns({{u"序号"_qs, 50},
                           {u"名称"_qs, 120},
                           {u"数量"_qs, 60, Qt::AlignRight},
                           {u"单价"_qs, 70, Qt::AlignRight},
                           {u"金额"_qs, 80, Qt::AlignRight},
                           {u"序号加商品名"_qs, 0},
                           {u"折后"_qs, 80, Qt::AlignRight}});
        m_list.setGridLines(true);
        m_list.setRowHeights(19);
        m_list.setMovableColumns(true);
        m_list.setColours(QColor(115, 151, 236), QColor(115, 151, 236), Qt::black);
        m_list.setRows(
            QList<QStringList>{{"1", "可口可乐", "2", "3.00", "6.00", "A01-可口可乐", "6.00"},
                               {"2", "面包", "1", "12.50", "12.50", "面包", "12.50"},
                               {"3", "牛奶", "3", "9.00", "27.00", "B7-牛奶", "24.30"},
                               {"4", "10号电池", "10", "1.50", "15.00", "10号电池", "15.00"}});
        m_list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_list));
    }

    void clickHeader(int column)
    {
        QHeaderView *header = m_list.horizontalHeader();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }

    QPoint cellCentre(int row, int column)
    {
        return m_list.visualRect(m_list.listModel()->index(row, column)).center();
    }

    QStringList column(int c) const
    {
        QStringList texts;
        for (int row = 0; row < m_list.rowCount(); ++row)
            texts << m_list.text(row, c);
        return texts;
    }

    SortableList m_list;
};

} // namespace

TEST_F(SortableListTest, HeaderClicksSortAndMoveTheTriangle)
{
    QSignalSpy sorted(&m_list, &SortableList::sorted);
    clickHeader(4); // 金额 ascending
    EXPECT_EQ(column(4), (QStringList{"6.00", "12.50", "15.00", "27.00"}));
    EXPECT_EQ(m_list.sortHeader()->sortColumn(), 4);
    EXPECT_TRUE(m_list.sortHeader()->sortAscending());

    clickHeader(4); // descending
    EXPECT_EQ(column(4), (QStringList{"27.00", "15.00", "12.50", "6.00"}));
    EXPECT_FALSE(m_list.sortHeader()->sortAscending());
    EXPECT_EQ(column(0), (QStringList{"3", "4", "2", "1"})); // numbers travel with their rows

    clickHeader(2); // 数量 ascending again
    EXPECT_EQ(column(2), (QStringList{"1", "2", "3", "10"}));
    EXPECT_TRUE(m_list.sortAscending());
    EXPECT_EQ(m_list.sortHeader()->sortColumn(), 2);
    // Column 4 was sorted before: it stays owner-drawn, without the triangle.
    EXPECT_TRUE(m_list.sortHeader()->isOwnerDrawn(4));
    EXPECT_FALSE(m_list.sortHeader()->isOwnerDrawn(1));
    EXPECT_EQ(sorted.count(), 3);

    clickHeader(1); // names as text: "10号电池" first (ASCII before Chinese)
    EXPECT_EQ(column(1), (QStringList{"10号电池", "可口可乐", "面包", "牛奶"}));
}

TEST_F(SortableListTest, MovedColumnsStillSortByTheirOwnTexts)
{
    m_list.horizontalHeader()->moveSection(4, 0); // 金额 dragged to the front
    clickHeader(4);
    EXPECT_EQ(m_list.sortColumn(), 4);
    EXPECT_EQ(column(4), (QStringList{"6.00", "12.50", "15.00", "27.00"}));
}

TEST_F(SortableListTest, TriangleOnlyOnTheSortedColumn)
{
    clickHeader(4);
    clickHeader(3); // 3 ascending now; 4 owner-drawn without triangle
    QHeaderView *header = m_list.horizontalHeader();
    const QImage image = header->grab().toImage();
    // Compared as 8-bit colours: the palette's shades carry finer fractions.
    const QRgb light = header->palette().color(QPalette::Light).rgb();
    const QRgb dark = header->palette().color(QPalette::Dark).rgb();
    const QRgb face = header->palette().color(QPalette::Button).rgb();

    auto strokesIn = [&](int column) {
        const QRect section(header->sectionViewportPosition(column), 0, header->sectionSize(column),
                            header->height());
        const auto marks = SortableHeader::triangle(section, true);
        auto middle = [](const QList<QPoint> &stroke) {
            const QList<QPoint> pixels = SortableHeader::linePixels(stroke[0], stroke[1]);
            return pixels[pixels.size() / 2];
        };
        int hits = 0;
        if (image.pixel(middle(marks.highlight)) == light)
            ++hits;
        if (image.pixel(middle(marks.shadow)) == dark)
            ++hits;
        // The shadow starts where the highlight stopped; its end point stays face.
        if (image.pixel(marks.shadow.first()) == dark &&
            image.pixel(marks.highlight.last()) == face)
            ++hits;
        return hits;
    };
    EXPECT_EQ(strokesIn(3), 3);
    EXPECT_EQ(strokesIn(4), 0);
    EXPECT_EQ(strokesIn(2), 0);
    keepPicture(image, u"sort-header"_qs);
}

TEST(SortableHeader, GeometryFollowsTheHeaderHeight)
{
    // A 20-pixel header: o = 5; the ascending apex at (R - 2o, o).
    const QRect section(100, 0, 80, 20); // right edge 180 (exclusive)
    const auto up = SortableHeader::triangle(section, true);
    EXPECT_EQ(up.highlight, (QList<QPoint>{{170, 5}, {175, 14}, {163, 14}}));
    EXPECT_EQ(up.shadow, (QList<QPoint>{{164, 14}, {170, 4}}));
    const auto down = SortableHeader::triangle(section, false);
    EXPECT_EQ(down.highlight, (QList<QPoint>{{174, 5}, {169, 15}}));
    EXPECT_EQ(down.shadow, (QList<QPoint>{{168, 15}, {164, 5}, {174, 5}}));

    // Text: shrunk by o each side, 3o more on the right for the sorted column;
    // moved right 1 and down 2 while pressed.
    EXPECT_EQ(SortableHeader::textRect(section, false, false), QRect(105, 0, 70, 20));
    EXPECT_EQ(SortableHeader::textRect(section, true, false), QRect(105, 0, 55, 20));
    EXPECT_EQ(SortableHeader::textRect(section, true, true), QRect(106, 2, 55, 18));
    EXPECT_EQ(SortableHeader::linePixels({10, 10}, {13, 10}),
              (QList<QPoint>{{10, 10}, {11, 10}, {12, 10}}));
    EXPECT_EQ(SortableHeader::linePixels({13, 10}, {10, 10}),
              (QList<QPoint>{{13, 10}, {12, 10}, {11, 10}}));
    EXPECT_TRUE(SortableHeader::linePixels({5, 5}, {5, 5}).isEmpty());

    // Too narrow for text and triangle: the text goes, the triangle stays.
    EXPECT_TRUE(SortableHeader::textRect(QRect(0, 0, 25, 20), true, false).isEmpty());
}

TEST(SortableHeader, NarrowSortedColumnShowsTriangleWithoutText)
{
    SortableList list;
    list.setColumns({{u"很长的列标题"_qs, 24}, {u"名称"_qs, 100}});
    list.resize(200, 100);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    list.sortByClick(0);
    QHeaderView *header = list.horizontalHeader();
    const QImage image = header->grab().toImage();
    const QRect section(0, 0, header->sectionSize(0), header->height());
    const auto marks = SortableHeader::triangle(section, true);
    EXPECT_EQ(image.pixel(marks.shadow.first()), header->palette().color(QPalette::Dark).rgb());
    // No text pixels: everything left of the triangle is face or separator colour.
    const QRgb face = header->palette().color(QPalette::Button).rgb();
    const QRgb mid = header->palette().color(QPalette::Mid).rgb();
    const int o = section.height() / 4;
    for (int x = 0; x < section.right() - 3 * o - 2; ++x)
        for (int y = 0; y < section.height() - 1; ++y)
            ASSERT_TRUE(image.pixel(x, y) == face || image.pixel(x, y) == mid) << x << "," << y;
}

TEST_F(SortableListTest, ClicksDoubleClicksAndDeleteReachTheOwner)
{
    QSignalSpy clicked(&m_list, &SortableList::rowClicked);
    QSignalSpy doubled(&m_list, &SortableList::rowDoubleClicked);
    QSignalSpy deleted(&m_list, &SortableList::deletePressed);

    QTest::mouseClick(m_list.viewport(), Qt::LeftButton, {}, cellCentre(2, 1));
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.last().at(0).toInt(), 2);
    EXPECT_EQ(m_list.selectedRows(), QList<int>{2});
    EXPECT_EQ(m_list.currentRow(), 2);

    QTest::mouseClick(m_list.viewport(), Qt::LeftButton, Qt::ControlModifier, cellCentre(0, 1));
    EXPECT_EQ(m_list.selectedRows(), (QList<int>{0, 2}));

    // Below the last row: a click that names no row.
    QTest::mouseClick(m_list.viewport(), Qt::LeftButton, {}, QPoint(30, 180));
    EXPECT_EQ(clicked.last().at(0).toInt(), -1);

    QTest::mouseDClick(m_list.viewport(), Qt::LeftButton, {}, cellCentre(1, 2));
    ASSERT_EQ(doubled.count(), 1);
    EXPECT_EQ(doubled.last().at(0).toInt(), 1);

    m_list.setFocus();
    QTest::keyClick(&m_list, Qt::Key_Delete);
    EXPECT_EQ(deleted.count(), 1);
    EXPECT_EQ(m_list.rowCount(), 4); // the list deletes nothing itself
}

TEST_F(SortableListTest, SelectionFollowsItsRowThroughASort)
{
    m_list.selectOnly(1); // 面包
    clickHeader(4);
    ASSERT_EQ(m_list.selectedRows().size(), 1);
    EXPECT_EQ(m_list.text(m_list.selectedRows().first(), 1), u"面包"_qs);
    EXPECT_EQ(m_list.text(m_list.currentRow(), 1), u"面包"_qs);
    EXPECT_EQ(m_list.itemData(m_list.currentRow()), 1);

    m_list.setCurrentRow(-1);
    EXPECT_EQ(m_list.currentRow(), -1);
    m_list.selectOnly(7); // no such row: nothing selected
    EXPECT_TRUE(m_list.selectedRows().isEmpty());
}

TEST_F(SortableListTest, LookAndColumns)
{
    EXPECT_EQ(m_list.rowHeight(0), 19);
    EXPECT_EQ(m_list.columnWidth(5), 0); // the hidden full-name column
    EXPECT_EQ(m_list.columnWidth(1), 120);
    EXPECT_TRUE(m_list.showGrid());
    m_list.setColumnTitle(2, u"No."_qs);
    EXPECT_EQ(m_list.columnTitle(2), u"No."_qs);

    clickHeader(4);
    m_list.selectOnly(1);
    const QImage image = m_list.grab().toImage();
    keepPicture(image, u"sort-list"_qs);
    // The row background is the owner's colour.
    const QRect cell = m_list.visualRect(m_list.listModel()->index(3, 0));
    const QPoint inRow3 = QPoint(cell.right() - 4, cell.center().y()) + m_list.viewport()->pos();
    EXPECT_EQ(image.pixelColor(inRow3), QColor(115, 151, 236));
}

TEST_F(SortableListTest, ClearKeepsColumnsAndSortState)
{
    clickHeader(4);
    m_list.clear();
    EXPECT_EQ(m_list.rowCount(), 0);
    EXPECT_EQ(m_list.columnCount(), 7);
    m_list.addRow({"1", "x", "1", "1.00", "1.00", "x", "1.00"}, 0);
    m_list.addRow({"2", "y", "1", "2.00", "2.00", "y", "2.00"}, 1);
    clickHeader(4); // same column after a refill: descending
    EXPECT_EQ(column(4), (QStringList{"2.00", "1.00"}));
    EXPECT_EQ(m_list.sortHeader()->sortColumn(), 4);
}
