#pragma once

#include <QList>
#include <QPair>
#include <QPointer>
#include <QWidget>

// Disables a set of controls and later gives each the state it had.
class ControlLock
{
public:
    // Does nothing while locked.
    void lock(const QList<QWidget *> &controls);
    void unlock();
    bool isLocked() const { return !m_states.isEmpty(); }

private:
    QList<QPair<QPointer<QWidget>, bool>> m_states;
};
