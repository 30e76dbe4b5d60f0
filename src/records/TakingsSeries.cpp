#include "records/TakingsSeries.h"

#include "data/Database.h"
#include "records/QueryStatement.h"
#include "records/RecordValue.h"

#include <algorithm>
#include <cmath>

namespace {

QDateTime next(const QDateTime &start, TakingsSeries::Unit unit)
{
    return unit == TakingsSeries::Unit::Hour ? start.addSecs(3600) : start.addDays(1);
}

} // namespace

double TakingsSeries::mostTaken() const
{
    double most = 0;
    for (const Point &point : points)
        most = std::max(most, point.takings);
    return most;
}

int TakingsSeries::mostSales() const
{
    int most = 0;
    for (const Point &point : points)
        most = std::max(most, point.sales);
    return most;
}

TakingsSeries TakingsSeries::of(Database &db, const QueryStatement &statement)
{
    // "YYYY-MM-DD HH" of the stored time: the hour a sale belongs to.
    const QString hour = QStringLiteral("substr(\"date\", 1, 13)");
    Database::Rows rows = db.query(QStringLiteral("select %1, count(*), sum(\"money\") from "
                                                  "\"POS_RECORD\" %2 group by %1 order by 1")
                                       .arg(hour, statement.filter),
                                   statement.values);
    QList<Point> hours;
    while (rows.next()) {
        const QDateTime start =
            QDateTime::fromString(rows.text(0), QStringLiteral("yyyy-MM-dd HH"));
        if (!start.isValid())
            continue; // a time that is not one: no place on the chart
        const double money = RecordValue::number(rows.value(2));
        hours.append({start, rows.value(1).toInt(), std::isnan(money) ? 0 : money});
    }

    TakingsSeries series;
    const bool oneDay = !hours.isEmpty() && hours.first().start.date() == hours.last().start.date();
    series.unit = oneDay ? Unit::Hour : Unit::Day;
    series.points = withGaps(oneDay ? hours : byDay(hours), series.unit);
    return series;
}

QList<TakingsSeries::Point> TakingsSeries::byDay(const QList<Point> &hours)
{
    QList<Point> days;
    for (const Point &hour : hours) {
        const QDateTime day(hour.start.date(), QTime(0, 0));
        if (days.isEmpty() || days.last().start != day)
            days.append({day, 0, 0});
        days.last().sales += hour.sales;
        days.last().takings += hour.takings;
    }
    return days;
}

QList<TakingsSeries::Point> TakingsSeries::withGaps(const QList<Point> &points, Unit unit)
{
    QList<Point> filled;
    for (const Point &point : points) {
        while (!filled.isEmpty() && next(filled.last().start, unit) < point.start)
            filled.append({next(filled.last().start, unit), 0, 0});
        filled.append(point);
    }
    return filled;
}
