#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <optional>

class Database;
class TillProducts;
struct Product;

// The lists and look-ups the sales window reads from the settings database:
// cashiers, customers and their phones, payment methods, remembered products,
// each asked of the table's owner. Every function throws DatabaseError.
class SalesCatalogue
{
public:
    static QStringList cashiers(Database &settings);
    // Name and phone of every customer, in table order.
    static QList<QPair<QString, QString>> customers(Database &settings);
    // A table holding only its empty seed row is given "现金".
    static QStringList paymentMethods(Database &settings);
    static QStringList products(Database &settings);
    // The products with their prices, in table order: what the sales window holds.
    static QList<Product> productRows(Database &settings);

    // The price of a remembered product (the last matching row); none when unknown.
    static std::optional<QString> priceOf(Database &settings, const QString &product);

    // Remembering a product: updates the price of a product in PRODUCTS (compared
    // exactly), or adds the product to the table and to PRODUCTS.
    static void rememberProduct(Database &settings, TillProducts &products, const QString &name,
                                const QString &price);
};
