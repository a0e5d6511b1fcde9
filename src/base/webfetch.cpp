// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/webfetch.h"

#include "base/eventslice.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <optional>

WebFetch::WebFetch(QNetworkAccessManager& manager, const QUrl& url, int timeoutMsecs,
                   std::function<void(Outcome)> onOutcome)
    : m_onOutcome(std::move(onOutcome))
{
    if (!url.isValid() || url.isRelative()) {
        report(Outcome::Failed);
        return;
    }
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Korvel"));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    // A redirect is an answer too; following it would only cost time.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(timeoutMsecs);
    m_reply = manager.get(request);

    const auto answeredSoFar = [this] {
        return m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid()
            || m_reply->bytesAvailable() > 0;
    };
    QObject::connect(m_reply, &QNetworkReply::metaDataChanged, m_reply, [this, answeredSoFar] {
        if (answeredSoFar())
            report(Outcome::Answered);
    });
    QObject::connect(m_reply, &QNetworkReply::readyRead, m_reply, [this] { report(Outcome::Answered); });
    QObject::connect(m_reply, &QNetworkReply::finished, m_reply, [this, answeredSoFar] {
        report(m_reply->error() == QNetworkReply::NoError || answeredSoFar() ? Outcome::Answered
                                                                              : Outcome::Failed);
    });
}

WebFetch::~WebFetch()
{
    if (!m_reply)
        return;
    m_reply->disconnect();
    if (!m_reply->isFinished())
        m_reply->abort();
    m_reply->deleteLater();
}

bool WebFetch::answers(QNetworkAccessManager& manager, const QUrl& url, int timeoutMsecs)
{
    std::optional<Outcome> outcome;
    const WebFetch fetch(manager, url, timeoutMsecs, [&outcome](Outcome o) { outcome = o; });
    EventSlice::waitUntil([&] { return outcome.has_value(); }, timeoutMsecs);
    return outcome == Outcome::Answered;
}

void WebFetch::report(Outcome outcome)
{
    // The first outcome stands; the request is not needed past it.
    if (auto onOutcome = std::exchange(m_onOutcome, nullptr))
        onOutcome(outcome);
}
