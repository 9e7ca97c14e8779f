#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>
#include <utility>

// The outcome of one HTTP request: Ok only for a 2xx answer that arrived in time. Status is the
// HTTP status when the server answered (0 otherwise); Body is whatever the server sent.
struct RHttpResult
{
    bool Ok = false;
    int Status = 0;
    QByteArray Body;
    QString Error;
};

// Blocking HTTP requests for the few places that need an answer before they can go on (the
// connection lookup, the feedback form). Runs a local event loop that ignores user input, so the
// windows still repaint while waiting. Only http and https addresses are requested.
class THttpClient
{
public:
    static constexpr int DefaultTimeoutMs = 5000;
    using RFormFields = QList<std::pair<QString, QString>>;

    // A time-out of zero or less waits for as long as the network layer does.
    static RHttpResult Get(const QUrl& url, int timeoutMs = DefaultTimeoutMs);
    // Posts `fields` as application/x-www-form-urlencoded (UTF-8), in the order given.
    static RHttpResult PostForm(const QUrl& url, const RFormFields& fields, int timeoutMs = DefaultTimeoutMs);

    // The form body PostForm sends.
    static QByteArray EncodeForm(const RFormFields& fields);
};
