#include "settings/CustomerBook.h"

#include "data/Database.h"

namespace {

// A containment pattern for LIKE in which the user's % and _ are plain characters.
QString containing(const QString &text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    escaped.replace(QLatin1Char('%'), QLatin1String("\\%"));
    escaped.replace(QLatin1Char('_'), QLatin1String("\\_"));
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

} // namespace

QList<Customer> CustomerBook::all() const
{
    return select({}, {});
}

QList<Customer> CustomerBook::find(const Search &search) const
{
    // coalesce: a customer stored without a telephone still matches an empty phone search.
    const QString like = m_db.dialect().like();
    return select(QStringLiteral(" where coalesce(\"items\",'') %1 ? escape '\\'"
                                 " and coalesce(\"standby\",'') %1 ? escape '\\'")
                      .arg(like),
                  {containing(search.name), containing(search.phone)});
}

bool CustomerBook::contains(const QString &name) const
{
    return m_db.query(QStringLiteral("select \"id\" from \"SALER\" where \"items\" = ?"), {name})
        .next();
}

void CustomerBook::add(const QString &name, const QString &phone)
{
    m_db.exec(QStringLiteral("insert into \"SALER\" (\"items\",\"standby\") values (?,?)"),
              {name, phone});
}

void CustomerBook::change(qint64 id, const QString &name, const QString &phone)
{
    m_db.exec(
        QStringLiteral("update \"SALER\" set \"items\" = ?, \"standby\" = ? where \"id\" = ?"),
        {name, phone, id});
}

void CustomerBook::remove(qint64 id)
{
    m_db.exec(QStringLiteral("delete from \"SALER\" where \"id\" = ?"), {id});
}

QList<Customer> CustomerBook::select(const QString &condition, const QVariantList &values) const
{
    QList<Customer> customers;
    Database::Rows rows =
        m_db.query(QStringLiteral("select \"id\",\"items\",\"standby\" from \"SALER\"") +
                       condition + QStringLiteral(" order by \"id\""),
                   values);
    while (rows.next())
        customers.append({rows.value(0).toLongLong(), rows.text(1), rows.text(2)});
    return customers;
}
