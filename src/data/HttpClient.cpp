#include "data/HttpClient.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

RHttpResult wait(QNetworkReply* reply, int timeoutMs)
{
    bool timedOut = false;
    if (!reply->isFinished()) {
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
            timedOut = true;
            reply->abort();
            loop.quit();
        });
        if (timeoutMs > 0)
            timer.start(timeoutMs);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }

    RHttpResult result;
    result.Status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.Body = reply->readAll();
    if (timedOut)
        result.Error = u"等待应答超时 (%1 毫秒)."_s.arg(timeoutMs);
    else if (reply->error() != QNetworkReply::NoError)
        result.Error = reply->errorString();
    else if (result.Status < 200 || result.Status > 299)
        result.Error = u"服务器应答 HTTP %1."_s.arg(result.Status);
    else
        result.Ok = true;
    return result;
}

template<typename Send>
RHttpResult run(const QUrl& url, int timeoutMs, Send send)
{
    // A typed address like "file:///..." must not turn the lookup into a local file read.
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != u"http"_s && scheme != u"https"_s) || url.host().isEmpty()) {
        RHttpResult result;
        result.Error = u"无效的网络地址: %1"_s.arg(url.toDisplayString(QUrl::RemovePassword));
        return result;
    }
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    // The reply is a child of the manager and goes with it.
    return wait(send(manager, request), timeoutMs);
}

} // namespace

RHttpResult THttpClient::Get(const QUrl& url, int timeoutMs)
{
    return run(url, timeoutMs,
               [](QNetworkAccessManager& manager, const QNetworkRequest& request) { return manager.get(request); });
}

RHttpResult THttpClient::PostForm(const QUrl& url, const RFormFields& fields, int timeoutMs)
{
    const QByteArray body = EncodeForm(fields);
    return run(url, timeoutMs, [&body](QNetworkAccessManager& manager, QNetworkRequest request) {
        request.setHeader(QNetworkRequest::ContentTypeHeader, u"application/x-www-form-urlencoded; charset=utf-8"_s);
        return manager.post(request, body);
    });
}

QByteArray THttpClient::EncodeForm(const RFormFields& fields)
{
    QByteArray body;
    for (const auto& [name, value] : fields) {
        if (!body.isEmpty())
            body += '&';
        // Everything but the unreserved characters is percent-encoded, so '&', '=' and '+' in a
        // value arrive as typed.
        body += QUrl::toPercentEncoding(name) + '=' + QUrl::toPercentEncoding(value);
    }
    return body;
}
