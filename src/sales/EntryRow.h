#pragma once

#include <QString>
#include <QStringList>

// The row in which one sale line is composed or edited, with the rules that
// tie its fields together. Each method is one change of one field, as the
// person or the window makes it; the method leaves every field in its final
// state, so the window only copies the texts back into its controls.
//
//   R1 quantity typed        -> amount = q x p, discounted = q x (p x d) x 0.1
//   R2 price changed         -> the same
//   R3 amount typed          -> quantity = a / p (when p > 0), discounted = a x d x 0.1
//   R4 / R5 discount changed -> discounted = q x (p x d) x 0.1
//   R6 round off             -> discounted = its integer part
//
// A field that a rule derived is never recomputed from its own result: an
// amount computed from the quantity does not turn back into a rounded
// quantity (2.5 at 0.01 would otherwise become 3).
class EntryRow
{
public:
    static QString defaultQuantity() { return QStringLiteral("1"); }
    static QString fullPrice() { return QStringLiteral("10"); }
    // The discount box's choices: "10", "9.9" ... "3.5", then "3.0", "2.5",
    // "2.0", "1.5", "1.0".
    static QStringList discountChoices();
    // The discount, in tenths with one decimal, that gives a line of QUANTITY at PRICE
    // exactly its DISCOUNTED amount; empty when none does (typed by hand, rounded off).
    static QString discountOf(const QString &quantity, const QString &price,
                              const QString &discounted);

    const QString &name() const { return m_name; }
    const QString &quantity() const { return m_quantity; }
    const QString &price() const { return m_price; }
    const QString &amount() const { return m_amount; }
    const QString &discount() const { return m_discount; }
    const QString &discounted() const { return m_discounted; }

    void setName(const QString &text) { m_name = text; }

    // R1: the person typed in the quantity field (it has the focus).
    void typeQuantity(const QString &text);
    // The quantity set while its field does not have the focus: no rule runs.
    void setQuantity(const QString &text) { m_quantity = text; }
    // R2: typed, or set by the window (a looked-up price, clearing the field).
    void setPrice(const QString &text);
    // R3: the person typed an amount: sells by value, the quantity follows.
    void typeAmount(const QString &text);
    // R4 typed, R5 chosen from the list.
    void setDiscount(const QString &text);
    // The discount text put back by switching the discount off: no rule runs.
    void resetDiscount() { m_discount = fullPrice(); }
    // R6 "抹零".
    void roundOff();
    // The discounted amount is freely editable.
    void setDiscounted(const QString &text) { m_discounted = text; }

    // Name empty, quantity "1", price empty (which resets amount and discounted).
    void clear();

    double q() const;
    double p() const;
    double a() const;
    double d() const;
    double v() const;

private:
    void computeFromQuantity();

    QString m_name;
    QString m_quantity = defaultQuantity();
    QString m_price;
    QString m_amount;
    QString m_discount = fullPrice();
    QString m_discounted;
};
