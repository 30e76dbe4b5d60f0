#pragma once

#include "settings/Product.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class Database;

// The remembered products (table PRODUCT_NAME of the settings database) on an
// open connection. Rows are changed and deleted by their id, so two rows that
// came to hold the same product text are never changed together. Every
// statement throws DatabaseError when the database refuses it.
class ProductCatalogue
{
public:
    explicit ProductCatalogue(Database &db) : m_db(db) {}

    // Ordered by product text, as the product page lists them.
    QList<Product> all() const;
    // In table order, as the sales window offers them.
    QList<Product> inTableOrder() const;
    QStringList texts() const;
    bool contains(const QString &text) const;
    // The price of the last row with this product text.
    std::optional<QString> priceOf(const QString &text) const;

    void add(const QString &text, const QString &price);
    void change(qint64 id, const QString &text, const QString &price);
    void remove(const QList<qint64> &ids);
    // The whole catalogue becomes PRODUCTS, in one transaction.
    void replaceAll(const QList<Product> &products);
    // Sets the price of every row with this product text.
    void setPrice(const QString &text, const QString &price);

private:
    Database &m_db;
};
