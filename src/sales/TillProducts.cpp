#include "sales/TillProducts.h"

void TillProducts::assign(const QList<Product> &rows)
{
    m_texts.clear();
    m_prices.clear();
    m_lastRow.clear();
    m_firstRow.clear();
    m_texts.reserve(rows.size());
    m_prices.reserve(rows.size());
    for (const Product &product : rows) {
        m_texts.append(product.text);
        m_prices.append(product.price);
        index(int(m_texts.size()) - 1);
    }
}

void TillProducts::index(int row)
{
    const QString &text = m_texts.at(row);
    m_lastRow.insert(text, row);
    const qsizetype hyphen = text.indexOf(u'-');
    if (hyphen > 0) {
        const QString code = text.left(hyphen);
        if (!m_firstRow.contains(code))
            m_firstRow.insert(code, row);
    }
}

std::optional<QString> TillProducts::productFor(const QString &text) const
{
    if (text.isEmpty())
        return std::nullopt;
    if (m_lastRow.contains(text))
        return text;
    const auto code = m_firstRow.constFind(text);
    if (code != m_firstRow.constEnd())
        return m_texts.at(*code);
    return std::nullopt;
}

std::optional<QString> TillProducts::priceOf(const QString &text) const
{
    const std::optional<QString> product = productFor(text);
    if (!product)
        return std::nullopt;
    return m_prices.at(m_lastRow.value(*product));
}

void TillProducts::remember(const QString &text, const QString &price)
{
    if (!m_lastRow.contains(text)) {
        m_texts.append(text);
        m_prices.append(price);
        index(int(m_texts.size()) - 1);
        return;
    }
    for (int row = 0; row < m_texts.size(); ++row)
        if (m_texts.at(row) == text)
            m_prices[row] = price;
}
