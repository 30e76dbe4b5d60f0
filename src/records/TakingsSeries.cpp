#include "records/TakingsSeries.h"

#include "data/Database.h"
#include "records/QueryStatement.h"
#include "records/RecordValue.h"

#include <algorithm>
#include <cmath>

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
    // Days and hours are kept as plain numbers until the points are made: a
    // year of sales is thousands of hours, and local date-times are slow.
    QList<Step> hours;
    while (rows.next()) {
        Step step;
        if (!readHour(rows.text(0), step))
            continue; // a time that is not one: no place on the chart
        const double money = RecordValue::number(rows.value(2));
        step.sales = rows.value(1).toInt();
        step.takings = std::isnan(money) ? 0 : money;
        hours.append(step);
    }

    TakingsSeries series;
    const bool oneDay = !hours.isEmpty() && hours.first().day == hours.last().day;
    series.unit = oneDay ? Unit::Hour : Unit::Day;
    series.points = pointsOf(oneDay ? hours : byDay(hours), series.unit);
    return series;
}

// "YYYY-MM-DD HH" read by its positions; false for anything else.
bool TakingsSeries::readHour(const QString &text, Step &step)
{
    if (text.size() != 13 || text[4] != u'-' || text[7] != u'-' || text[10] != u' ')
        return false;
    const QStringView view(text);
    bool ok[4] = {};
    const QDate day(view.mid(0, 4).toInt(&ok[0]), view.mid(5, 2).toInt(&ok[1]),
                    view.mid(8, 2).toInt(&ok[2]));
    step.hour = view.mid(11, 2).toInt(&ok[3]);
    step.day = day.toJulianDay();
    return ok[0] && ok[1] && ok[2] && ok[3] && day.isValid() && step.hour >= 0 && step.hour <= 23;
}

QList<TakingsSeries::Step> TakingsSeries::byDay(const QList<Step> &hours)
{
    QList<Step> days;
    for (const Step &hour : hours) {
        if (days.isEmpty() || days.last().day != hour.day)
            days.append({hour.day, 0, 0, 0});
        days.last().sales += hour.sales;
        days.last().takings += hour.takings;
    }
    return days;
}

QList<TakingsSeries::Point> TakingsSeries::pointsOf(const QList<Step> &steps, Unit unit)
{
    QList<Point> points;
    if (steps.isEmpty())
        return points;
    // Each step's place counted from the first, so the empty ones between show.
    auto place = [unit](const Step &step) { return unit == Unit::Hour ? step.hour : step.day; };
    const qint64 first = place(steps.first());
    const qint64 count = place(steps.last()) - first + 1;
    const QDate firstDay = QDate::fromJulianDay(steps.first().day);
    for (qint64 i = 0; i < count; ++i) {
        const QDateTime start = unit == Unit::Hour
                                    ? QDateTime(firstDay, QTime(int(first + i), 0))
                                    : QDateTime(QDate::fromJulianDay(first + i), QTime(0, 0));
        points.append({start, 0, 0});
    }
    for (const Step &step : steps) {
        Point &point = points[place(step) - first];
        point.sales = step.sales;
        point.takings = step.takings;
    }
    return points;
}
