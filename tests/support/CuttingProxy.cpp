#include "support/CuttingProxy.h"

#include "support/LoopbackPort.h"

#include <QByteArray>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

struct CuttingProxy::State
{
    QByteArray serverSocket;
    int listener = -1;
    int port = 0;
    std::atomic<bool> stopping{false};
    std::atomic<bool> closed{false};
    std::atomic<int> cuts{0};
    std::mutex mutex;
    std::optional<Cut> nextCut;
    std::vector<std::thread> threads;
    std::vector<int> sockets; // every open socket, shut down when the proxy ends

    std::optional<Cut> takeCut()
    {
        std::lock_guard lock(mutex);
        return std::exchange(nextCut, std::nullopt);
    }
    void remember(int fd)
    {
        std::lock_guard lock(mutex);
        sockets.push_back(fd);
    }
};

namespace {

bool writeAll(int fd, const char *data, ssize_t size)
{
    while (size > 0) {
        const ssize_t written = ::send(fd, data, size, MSG_NOSIGNAL);
        if (written <= 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

int connectToServer(const QByteArray &path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.constData(), sizeof(address.sun_path) - 1);
    if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// A simple query ('Q') whose text is COMMIT, as the client library sends it.
bool isCommit(const QByteArray &chunk)
{
    return chunk.startsWith('Q') && chunk.toUpper().contains("COMMIT");
}

// The server's answer to the COMMIT, read and passed to CLIENT or, when
// CLIENT is -1, thrown away: once it has come the transaction is committed on
// the server.
void takeAnswer(int server, int client)
{
    char buffer[4096];
    pollfd wait{server, POLLIN, 0};
    if (::poll(&wait, 1, 5000) <= 0)
        return;
    const ssize_t got = ::recv(server, buffer, sizeof buffer, 0);
    if (got > 0 && client >= 0)
        writeAll(client, buffer, got);
}

void pump(CuttingProxy::State &state, int client)
{
    const int server = connectToServer(state.serverSocket);
    if (server < 0) {
        ::shutdown(client, SHUT_RDWR);
        return;
    }
    state.remember(server);
    char buffer[65536];
    while (!state.stopping) {
        pollfd fds[2] = {{client, POLLIN, 0}, {server, POLLIN, 0}};
        if (::poll(fds, 2, 200) <= 0)
            continue;
        if (fds[0].revents) {
            const ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
            if (got <= 0)
                break;
            const QByteArray chunk(buffer, int(got));
            if (isCommit(chunk)) {
                if (const std::optional<CuttingProxy::Cut> cut = state.takeCut()) {
                    state.closed = true;
                    if (*cut != CuttingProxy::Cut::BeforeCommitArrived) {
                        writeAll(server, buffer, got);
                        takeAnswer(server,
                                   *cut == CuttingProxy::Cut::AfterCommitAnswered ? client : -1);
                    }
                    ++state.cuts;
                    break;
                }
            }
            if (!writeAll(server, buffer, got))
                break;
        }
        if (fds[1].revents) {
            const ssize_t got = ::recv(server, buffer, sizeof buffer, 0);
            if (got <= 0 || !writeAll(client, buffer, got))
                break;
        }
    }
    ::shutdown(client, SHUT_RDWR);
    ::shutdown(server, SHUT_RDWR);
}

void acceptLoop(CuttingProxy::State &state)
{
    while (!state.stopping) {
        pollfd wait{state.listener, POLLIN, 0};
        if (::poll(&wait, 1, 100) <= 0)
            continue;
        const int client = ::accept(state.listener, nullptr, nullptr);
        if (client < 0)
            continue;
        state.remember(client);
        if (state.closed) {
            ::shutdown(client, SHUT_RDWR);
            continue;
        }
        std::lock_guard lock(state.mutex);
        state.threads.emplace_back([&state, client] { pump(state, client); });
    }
}

} // namespace

CuttingProxy::CuttingProxy(const QString &serverSocket) : m_state(std::make_shared<State>())
{
    m_state->serverSocket = serverSocket.toLocal8Bit();
    int port = 0;
    const int fd = listenOnLoopback(&port);
    if (fd < 0)
        return;
    m_state->listener = fd;
    m_state->port = port;
    std::lock_guard lock(m_state->mutex);
    m_state->threads.emplace_back([state = m_state.get()] { acceptLoop(*state); });
}

CuttingProxy::~CuttingProxy()
{
    m_state->stopping = true;
    std::vector<std::thread> threads;
    {
        std::lock_guard lock(m_state->mutex);
        for (int fd : m_state->sockets)
            ::shutdown(fd, SHUT_RDWR);
    }
    // The accept loop may add threads until it has seen the flag.
    for (;;) {
        {
            std::lock_guard lock(m_state->mutex);
            threads.swap(m_state->threads);
        }
        if (threads.empty())
            break;
        for (std::thread &thread : threads)
            thread.join();
        threads.clear();
    }
    std::lock_guard lock(m_state->mutex);
    for (int fd : m_state->sockets)
        ::close(fd);
    if (m_state->listener >= 0)
        ::close(m_state->listener);
}

bool CuttingProxy::isListening() const
{
    return m_state->listener >= 0;
}

int CuttingProxy::port() const
{
    return m_state->port;
}

void CuttingProxy::cutNextCommit(Cut how)
{
    std::lock_guard lock(m_state->mutex);
    m_state->nextCut = how;
}

void CuttingProxy::open()
{
    m_state->closed = false;
}

int CuttingProxy::cuts() const
{
    return m_state->cuts;
}
