#include "controls/IdleTicker.h"

#include <QCoreApplication>
#include <QEvent>

IdleTicker::IdleTicker(int intervalMs, std::function<void()> tick, QObject *parent)
    : QObject(parent), m_tick(std::move(tick)), m_intervalMs(intervalMs)
{
    m_timer.setInterval(intervalMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { m_tick(); });
    m_timer.start();
    QCoreApplication::instance()->installEventFilter(this);
}

IdleTicker::~IdleTicker()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

void IdleTicker::setIntervalMs(int intervalMs)
{
    m_intervalMs = intervalMs;
    setSlowed(m_slowed);
}

void IdleTicker::setSlowed(bool slowed)
{
    m_slowed = slowed;
    const int interval = slowed ? 20 * m_intervalMs : m_intervalMs;
    if (m_timer.interval() != interval)
        m_timer.start(interval);
}

bool IdleTicker::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::InputMethod:
        m_timer.start(); // the wait begins again
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
