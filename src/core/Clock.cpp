#include "core/Clock.h"

QDateTime Clock::s_fixed;

QDateTime Clock::now()
{
    return s_fixed.isValid() ? s_fixed : QDateTime::currentDateTime();
}

void Clock::setFixed(const QDateTime &moment)
{
    s_fixed = moment;
}

void Clock::clearFixed()
{
    s_fixed = QDateTime();
}

QString Clock::stamp(const QDateTime &moment)
{
    return moment.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}
