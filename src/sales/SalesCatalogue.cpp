#include "sales/SalesCatalogue.h"

#include "sales/TillProducts.h"

#include "controls/TextOrder.h"
#include "settings/CustomerBook.h"
#include "settings/PaymentMethods.h"
#include "settings/ProductCatalogue.h"
#include "users/UserAccounts.h"

QStringList SalesCatalogue::cashiers(Database &settings)
{
    QStringList names;
    for (const UserAccount &account : UserAccounts(settings).all())
        names.append(account.name);
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
    return ProductCatalogue(settings).inTableOrder();
}

std::optional<QString> SalesCatalogue::priceOf(Database &settings, const QString &product)
{
    return ProductCatalogue(settings).priceOf(product);
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
