#pragma once

#include <QString>
#include <QStringList>

// A small HTML form poster: holds "name=value" lines and posts them. The answer "ok" (exactly) is
// success; anything else, or a request that fails, is not, and nobody is told (the caller decides).
class THttper
{
public:
    // Where Post goes when given no address. The program ships without a service of its own, so a post
    // without an address fails without sending anything.
    static inline const QString DefaultAddress = QString();

    // The lines, in the order they are posted. A line without "=" posts the whole line as a name with
    // an empty value; a value may hold further "=" and line breaks.
    QStringList& Lines() { return m_lines; }
    const QStringList& Lines() const { return m_lines; }
    void Add(const QString& name, const QString& value);
    void Clear() { m_lines.clear(); }

    // Posts the lines to `address` (DefaultAddress when empty); true when the answer is exactly "ok".
    bool Post(const QString& address = QString());
    // The text of the last answer; empty when the last post failed before one arrived.
    const QString& Response() const { return m_response; }

    int TimeoutMs() const { return m_timeoutMs; }
    void SetTimeoutMs(int timeoutMs) { m_timeoutMs = timeoutMs; }

private:
    QStringList m_lines;
    QString m_response;
    int m_timeoutMs = 10000;
};
