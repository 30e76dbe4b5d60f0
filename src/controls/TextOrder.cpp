#include "controls/TextOrder.h"

#include <QLocale>

#include <algorithm>

namespace {

// Walks a text by code points (a lone surrogate counts as itself).
class CodePoints
{
public:
    explicit CodePoints(QStringView text) : m_text(text) {}

    bool atEnd() const { return m_pos >= m_text.size(); }

    char32_t next()
    {
        const char16_t c = m_text[m_pos++].unicode();
        if (QChar::isHighSurrogate(c) && m_pos < m_text.size() &&
            QChar::isLowSurrogate(m_text[m_pos].unicode()))
            return QChar::surrogateToUcs4(c, m_text[m_pos++].unicode());
        return c;
    }

private:
    QStringView m_text;
    qsizetype m_pos = 0;
};

bool isAscii(char32_t c)
{
    return c < 0x80;
}

constexpr char32_t kBmpSize = 0x10000;
constexpr quint32 kUnseen = 0xFFFFFFFF;

} // namespace

TextOrder::TextOrder() : m_collator(QLocale(QLocale::Chinese, QLocale::China))
{
    m_collator.setCaseSensitivity(Qt::CaseSensitive);
    m_collator.setNumericMode(false);
    m_collator.setIgnorePunctuation(false);
}

QCollatorSortKey TextOrder::collationKey(char32_t c)
{
    auto found = m_collationKeys.find(c);
    if (found == m_collationKeys.end()) {
        const char32_t single[1] = {c};
        found = m_collationKeys.insert(c, m_collator.sortKey(QString::fromUcs4(single, 1)));
    }
    return *found;
}

int TextOrder::compareCharacters(char32_t a, char32_t b)
{
    if (a == b)
        return 0;
    const bool asciiA = isAscii(a);
    const bool asciiB = isAscii(b);
    if (asciiA || asciiB) {
        if (asciiA && asciiB)
            return a < b ? -1 : 1;
        return asciiA ? -1 : 1;
    }
    // Held by value: looking up the second key may grow the cache.
    const QCollatorSortKey keyA = collationKey(a);
    const QCollatorSortKey keyB = collationKey(b);
    const int collated = keyA.compare(keyB);
    if (collated != 0)
        return collated < 0 ? -1 : 1;
    // Characters the collator cannot tell apart still get a fixed order.
    return a < b ? -1 : 1;
}

int TextOrder::compare(QStringView a, QStringView b)
{
    CodePoints left(a);
    CodePoints right(b);
    while (!left.atEnd() && !right.atEnd()) {
        const int result = compareCharacters(left.next(), right.next());
        if (result != 0)
            return result;
    }
    if (left.atEnd() && right.atEnd())
        return 0;
    return left.atEnd() ? -1 : 1;
}

std::vector<std::string> TextOrder::sortKeys(const std::vector<QStringView> &texts)
{
    // 1. Every distinct non-ASCII character gets its rank among the others.
    std::vector<quint32> bmpRank(kBmpSize, kUnseen);
    QHash<char32_t, quint32> otherRank;
    std::vector<char32_t> distinct;
    for (QStringView text : texts) {
        for (CodePoints points(text); !points.atEnd();) {
            const char32_t c = points.next();
            if (isAscii(c))
                continue;
            if (c < kBmpSize) {
                if (bmpRank[c] == kUnseen) {
                    bmpRank[c] = 0;
                    distinct.push_back(c);
                }
            } else if (!otherRank.contains(c)) {
                otherRank.insert(c, 0);
                distinct.push_back(c);
            }
        }
    }
    std::sort(distinct.begin(), distinct.end(),
              [this](char32_t a, char32_t b) { return compareCharacters(a, b) < 0; });
    for (quint32 rank = 0; rank < distinct.size(); ++rank) {
        const char32_t c = distinct[rank];
        if (c < kBmpSize)
            bmpRank[c] = rank;
        else
            otherRank[c] = rank;
    }

    // 2. Keys: an ASCII character is its own byte (below 0x80); any other
    // character is its rank in two or three bytes, the first one 0x80 or above.
    const bool wide = distinct.size() > 0x8000;
    std::vector<std::string> keys;
    keys.reserve(texts.size());
    for (QStringView text : texts) {
        std::string key;
        key.reserve(size_t(text.size()) * 2);
        for (CodePoints points(text); !points.atEnd();) {
            const char32_t c = points.next();
            if (isAscii(c)) {
                key.push_back(char(c));
                continue;
            }
            const quint32 rank = c < kBmpSize ? bmpRank[c] : otherRank.value(c);
            if (wide) {
                key.push_back(char(0x80 | (rank >> 16)));
                key.push_back(char((rank >> 8) & 0xFF));
            } else {
                key.push_back(char(0x80 | (rank >> 8)));
            }
            key.push_back(char(rank & 0xFF));
        }
        keys.push_back(std::move(key));
    }
    return keys;
}

std::vector<int> TextOrder::ranks(const std::vector<QStringView> &texts)
{
    const std::vector<std::string> keys = sortKeys(texts);
    std::vector<int> byKey(keys.size());
    for (int i = 0; i < int(byKey.size()); ++i)
        byKey[i] = i;
    std::sort(byKey.begin(), byKey.end(), [&keys](int a, int b) { return keys[a] < keys[b]; });
    std::vector<int> ranks(keys.size());
    int rank = -1;
    for (size_t place = 0; place < byKey.size(); ++place) {
        if (place == 0 || keys[byKey[place - 1]] != keys[byKey[place]])
            ++rank;
        ranks[byKey[place]] = rank;
    }
    return ranks;
}

void TextOrder::sort(QStringList &texts)
{
    const std::vector<QStringView> views(texts.cbegin(), texts.cend());
    const std::vector<std::string> keys = sortKeys(views);
    std::vector<int> order(texts.size());
    for (int i = 0; i < int(order.size()); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&keys](int a, int b) { return keys[a] < keys[b]; });
    QStringList sorted;
    sorted.reserve(texts.size());
    for (int i : order)
        sorted.append(texts.at(i));
    texts = sorted;
}
