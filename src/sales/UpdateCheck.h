#pragma once

#include "sales/UpdateCheckConfig.h"
#include "sales/UpdateCheckWorker.h"

#include <QObject>
#include <QPointer>

#include <atomic>
#include <functional>

class QThread;
class QWidget;

// One online update check: the download runs on a worker thread, which shares
// with the user-interface thread only the done flag (polled by the About box)
// and its result, taken when the thread has finished. The result is reported
// here, on the user-interface thread: a message, or the updater started from
// the program directory and the program ended.
class UpdateCheck : public QObject
{
    Q_OBJECT

public:
    explicit UpdateCheck(UpdateCheckConfig config, QObject *parent = nullptr);
    // Stops a running download and waits for the worker.
    ~UpdateCheck() override;

    // Starts the worker; does nothing while a check runs.
    void start();
    bool isRunning() const { return m_running; }
    // 0 while the worker runs, 1 once it has its result.
    bool isDone() const { return m_done.load(std::memory_order_acquire) == 1; }

    // Messages are shown over this window while it exists.
    void setMessageParent(QWidget *parent) { m_messageParent = parent; }
    // How the program is ended once the updater runs; the default leaves all
    // event loops so that every window closes the ordinary way.
    void setEndProgram(std::function<void()> endProgram) { m_endProgram = std::move(endProgram); }
    // For an owner that goes away first: the check still reports its result,
    // then deletes itself.
    void release();

signals:
    void finished(UpdateCheckWorker::Outcome outcome);

private:
    void report();
    void handOverToUpdater();

    UpdateCheckConfig m_config;
    QThread *m_thread = nullptr;
    std::atomic<int> m_done{0};
    UpdateCheckWorker::Result m_result;
    bool m_running = false;
    bool m_released = false;
    QPointer<QWidget> m_messageParent;
    std::function<void()> m_endProgram;
};
