#include "settings/PaymentMethods.h"

#include "data/Database.h"

QList<PaymentMethod> PaymentMethods::all() const
{
    QList<PaymentMethod> methods;
    Database::Rows rows = m_db.query(
        QStringLiteral("select \"id\",\"num\",\"standby1\" from \"AUTO_NUM\" order by \"id\""));
    while (rows.next())
        methods.append({rows.value(0).toLongLong(), rows.text(2)});
    return methods;
}

QStringList PaymentMethods::texts() const
{
    QStringList list;
    for (const PaymentMethod &method : all())
        list.append(method.text);
    return list;
}

bool PaymentMethods::contains(const QString &text) const
{
    return m_db
        .query(QStringLiteral("select \"id\" from \"AUTO_NUM\" where \"standby1\" = ?"), {text})
        .next();
}

void PaymentMethods::add(const QString &text)
{
    m_db.exec(QStringLiteral("insert into \"AUTO_NUM\" (\"standby1\") values (?)"), {text});
}

void PaymentMethods::change(qint64 id, const QString &text)
{
    m_db.exec(QStringLiteral("update \"AUTO_NUM\" set \"standby1\" = ? where \"id\" = ?"),
              {text, id});
}

void PaymentMethods::remove(qint64 id)
{
    m_db.exec(QStringLiteral("delete from \"AUTO_NUM\" where \"id\" = ?"), {id});
}

QStringList PaymentMethods::loadWithDefault()
{
    const QList<PaymentMethod> methods = all();
    if (methods.size() == 1 && methods.constFirst().text.isEmpty()) {
        change(methods.constFirst().id, defaultMethod());
        return {defaultMethod()};
    }
    QStringList list;
    for (const PaymentMethod &method : methods)
        list.append(method.text);
    return list;
}
