#pragma once

#include "settings/PaymentMethod.h"

#include <QList>
#include <QString>
#include <QStringList>

class Database;

// The payment methods of the settings database (table AUTO_NUM, column
// standby1) on an open connection. Statements throw DatabaseError.
class PaymentMethods
{
public:
    explicit PaymentMethods(Database &db) : m_db(db) {}

    // Every row in the order they were added, empty methods included.
    QList<PaymentMethod> all() const;
    QStringList texts() const;
    // Whether any row holds exactly this text.
    bool contains(const QString &text) const;

    void add(const QString &text);
    void change(qint64 id, const QString &text);
    void remove(qint64 id);

    // The entries of the sales window's payment-method box. A table of exactly
    // one row without a method (as delivered) is given the default method
    // first, so a fresh till offers "现金" at once. An empty table stays empty.
    QStringList loadWithDefault();

    static QString defaultMethod() { return QStringLiteral("现金"); }
    static bool isBlank(const QString &text) { return text.trimmed().isEmpty(); }

private:
    Database &m_db;
};
