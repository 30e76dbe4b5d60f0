#pragma once

#include <QString>

#include <atomic>
#include <memory>

// A TCP port in front of the test server's Unix socket that forwards a
// connection byte for byte, and cuts it on request the way a network does:
// at the next COMMIT a client sends, either after the server has the COMMIT
// and has answered it (the answer never reaches the client), before the
// server sees it, or just after the answer has reached the client (the
// client's next statement finds the connection gone). While closed it drops
// every new connection at once.
class CuttingProxy
{
public:
    enum class Cut
    {
        AfterCommitArrived,
        BeforeCommitArrived,
        AfterCommitAnswered
    };

    // SERVERSOCKET: the path of the server's Unix socket.
    explicit CuttingProxy(const QString &serverSocket);
    ~CuttingProxy();
    CuttingProxy(const CuttingProxy &) = delete;
    CuttingProxy &operator=(const CuttingProxy &) = delete;

    bool isListening() const;
    int port() const;

    // The next COMMIT is cut as HOW says, and the proxy closes (see open()).
    void cutNextCommit(Cut how);
    // Connections are let through again.
    void open();
    // Commits cut so far.
    int cuts() const;

    // What the proxy's threads share.
    struct State;

private:
    std::shared_ptr<State> m_state;
};
