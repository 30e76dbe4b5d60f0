#include "cli/ReportText.h"

#include "core/NumberText.h"
#include "records/DayReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

namespace {

QString money(double value)
{
    return NumberText::money(value);
}

QString shareName(const QString &name)
{
    return name.trimmed().isEmpty() ? QStringLiteral("（未填）") : name;
}

// A CSV field: quoted when it holds a comma, a quote or a line break.
QString field(const QString &text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n'))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QJsonArray sharesJson(const QList<DayReport::Share> &shares, const QString &key)
{
    QJsonArray array;
    for (const DayReport::Share &share : shares)
        array.append(QJsonObject{{key, share.name},
                                 {QStringLiteral("sales"), share.sales},
                                 {QStringLiteral("takings"), money(share.takings).toDouble()}});
    return array;
}

} // namespace

bool ReportText::formatNamed(const QString &name, Format &format)
{
    if (name == QLatin1String("text"))
        format = Format::Text;
    else if (name == QLatin1String("csv"))
        format = Format::Csv;
    else if (name == QLatin1String("json"))
        format = Format::Json;
    else
        return false;
    return true;
}

QString ReportText::write(const DayReport &report, const QString &period, Format format)
{
    switch (format) {
    case Format::Text:
        return text(report, period);
    case Format::Csv:
        return csv(report);
    case Format::Json:
        return json(report, period);
    }
    return {};
}

QString ReportText::text(const DayReport &r, const QString &period)
{
    QStringList lines{QStringLiteral("日结：%1").arg(period)};
    if (r.isEmpty()) {
        lines << QStringLiteral("这段时间没有销售记录。");
        return lines.join(u'\n');
    }
    lines << QStringLiteral("销售单数：%1").arg(r.sales)
          << QStringLiteral("销售数量：%1").arg(NumberText::quantity(r.items))
          << QStringLiteral("营业金额：%1").arg(money(r.takings))
          << QStringLiteral("折扣让利：%1").arg(money(r.discounts))
          << QStringLiteral("首单：%1 %2").arg(r.firstNumber, r.firstTime)
          << QStringLiteral("末单：%1 %2").arg(r.lastNumber, r.lastTime);
    const auto section = [&lines](const QString &title, const QList<DayReport::Share> &shares,
                                  const QString &suffix) {
        lines << title;
        for (const DayReport::Share &share : shares)
            lines << QStringLiteral("  %1%2  %3单 %4")
                         .arg(shareName(share.name), suffix)
                         .arg(share.sales)
                         .arg(money(share.takings));
    };
    section(QStringLiteral("按付款方式"), r.byPayment, {});
    section(QStringLiteral("按收银员"), r.byCashier, {});
    section(QStringLiteral("按小时"), r.byHour, QStringLiteral("时"));
    return lines.join(u'\n');
}

QString ReportText::csv(const DayReport &r)
{
    QStringList lines{QStringLiteral("section,name,sales,items,takings,discounts")};
    lines << QStringLiteral("total,,%1,%2,%3,%4")
                 .arg(r.sales)
                 .arg(NumberText::quantity(r.items), money(r.takings), money(r.discounts));
    const auto section = [&lines](const QString &name, const QList<DayReport::Share> &shares) {
        for (const DayReport::Share &share : shares)
            lines << QStringLiteral("%1,%2,%3,,%4,")
                         .arg(name, field(share.name))
                         .arg(share.sales)
                         .arg(money(share.takings));
    };
    section(QStringLiteral("payment"), r.byPayment);
    section(QStringLiteral("cashier"), r.byCashier);
    section(QStringLiteral("hour"), r.byHour);
    return lines.join(u'\n');
}

QString ReportText::json(const DayReport &r, const QString &period)
{
    const auto sale = [](const QString &number, const QString &time) {
        return number.isEmpty() && time.isEmpty()
                   ? QJsonValue()
                   : QJsonValue(QJsonObject{{QStringLiteral("number"), number},
                                            {QStringLiteral("time"), time}});
    };
    const QJsonObject object{
        {QStringLiteral("period"), period},
        {QStringLiteral("sales"), r.sales},
        {QStringLiteral("items"), r.items},
        {QStringLiteral("takings"), money(r.takings).toDouble()},
        {QStringLiteral("discounts"), money(r.discounts).toDouble()},
        {QStringLiteral("first"), sale(r.firstNumber, r.firstTime)},
        {QStringLiteral("last"), sale(r.lastNumber, r.lastTime)},
        {QStringLiteral("byPayment"), sharesJson(r.byPayment, QStringLiteral("payment"))},
        {QStringLiteral("byCashier"), sharesJson(r.byCashier, QStringLiteral("cashier"))},
        {QStringLiteral("byHour"), sharesJson(r.byHour, QStringLiteral("hour"))}};
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented)).trimmed();
}
