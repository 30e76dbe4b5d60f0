#pragma once

#include <QStringView>

#include <vector>

class TextOrder;

// How a column's texts compare when the list is sorted by it.
enum class ColumnKind
{
    Integer,
    Text,
    Decimal,
    Date
};

// The sort rules of the sortable list: which kind a column is, how two texts
// of a kind compare, and the order of a whole column.
class ListSorter
{
public:
    // The kind follows one sample, the text of the second row: "." makes it
    // decimal; "年", "月" and "日" together a date; empty text is text; digits
    // only an integer; anything else text. Column 1 is always text.
    static ColumnKind kindOf(int column, QStringView sample);

    // -1, 0 or 1, ascending.
    static int compare(ColumnKind kind, QStringView a, QStringView b, TextOrder &textOrder);

    // The sorted order of a column as the old row positions: position i of the
    // result holds the row that goes to place i. Equal texts keep their order
    // in both directions; descending is ascending with every comparison negated.
    static std::vector<int> order(const std::vector<QStringView> &texts, ColumnKind kind,
                                  bool ascending, TextOrder &textOrder);

    // The same for numbers held as such (a NaN goes first).
    static std::vector<int> order(const std::vector<double> &numbers, bool ascending);
    // The same for the ranks of texts (as TextOrder::ranks gives them).
    static std::vector<int> order(const std::vector<int> &ranks, bool ascending);

    // The atoi/atof readings of a cell, and the (year, month, day) of a date cell.
    static int integerOf(QStringView text);
    static double decimalOf(QStringView text);
    struct Date
    {
        int year = 0;
        int month = 0;
        int day = 0;
        auto operator<=>(const Date &) const = default;
    };
    static Date dateOf(QStringView text);
};
