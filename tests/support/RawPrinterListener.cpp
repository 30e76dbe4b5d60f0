#include "support/RawPrinterListener.h"

#include "support/LoopbackPort.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

struct RawPrinterListener::State
{
    int listener = -1;
    int port = 0;
    std::atomic<bool> stopping{false};
    // A connection is being read: its job is not kept yet.
    std::atomic<bool> receiving{false};
    std::mutex mutex;
    std::condition_variable arrived;
    std::deque<QByteArray> jobs;
    std::thread thread;
};

namespace {

bool run(const QString &program, const QStringList &args, QString *output = nullptr)
{
    QProcess process;
    process.start(program, args);
    const bool ran = process.waitForFinished(10000) &&
                     process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (output)
        *output = QString::fromLocal8Bit(process.readAllStandardOutput());
    return ran;
}

bool schedulerRunning()
{
    QString state;
    return run(QStringLiteral("lpstat"), {QStringLiteral("-r")}, &state) &&
           state.contains(QLatin1String("is running"));
}

bool queueExists(const QString &queue)
{
    return run(QStringLiteral("lpstat"), {QStringLiteral("-p"), queue});
}

// CUPS's socket backend sends the job, shuts its side and waits for the
// printer to close: the job is whole when the connection ends.
QByteArray readToEnd(RawPrinterListener::State &state, int connection)
{
    QByteArray job;
    char buffer[65536];
    while (!state.stopping) {
        pollfd wait{connection, POLLIN, 0};
        if (::poll(&wait, 1, 100) <= 0)
            continue;
        const ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0)
            break;
        job.append(buffer, int(got));
    }
    return job;
}

void listen(RawPrinterListener::State &state)
{
    while (!state.stopping) {
        pollfd wait{state.listener, POLLIN, 0};
        if (::poll(&wait, 1, 100) <= 0)
            continue;
        state.receiving = true;
        const int connection = ::accept(state.listener, nullptr, nullptr);
        if (connection >= 0) {
            QByteArray job = readToEnd(state, connection);
            ::close(connection);
            std::lock_guard lock(state.mutex);
            state.jobs.push_back(std::move(job));
        }
        state.receiving = false;
        state.arrived.notify_all();
    }
}

bool connectionWaiting(int listener)
{
    pollfd wait{listener, POLLIN, 0};
    return ::poll(&wait, 1, 0) > 0;
}

} // namespace

RawPrinterListener::RawPrinterListener() : m_state(std::make_shared<State>())
{
    int port = 0;
    const int fd = listenOnLoopback(&port);
    if (fd < 0)
        return;
    m_state->listener = fd;
    m_state->port = port;
    m_state->thread = std::thread([state = m_state.get()] { listen(*state); });
}

RawPrinterListener::~RawPrinterListener()
{
    if (!m_queue.isEmpty()) {
        run(QStringLiteral("cancel"), {QStringLiteral("-a"), m_queue});
        if (m_added)
            run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), m_queue});
    }
    m_state->stopping = true;
    if (m_state->thread.joinable())
        m_state->thread.join();
    if (m_state->listener >= 0)
        ::close(m_state->listener);
}

QString RawPrinterListener::attach(const QString &queue)
{
    if (!schedulerRunning())
        return QStringLiteral("no CUPS scheduler; scripts/start-test-cups.sh starts one (as root)");
    if (m_state->listener < 0)
        return QStringLiteral("no local port to listen on");
    const bool existed = queueExists(queue);
    const QString device = QStringLiteral("socket://127.0.0.1:%1").arg(m_state->port);
    if (!run(QStringLiteral("lpadmin"),
             {QStringLiteral("-p"), queue, QStringLiteral("-E"), QStringLiteral("-v"), device}))
        return QStringLiteral("cannot point the queue %1 at the test's listener (lpadmin needs "
                              "root)")
            .arg(queue);
    m_queue = queue;
    m_added = !existed;
    return QString();
}

QByteArray RawPrinterListener::nextJob()
{
    std::unique_lock lock(m_state->mutex);
    if (!m_state->arrived.wait_for(lock, std::chrono::minutes(1),
                                   [this] { return !m_state->jobs.empty(); }))
        return {};
    QByteArray job = std::move(m_state->jobs.front());
    m_state->jobs.pop_front();
    return job;
}

// CUPS ends a job once its backend has sent it all: with no job left in the
// queue, no connection being read and none waiting, every job has come.
QList<QByteArray> RawPrinterListener::jobsWhenIdle()
{
    QDeadlineTimer deadline(60000);
    while (!deadline.hasExpired()) {
        QString pending;
        run(QStringLiteral("lpstat"), {QStringLiteral("-o"), m_queue}, &pending);
        // In this order: a connection accepted after the look at the port
        // is being read by then.
        if (pending.trimmed().isEmpty() && !connectionWaiting(m_state->listener) &&
            !m_state->receiving)
            break;
        QThread::msleep(20);
    }
    std::lock_guard lock(m_state->mutex);
    QList<QByteArray> jobs(m_state->jobs.begin(), m_state->jobs.end());
    m_state->jobs.clear();
    return jobs;
}
