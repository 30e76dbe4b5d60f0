#pragma once

#include "settings/Customer.h"

#include <QList>
#include <QString>

class Database;

// The customers of the settings database (table SALER) on an open connection.
// Every statement throws DatabaseError when the database refuses it.
class CustomerBook
{
public:
    // The texts of the customer dialog's search area; empty texts match everyone.
    struct Search
    {
        QString name;
        QString phone;
    };

    explicit CustomerBook(Database &db) : m_db(db) {}

    // Every customer in the order they were added.
    QList<Customer> all() const;
    // The customers whose name contains SEARCH.name and whose telephone contains SEARCH.phone.
    QList<Customer> find(const Search &search) const;

    // Whether any row of the table, shown or not, has exactly this name.
    bool contains(const QString &name) const;

    void add(const QString &name, const QString &phone);
    void change(qint64 id, const QString &name, const QString &phone);
    void remove(qint64 id);

    // A name of nothing but blanks counts as no name.
    static bool isBlank(const QString &text) { return text.trimmed().isEmpty(); }

private:
    QList<Customer> select(const QString &condition, const QVariantList &values) const;

    Database &m_db;
};
