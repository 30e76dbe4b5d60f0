#pragma once

#include "records/TakingsSeries.h"

#include <QChartView>

class QDateTimeAxis;
class QLineSeries;
class QValueAxis;

// The takings of the sales the query window lists, as a chart in place of
// the lists: money taken (left axis) and the number of sales (right axis)
// per hour of a single day or per day of a longer query. Pointing at a
// point names its hour or day, the money taken and the sales.
class TakingsChartView : public QChartView
{
    Q_OBJECT

public:
    explicit TakingsChartView(QWidget *parent = nullptr);
    // Deletes the chart with the view.
    ~TakingsChartView() override;

    void showSeries(const TakingsSeries &series);
    const TakingsSeries &series() const { return m_series; }

    QLineSeries *takingsLine() const { return m_takings; }
    QLineSeries *salesLine() const { return m_sales; }
    QDateTimeAxis *timeAxis() const { return m_time; }

    // What the tooltip says at point INDEX.
    QString pointText(int index) const;
    QString periodText(const QDateTime &start) const;

private:
    void hovered(const QPointF &point, bool state);

    TakingsSeries m_series;
    QLineSeries *m_takings;
    QLineSeries *m_sales;
    QDateTimeAxis *m_time;
    QValueAxis *m_money;
    QValueAxis *m_count;
};
