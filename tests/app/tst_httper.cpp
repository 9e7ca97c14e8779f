#include "data/Httper.h"

#include <QHash>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrlQuery>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// An HTTP server on the loopback interface that answers every request with one status and body, or
// never answers.
class TFormServer : public QObject
{
public:
    TFormServer()
    {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
        });
    }

    void Answer(int status, const QByteArray& body)
    {
        m_status = status;
        m_body = body;
    }
    void StaySilent() { m_silent = true; }
    QString Url() const { return u"http://127.0.0.1:%1/feedback"_s.arg(m_server.serverPort()); }
    int Requests() const { return m_requests; }
    const QByteArray& LastBody() const { return m_lastBody; }
    const QByteArray& LastHead() const { return m_lastHead; }

private:
    void read(QTcpSocket* socket)
    {
        QByteArray& request = m_pending[socket];
        request += socket->readAll();
        const qsizetype headEnd = request.indexOf("\r\n\r\n");
        if (headEnd < 0)
            return;
        qsizetype length = 0;
        for (const QByteArray& line : request.left(headEnd).split('\n'))
            if (line.toLower().startsWith("content-length:"))
                length = line.mid(15).trimmed().toLongLong();
        if (request.size() < headEnd + 4 + length)
            return;
        ++m_requests;
        m_lastHead = request.left(headEnd);
        m_lastBody = request.mid(headEnd + 4, length);
        if (m_silent)
            return;
        socket->write("HTTP/1.1 " + QByteArray::number(m_status) +
                      " Status\r\nContent-Type: text/plain; charset=utf-8\r\nContent-Length: " +
                      QByteArray::number(m_body.size()) + "\r\nConnection: close\r\n\r\n" + m_body);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QHash<QTcpSocket*, QByteArray> m_pending;
    QByteArray m_body = "ok";
    QByteArray m_lastBody;
    QByteArray m_lastHead;
    int m_status = 200;
    int m_requests = 0;
    bool m_silent = false;
};

} // namespace

class tst_Httper : public QObject
{
    Q_OBJECT

private slots:
    void answer_data();
    void answer();
    void postsLinesAsForm();
    void noAddressNoDefault();
    void unreachableServer();
    void silentServer();
};

void tst_Httper::answer_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("success");

    QTest::newRow("ok") << 200 << "ok"_ba << true;
    QTest::newRow("OK with a space") << 200 << "OK "_ba << false;
    QTest::newRow("capital OK") << 200 << "OK"_ba << false;
    QTest::newRow("ok and a line break") << 200 << "ok\n"_ba << false;
    QTest::newRow("empty answer") << 200 << QByteArray() << false;
    QTest::newRow("another word") << 200 << "error: too long"_ba << false;
    QTest::newRow("ok from a failing server") << 500 << "ok"_ba << false;
    QTest::newRow("ok with not found") << 404 << "ok"_ba << false;
}

void tst_Httper::answer()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(bool, success);

    TFormServer server;
    server.Answer(status, body);
    THttper httper;
    httper.Add(u"content"_s, u"很好用"_s);
    QCOMPARE(httper.Post(server.Url()), success);
    QCOMPARE(server.Requests(), 1);
    QCOMPARE(httper.Response(), QString::fromUtf8(body));
}

void tst_Httper::postsLinesAsForm()
{
    TFormServer server;
    THttper httper;
    httper.Add(u"company"_s, u"第一中学图书馆"_s);
    httper.Add(u"content"_s, u"a=b&c+d\r\n第二行"_s);
    httper.Lines().append(u"bare"_s);
    httper.Lines().append(u"mail=x@y.cn"_s);
    QVERIFY(httper.Post(server.Url()));

    QVERIFY(server.LastHead().startsWith("POST /feedback "));
    QVERIFY(server.LastHead().toLower().contains("content-type: application/x-www-form-urlencoded"));
    // The order is kept and every value arrives as it was given.
    const QUrlQuery form(QString::fromLatin1(server.LastBody()));
    const auto fields = form.queryItems(QUrl::FullyDecoded);
    QCOMPARE(fields.size(), 4);
    QCOMPARE(fields.at(0), (std::pair{u"company"_s, u"第一中学图书馆"_s}));
    QCOMPARE(fields.at(1), (std::pair{u"content"_s, u"a=b&c+d\r\n第二行"_s}));
    QCOMPARE(fields.at(2), (std::pair{u"bare"_s, QString()}));
    QCOMPARE(fields.at(3), (std::pair{u"mail"_s, u"x@y.cn"_s}));

    httper.Clear();
    QVERIFY(httper.Lines().isEmpty());
}

void tst_Httper::noAddressNoDefault()
{
    // The program has no service of its own to fall back on.
    QVERIFY(THttper::DefaultAddress.isEmpty());
    THttper httper;
    httper.Add(u"content"_s, u"x"_s);
    QVERIFY(!httper.Post());
    QVERIFY(!httper.Post(QString()));
    QVERIFY(httper.Response().isEmpty());
}

void tst_Httper::unreachableServer()
{
    // A port that was just free.
    quint16 port = 0;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        port = probe.serverPort();
    }
    THttper httper;
    httper.Add(u"content"_s, u"x"_s);
    QVERIFY(!httper.Post(u"http://127.0.0.1:%1/feedback"_s.arg(port)));
    QVERIFY(!httper.Post(u"not an address"_s));
    QVERIFY(!httper.Post(u"file:///etc/passwd"_s));
}

void tst_Httper::silentServer()
{
    TFormServer server;
    server.StaySilent();
    THttper httper;
    httper.SetTimeoutMs(300);
    httper.Add(u"content"_s, u"x"_s);
    QVERIFY(!httper.Post(server.Url()));
    QCOMPARE(server.Requests(), 1);
}

QTEST_MAIN(tst_Httper)
#include "tst_httper.moc"
