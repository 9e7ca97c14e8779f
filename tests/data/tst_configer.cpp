#include "data/AppPaths.h"
#include "data/Configer.h"
#include "data/HttpClient.h"
#include "data/IniFile.h"
#include "data/Scramble.h"
#include "support/RecordingNotifier.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString LookupInfo = u"无法获得DIP连接信息,请检查网络是否畅通."_s;

// A one-page HTTP server on the loopback interface: answers every request with the same status and
// body, or never answers at all.
class TFakeHttpServer : public QObject
{
public:
    TFakeHttpServer()
    {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, &TFakeHttpServer::accept);
    }

    void Answer(int status, const QByteArray& body)
    {
        m_status = status;
        m_body = body;
    }
    void StaySilent() { m_silent = true; }
    QString Url(const QString& path) const { return u"http://127.0.0.1:%1%2"_s.arg(m_server.serverPort()).arg(path); }
    const QByteArray& LastRequest() const { return m_lastRequest; }

private:
    void accept()
    {
        while (QTcpSocket* socket = m_server.nextPendingConnection())
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
    }

    void read(QTcpSocket* socket)
    {
        QByteArray& request = m_pending[socket];
        request += socket->readAll();
        const qsizetype headerEnd = request.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return;
        qsizetype length = 0;
        for (const QByteArray& line : request.left(headerEnd).split('\n')) {
            if (line.toLower().startsWith("content-length:"))
                length = line.mid(15).trimmed().toLongLong();
        }
        if (request.size() < headerEnd + 4 + length)
            return;
        m_lastRequest = request;
        if (m_silent)
            return;
        socket->write("HTTP/1.1 " + QByteArray::number(m_status) + " Status\r\nContent-Type: text/plain; charset=utf-8\r\n"
                      "Content-Length: " + QByteArray::number(m_body.size()) + "\r\nConnection: close\r\n\r\n" + m_body);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QHash<QTcpSocket*, QByteArray> m_pending;
    QByteArray m_lastRequest;
    QByteArray m_body;
    int m_status = 200;
    bool m_silent = false;
};

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

// The ConnStr the file holds, unscrambled.
QString savedConnStr(const QString& path)
{
    TIniFile ini;
    ini.Load(path);
    return UnscrambleText(ini.Value(u"db"_s, u"ConnStr"_s, {}));
}

// A configuration with every field set to something other than its default.
void fillServerSettings(TConfiger& config)
{
    config.mssqlServer = u"db.local"_s;
    config.mssqlPort = 5433;
    config.mssqlDb = u"图书馆"_s;
    config.mssqlUser = u"librarian"_s;
    config.mssqlPw = u"秘密"_s;
    config.jetfile = u"/srv/books.db"_s;
    config.jetUser = u"admin"_s;
    config.jetPw = u"pw12"_s;
    config.dipUrl = u"http://dip.local/lookup"_s;
    config.dipUser = u"reader01"_s;
    config.providerIdx = TConfiger::ServerKind;
    config.defaultCon = false;
}

QString defaultFileConnection()
{
    return u"Provider=QSQLITE;Data Source="_s
           + QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(u"quorin.db"_s);
}

constexpr QFileDevice::Permissions GroupOrOther = QFileDevice::ReadGroup | QFileDevice::WriteGroup
                                                  | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                                  | QFileDevice::WriteOther | QFileDevice::ExeOther;

} // namespace

class tst_Configer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void scramble_data();
    void scramble();
    void configFileLocation();

    void defaultsWithoutUsableFile_data();
    void defaultsWithoutUsableFile();
    void saveLoadRoundTrip();
    void writtenFileLayout();
    void saveKeepsOtherLines();
    void filesAreOwnerOnly_data();
    void filesAreOwnerOnly();
    void saveRefusesInvalidSettings_data();
    void saveRefusesInvalidSettings();
    void parsePort_data();
    void parsePort();

    void connectionString_data();
    void connectionString();
    void defaultFileIgnoresDamagedConnStr();
    void serverKindReadsConnStrOnly();

    void lookupAnswer_data();
    void lookupAnswer();
    void lookupFailure_data();
    void lookupFailure();
    void postForm();

    void lastLoginId();

private:
    QString configPath() const { return m_dir->filePath(u"cfg.ini"_s); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_Configer::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void tst_Configer::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void tst_Configer::scramble_data()
{
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<QByteArray>("scrambled");

    // Twelve bytes run past the ten-letter key and wrap around.
    QTest::newRow("ascii across the key") << "abcdefghijkl"_ba << "`jeeaanm`kjd"_ba;
    QTest::newRow("chinese bytes") << u"图书馆"_s.toUtf8() << QByteArray::fromHex("e493b8e5bda1e0a38f");
    QTest::newRow("empty") << QByteArray() << QByteArray();
}

void tst_Configer::scramble()
{
    QFETCH(QByteArray, plain);
    QFETCH(QByteArray, scrambled);

    QCOMPARE(Scramble(plain), scrambled);
    QCOMPARE(Scramble(scrambled), plain);
    QCOMPARE(UnscrambleText(ScrambleText(QString::fromUtf8(plain))), QString::fromUtf8(plain));
}

void tst_Configer::configFileLocation()
{
    const QString userFile =
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)).filePath(u"cfg.ini"_s);
    const QString besideProgram = QDir(QCoreApplication::applicationDirPath()).filePath(u"cfg.ini"_s);
    QVERIFY2(!QFile::exists(besideProgram), "a stray cfg.ini beside the test program");

    QCOMPARE(AppPaths::ConfigFilePath(), userFile);

    const auto removeBeside = qScopeGuard([&] { QFile::remove(besideProgram); });
    writeFile(besideProgram, "[db]\n");
    QCOMPARE(AppPaths::ConfigFilePath(), besideProgram);

    QCOMPARE(AppPaths::DefaultDatabasePath(),
             QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(u"quorin.db"_s));
    QVERIFY(QFileInfo(AppPaths::DefaultDatabasePath()).dir().exists());
}

void tst_Configer::defaultsWithoutUsableFile_data()
{
    QTest::addColumn<QString>("setup");

    QTest::newRow("missing file") << u"none"_s;
    QTest::newRow("folder in its place") << u"folder"_s;
    QTest::newRow("empty file") << u"empty"_s;
    QTest::newRow("numbers that are not numbers") << u"garbage"_s;
}

void tst_Configer::defaultsWithoutUsableFile()
{
    QFETCH(QString, setup);
    if (setup == u"folder"_s)
        QVERIFY(QDir().mkpath(configPath()));
    else if (setup == u"empty"_s)
        writeFile(configPath(), {});
    else if (setup == u"garbage"_s)
        writeFile(configPath(), "[db]\nproviderIdx=two\nmssqlPort=fast\ndefaultCon=yes\n");

    const TConfiger config(configPath());
    QCOMPARE(config.providerIdx, TConfiger::ServerKind);
    QCOMPARE(config.defaultCon, true);
    QCOMPARE(config.mssqlPort, 5432);
    QCOMPARE(config.SmartConnect, false);
    for (const QString& text : {config.mssqlServer, config.mssqlDb, config.mssqlUser, config.mssqlPw, config.jetfile,
                                config.jetUser, config.jetPw, config.dipUrl, config.dipUser})
        QCOMPARE(text, QString());
    QCOMPARE(config.ConnectionString(), QString());
    QCOMPARE(TConfiger::ReadLastLoginId(configPath()), QString());
}

void tst_Configer::saveLoadRoundTrip()
{
    TConfiger saved(configPath());
    saved.mssqlServer = u"db.local"_s;
    saved.mssqlPort = 6543;
    saved.mssqlDb = u"\"quoted\""_s;
    saved.mssqlUser = u" 馆员 "_s;
    // Scrambles to bytes that are not valid UTF-8.
    saved.mssqlPw = u"口令一二三"_s;
    saved.SmartConnect = true;
    saved.jetfile = u"/home/李/书 库.db"_s;
    saved.jetUser = u"admin"_s;
    // Scrambles to a leading blank.
    saved.jetPw = u"!secret "_s;
    saved.dipUrl = u"http://dip.local/?a=1"_s;
    saved.dipUser = u"读者"_s;
    saved.providerIdx = TConfiger::LookupKind;
    saved.defaultCon = false;
    QString error;
    QVERIFY2(saved.SaveConfig(&error), qPrintable(error));

    const TConfiger loaded(configPath());
    QCOMPARE(loaded.mssqlServer, saved.mssqlServer);
    QCOMPARE(loaded.mssqlPort, saved.mssqlPort);
    QCOMPARE(loaded.mssqlDb, saved.mssqlDb);
    QCOMPARE(loaded.mssqlUser, saved.mssqlUser);
    QCOMPARE(loaded.mssqlPw, saved.mssqlPw);
    QCOMPARE(loaded.SmartConnect, false);
    QCOMPARE(loaded.jetfile, saved.jetfile);
    QCOMPARE(loaded.jetUser, saved.jetUser);
    QCOMPARE(loaded.jetPw, saved.jetPw);
    QCOMPARE(loaded.dipUrl, saved.dipUrl);
    QCOMPARE(loaded.dipUser, saved.dipUser);
    QCOMPARE(loaded.providerIdx, saved.providerIdx);
    QCOMPARE(loaded.defaultCon, saved.defaultCon);
}

void tst_Configer::writtenFileLayout()
{
    TConfiger config(configPath());
    fillServerSettings(config);
    QVERIFY(config.SaveConfig());

    const QList<QByteArray> expected = {
        "[db]",
        "mssqlServer=db.local",
        "mssqlPort=5433",
        "mssqlDb=" + u"图书馆"_s.toUtf8(),
        "mssqlUser=librarian",
        "mssqlPw=" + QByteArray::fromHex("e6af9ee4ab81"),
        "jetfile=.{tw+efjbr/ld",
        "jetUser=admin",
        "jetPw=q\x7f" "73",
        "dipUrl=http://dip.local/lookup",
        "dipUser=reader01",
        "providerIdx=0",
        "defaultCon=0",
        "ConnStr=" + ScrambleText(u"Provider=QPSQL;Data Source=db.local;Port=5433;Initial Catalog=图书馆;"
                                  "User ID=librarian;Password=秘密"_s),
    };
    QList<QByteArray> lines = readFile(configPath()).split('\n');
    QCOMPARE(lines.takeLast(), QByteArray());
    QCOMPARE(lines, expected);
}

void tst_Configer::saveKeepsOtherLines()
{
    writeFile(configPath(), "; written by hand\n"
                            "[Login]\n"
                            "LastLoginId=" + u"张三"_s.toUtf8() + "\n"
                            "\n"
                            "[db]\n"
                            "mssqlServer = old.host\n"
                            "custom=keep me\n");
    TConfiger config(configPath());
    QCOMPARE(config.mssqlServer, u"old.host"_s);
    fillServerSettings(config);
    QVERIFY(config.SaveConfig());

    const QList<QByteArray> lines = readFile(configPath()).split('\n');
    const QList<QByteArray> head = {"; written by hand", "[Login]", "LastLoginId=" + u"张三"_s.toUtf8(), "",
                                    "[db]", "mssqlServer=db.local", "custom=keep me", "mssqlPort=5433"};
    QCOMPARE(lines.mid(0, head.size()), head);
    QVERIFY(lines.at(lines.size() - 2).startsWith("ConnStr="));
    QCOMPARE(TConfiger::ReadLastLoginId(configPath()), u"张三"_s);
}

void tst_Configer::filesAreOwnerOnly_data()
{
    QTest::addColumn<bool>("existing");
    QTest::addColumn<bool>("loginOnly");

    QTest::newRow("settings, new file") << false << false;
    QTest::newRow("settings, existing readable file") << true << false;
    QTest::newRow("login name, new file") << false << true;
}

void tst_Configer::filesAreOwnerOnly()
{
    QFETCH(bool, existing);
    QFETCH(bool, loginOnly);
    // A file in a folder that does not exist yet also checks that the folder is created.
    const QString path = m_dir->filePath(u"config/cfg.ini"_s);
    if (existing) {
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        writeFile(path, "[db]\n");
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther
                                                | QFileDevice::ReadGroup));
    }

    if (loginOnly) {
        QVERIFY(TConfiger::WriteLastLoginId(path, u"sa"_s));
    } else {
        TConfiger config(path);
        fillServerSettings(config);
        QVERIFY(config.SaveConfig());
    }

    const QFileDevice::Permissions permissions = QFileInfo(path).permissions();
    QVERIFY(permissions.testFlags(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(permissions & GroupOrOther, QFileDevice::Permissions());
}

void tst_Configer::saveRefusesInvalidSettings_data()
{
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("error");

    const QString portError = u"端口必须是 1 到 65535 之间的整数."_s;
    const QString controlError = u"连接参数中不能含有换行等控制字符."_s;
    QTest::newRow("port zero") << 0 << u"pw"_s << portError;
    QTest::newRow("port too large") << 65536 << u"pw"_s << portError;
    QTest::newRow("line break in password") << 5432 << u"pw\nproviderIdx=1"_s << controlError;
    // Scrambles to a line feed.
    QTest::newRow("control character in password") << 5432 << u"\x0b"_s << controlError;
}

void tst_Configer::saveRefusesInvalidSettings()
{
    QFETCH(int, port);
    QFETCH(QString, password);
    QFETCH(QString, error);
    const QByteArray before = "[db]\nmssqlServer=db.local\n"_ba;
    writeFile(configPath(), before);

    TConfiger config(configPath());
    config.mssqlPort = port;
    config.mssqlPw = password;
    QString reason;
    QVERIFY(!config.SaveConfig(&reason));
    QCOMPARE(reason, error);
    QCOMPARE(readFile(configPath()), before);
}

void tst_Configer::parsePort_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("port"); // 0: refused

    QTest::newRow("plain") << u"5432"_s << 5432;
    QTest::newRow("blanks around") << u" 6543 "_s << 6543;
    QTest::newRow("lowest") << u"1"_s << 1;
    QTest::newRow("highest") << u"65535"_s << 65535;
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("letters") << u"abc"_s << 0;
    QTest::newRow("trailing letter") << u"54a"_s << 0;
    QTest::newRow("decimal") << u"5432.0"_s << 0;
    QTest::newRow("signed") << u"+80"_s << 0;
    QTest::newRow("negative") << u"-1"_s << 0;
    QTest::newRow("zero") << u"0"_s << 0;
    QTest::newRow("too large") << u"65536"_s << 0;
    QTest::newRow("overflow") << u"99999999999"_s << 0;
}

void tst_Configer::parsePort()
{
    QFETCH(QString, text);
    QFETCH(int, port);

    QString error;
    const std::optional<int> parsed = TConfiger::ParsePort(text, &error);
    if (port == 0) {
        QVERIFY(!parsed);
        QCOMPARE(error, u"端口必须是 1 到 65535 之间的整数."_s);
    } else {
        QCOMPARE(parsed, std::optional<int>(port));
        QCOMPARE(error, QString());
    }
}

void tst_Configer::connectionString_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("defaultCon");
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QString>("connection");

    const QString server =
        u"Provider=QPSQL;Data Source=db.local;Port=5433;Initial Catalog=图书馆;User ID=librarian;Password=秘密"_s;
    const QString file = u"Provider=QSQLITE;Data Source=/srv/books.db"_s;
    const QString lookup =
        u"Provider=QPSQL;Data Source=pg.local;Port=5434;Initial Catalog=quorin;User ID=lib;Password=secret"_s;

    QTest::newRow("server") << 0 << false << server << server;
    QTest::newRow("server, default file flag ignored") << 0 << true << server << server;
    QTest::newRow("file") << 1 << false << file << file;
    QTest::newRow("default file") << 1 << true << file << defaultFileConnection();
    QTest::newRow("lookup") << 2 << false << QString() << lookup;
    QTest::newRow("unknown kind") << 7 << false << QString() << QString();
}

void tst_Configer::connectionString()
{
    QFETCH(int, kind);
    QFETCH(bool, defaultCon);
    QFETCH(QString, saved);
    QFETCH(QString, connection);
    TFakeHttpServer lookup;
    lookup.Answer(200, "pg.local\n5434\nlib\nsecret\nquorin\n");

    TConfiger config(configPath());
    fillServerSettings(config);
    config.dipUrl = lookup.Url(u"/dip"_s);
    config.providerIdx = kind;
    config.defaultCon = defaultCon;
    QVERIFY(config.SaveConfig());

    QCOMPARE(savedConnStr(configPath()), saved);
    QCOMPARE(config.ConnectionString(), connection);
    QCOMPARE(TConfiger(configPath()).ConnectionString(), connection);
}

void tst_Configer::defaultFileIgnoresDamagedConnStr()
{
    const QByteArray damaged = "ConnStr=\xff\xfe\x01garbage\n";
    writeFile(configPath(), "[db]\nproviderIdx=1\ndefaultCon=1\n" + damaged);
    QCOMPARE(TConfiger(configPath()).ConnectionString(), defaultFileConnection());

    // Without the default file the damaged text is what there is to connect with.
    writeFile(configPath(), "[db]\nproviderIdx=1\ndefaultCon=0\n" + damaged);
    QCOMPARE(TConfiger(configPath()).ConnectionString(), UnscrambleText("\xff\xfe\x01garbage"));
}

void tst_Configer::serverKindReadsConnStrOnly()
{
    TConfiger config(configPath());
    fillServerSettings(config);
    QVERIFY(config.SaveConfig());
    const QString original = config.ConnectionString();
    QVERIFY(original.contains(u"Data Source=db.local;"_s));

    QByteArray content = readFile(configPath());
    content.replace("mssqlServer=db.local", "mssqlServer=other.host");
    writeFile(configPath(), content);
    const TConfiger edited(configPath());
    QCOMPARE(edited.mssqlServer, u"other.host"_s);
    QCOMPARE(edited.ConnectionString(), original);

    // The string is read when asked for, so a save by someone else since counts.
    TConfiger other(configPath());
    other.mssqlServer = u"third.host"_s;
    QVERIFY(other.SaveConfig());
    QVERIFY(config.ConnectionString().contains(u"Data Source=third.host;"_s));
}

void tst_Configer::lookupAnswer_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("connection");

    const QString answer =
        u"Provider=QPSQL;Data Source=pg.local;Port=5434;Initial Catalog=quorin;User ID=lib;Password=secret"_s;
    QTest::newRow("five lines") << "pg.local\n5434\nlib\nsecret\nquorin"_ba << answer;
    QTest::newRow("five lines, final line break") << "pg.local\n5434\nlib\nsecret\nquorin\n"_ba << answer;
    QTest::newRow("five lines, CRLF") << "pg.local\r\n5434\r\nlib\r\nsecret\r\nquorin\r\n"_ba << answer;
    QTest::newRow("chinese password") << u"pg.local\n5434\nlib\n秘密\nquorin\n"_s.toUtf8()
                                      << u"Provider=QPSQL;Data Source=pg.local;Port=5434;Initial Catalog=quorin;"
                                         "User ID=lib;Password=秘密"_s;
    QTest::newRow("empty port line") << "pg.local\n\nlib\nsecret\nquorin\n"_ba
                                     << u"Provider=QPSQL;Data Source=pg.local;Port=5432;Initial Catalog=quorin;"
                                        "User ID=lib;Password=secret"_s;
    QTest::newRow("four lines") << "pg.local\n5434\nlib\nsecret\n"_ba << QString();
    QTest::newRow("six lines") << "pg.local\n5434\nlib\nsecret\nquorin\nextra\n"_ba << QString();
    QTest::newRow("five lines and a blank one") << "pg.local\n5434\nlib\nsecret\nquorin\n\n"_ba << QString();
    QTest::newRow("empty answer") << QByteArray() << QString();
}

void tst_Configer::lookupAnswer()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, connection);
    TFakeHttpServer lookup;
    lookup.Answer(200, body);
    TRecordingNotifier notifier;

    TConfiger config(configPath());
    config.providerIdx = TConfiger::LookupKind;
    config.dipUrl = lookup.Url(u"/dip"_s);
    config.dipUser = u"reader01"_s;

    QCOMPARE(config.ConnectionString(), connection);
    QVERIFY(lookup.LastRequest().startsWith("GET /dip?user=reader01 HTTP/1.1\r\n"));
    QCOMPARE(notifier.Messages().size(), 0);
}

void tst_Configer::lookupFailure_data()
{
    QTest::addColumn<QString>("failure");

    QTest::newRow("server error") << u"500"_s;
    QTest::newRow("not found") << u"404"_s;
    QTest::newRow("closed port") << u"closed"_s;
    QTest::newRow("no answer in time") << u"silent"_s;
    QTest::newRow("local file address") << u"file"_s;
    QTest::newRow("no address") << u"empty"_s;
}

void tst_Configer::lookupFailure()
{
    QFETCH(QString, failure);
    TFakeHttpServer lookup;
    TRecordingNotifier notifier;
    TConfiger config(configPath());
    config.providerIdx = TConfiger::LookupKind;
    config.dipUser = u"reader01"_s;
    config.dipUrl = lookup.Url(u"/dip"_s);
    config.SetLookupTimeoutMs(300);

    // A failing server may still send five lines; they must not be used.
    const QByteArray fiveLines = "pg.local\n5434\nlib\nsecret\nquorin\n";
    if (failure == u"500"_s || failure == u"404"_s) {
        lookup.Answer(failure.toInt(), fiveLines);
    } else if (failure == u"closed"_s) {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        config.dipUrl = u"http://127.0.0.1:%1/dip"_s.arg(closed.serverPort());
    } else if (failure == u"silent"_s) {
        lookup.StaySilent();
    } else if (failure == u"file"_s) {
        writeFile(m_dir->filePath(u"answer"_s), fiveLines);
        config.dipUrl = QUrl::fromLocalFile(m_dir->filePath(u"answer"_s)).toString();
    } else {
        config.dipUrl.clear();
    }

    QCOMPARE(config.ConnectionString(), QString());
    QCOMPARE(notifier.Messages().size(), 1);
    QCOMPARE(notifier.Messages().first().Kind, u"info"_s);
    QCOMPARE(notifier.Messages().first().Text, LookupInfo);
}

void tst_Configer::postForm()
{
    TFakeHttpServer server;
    server.Answer(200, "thanks");

    const RHttpResult result = THttpClient::PostForm(QUrl(server.Url(u"/feedback"_s)),
                                                     {{u"name"_s, u"张三"_s}, {u"note"_s, u"a&b=c d+e"_s}});

    QVERIFY2(result.Ok, qPrintable(result.Error));
    QCOMPARE(result.Status, 200);
    QCOMPARE(result.Body, "thanks"_ba);
    const QByteArray request = server.LastRequest();
    QVERIFY(request.startsWith("POST /feedback HTTP/1.1\r\n"));
    QVERIFY(request.toLower().contains("\r\ncontent-type: application/x-www-form-urlencoded"));
    QVERIFY(request.endsWith("\r\n\r\nname=%E5%BC%A0%E4%B8%89&note=a%26b%3Dc%20d%2Be"));
}

void tst_Configer::lastLoginId()
{
    TConfiger config(configPath());
    fillServerSettings(config);
    QVERIFY(config.SaveConfig());
    const QByteArray settings = readFile(configPath());

    QVERIFY(TConfiger::WriteLastLoginId(configPath(), u"张三"_s));
    QVERIFY(TConfiger::WriteLastLoginId(configPath(), u"李四"_s));
    QCOMPARE(TConfiger::ReadLastLoginId(configPath()), u"李四"_s);

    const QByteArray content = readFile(configPath());
    QVERIFY(content.startsWith(settings));
    QCOMPARE(content.mid(settings.size()), "\n[Login]\nLastLoginId="_ba + u"李四"_s.toUtf8() + "\n");

    QString error;
    QVERIFY(!TConfiger::WriteLastLoginId(configPath(), u"sa\n[db]"_s, &error));
    QCOMPARE(TConfiger::ReadLastLoginId(configPath()), u"李四"_s);
}

QTEST_GUILESS_MAIN(tst_Configer)
#include "tst_configer.moc"
