#include "controls/ControlLock.h"

void ControlLock::lock(const QList<QWidget *> &controls)
{
    if (isLocked())
        return;
    for (QWidget *control : controls) {
        m_states.append({control, control->isEnabled()});
        control->setEnabled(false);
    }
}

void ControlLock::unlock()
{
    for (const auto &[control, enabled] : std::as_const(m_states))
        if (control)
            control->setEnabled(enabled);
    m_states.clear();
}
