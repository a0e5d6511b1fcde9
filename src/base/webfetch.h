// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QUrl>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

// One web request that only asks whether a server answers: it bypasses the
// cache, stores nothing, follows no redirect and reads nothing of the page.
// Any HTTP answer counts, even an error page.
class WebFetch
{
public:
    enum class Outcome { Answered, Failed };

    // Starts the request (timeoutMsecs 0: no limit); `onOutcome` runs once, at the first answer or when
    // the request ends without one. Abandoning the fetch (destroying it)
    // aborts the request and silences it.
    WebFetch(QNetworkAccessManager& manager, const QUrl& url, int timeoutMsecs,
             std::function<void(Outcome)> onOutcome);
    ~WebFetch();
    WebFetch(const WebFetch&) = delete;
    WebFetch& operator=(const WebFetch&) = delete;

    // Starts a fetch and waits for its outcome (EventSlice rules), at most
    // timeoutMsecs; true when the server answered.
    static bool answers(QNetworkAccessManager& manager, const QUrl& url, int timeoutMsecs);

private:
    void report(Outcome outcome);

    QNetworkReply* m_reply = nullptr;
    std::function<void(Outcome)> m_onOutcome;
};
