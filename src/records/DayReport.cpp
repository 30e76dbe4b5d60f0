#include "records/DayReport.h"

#include "data/Database.h"
#include "records/QueryStatement.h"
#include "records/RecordValue.h"

#include <cmath>

namespace {

QString salesWhere(const QueryStatement &statement)
{
    return QStringLiteral(" from \"POS_RECORD\" ") + statement.filter;
}

double orZero(const QVariant &value)
{
    const double number = RecordValue::number(value);
    return std::isnan(number) ? 0 : number;
}

} // namespace

DayReport DayReport::of(Database &db, const QueryStatement &statement)
{
    DayReport report;
    Database::Rows totals = db.query(
        QStringLiteral("select count(*), sum(\"number\"), sum(\"money\")") + salesWhere(statement),
        statement.values);
    if (totals.next()) {
        report.sales = totals.value(0).toInt();
        report.items = orZero(totals.value(1));
        report.takings = orZero(totals.value(2));
    }
    if (report.isEmpty())
        return report;
    Database::Rows discounts = db.query(
        QStringLiteral("select sum(coalesce(\"money\", 0) - coalesce(\"standby1\", \"money\", 0)) "
                       "from \"POS_RECORD_DETAIL\" where \"NO\" in (select \"NO\"") +
            salesWhere(statement) + u')',
        statement.values);
    if (discounts.next())
        report.discounts = orZero(discounts.value(0));
    firstAndLast(db, statement, report);
    const QString mostTakenFirst = QStringLiteral("3 desc, 1");
    report.byPayment = shares(db, statement, QStringLiteral("\"standby4\""), mostTakenFirst);
    report.byCashier = shares(db, statement, QStringLiteral("\"saler\""), mostTakenFirst);
    return report;
}

QList<DayReport::Share> DayReport::shares(Database &db, const QueryStatement &statement,
                                          const QString &column, const QString &order)
{
    const QString name = QStringLiteral("coalesce(%1, '')").arg(column);
    Database::Rows rows = db.query(QStringLiteral("select %1, count(*), sum(\"money\")").arg(name) +
                                       salesWhere(statement) +
                                       QStringLiteral(" group by %1 order by %2").arg(name, order),
                                   statement.values);
    QList<Share> result;
    while (rows.next())
        result.append({rows.text(0), rows.value(1).toInt(), orZero(rows.value(2))});
    return result;
}

void DayReport::addHours(Database &db, const QueryStatement &statement)
{
    // "HH" of the stored time "YYYY-MM-DD HH:MM:SS".
    byHour = shares(db, statement, QStringLiteral("substr(\"date\", 12, 2)"), QStringLiteral("1"));
}

// By time, and among sales of the same second by the order they were stored.
void DayReport::firstAndLast(Database &db, const QueryStatement &statement, DayReport &report)
{
    const QString select = QStringLiteral("select \"NO\", \"date\"") + salesWhere(statement);
    Database::Rows first =
        db.query(select + QStringLiteral(" order by coalesce(\"date\", ''), \"id\" limit 1"),
                 statement.values);
    if (first.next()) {
        report.firstNumber = first.text(0);
        report.firstTime = first.text(1);
    }
    Database::Rows last = db.query(
        select + QStringLiteral(" order by coalesce(\"date\", '') desc, \"id\" desc limit 1"),
        statement.values);
    if (last.next()) {
        report.lastNumber = last.text(0);
        report.lastTime = last.text(1);
    }
}
