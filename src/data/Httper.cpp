#include "data/Httper.h"

#include "data/HttpClient.h"

#include <QUrl>

using namespace Qt::StringLiterals;

void THttper::Add(const QString& name, const QString& value)
{
    m_lines.append(name + u'=' + value);
}

bool THttper::Post(const QString& address)
{
    m_response.clear();
    const QString target = address.isEmpty() ? DefaultAddress : address;
    if (target.isEmpty())
        return false;

    THttpClient::RFormFields fields;
    for (const QString& line : std::as_const(m_lines)) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            fields.append({line, QString()});
        else
            fields.append({line.left(equals), line.mid(equals + 1)});
    }
    const RHttpResult result = THttpClient::PostForm(QUrl(target), fields, m_timeoutMs);
    m_response = QString::fromUtf8(result.Body);
    return result.Ok && m_response == u"ok"_s;
}
