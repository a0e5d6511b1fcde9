#include "net/urlprobe.h"

#include "net/eventslice.h"
#include "net/netlog.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <memory>

namespace UrlProbe {

bool opens(QNetworkAccessManager& manager, const QUrl& url, int timeoutMsecs)
{
    if (!url.isValid() || url.isRelative())
        return false;
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Korvel"));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    // A redirect is an answer too; following it would only cost time.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(timeoutMsecs);

    std::unique_ptr<QNetworkReply, void (*)(QNetworkReply*)> reply(manager.get(request),
                                                                    [](QNetworkReply* r) { r->deleteLater(); });
    bool answered = false;
    bool done = false;
    const auto noteAnswer = [&] {
        if (reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid() || reply->bytesAvailable() > 0)
            answered = true;
        done = true;
    };
    QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, reply.get(), noteAnswer);
    QObject::connect(reply.get(), &QNetworkReply::readyRead, reply.get(), noteAnswer);
    QObject::connect(reply.get(), &QNetworkReply::finished, reply.get(), [&] {
        if (!answered)
            answered = reply->error() == QNetworkReply::NoError
                || reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
        done = true;
    });

    EventSlice::waitUntil([&] { return done; }, timeoutMsecs);

    const bool result = answered;
    if (!reply->isFinished()) {
        reply->disconnect();
        reply->abort();
    }
    qCDebug(lcNet) << "Probe" << url.toString() << (result ? "answered" : "did not answer");
    return result;
}

} // namespace UrlProbe
