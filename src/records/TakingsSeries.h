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
    // An hour (or a day: HOUR unused) as read from the engine.
    struct Step
    {
        qint64 day = 0; // Julian day
        int hour = 0;
        int sales = 0;
        double takings = 0;
    };

    static bool readHour(const QString &text, Step &step);
    // Per day from hours in time order.
    static QList<Step> byDay(const QList<Step> &hours);
    // The points from the first step to the last, the empty hours or days
    // between them with nothing taken.
    static QList<Point> pointsOf(const QList<Step> &steps, Unit unit);
};
