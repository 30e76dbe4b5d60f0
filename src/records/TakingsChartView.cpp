#include "records/TakingsChartView.h"

#include "core/NumberText.h"

#include <QChart>
#include <QCursor>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {

const QColor chartColour(135, 215, 215);
const QColor takingsColour(205, 0, 0);
const QColor salesColour(0, 0, 255);

// A round top for an axis: a little above the highest value, never 0.
double axisTop(double most)
{
    return most <= 0 ? 1 : most * 1.1;
}

} // namespace

TakingsChartView::TakingsChartView(QWidget *parent)
    : QChartView(parent), m_takings(new QLineSeries), m_sales(new QLineSeries),
      m_time(new QDateTimeAxis), m_money(new QValueAxis), m_count(new QValueAxis)
{
    setRenderHint(QPainter::Antialiasing);
    auto *chart = new QChart;
    chart->setBackgroundBrush(chartColour);
    chart->legend()->setAlignment(Qt::AlignBottom);

    m_takings->setName(QStringLiteral("营业金额（元）"));
    m_takings->setPen(QPen(takingsColour, 2));
    m_takings->setPointsVisible(true);
    m_sales->setName(QStringLiteral("销售单数"));
    m_sales->setPen(QPen(salesColour, 1, Qt::DashLine));
    m_sales->setPointsVisible(true);
    chart->addSeries(m_takings);
    chart->addSeries(m_sales);

    m_money->setTitleText(QStringLiteral("金额（元）"));
    m_money->setLabelFormat(QStringLiteral("%.2f"));
    m_count->setTitleText(QStringLiteral("单数"));
    m_count->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(m_time, Qt::AlignBottom);
    chart->addAxis(m_money, Qt::AlignLeft);
    chart->addAxis(m_count, Qt::AlignRight);
    m_takings->attachAxis(m_time);
    m_takings->attachAxis(m_money);
    m_sales->attachAxis(m_time);
    m_sales->attachAxis(m_count);
    // The view's own first chart is released, not deleted, when it is replaced.
    QChart *first = this->chart();
    setChart(chart);
    delete first;

    connect(m_takings, &QLineSeries::hovered, this, &TakingsChartView::hovered);
    connect(m_sales, &QLineSeries::hovered, this, &TakingsChartView::hovered);
}

TakingsChartView::~TakingsChartView()
{
    delete chart();
}

void TakingsChartView::showSeries(const TakingsSeries &series)
{
    m_series = series;
    QList<QPointF> takings;
    QList<QPointF> sales;
    for (const TakingsSeries::Point &point : series.points) {
        const qreal x = qreal(point.start.toMSecsSinceEpoch());
        takings.append({x, point.takings});
        sales.append({x, qreal(point.sales)});
    }
    m_takings->replace(takings);
    m_sales->replace(sales);

    const bool hours = series.unit == TakingsSeries::Unit::Hour;
    if (series.isEmpty()) {
        chart()->setTitle(QStringLiteral("所查时段内没有销售记录"));
    } else if (hours) {
        chart()->setTitle(QStringLiteral("%1 每小时营业额")
                              .arg(series.points.first().start.toString(u"yyyy-MM-dd")));
    } else {
        chart()->setTitle(QStringLiteral("%1 至 %2 每日营业额")
                              .arg(series.points.first().start.toString(u"yyyy-MM-dd"),
                                   series.points.last().start.toString(u"yyyy-MM-dd")));
    }
    m_time->setTitleText(hours ? QStringLiteral("时间") : QStringLiteral("日期"));
    m_time->setFormat(hours ? QStringLiteral("H时") : QStringLiteral("MM-dd"));
    const int points = int(series.points.size());
    m_time->setTickCount(std::clamp(points, 2, hours ? 13 : 10));
    if (!series.isEmpty()) {
        // A single point gets room on both sides.
        const QDateTime first = series.points.first().start;
        const QDateTime last = series.points.last().start;
        const qint64 pad = points == 1 ? (hours ? 1800 : 43200) : 0;
        m_time->setRange(first.addSecs(-pad), last.addSecs(pad));
    }
    m_money->setRange(0, axisTop(series.mostTaken()));
    m_money->applyNiceNumbers();
    m_count->setRange(0, std::max(1, int(axisTop(series.mostSales()) + 0.999)));
    m_count->applyNiceNumbers();
}

QString TakingsChartView::periodText(const QDateTime &start) const
{
    if (m_series.unit == TakingsSeries::Unit::Hour)
        return QStringLiteral("%1 %2:00-%2:59")
            .arg(start.toString(u"yyyy-MM-dd"))
            .arg(start.time().hour(), 2, 10, QLatin1Char('0'));
    return start.toString(u"yyyy-MM-dd");
}

QString TakingsChartView::pointText(int index) const
{
    if (index < 0 || index >= m_series.points.size())
        return QString();
    const TakingsSeries::Point &point = m_series.points.at(index);
    return QStringLiteral("%1\n营业金额：%2\n销售单数：%3")
        .arg(periodText(point.start), NumberText::money(point.takings))
        .arg(point.sales);
}

void TakingsChartView::hovered(const QPointF &point, bool state)
{
    if (!state || m_series.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    // The point nearest in time to where the mouse is.
    int nearest = 0;
    qint64 distance = std::numeric_limits<qint64>::max();
    for (int i = 0; i < m_series.points.size(); ++i) {
        const qint64 d =
            std::abs(m_series.points.at(i).start.toMSecsSinceEpoch() - qint64(point.x()));
        if (d < distance) {
            distance = d;
            nearest = i;
        }
    }
    QToolTip::showText(QCursor::pos(), pointText(nearest), this);
}
