// Prints how fast one time query attempt runs against a loopback RFC 868
// server and the lag it measures: connect, one read, conversion.
#include "base/clock.h"
#include "support/timeserverfixture.h"
#include "timeclient/socketlayer.h"
#include "timeclient/timeprotocol.h"

#include <QCoreApplication>
#include <QDateTime>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int attempts = argc > 1 ? std::max(1, atoi(argv[1])) : 2000;
    TimeServerFixture server({TimeServerFixture::answerFor(QDateTime::currentDateTimeUtc())});

    std::vector<float> lags;
    lags.reserve(size_t(attempts));
    int failures = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < attempts; ++i) {
        SocketLayer layer;
        const qint64 t0 = Clock::instance().monotonicMsecs();
        const int socket = layer.CreateSocket() == 0 ? layer.ConnectSocket("127.0.0.1", server.port()) : -1;
        const QByteArray answer = socket == -1 ? QByteArray() : layer.ReceiveData(socket, 1);
        if (answer.size() == TimeProtocol::kAnswerLength) {
            TimeProtocol::BytesToDate(answer);
            lags.push_back(TimeProtocol::lagSeconds(Clock::instance().monotonicMsecs() - t0));
        } else {
            ++failures;
        }
        if (socket != -1)
            layer.CloseSocket(socket);
        layer.EndSockets();
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    std::sort(lags.begin(), lags.end());
    const auto percentile = [&lags](double p) {
        return lags.empty() ? 0.0f : lags[size_t(p * double(lags.size() - 1))];
    };
    std::printf("attempts %d, failed %d, %.1f s, %.0f attempts/s\n", attempts, failures, seconds,
                attempts / seconds);
    std::printf("lag (s): min %.3f  median %.3f  p99 %.3f  max %.3f\n", percentile(0), percentile(0.5),
                percentile(0.99), percentile(1));
    return failures == 0 ? 0 : 1;
}
