#pragma once

#include <QList>
#include <QString>

class Database;
struct QueryStatement;

// The owner's day-end figures over the sales a query lists: how many sales
// and items, the takings, the discounts given, the first and the last sale,
// and the takings by payment method and by cashier. Every figure is summed by
// the engine; the query window's report and the command line's report show
// the same values.
class DayReport
{
public:
    // The sales of one payment method or one cashier (empty name: not given).
    struct Share
    {
        QString name;
        int sales = 0;
        double takings = 0;
    };

    int sales = 0;
    double items = 0;     // the sales' quantities ("number")
    double takings = 0;   // the sales' amounts ("money")
    double discounts = 0; // over the lines: amount less discounted amount
    QString firstNumber;
    QString firstTime;
    QString lastNumber;
    QString lastTime;
    QList<Share> byPayment; // most takings first
    QList<Share> byCashier;
    QList<Share> byHour; // hour of the day ("09"), in hour order; filled by addHours()

    bool isEmpty() const { return sales == 0; }

    // The figures over the sales STATEMENT (of QueryBuilder) selects. NULL
    // amounts count 0; a line without a discounted amount gave no discount.
    // Throws DatabaseError.
    static DayReport of(Database &db, const QueryStatement &statement);

    // The sales and takings of each hour of the day over the sales STATEMENT
    // selects (a month's sales from 9 to 10 o'clock count in "09"); hours
    // without a sale are left out. Throws DatabaseError.
    void addHours(Database &db, const QueryStatement &statement);

private:
    static QList<Share> shares(Database &db, const QueryStatement &statement, const QString &column,
                               const QString &order);
    static void firstAndLast(Database &db, const QueryStatement &statement, DayReport &report);
};
