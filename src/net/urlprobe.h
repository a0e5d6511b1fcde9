#pragma once

#include <QUrl>

class QNetworkAccessManager;

// Opens a web address and closes it again as soon as the server answers:
// any HTTP answer counts, nothing of the page is read, nothing is cached.
namespace UrlProbe {
constexpr int DefaultTimeoutMsecs = 10000;

bool opens(QNetworkAccessManager& manager, const QUrl& url, int timeoutMsecs = DefaultTimeoutMsecs);
} // namespace UrlProbe
