#pragma once

#include "settings/Product.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The remembered products as the sales window holds them, in table order:
// the product box's list, and the prices that typing and scanning look up
// without a trip to the database, so the till keeps working at a scanner's
// pace and while the database server cannot be reached.
//
// A text names a product when it is the product's text, or when it is the
// code of a "code-name" product (a barcode scanner types only the code).
// Several rows may hold the same text: the last row's price counts, as it
// does in the table.
class TillProducts
{
public:
    void assign(const QList<Product> &rows);

    const QStringList &texts() const { return m_texts; }
    bool contains(const QString &text) const { return m_lastRow.contains(text); }

    // The catalogue's text of the product TEXT names; none when it names none.
    // A code shared by several products names the first of them.
    std::optional<QString> productFor(const QString &text) const;
    // The price of the product TEXT names.
    std::optional<QString> priceOf(const QString &text) const;

    // After a product is remembered: the rows with this text take the price, or the
    // product joins the list.
    void remember(const QString &text, const QString &price);

private:
    void index(int row);

    QStringList m_texts;
    QStringList m_prices;
    QHash<QString, int> m_lastRow;  // text -> its last row
    QHash<QString, int> m_firstRow; // code -> the first row with that code
};
