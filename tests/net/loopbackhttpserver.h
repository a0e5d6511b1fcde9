#pragma once

#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

// A web server on 127.0.0.1 inside the test process. It either answers each
// request with an empty page or accepts the connection and stays silent.
class LoopbackHttpServer : public QTcpServer
{
public:
    enum class Behaviour { Answer, Silent };

    explicit LoopbackHttpServer(Behaviour behaviour = Behaviour::Answer)
        : m_behaviour(behaviour)
    {
        listen(QHostAddress::LocalHost);
        QObject::connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                ++m_connections;
                if (m_behaviour == Behaviour::Answer)
                    QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
                        socket->write("HTTP/1.1 200 OK\r\nContent-Length: 5\r\nConnection: close\r\n\r\nhello");
                        socket->disconnectFromHost();
                    });
            }
        });
    }

    QUrl url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(serverPort())); }
    int connections() const { return m_connections; }

    // An address on loopback where nothing listens.
    static QUrl closedUrl()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        const quint16 port = probe.serverPort();
        probe.close();
        return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(port));
    }

private:
    Behaviour m_behaviour;
    int m_connections = 0;
};
