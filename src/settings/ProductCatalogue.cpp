#include "settings/ProductCatalogue.h"

#include "data/Database.h"
#include "data/Transaction.h"

QList<Product> ProductCatalogue::all() const
{
    QList<Product> products;
    Database::Rows rows = m_db.query(QStringLiteral(
        "select \"id\",\"items\",\"price\" from \"PRODUCT_NAME\" order by \"items\", "
        "\"id\""));
    while (rows.next())
        products.append({rows.value(0).toLongLong(), rows.text(1), rows.text(2)});
    return products;
}

QList<Product> ProductCatalogue::inTableOrder() const
{
    QList<Product> products;
    Database::Rows rows = m_db.query(
        QStringLiteral("select \"id\",\"items\",\"price\" from \"PRODUCT_NAME\" order by \"id\""));
    while (rows.next())
        products.append({rows.value(0).toLongLong(), rows.text(1), rows.text(2)});
    return products;
}

QStringList ProductCatalogue::texts() const
{
    QStringList texts;
    for (const Product &product : inTableOrder())
        texts.append(product.text);
    return texts;
}

bool ProductCatalogue::contains(const QString &text) const
{
    return m_db
        .query(QStringLiteral("select \"id\" from \"PRODUCT_NAME\" where \"items\" = ?"), {text})
        .next();
}

std::optional<QString> ProductCatalogue::priceOf(const QString &text) const
{
    std::optional<QString> price;
    Database::Rows rows = m_db.query(
        QStringLiteral(
            "select \"id\",\"items\",\"price\" from \"PRODUCT_NAME\" where \"items\" = ? "
            "order by \"id\""),
        {text});
    while (rows.next())
        price = rows.text(2);
    return price;
}

void ProductCatalogue::add(const QString &text, const QString &price)
{
    m_db.exec(QStringLiteral("insert into \"PRODUCT_NAME\" (\"items\",\"price\") values (?,?)"),
              {text, price});
}

void ProductCatalogue::change(qint64 id, const QString &text, const QString &price)
{
    m_db.exec(
        QStringLiteral("update \"PRODUCT_NAME\" set \"items\" = ?, \"price\" = ? where \"id\" = ?"),
        {text, price, id});
}

void ProductCatalogue::remove(const QList<qint64> &ids)
{
    Transaction transaction(m_db);
    for (qint64 id : ids)
        m_db.exec(QStringLiteral("delete from \"PRODUCT_NAME\" where \"id\" = ?"), {id});
    transaction.commit();
}

void ProductCatalogue::replaceAll(const QList<Product> &products)
{
    Transaction transaction(m_db);
    m_db.exec(QStringLiteral("delete from \"PRODUCT_NAME\""));
    for (const Product &product : products)
        add(product.text, product.price);
    transaction.commit();
}

void ProductCatalogue::setPrice(const QString &text, const QString &price)
{
    m_db.exec(QStringLiteral("update \"PRODUCT_NAME\" set \"price\" = ? where \"items\" = ?"),
              {price, text});
}
