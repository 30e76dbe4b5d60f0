#include "sales/SalesCatalogue.h"

#include "data/Database.h"

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
    return column(settings, QStringLiteral("select * from \"USER\""), 1);
}

QList<QPair<QString, QString>> SalesCatalogue::customers(Database &settings)
{
    QList<QPair<QString, QString>> customers;
    Database::Rows rows = settings.query(QStringLiteral("select * from \"SALER\""));
    while (rows.next())
        customers.append({rows.text(1), rows.text(2)});
    return customers;
}

QStringList SalesCatalogue::paymentMethods(Database &settings)
{
    const QStringList methods = column(settings, QStringLiteral("select * from \"AUTO_NUM\""), 2);
    if (methods.size() == 1 && methods.first().isEmpty()) {
        settings.exec(QStringLiteral("update \"AUTO_NUM\" set \"standby1\" = ? where \"num\" = ?"),
                      {cashPayment(), QStringLiteral("1")});
        return {cashPayment()};
    }
    return methods;
}

QStringList SalesCatalogue::products(Database &settings)
{
    return column(settings, QStringLiteral("select * from \"PRODUCT_NAME\""), 1);
}

std::optional<QString> SalesCatalogue::priceOf(Database &settings, const QString &product)
{
    std::optional<QString> price;
    Database::Rows rows = settings.query(
        QStringLiteral("select * from \"PRODUCT_NAME\" where \"items\" = ?"), {product});
    while (rows.next())
        price = rows.text(2);
    return price;
}

std::optional<QString> SalesCatalogue::phoneOf(Database &settings, const QString &customer)
{
    Database::Rows rows =
        settings.query(QStringLiteral("select * from \"SALER\" where \"items\" = ?"), {customer});
    if (rows.next())
        return rows.text(2);
    return std::nullopt;
}

std::optional<QString> SalesCatalogue::customerOf(Database &settings, const QString &phone)
{
    Database::Rows rows =
        settings.query(QStringLiteral("select * from \"SALER\" where \"standby\" = ?"), {phone});
    if (rows.next())
        return rows.text(1);
    return std::nullopt;
}

void SalesCatalogue::rememberProduct(Database &settings, QStringList &products, const QString &name,
                                     const QString &price)
{
    if (products.contains(name, Qt::CaseSensitive)) {
        settings.exec(
            QStringLiteral("update \"PRODUCT_NAME\" set \"price\" = ? where \"items\" = ?"),
            {price, name});
        return;
    }
    settings.exec(QStringLiteral("insert into \"PRODUCT_NAME\" (\"items\",\"price\") values (?,?)"),
                  {name, price});
    products.append(name);
}
