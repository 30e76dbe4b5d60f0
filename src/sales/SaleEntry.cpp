#include "sales/SaleEntry.h"

#include "printing/ReceiptSwitches.h"
#include "sales/SaleNumbers.h"

#include <cmath>

using SaleNumbers::money;

QString SaleEntry::outOfRangeMessage()
{
    return QStringLiteral("数值超出范围，无法计算！请检查数量、单价和金额。");
}

QString SaleEntry::cashOutOfRangeMessage()
{
    return QStringLiteral("数值超出范围，无法计算找零！请检查实收金额。");
}

bool SaleEntry::allFinite(const SaleLine &line)
{
    for (const QString *text : {&line.quantity, &line.price, &line.amount, &line.discounted})
        if (!std::isfinite(SaleNumbers::value(*text)))
            return false;
    return true;
}

SaleLine SaleEntry::composeLine(int row) const
{
    SaleLine line;
    line.number = QString::number(row + 1);
    line.name = SaleLine::displayName(m_entry.name().trimmed(), m_options.showProductCode);
    line.quantity = SaleNumbers::quantity(m_entry.q());
    line.price = money(m_entry.p());
    line.amount = money(m_entry.a());
    line.fullName = m_entry.name().trimmed();
    line.discounted = m_discountEnabled ? money(m_entry.v()) : line.amount;
    line.itemData = row;
    return line;
}

// A discount is tenths of the price: 10 is none, 0 gives the goods away.
// Anything else would make the discounted amount exceed the amount or go below zero.
bool SaleEntry::discountInRange() const
{
    if (!m_discountEnabled || m_entry.discount().trimmed().isEmpty())
        return true;
    const double d = m_entry.d();
    return d >= 0 && d <= 10;
}

bool SaleEntry::rememberProduct()
{
    if (!m_options.productMemory || !m_options.administrator || !m_memory)
        return true;
    return m_memory(m_entry.name().trimmed(), m_entry.price());
}

SaleEntry::Outcome SaleEntry::addLine()
{
    Outcome out;
    if (m_entry.name().trimmed().isEmpty()) {
        out.message = emptyNameMessage();
        out.focus = Field::Name;
        return out;
    }
    if (m_entry.quantity().isEmpty() || m_entry.q() == 0) {
        out.message = zeroQuantityMessage();
        out.focus = Field::Quantity;
        return out;
    }
    if (m_entry.discount().isEmpty())
        m_entry.resetDiscount();
    if (!discountInRange()) {
        out.message = discountRangeMessage();
        out.focus = Field::Discount;
        return out;
    }

    const int row = m_lines.count();
    const SaleLine line = composeLine(row);
    if (!allFinite(line) || !m_lines.totalsWith(row, line).isFinite()) {
        out.message = outOfRangeMessage();
        out.focus = Field::Quantity;
        return out;
    }
    if (m_entry.price().isEmpty())
        m_entry.setPrice(QStringLiteral("0.00"));
    m_lines.append(line);
    recalculateTotals();
    out.list = ListChange::Appended;
    out.row = row;
    if (!rememberProduct())
        return out;

    m_entry.setQuantity(EntryRow::defaultQuantity());
    out.selection = Selection{{row}, row};
    out.scrollToMark = true;
    m_entry.clear();
    out.focus = Field::Name;
    return out;
}

SaleEntry::Outcome SaleEntry::modifyLine(int row)
{
    Outcome out;
    if (m_entry.name().trimmed().isEmpty()) {
        out.message = emptyNameMessage();
        out.focus = Field::Name;
        return out;
    }
    if (row < 0 || row >= m_lines.count())
        return out;
    // A line changed to no quantity would be stored and printed as nothing sold.
    if (m_entry.quantity().isEmpty() || m_entry.q() == 0) {
        out.message = zeroQuantityMessage();
        out.focus = Field::Quantity;
        return out;
    }
    if (!discountInRange()) {
        out.message = discountRangeMessage();
        out.focus = Field::Discount;
        return out;
    }

    SaleLine line = m_lines.at(row);
    line.name = SaleLine::displayName(m_entry.name().trimmed(), m_options.showProductCode);
    line.quantity = m_entry.quantity();
    line.price = m_entry.price();
    line.amount = m_entry.amount();
    line.fullName = m_entry.name().trimmed();
    line.discounted = m_discountEnabled ? m_entry.discounted() : m_entry.amount();
    if (!allFinite(line) || !m_lines.totalsWith(row, line).isFinite()) {
        out.message = outOfRangeMessage();
        out.focus = Field::Quantity;
        return out;
    }
    m_lines.replace(row, line);
    recalculateTotals();
    out.list = ListChange::RowChanged;
    out.row = row;
    if (!rememberProduct())
        return out;

    m_entry.clear();
    out.focus = Field::Name;
    return out;
}

SaleEntry::Outcome SaleEntry::selectLine(const Selection &selection)
{
    Outcome out;
    if (selection.rows.size() == 1 && selection.rows.first() >= 0 &&
        selection.rows.first() < m_lines.count()) {
        const SaleLine &line = m_lines.at(selection.rows.first());
        m_entry.setName(line.fullName);
        m_entry.setQuantity(line.quantity);
        m_entry.setPrice(line.price);
        // Set last, so the stored discounted amount wins over the recomputed one.
        m_entry.setDiscounted(line.discounted);
        out.modifyEnabled = true;
        out.deleteEnabled = true;
        return out;
    }
    m_entry.clear();
    out.modifyEnabled = false;
    out.deleteEnabled = selection.rows.size() > 1;
    return out;
}

SaleEntry::Outcome SaleEntry::deleteLines(const Selection &selection)
{
    Outcome out;
    int mark = selection.mark;
    if (selection.rows.size() == 1 && selection.rows.first() >= 0 &&
        selection.rows.first() < m_lines.count()) {
        int row = selection.rows.first();
        m_lines.remove({row});
        m_lines.renumber();
        if (row >= m_lines.count())
            row = m_lines.count() - 1;
        mark = row;
        if (row >= 0) {
            out.selection = Selection{{row}, row};
            out.scrollToMark = true;
            const SaleLine &line = m_lines.at(row);
            m_entry.setName(line.fullName);
            m_entry.setQuantity(line.quantity);
            m_entry.setPrice(line.price);
        }
    } else if (selection.rows.size() > 1) {
        m_lines.remove(selection.rows);
        m_lines.renumber();
        out.modifyEnabled = false;
        out.deleteEnabled = false;
        // The mark goes with its row; it is lost when its row was deleted.
        if (selection.rows.contains(mark)) {
            mark = -1;
        } else if (mark >= 0) {
            int below = 0;
            for (const int row : selection.rows)
                below += row < selection.mark ? 1 : 0;
            mark -= below;
        }
        out.selection = Selection{{}, mark};
    }
    if (mark < 0 || mark >= m_lines.count()) {
        m_entry.clear();
        out.modifyEnabled = false;
        out.deleteEnabled = false;
        out.selection = Selection{{}, -1};
    }
    recalculateTotals();
    out.list = ListChange::Reset;
    out.focus = Field::Name;
    return out;
}

bool SaleEntry::discountShown() const
{
    return ReceiptSwitches::showsDiscount(m_discountEnabled, m_totals.amount, m_totals.discounted);
}

void SaleEntry::recalculateTotals()
{
    m_totals = m_lines.totals();
    m_summary = m_totals.summary(discountShown());
    m_cash = money(m_totals.discounted);
    m_change = QStringLiteral("0.00");
}

bool SaleEntry::setCash(const QString &text)
{
    m_cash = text;
    const double change = SaleNumbers::value(text) - m_totals.discounted;
    if (!std::isfinite(change)) {
        m_change.clear(); // "inf" or "nan" would be shown and printed as the change
        return false;
    }
    m_change = money(change);
    return true;
}

void SaleEntry::setDiscountEnabled(bool on)
{
    m_discountEnabled = on;
    if (!on)
        m_entry.resetDiscount();
    // The entry row's discounted amount follows the switch at once.
    m_entry.setDiscount(m_entry.discount());
    recalculateTotals();
}

void SaleEntry::wheel(bool forward, Field focus)
{
    const bool onQuantity = focus == Field::Quantity;
    if (m_entry.quantity().isEmpty()) {
        if (onQuantity)
            m_entry.typeQuantity(QStringLiteral("0"));
        else
            m_entry.setQuantity(QStringLiteral("0"));
    }
    if (onQuantity) {
        const double q = m_entry.q();
        if (forward)
            m_entry.typeQuantity(SaleNumbers::quantity(q + 1));
        else if (q > 1)
            m_entry.typeQuantity(SaleNumbers::quantity(q - 1));
    }
    if (m_entry.price().isEmpty())
        m_entry.setPrice(QStringLiteral("0.00"));
    if (focus == Field::Price) {
        const double p = m_entry.p();
        if (forward)
            m_entry.setPrice(money(p + 1));
        else if (p >= 1)
            m_entry.setPrice(money(p - 1));
    }
}

SaleEntry::Outcome SaleEntry::clearSale()
{
    m_lines.clear();
    recalculateTotals();
    m_entry.clear();
    Outcome out;
    out.list = ListChange::Reset;
    out.selection = Selection{{}, -1};
    out.modifyEnabled = false;
    out.deleteEnabled = false;
    out.focus = Field::Name;
    return out;
}
