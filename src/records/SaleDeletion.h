#pragma once

#include <QList>
#include <QString>

class Database;

// Deleting stored sales: the header rows (by id) and their lines, all chosen
// sales in one transaction, so a failure leaves every sale whole. Lines go
// only when no other stored sale carries the same receipt number. Throws
// DatabaseError.
class SaleDeletion
{
public:
    struct Sale
    {
        qint64 id = 0;
        QString number;
    };

    static void remove(Database &db, const QList<Sale> &sales);

    static QString oneQuestion(const QString &number);
    static QString severalQuestion();
    static QString caption() { return QStringLiteral("注意"); }
};
