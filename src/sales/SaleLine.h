#pragma once

#include <QString>
#include <Qt>

// One row of the sales window's list: seven texts, exactly as shown. The texts
// are the sale's record: totals are summed from them, saving and printing read
// them column by column. Column 5 (the full product name) is never visible.
struct SaleLine
{
    enum Column
    {
        Number = 0,
        Name = 1,
        Quantity = 2,
        Price = 3,
        Amount = 4,
        FullName = 5,
        Discounted = 6,
        ColumnCount = 7
    };

    QString number;
    QString name;
    QString quantity;
    QString price;
    QString amount;
    QString fullName;
    QString discounted;
    // The row's own identity for sorting: its index when it was added or renumbered.
    int itemData = 0;

    QString text(int column) const;
    void setText(int column, const QString &text);

    // Column 1: the full name, or, with product codes hidden, the text after
    // the first "-" ("A01-可乐" shows "可乐"); a name without "-" shows whole.
    static QString displayName(const QString &fullName, bool showProductCode);

    static QString header(int column, bool english);
    static int width(int column);
    static Qt::Alignment alignment(int column);
};
