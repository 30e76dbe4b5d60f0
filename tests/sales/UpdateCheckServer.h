#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

// A small HTTP server on 127.0.0.1 for the update-check tests. It answers
// GET requests from a table of paths, or holds every answer back until
// release() so that a test can watch a check while it runs.
class UpdateCheckServer
{
public:
    UpdateCheckServer()
    {
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] { accept(); });
    }

    void serve(const QString &path, const QByteArray &body, int status = 200)
    {
        m_files[path] = {status, body};
    }
    void hold() { m_holding = true; }
    void release()
    {
        m_holding = false;
        for (const auto &[socket, path] : std::as_const(m_waiting)) {
            if (socket)
                answer(socket, path);
        }
        m_waiting.clear();
    }

    QUrl url(const QString &path) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path));
    }
    int requests() const { return m_requests; }

    // An address on which nobody listens.
    static QUrl closedAddress()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        const quint16 port = probe.serverPort();
        probe.close();
        return QUrl(QStringLiteral("http://127.0.0.1:%1/POS_update/version.txt").arg(port));
    }

private:
    struct File
    {
        int status;
        QByteArray body;
    };

    void accept()
    {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            auto *buffer = new QByteArray;
            QObject::connect(socket, &QObject::destroyed, [buffer] { delete buffer; });
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
                buffer->append(socket->readAll());
                if (!buffer->contains("\r\n\r\n"))
                    return;
                const QString path = QString::fromLatin1(buffer->split(' ').value(1));
                buffer->clear();
                ++m_requests;
                if (m_holding)
                    m_waiting.append({QPointer<QTcpSocket>(socket), path});
                else
                    answer(socket, path);
            });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    }

    void answer(QTcpSocket *socket, const QString &path)
    {
        const File file = m_files.value(path, File{404, QByteArray("not found")});
        QByteArray response = "HTTP/1.1 " + QByteArray::number(file.status) +
                              (file.status == 200 ? " OK" : " Error") + "\r\n";
        response += "Content-Type: text/plain\r\nConnection: close\r\n";
        response += "Content-Length: " + QByteArray::number(file.body.size()) + "\r\n\r\n";
        response += file.body;
        socket->write(response);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QMap<QString, File> m_files;
    bool m_holding = false;
    QList<std::pair<QPointer<QTcpSocket>, QString>> m_waiting;
    int m_requests = 0;
};
