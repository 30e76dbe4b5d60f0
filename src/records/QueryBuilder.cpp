#include "records/QueryBuilder.h"

#include "data/SqlDialect.h"

#include <QRegularExpression>

#include <QStringList>
#include <optional>

namespace {

const QString saleColumns = QStringLiteral(
    "\"id\", \"NO\", \"date\", \"money\", \"saler\", \"number\", \"standby1\", \"standby2\", "
    "\"standby3\", \"standby4\"");
const QString timeFormat = QStringLiteral("yyyy-MM-dd HH:mm");

bool isBlank(const QString &text)
{
    for (QChar c : text) {
        if (!c.isSpace())
            return false;
    }
    return true;
}

// The where clause being put together and its values.
class Filter
{
public:
    Filter() = default;
    explicit Filter(QString contains) : m_contains(std::move(contains)) {}

    void add(const QString &clause, const QVariantList &values)
    {
        m_clauses << clause;
        m_values << values;
    }

    void text(const QString &column, const QString &value, bool exact)
    {
        if (isBlank(value))
            return;
        if (exact)
            add(column + QStringLiteral(" = ?"), {value});
        else
            add(column + u' ' + m_contains, {pattern(value)});
    }

    QueryStatement statement() const
    {
        QueryStatement result;
        if (!m_clauses.isEmpty())
            result.filter = QStringLiteral("where ") + m_clauses.join(QStringLiteral(" and "));
        result.values = m_values;
        result.sql =
            QStringLiteral("select ") + saleColumns + QStringLiteral(" from \"POS_RECORD\"");
        if (!result.filter.isEmpty())
            result.sql += u' ' + result.filter;
        result.sql += QStringLiteral(" order by \"id\"");
        return result;
    }

    static QString pattern(const QString &text)
    {
        QString escaped = text;
        escaped.replace(u'\\', QStringLiteral("\\\\"));
        escaped.replace(u'%', QStringLiteral("\\%"));
        escaped.replace(u'_', QStringLiteral("\\_"));
        return u'%' + escaped + u'%';
    }

private:
    QString m_contains;
    QStringList m_clauses;
    QVariantList m_values;
};

// An amount bound: nothing for "无限" (or an empty field), a number, or an error.
bool amountBound(const QString &text, std::optional<double> &bound)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed == QueryConditions::unlimited())
        return true;
    static const QRegularExpression number(QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)$"));
    if (!number.match(trimmed).hasMatch())
        return false;
    bound = trimmed.toDouble();
    return true;
}

} // namespace

QString QueryBuilder::lowerTime(const QDateTime &from)
{
    return from.toString(timeFormat) + QStringLiteral(":00");
}

QString QueryBuilder::upperTime(const QDateTime &to)
{
    return to.toString(timeFormat) + QStringLiteral(":59");
}

QString QueryBuilder::amountMessage()
{
    return QStringLiteral("销售金额只能是数字或“无限”，请重新输入！");
}

QString QueryBuilder::timeRangeMessage()
{
    return QStringLiteral("开始时间晚于结束时间，这样查不到任何记录，请重新选择时间！");
}

QString QueryBuilder::likePattern(const QString &text)
{
    return Filter::pattern(text);
}

QString QueryBuilder::containsClause(const SqlDialect &dialect)
{
    return dialect.like() + QStringLiteral(" ? escape '\\'");
}

QueryStatement QueryBuilder::sales(const QueryConditions &c, const SqlDialect &dialect)
{
    std::optional<double> low;
    std::optional<double> high;
    QueryStatement refused;
    if (!amountBound(c.amountFrom, low) || !amountBound(c.amountTo, high))
        refused.error = amountMessage();
    else if (c.timeRange && lowerTime(c.from) > upperTime(c.to))
        refused.error = timeRangeMessage();
    if (!refused.error.isEmpty())
        return refused;

    Filter filter(containsClause(dialect));
    if (c.timeRange)
        filter.add(QStringLiteral("\"date\" >= ? and \"date\" <= ?"),
                   {lowerTime(c.from), upperTime(c.to)});
    filter.text(QStringLiteral("\"NO\""), c.number, c.exact);
    if (low)
        filter.add(QStringLiteral("\"money\" >= ?"), {*low});
    if (high)
        filter.add(QStringLiteral("\"money\" <= ?"), {*high});
    filter.text(QStringLiteral("\"saler\""), c.cashier, c.exact);
    filter.text(QStringLiteral("\"standby1\""), c.remark, c.exact);
    filter.text(QStringLiteral("\"standby2\""), c.customer, c.exact);
    filter.text(QStringLiteral("\"standby3\""), c.phone, c.exact);
    filter.text(QStringLiteral("\"standby4\""), c.payment, c.exact);
    if (!isBlank(c.product)) {
        // Without codes shown, the name is what follows the code's "-".
        const qsizetype dash = c.product.indexOf(u'-');
        const QString name = c.showProductCode || dash < 0 ? c.product : c.product.mid(dash + 1);
        const QString lines =
            QStringLiteral("\"NO\" in (select \"NO\" from \"POS_RECORD_DETAIL\" where \"name\" ");
        if (c.exact)
            filter.add(lines + QStringLiteral("= ?)"), {name});
        else
            filter.add(lines + containsClause(dialect) + u')', {likePattern(name)});
    }
    return filter.statement();
}

QueryStatement QueryBuilder::day(const QDate &day)
{
    Filter filter;
    filter.add(QStringLiteral("\"date\" >= ? and \"date\" < ?"),
               {day.toString(QStringLiteral("yyyy-MM-dd")),
                day.addDays(1).toString(QStringLiteral("yyyy-MM-dd"))});
    return filter.statement();
}

QueryStatement QueryBuilder::numberContains(const QString &text, const SqlDialect &dialect)
{
    Filter filter;
    if (!text.isEmpty())
        filter.add(QStringLiteral("\"NO\" ") + containsClause(dialect), {likePattern(text)});
    return filter.statement();
}

QueryStatement QueryBuilder::linesOf(const QueryStatement &sales, const SqlDialect &dialect)
{
    QueryStatement lines;
    lines.sql = QStringLiteral("select \"NO\", \"name\", \"num\", \"standby1\" from "
                               "\"POS_RECORD_DETAIL\"");
    if (!sales.filter.isEmpty())
        lines.sql += QStringLiteral(" where \"NO\" in (select \"NO\" from \"POS_RECORD\" ") +
                     sales.filter + u')';
    lines.sql += dialect.manySalesLineOrder();
    lines.values = sales.values;
    return lines;
}
