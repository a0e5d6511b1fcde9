#pragma once

#include "support/timeserverfixture.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

// A web server on 127.0.0.1 in the test's thread, so it runs while the code
// under test lets events run. It answers each request with a small page after
// `answerDelayMsecs`, or, while `silent`, never.
class LoopbackHttpServer : public QTcpServer
{
public:
    explicit LoopbackHttpServer(bool silent = false)
        : silent(silent)
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                ++connections;
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    lastRequest = socket->readAll();
                    if (this->silent)
                        return;
                    QTimer::singleShot(answerDelayMsecs, socket, [socket] {
                        socket->write("HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok");
                        socket->disconnectFromHost();
                    });
                });
            }
        });
    }

    QString url(const char* path = "") const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(QLatin1String(path));
    }
    static QString closedUrl() { return QStringLiteral("http://") + TimeServerFixture::refusedEntry(); }

    bool silent;
    int answerDelayMsecs = 0;
    int connections = 0;
    QByteArray lastRequest;
};
