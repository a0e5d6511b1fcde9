#include "support/loopbackhttpserver.h"
#include "timeclient/korvelcontrol.h"

#include <gtest/gtest.h>

TEST(KorvelControlProbe, AsksTheServerOnEveryCall)
{
    LoopbackHttpServer http;
    KorvelControl control;
    control.setProbeUrl(http.url("/bin/search?p="));
    EXPECT_TRUE(control.IsConnected());
    EXPECT_EQ(control.ProbeStatus(), KorvelControl::ProbeReachable);
    EXPECT_TRUE(http.lastRequest.startsWith("GET /bin/search?p= HTTP/1.1"));
    EXPECT_TRUE(control.IsConnected());
    EXPECT_EQ(http.connections, 2);

    control.setProbeUrl(LoopbackHttpServer::closedUrl());
    EXPECT_FALSE(control.IsConnected());
    EXPECT_EQ(control.ProbeStatus(), KorvelControl::ProbeFailed);
}

TEST(KorvelControlProbe, EachCallWaitsForItsOwnDownload)
{
    LoopbackHttpServer http;
    KorvelControl control;
    control.setProbeUrl(http.url());
    control.setProbePassWait(std::chrono::milliseconds(1));

    EXPECT_TRUE(control.IsConnected());
    // The earlier success must not answer for a server that never replies...
    http.silent = true;
    EXPECT_FALSE(control.IsConnected());
    EXPECT_EQ(control.ProbeStatus(), KorvelControl::ProbePending);
    // ...nor the abandoned stalled download for a later one that succeeds late.
    http.silent = false;
    http.answerDelayMsecs = 300;
    EXPECT_TRUE(control.IsConnected());
    EXPECT_EQ(http.connections, 3);
}
