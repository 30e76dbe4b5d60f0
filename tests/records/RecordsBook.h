#pragma once
// Stored sales written straight into a test's records file.
#include "data/Database.h"

#include <QVariant>

struct StoredLine
{
    QString name;
    QVariant num;
    QVariant price;
    QVariant money;
    QVariant discounted;
};

inline void storeSale(Database &db, const QVariantList &header, const QList<StoredLine> &lines = {})
{
    db.exec(QStringLiteral("insert into \"POS_RECORD\" (\"NO\", \"date\", \"money\", \"saler\", "
                           "\"number\", \"standby1\", \"standby2\", \"standby3\", \"standby4\") "
                           "values (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            header);
    for (const StoredLine &line : lines)
        db.exec(QStringLiteral("insert into \"POS_RECORD_DETAIL\" values (?, ?, ?, ?, ?, ?)"),
                {header[0], line.name, line.num, line.price, line.money, line.discounted});
}

inline int countRows(Database &db, const QString &table, const QString &number)
{
    return db
        .scalar(QStringLiteral("select count(*) from \"%1\" where \"NO\" = ?").arg(table), {number})
        .toInt();
}
