#pragma once

#include <QString>
#include <QStringList>

// What CUPS says of a queue a receipt was sent to: whether the receipt will
// wait there, and why (the queue stopped, the printer offline, out of paper,
// its cover open), in the program's words.
class QueueState
{
public:
    // The queue's state ("printer-state": 3 idle, 4 printing, 5 stopped) and
    // its state reasons ("printer-state-reasons") as CUPS reports them.
    static QueueState of(const QString &queue);
    QueueState(int state, const QStringList &reasons);

    // Empty when nothing holds the receipt up; otherwise why it waits.
    QString waitingReason() const;
    // The notice shown instead of "打印完毕" when the receipt waits.
    static QString waitingMessage(const QString &printer, const QString &reason);

private:
    int m_state = 3;
    QStringList m_reasons;
};
