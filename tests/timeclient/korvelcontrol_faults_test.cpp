#include "support/timeserverfixture.h"
#include "timeclient/korvelcontrol.h"
#include "timeclient/servercycle.h"

#include <QThread>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <functional>

namespace {

// A loopback listener on a plain socket, for what a Qt server cannot do: a
// reset, a trickle, or a full accept queue that the kernel answers with silence.
class FaultyServer
{
public:
    // `serve` runs on its own thread for each accepted connection; without
    // one nothing is ever accepted.
    explicit FaultyServer(std::function<void(int)> serve = {})
    {
        m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), length);
        ::listen(m_listener, 0);
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        if (serve) {
            m_thread.reset(QThread::create([this, serve] {
                for (int connection; (connection = ::accept(m_listener, nullptr, nullptr)) >= 0 && !m_stopping;)
                    serve(connection);
            }));
            m_thread->start();
        } else {
            fillAcceptQueue();
        }
    }
    ~FaultyServer()
    {
        m_stopping = true;
        ::shutdown(m_listener, SHUT_RDWR);
        ::close(m_listener);
        if (m_thread)
            m_thread->wait();
        for (const int socket : m_fillers)
            ::close(socket);
    }

    QString entry() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }

private:
    // Connections nobody accepts fill the queue; once it is full the kernel
    // drops new connection requests, as a black-holed address does.
    void fillAcceptQueue()
    {
        for (int i = 0; i < 8; ++i) {
            const int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            sockaddr_in address{};
            address.sin_family = AF_INET;
            address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            address.sin_port = htons(m_port);
            ::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
            m_fillers.append(socket);
        }
        QThread::msleep(100);
    }

    int m_listener = -1;
    quint16 m_port = 0;
    std::atomic<bool> m_stopping{false};
    std::unique_ptr<QThread> m_thread;
    QList<int> m_fillers;
};

// Each fault costs its own server one attempt; the next server of the cycle answers.
void expectTheNextServerAnswers(const QString& faulty)
{
    TimeServerFixture good(TimeServerFixture::answerFor(QDateTime::currentDateTimeUtc()));
    qputenv(ServerCycle::kEnvironmentVariable, (faulty + u',' + good.entry()).toUtf8());
    KorvelControl control;
    control.ReadProperties(KorvelControl::designState());
    EXPECT_TRUE(control.GetTime().isValid());
    EXPECT_EQ(control.host(), good.entry());
    EXPECT_EQ(good.connections(), 1);
    qunsetenv(ServerCycle::kEnvironmentVariable);
}

} // namespace

TEST(KorvelControlFaults, AResetConnectionFailsOnlyItsAttempt)
{
    FaultyServer resetting([](int connection) {
        const linger abort{1, 0}; // closing with no linger time sends a reset
        ::setsockopt(connection, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
        ::close(connection);
    });
    expectTheNextServerAnswers(resetting.entry());
}

TEST(KorvelControlFaults, AServerThatTricklesABytePerSecondIsNotAnAnswer)
{
    FaultyServer trickling([](int connection) {
        for (int i = 0; i < 4 && ::send(connection, "\x01", 1, MSG_NOSIGNAL) == 1; ++i)
            QThread::sleep(1);
        ::close(connection);
    });
    expectTheNextServerAnswers(trickling.entry());
}

TEST(KorvelControlFaults, ABlackHoledServerCostsTheConnectLimitThenTheNextIsAsked)
{
    FaultyServer blackHole;
    expectTheNextServerAnswers(blackHole.entry());
}
