#pragma once

#include <QString>

// One remembered product of PRODUCT_NAME: the product text (the name, or the
// code, "-" and the name) and its unit price as text.
struct Product
{
    qint64 id = 0;
    QString text;
    QString price;

    // The code is everything before the first "-", the name everything after
    // it; a text without "-" is all name.
    QString code() const;
    QString name() const;
    static QString join(const QString &code, const QString &name);

    bool operator==(const Product &other) const = default;
};
