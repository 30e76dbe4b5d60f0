#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

class Database;
struct QueryStatement;

// The takings of the sales a query lists, as the chart shows them: per hour
// when they all fall on one day, per day otherwise. Hours or days without a
// sale between the first and the last one are there with nothing taken. The
// engine sums the sales of each hour; a year of sales is a few thousand rows.
class TakingsSeries
{
public:
    enum class Unit
    {
        Hour,
        Day
    };

    struct Point
    {
        QDateTime start; // the hour or the day
        int sales = 0;
        double takings = 0;
    };

    Unit unit = Unit::Day;
    QList<Point> points;

    bool isEmpty() const { return points.isEmpty(); }
    double mostTaken() const;
    int mostSales() const;

    // Throws DatabaseError.
    static TakingsSeries of(Database &db, const QueryStatement &statement);

private:
    // Per day from hourly POINTS (in time order).
    static QList<Point> byDay(const QList<Point> &hours);
    // POINTS with the empty hours or days between them.
    static QList<Point> withGaps(const QList<Point> &points, Unit unit);
};
