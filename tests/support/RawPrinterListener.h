#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>

// A network receipt printer of the test's own: a port on this machine that a
// CUPS raw queue is pointed at (socket://), as a thermal printer listens on
// the shop's network. Every job CUPS sends is kept whole, in the order it came.
class RawPrinterListener
{
public:
    RawPrinterListener();
    // Cancels what the queue still holds; a queue the listener added is removed.
    ~RawPrinterListener();
    RawPrinterListener(const RawPrinterListener &) = delete;
    RawPrinterListener &operator=(const RawPrinterListener &) = delete;

    // Points QUEUE at this listener, adding it as a raw queue (no driver) when
    // the scheduler has none of that name. Empty when done; otherwise why it
    // could not be (the reason a case steps aside for).
    QString attach(const QString &queue);
    QString queue() const { return m_queue; }

    // The next job, waiting for it up to a minute; empty when none came.
    QByteArray nextJob();
    // Every job not taken yet, once the queue has sent all it was given.
    QList<QByteArray> jobsWhenIdle();

    // What the listener's thread shares.
    struct State;

private:
    std::shared_ptr<State> m_state;
    QString m_queue;
    bool m_added = false;
};
