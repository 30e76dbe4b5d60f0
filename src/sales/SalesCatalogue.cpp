#include "sales/SalesCatalogue.h"

#include "sales/TillProducts.h"

#include "controls/TextOrder.h"
#include "data/Database.h"
#include "settings/CustomerBook.h"
#include "settings/PaymentMethods.h"
#include "settings/ProductCatalogue.h"

namespace {

QStringList column(Database &db, const QString &sql, int index)
{
    QStringList texts;
    Database::Rows rows = db.query(sql);
    while (rows.next())
        texts.append(rows.text(index));
    return texts;
}

} // namespace

QStringList SalesCatalogue::cashiers(Database &settings)
{
    QStringList names = column(
        settings,
        QStringLiteral("select \"id\",\"name\",\"code\",\"power\" from \"USER\" order by \"id\""),
        1);
    TextOrder().sort(names); // the same order as the login list
    return names;
}

QList<QPair<QString, QString>> SalesCatalogue::customers(Database &settings)
{
    QList<QPair<QString, QString>> customers;
    for (const Customer &customer : CustomerBook(settings).all())
        customers.append({customer.name, customer.phone});
    return customers;
}

QStringList SalesCatalogue::paymentMethods(Database &settings)
{
    return PaymentMethods(settings).loadWithDefault();
}

QStringList SalesCatalogue::products(Database &settings)
{
    return ProductCatalogue(settings).texts();
}

QList<Product> SalesCatalogue::productRows(Database &settings)
{
    QList<Product> products;
    Database::Rows rows = settings.query(
        QStringLiteral("select \"id\",\"items\",\"price\" from \"PRODUCT_NAME\" order by \"id\""));
    while (rows.next())
        products.append({rows.text(0).toLongLong(), rows.text(1), rows.text(2)});
    return products;
}

std::optional<QString> SalesCatalogue::priceOf(Database &settings, const QString &product)
{
    return ProductCatalogue(settings).priceOf(product);
}

std::optional<QString> SalesCatalogue::phoneOf(Database &settings, const QString &customer)
{
    Database::Rows rows = settings.query(
        QStringLiteral("select \"id\",\"items\",\"standby\" from \"SALER\" where \"items\" = ?"),
        {customer});
    if (rows.next())
        return rows.text(2);
    return std::nullopt;
}

std::optional<QString> SalesCatalogue::customerOf(Database &settings, const QString &phone)
{
    Database::Rows rows = settings.query(
        QStringLiteral("select \"id\",\"items\",\"standby\" from \"SALER\" where \"standby\" = ?"),
        {phone});
    if (rows.next())
        return rows.text(1);
    return std::nullopt;
}

void SalesCatalogue::rememberProduct(Database &settings, TillProducts &products,
                                     const QString &name, const QString &price)
{
    ProductCatalogue catalogue(settings);
    if (products.contains(name))
        catalogue.setPrice(name, price);
    else
        catalogue.add(name, price);
    products.remember(name, price);
}
