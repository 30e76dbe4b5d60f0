#pragma once

#include <QCollator>
#include <QHash>
#include <QStringList>
#include <QStringView>

#include <string>
#include <vector>

// The order of texts in a list's text columns. ASCII (digits, letters,
// punctuation) compares by character code, so "10" comes before "9" and "B"
// before "a"; every other character comes after all of ASCII, and Chinese
// characters among themselves follow Chinese collation (pinyin). A shorter text
// comes before a longer one that it begins. This is the order that comparing
// GB2312 bytes gave, with the pinyin order extended to every Chinese character.
//
// The Chinese collator alone does not give it: it puts Chinese before Latin
// letters, ignores case at first and orders punctuation its own way. So texts
// compare character by character, and only two non-ASCII characters are
// weighed by the collator.
class TextOrder
{
public:
    TextOrder();

    // -1, 0 or 1.
    int compare(QStringView a, QStringView b);

    // One key per text; the keys compare (as std::string, byte-wise) in the
    // same order as compare() would put the texts. Far cheaper than comparing
    // with the collator inside a sort.
    std::vector<std::string> sortKeys(const std::vector<QStringView> &texts);

    // The place of each text in this order among TEXTS, counted from 0;
    // equal texts share one place.
    std::vector<int> ranks(const std::vector<QStringView> &texts);

    // Sorts TEXTS into this order.
    void sort(QStringList &texts);

private:
    int compareCharacters(char32_t a, char32_t b);
    QCollatorSortKey collationKey(char32_t c);

    QCollator m_collator;
    QHash<char32_t, QCollatorSortKey> m_collationKeys;
};
