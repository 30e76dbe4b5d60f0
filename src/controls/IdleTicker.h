#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

// Calls its callback every interval while the person leaves the program
// alone: any key, mouse button, wheel or input-method event starts the wait
// again, so the callback never runs while someone types or clicks.
class IdleTicker : public QObject
{
    Q_OBJECT
public:
    IdleTicker(int intervalMs, std::function<void()> tick, QObject *parent = nullptr);
    ~IdleTicker() override;

    void setIntervalMs(int intervalMs);
    // Slowed: ticks twenty times less often (what it asks is not answering).
    void setSlowed(bool slowed);
    bool isSlowed() const { return m_slowed; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTimer m_timer;
    std::function<void()> m_tick;
    int m_intervalMs;
    bool m_slowed = false;
};
