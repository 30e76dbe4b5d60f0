// The order of text columns: ASCII by character code before everything else,
// Chinese in pinyin order, and sort keys that agree with the comparison.
#include "controls/TextOrder.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

QStringList sortedByCompare(QStringList texts)
{
    TextOrder order;
    std::stable_sort(texts.begin(), texts.end(),
                     [&](const QString &a, const QString &b) { return order.compare(a, b) < 0; });
    return texts;
}

QStringList sortedByKeys(const QStringList &texts)
{
    TextOrder order;
    std::vector<QStringView> views(texts.begin(), texts.end());
    const std::vector<std::string> keys = order.sortKeys(views);
    std::vector<int> positions(texts.size());
    for (size_t i = 0; i < positions.size(); ++i)
        positions[i] = int(i);
    std::stable_sort(positions.begin(), positions.end(),
                     [&](int a, int b) { return keys[a] < keys[b]; });
    QStringList result;
    for (int i : positions)
        result << texts[i];
    return result;
}

} // namespace

TEST(TextOrder, AsciiComparesByCharacterCodeLikeBytes)
{
    TextOrder order;
    EXPECT_LT(order.compare(u"10", u"9"), 0);
    EXPECT_LT(order.compare(u"B", u"a"), 0);       // upper case first, as in bytes
    EXPECT_LT(order.compare(u"-x", u"_x"), 0);     // '-' 0x2D before '_' 0x5F
    EXPECT_LT(order.compare(u"ab", u"abc"), 0);    // a prefix comes first
    EXPECT_LT(order.compare(u"ab c", u"ab-c"), 0); // blank before '-'
    EXPECT_EQ(order.compare(u"abc", u"abc"), 0);
    EXPECT_EQ(order.compare(u"", u""), 0);
    EXPECT_LT(order.compare(u"", u"a"), 0);
}

TEST(TextOrder, ChineseFollowsPinyinAfterAllAscii)
{
    const QStringList sorted =
        sortedByCompare({u"赵六"_qs, u"中国"_qs, u"阿姨"_qs, u"张三"_qs, u"李四"_qs, u"王五"_qs,
                         u"八宝"_qs, u"zz"_qs, u"Z"_qs, u"9"_qs});
    EXPECT_EQ(sorted, (QStringList{u"9"_qs, u"Z"_qs, u"zz"_qs, u"阿姨"_qs, u"八宝"_qs, u"李四"_qs,
                                   u"王五"_qs, u"张三"_qs, u"赵六"_qs, u"中国"_qs}));

    TextOrder order;
    // As with GB2312 bytes: "ab" < "a张" because 'b' is below any Chinese byte.
    EXPECT_LT(order.compare(u"ab", u"a张"), 0);
    EXPECT_LT(order.compare(u"张", u"张三"), 0);
    EXPECT_GT(order.compare(u"张三丰", u"张三"), 0);
}

TEST(TextOrder, SortKeysGiveTheSameOrderAsComparison)
{
    // Mixed scripts, full-width forms, a character outside the BMP and
    // repeated texts (which must keep their order).
    const QStringList texts = {
        u"可口可乐"_qs,    u"10"_qs,   u"9"_qs,  u"百事可乐"_qs, u"Cola"_qs,     u"cola"_qs,
        u"可口"_qs,        u"１０"_qs, u"Ｚ"_qs, u"é"_qs,        u"e"_qs,        u"𠀀字"_qs,
        u"字"_qs,          u"a张"_qs,  u"ab"_qs, u""_qs,         u"可口可乐"_qs, u"矿泉水 550ml"_qs,
        u"矿泉水 1.5L"_qs, u"~"_qs};
    EXPECT_EQ(sortedByKeys(texts), sortedByCompare(texts));
}

TEST(TextOrder, KeysStayOrderedWithManyDistinctCharacters)
{
    // More distinct characters than two key bytes hold: the wide key form.
    QStringList texts;
    auto addRange = [&](char32_t from, char32_t to) {
        for (char32_t c = from; c <= to; ++c) {
            const char32_t one[1] = {c};
            texts << QString::fromUcs4(one, 1);
        }
    };
    addRange(0x3400, 0x4DBF); // CJK extension A
    addRange(0x4E00, 0x9FFF); // CJK unified ideographs
    addRange(0xAC00, 0xD7A3); // Hangul syllables
    ASSERT_GT(texts.size(), 0x8000);
    texts << u"0"_qs << u"~"_qs;
    const QStringList byKeys = sortedByKeys(texts);
    EXPECT_EQ(byKeys.first(), u"0"_qs);
    EXPECT_EQ(byKeys[1], u"~"_qs);
    TextOrder order;
    for (qsizetype i = 1; i < byKeys.size(); ++i)
        ASSERT_LE(order.compare(byKeys[i - 1], byKeys[i]), 0) << i;
}
