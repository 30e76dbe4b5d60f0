#include "sales/EntryRow.h"

#include "sales/SaleNumbers.h"

#include <cmath>

using SaleNumbers::money;

double EntryRow::q() const
{
    return SaleNumbers::value(m_quantity);
}

double EntryRow::p() const
{
    return SaleNumbers::value(m_price);
}

double EntryRow::a() const
{
    return SaleNumbers::value(m_amount);
}

double EntryRow::d() const
{
    return SaleNumbers::value(m_discount);
}

double EntryRow::v() const
{
    return SaleNumbers::value(m_discounted);
}

void EntryRow::computeFromQuantity()
{
    m_amount = money(q() * p());
    m_discounted = money(q() * (p() * d()) * 0.1);
}

void EntryRow::typeQuantity(const QString &text)
{
    m_quantity = text;
    computeFromQuantity();
}

void EntryRow::setPrice(const QString &text)
{
    m_price = text;
    computeFromQuantity();
}

void EntryRow::typeAmount(const QString &text)
{
    m_amount = text;
    if (p() > 0)
        m_quantity = money(a() / p());
    m_discounted = money(a() * d() * 0.1);
}

void EntryRow::setDiscount(const QString &text)
{
    m_discount = text;
    m_discounted = money(q() * (p() * d()) * 0.1);
}

void EntryRow::roundOff()
{
    m_discounted = money(std::trunc(v()));
}

void EntryRow::clear()
{
    m_name.clear();
    m_quantity = defaultQuantity();
    setPrice(QString());
}

QStringList EntryRow::discountChoices()
{
    QStringList list{fullPrice()};
    for (int tenths = 99; tenths >= 35; --tenths)
        list << QString::asprintf("%d.%d", tenths / 10, tenths % 10);
    list << QStringLiteral("3.0") << QStringLiteral("2.5") << QStringLiteral("2.0")
         << QStringLiteral("1.5") << QStringLiteral("1.0");
    return list;
}

QString EntryRow::discountOf(const QString &quantity, const QString &price,
                             const QString &discounted)
{
    EntryRow line;
    line.m_quantity = quantity;
    line.m_price = price;
    const double amount = line.q() * line.p();
    if (amount == 0 || !std::isfinite(amount))
        return {};
    const double tenths = std::round(SaleNumbers::value(discounted) / amount * 100) / 10;
    if (!(tenths >= 0 && tenths <= 10))
        return {};
    const QString text = tenths == 10 ? fullPrice() : QString::asprintf("%.1f", tenths);
    line.setDiscount(text);
    return line.discounted() == money(SaleNumbers::value(discounted)) ? text : QString();
}
