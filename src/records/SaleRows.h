#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <vector>

class Database;
struct QueryStatement;

// The sales a query found, kept compactly: the texts of all sales as UTF-8 in
// one block, amounts and quantities as doubles (NaN where the column is NULL).
// A hundred thousand sales fill it in about the time the engine takes to
// hand them over; display texts are made only for the cells painted.
class SaleRows
{
public:
    enum Field
    {
        Number, // "NO"
        Date,
        Cashier,  // "saler"
        Remark,   // "standby1"
        Customer, // "standby2"
        Phone,    // "standby3"
        Payment,  // "standby4"
        FieldCount
    };

    // Runs STATEMENT (columns as QueryBuilder::sales gives them) and keeps
    // its rows in place of the present ones. Throws DatabaseError.
    void fetch(Database &db, const QueryStatement &statement);
    void clear();

    int size() const { return int(m_sales.size()); }
    qint64 id(int sale) const { return m_sales[sale].id; }
    double money(int sale) const { return m_sales[sale].money; }
    double quantity(int sale) const { return m_sales[sale].quantity; }
    QByteArrayView bytes(int sale, Field field) const;
    QString text(int sale, Field field) const;

    // Marks a sale as gone; it no longer counts anywhere.
    void remove(int sale) { m_sales[sale].removed = true; }

    // Money and quantity over the sales not removed (NULL counts 0).
    double totalMoney() const;
    double totalQuantity() const;

    void append(qint64 id, double money, double quantity,
                const std::array<QByteArrayView, FieldCount> &texts);
    // The sale's values after it was edited; its old texts stay unused in the block.
    void update(int sale, double money, double quantity,
                const std::array<QString, FieldCount> &texts);

private:
    struct Sale
    {
        qint64 id = 0;
        double money = 0;
        double quantity = 0;
        std::array<quint32, FieldCount + 1> offsets{};
        bool removed = false;
    };

    std::vector<Sale> m_sales;
    QByteArray m_texts;
};
