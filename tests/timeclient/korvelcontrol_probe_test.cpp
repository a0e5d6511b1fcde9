#include "support/timeserverfixture.h"
#include "timeclient/korvelcontrol.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <gtest/gtest.h>

namespace {
// An HTTP server in the test's thread; it runs while the probe lets events run.
class HttpFixture
{
public:
    enum class Mode { Answer, Stall };

    HttpFixture()
    {
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { onRequest(socket); });
            }
        });
    }

    QUrl url() const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/bin/search?p=").arg(m_server.serverPort()));
    }
    void setMode(Mode mode, int delayMsecs = 0)
    {
        m_mode = mode;
        m_delayMsecs = delayMsecs;
    }
    int requests() const { return m_requests; }
    QByteArray lastRequest() const { return m_lastRequest; }

private:
    void onRequest(QTcpSocket* socket)
    {
        m_lastRequest = socket->readAll();
        ++m_requests;
        if (m_mode == Mode::Stall)
            return;
        QTimer::singleShot(m_delayMsecs, socket, [socket] {
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok");
            socket->disconnectFromHost();
        });
    }

    QTcpServer m_server;
    Mode m_mode = Mode::Answer;
    int m_delayMsecs = 0;
    int m_requests = 0;
    QByteArray m_lastRequest;
};
} // namespace

TEST(KorvelControlProbe, ReachableServerGivesTrueWithoutTheCache)
{
    HttpFixture http;
    KorvelControl control;
    control.setProbeUrl(http.url());

    EXPECT_TRUE(control.IsConnected());
    EXPECT_EQ(control.ProbeStatus(), KorvelControl::ProbeReachable);
    EXPECT_TRUE(http.lastRequest().startsWith("GET /bin/search?p= HTTP/1.1"));
    EXPECT_TRUE(control.IsConnected());
    EXPECT_EQ(http.requests(), 2);
}

TEST(KorvelControlProbe, RefusedConnectionGivesFalse)
{
    KorvelControl control;
    control.setProbeUrl(QUrl(QStringLiteral("http://127.0.0.1:%1/bin/search?p=")
                                 .arg(TimeServerFixture::refusedPort())));
    EXPECT_FALSE(control.IsConnected());
    EXPECT_EQ(control.ProbeStatus(), KorvelControl::ProbeFailed);
}

TEST(KorvelControlProbe, EachCallWaitsForItsOwnDownload)
{
    HttpFixture http;
    KorvelControl control;
    control.setProbeUrl(http.url());
    control.setProbePassWait(std::chrono::milliseconds(1));

    EXPECT_TRUE(control.IsConnected());
    // The earlier success must not answer for a server that never replies...
    http.setMode(HttpFixture::Mode::Stall);
    EXPECT_FALSE(control.IsConnected());
    EXPECT_EQ(control.ProbeStatus(), KorvelControl::ProbePending);
    // ...nor the abandoned stalled download for a later one that succeeds late.
    http.setMode(HttpFixture::Mode::Answer, 300);
    EXPECT_TRUE(control.IsConnected());
    EXPECT_EQ(http.requests(), 3);
}
