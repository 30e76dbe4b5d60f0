#include "cli/CliPeriod.h"

#include "core/Clock.h"
#include "records/QueryBuilder.h"
#include "records/QueryConditions.h"

QList<CliArguments::Option> CliPeriod::options()
{
    return {{QStringLiteral("date"), true},
            {QStringLiteral("from"), true},
            {QStringLiteral("to"), true}};
}

QString CliPeriod::optionsHelp()
{
    return QStringLiteral("  --date 日期             只算这一天的销售（日期写成 2026-12-09）；\n"
                          "  --from 日期 --to 日期   从第一天到最后一天（两天都算在内）；\n"
                          "                          都不写时为今天。\n");
}

CliPeriod::CliPeriod(const CliArguments &arguments)
{
    const bool day = arguments.isSet(QStringLiteral("date"));
    const bool from = arguments.isSet(QStringLiteral("from"));
    const bool to = arguments.isSet(QStringLiteral("to"));
    if (day && (from || to)) {
        m_error = QStringLiteral("--date 不能与 --from、--to 同用。");
        return;
    }
    if (from != to) {
        m_error = QStringLiteral("--from 与 --to 须一起写。");
        return;
    }
    if (!day && !from) {
        m_first = m_last = Clock::now().date();
        return;
    }
    const QString firstText =
        arguments.value(day ? QStringLiteral("date") : QStringLiteral("from"));
    const QString lastText = arguments.value(day ? QStringLiteral("date") : QStringLiteral("to"));
    m_first = readDate(firstText);
    m_last = readDate(lastText);
    if (!m_first.isValid() || !m_last.isValid())
        m_error = QStringLiteral("“%1”不是日期：日期写成 2026-12-09。")
                      .arg(m_first.isValid() ? lastText : firstText);
    else if (m_first > m_last)
        m_error = QueryBuilder::timeRangeMessage();
}

QDate CliPeriod::readDate(const QString &text)
{
    return QDate::fromString(text.trimmed(), QStringLiteral("yyyy-MM-dd"));
}

QString CliPeriod::text() const
{
    const QString first = m_first.toString(QStringLiteral("yyyy-MM-dd"));
    if (m_first == m_last)
        return first;
    return QStringLiteral("%1 至 %2").arg(first, m_last.toString(QStringLiteral("yyyy-MM-dd")));
}

QueryStatement CliPeriod::statement(const SqlDialect &dialect) const
{
    if (m_first == m_last)
        return QueryBuilder::day(m_first);
    QueryConditions conditions;
    conditions.timeRange = true;
    conditions.from = QDateTime(m_first, QTime(0, 0));
    conditions.to = QDateTime(m_last, QTime(23, 59));
    return QueryBuilder::sales(conditions, dialect);
}
