// The update check against a server that misbehaves on purpose: it must end
// in bounded time, hold no more than a version file's worth of the answer,
// say what happened, and never start the updater.
#include "sales/UpdateCheck.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>

namespace {

using Outcome = UpdateCheckWorker::Outcome;

enum class Misdeed
{
    HugeBody,       // announces 1 GB and keeps sending
    EndlessBody,    // no length, never closes
    RedirectLoop,   // /a sends to /b, /b to /a
    RedirectToFile, // sends the check to a file:// address
    RedirectToFtp,
    LongVersion, // a version of 10,000 digits
    Drip,        // one byte a second
};

// A one-trick HTTP server on 127.0.0.1.
class HostileServer
{
public:
    explicit HostileServer(Misdeed misdeed) : m_misdeed(misdeed)
    {
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection())
                QObject::connect(socket, &QTcpSocket::readyRead, socket,
                                 [this, socket] { onRequest(socket); });
        });
    }

    QUrl url(const char *path = "/a") const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2")
                        .arg(m_server.serverPort())
                        .arg(QLatin1String(path)));
    }
    qint64 bytesSent() const { return m_sent; }

private:
    void onRequest(QTcpSocket *socket)
    {
        const QByteArray request = socket->readAll();
        if (!request.contains("\r\n\r\n") || socket->property("answered").toBool())
            return;
        socket->setProperty("answered", true);
        const bool onA = request.startsWith("GET /a ");
        switch (m_misdeed) {
        case Misdeed::HugeBody:
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: 1073741824\r\n\r\n");
            stream(socket);
            break;
        case Misdeed::EndlessBody:
            socket->write("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n");
            stream(socket);
            break;
        case Misdeed::RedirectLoop:
            redirect(socket, url(onA ? "/b" : "/a").toEncoded());
            break;
        case Misdeed::RedirectToFile:
            redirect(socket, "file:///etc/passwd");
            break;
        case Misdeed::RedirectToFtp:
            redirect(socket, "ftp://127.0.0.1/version.txt");
            break;
        case Misdeed::LongVersion:
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: 10001\r\n\r\n" +
                          QByteArray(10000, '9') + "\n");
            break;
        case Misdeed::Drip:
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n");
            drip(socket);
            break;
        }
    }

    void redirect(QTcpSocket *socket, const QByteArray &to)
    {
        socket->write("HTTP/1.1 302 Found\r\nLocation: " + to + "\r\nContent-Length: 0\r\n\r\n");
    }

    // Keeps the socket's buffer topped up, as fast as the reader takes it.
    void stream(QTcpSocket *socket)
    {
        const QByteArray block(64 * 1024, '9');
        auto feed = [this, socket, block] {
            while (socket->state() == QAbstractSocket::ConnectedState &&
                   socket->bytesToWrite() < 4 * block.size() && m_sent < (qint64(1) << 30)) {
                socket->write(block);
                m_sent += block.size();
            }
        };
        QObject::connect(socket, &QTcpSocket::bytesWritten, socket, feed);
        feed();
    }

    void drip(QTcpSocket *socket)
    {
        auto *timer = new QTimer(socket);
        QObject::connect(timer, &QTimer::timeout, socket, [this, socket] {
            socket->write("9");
            ++m_sent;
        });
        timer->start(1000);
    }

    Misdeed m_misdeed;
    QTcpServer m_server;
    qint64 m_sent = 0;
};

TEST(HostileUpdateServerTest, EveryMisdeedEndsInTimeWithAMessageAndNothingIsRun)
{
    TestEnv env;
    const QString ranMarker = QDir(env.programDir()).filePath(QStringLiteral("updater-ran"));
    const QString updater = QDir(env.programDir()).filePath(UpdateCheckConfig::updaterName());
    QFile script(updater);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\ntouch '" + ranMarker.toUtf8() + "'\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const struct
    {
        Misdeed misdeed;
        const char *name;
        Outcome outcome;
    } cases[] = {
        {Misdeed::HugeBody, "1 GB body", Outcome::Unreadable},
        {Misdeed::EndlessBody, "endless body", Outcome::Unreadable},
        {Misdeed::RedirectLoop, "redirect loop", Outcome::Unreachable},
        {Misdeed::RedirectToFile, "redirect to file://", Outcome::Unreachable},
        {Misdeed::RedirectToFtp, "redirect to ftp://", Outcome::Unreachable},
        {Misdeed::LongVersion, "10,000-digit version", Outcome::Unreadable},
        {Misdeed::Drip, "a byte a second", Outcome::Unreachable},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        env.prompt().clear();
        HostileServer server(c.misdeed);
        UpdateCheckConfig config;
        config.address = server.url();
        config.workingDir = env.workingDir();
        config.programDir = env.programDir();
        config.timeoutMs = 2000;

        UpdateCheck check(config);
        int programEnded = 0;
        check.setEndProgram([&] { ++programEnded; });
        std::optional<Outcome> outcome;
        QObject::connect(&check, &UpdateCheck::finished, [&](Outcome o) { outcome = o; });
        QElapsedTimer clock;
        clock.start();
        check.start();
        ASSERT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 20000))
            << "the check did not end";
        EXPECT_LT(clock.elapsed(), 5 * config.timeoutMs) << "the timeout did not hold";
        EXPECT_EQ(*outcome, c.outcome);
        EXPECT_EQ(env.prompt().messages().size(), 1);
        EXPECT_LT(server.bytesSent(), 16 * 1024 * 1024) << "the check kept reading";
        EXPECT_EQ(programEnded, 0);
        EXPECT_FALSE(QFileInfo::exists(config.versionFilePath()));
    }
    QTest::qWait(200);
    EXPECT_FALSE(QFileInfo::exists(ranMarker)) << "the updater was started";
}

} // namespace
