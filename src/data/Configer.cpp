#include "data/Configer.h"

#include "data/AppPaths.h"
#include "data/Database.h"
#include "data/HttpClient.h"
#include "data/IniFile.h"
#include "data/Notifier.h"
#include "data/Scramble.h"

#include <QUrl>

#include <algorithm>
#include <initializer_list>

using namespace Qt::StringLiterals;

namespace {

const QString DbSection = u"db"_s;
const QString LoginSection = u"Login"_s;
const QString ConnStrKey = u"ConnStr"_s;
const QString LastLoginIdKey = u"LastLoginId"_s;

QString text(const TIniFile& ini, const QString& key)
{
    return QString::fromUtf8(ini.Value(DbSection, key, {}));
}

QString scrambledText(const TIniFile& ini, const QString& key)
{
    return UnscrambleText(ini.Value(DbSection, key, {}));
}

int integer(const TIniFile& ini, const QString& key, int fallback)
{
    bool ok = false;
    const int value = ini.Value(DbSection, key, {}).trimmed().toInt(&ok);
    return ok ? value : fallback;
}

bool hasControlCharacter(const QString& value)
{
    return std::any_of(value.cbegin(), value.cend(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
}

// Splits the lookup answer the way a line list reads text: LF, CRLF or CR end a line, and a final
// line break does not start another line.
QStringList answerLines(const QString& body)
{
    QStringList lines;
    QString current;
    bool open = false;
    for (qsizetype i = 0; i < body.size(); ++i) {
        const QChar c = body[i];
        if (c == u'\r' || c == u'\n') {
            lines.append(current);
            current.clear();
            open = false;
            if (c == u'\r' && i + 1 < body.size() && body[i + 1] == u'\n')
                ++i;
        } else {
            current += c;
            open = true;
        }
    }
    if (open)
        lines.append(current);
    return lines;
}

} // namespace

TConfiger::TConfiger() : TConfiger(AppPaths::ConfigFilePath()) {}

TConfiger::TConfiger(QString filePath) : m_filePath(std::move(filePath))
{
    Load();
}

void TConfiger::Load()
{
    TIniFile ini;
    ini.Load(m_filePath);
    mssqlServer = text(ini, u"mssqlServer"_s);
    mssqlPort = ParsePort(text(ini, u"mssqlPort"_s)).value_or(DefaultServerPort);
    mssqlDb = text(ini, u"mssqlDb"_s);
    mssqlUser = text(ini, u"mssqlUser"_s);
    mssqlPw = scrambledText(ini, u"mssqlPw"_s);
    jetfile = scrambledText(ini, u"jetfile"_s);
    jetUser = text(ini, u"jetUser"_s);
    jetPw = scrambledText(ini, u"jetPw"_s);
    dipUrl = text(ini, u"dipUrl"_s);
    dipUser = text(ini, u"dipUser"_s);
    providerIdx = integer(ini, u"providerIdx"_s, ServerKind);
    defaultCon = integer(ini, u"defaultCon"_s, 1) != 0;
}

bool TConfiger::SaveConfig(QString* error)
{
    const auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    if (mssqlPort < 1 || mssqlPort > 65535)
        return fail(PortError());
    for (const QString* value :
         {&mssqlServer, &mssqlDb, &mssqlUser, &mssqlPw, &jetfile, &jetUser, &jetPw, &dipUrl, &dipUser}) {
        // A line break would split the entry in the file; a scrambled control character may become one.
        if (hasControlCharacter(*value))
            return fail(u"连接参数中不能含有换行等控制字符."_s);
    }

    TIniFile ini;
    QString readError;
    if (!ini.Load(m_filePath, &readError))
        return fail(readError);
    ini.SetValue(DbSection, u"mssqlServer"_s, mssqlServer.toUtf8());
    ini.SetValue(DbSection, u"mssqlPort"_s, QByteArray::number(mssqlPort));
    ini.SetValue(DbSection, u"mssqlDb"_s, mssqlDb.toUtf8());
    ini.SetValue(DbSection, u"mssqlUser"_s, mssqlUser.toUtf8());
    ini.SetValue(DbSection, u"mssqlPw"_s, ScrambleText(mssqlPw));
    ini.SetValue(DbSection, u"jetfile"_s, ScrambleText(jetfile));
    ini.SetValue(DbSection, u"jetUser"_s, jetUser.toUtf8());
    ini.SetValue(DbSection, u"jetPw"_s, ScrambleText(jetPw));
    ini.SetValue(DbSection, u"dipUrl"_s, dipUrl.toUtf8());
    ini.SetValue(DbSection, u"dipUser"_s, dipUser.toUtf8());
    ini.SetValue(DbSection, u"providerIdx"_s, QByteArray::number(providerIdx));
    ini.SetValue(DbSection, u"defaultCon"_s, defaultCon ? "1" : "0");

    QString connection;
    if (providerIdx == ServerKind) {
        connection = ServerConnectionString(mssqlServer, QString::number(mssqlPort), mssqlDb, mssqlUser, mssqlPw);
        RegisterAlias(mssqlServer, QString::number(mssqlPort), SmartConnect);
    } else if (providerIdx == FileKind) {
        // Saved even when the default file is in use, so unticking "使用默认连接" later finds it.
        connection = FileConnectionString(jetfile);
    }
    ini.SetValue(DbSection, ConnStrKey, ScrambleText(connection));
    return ini.Save(m_filePath, error);
}

QString TConfiger::ConnectionString() const
{
    if (providerIdx == FileKind && defaultCon)
        return FileConnectionString(AppPaths::DefaultDatabasePath());
    if (providerIdx == LookupKind)
        return FetchDipConnection();
    TIniFile ini;
    ini.Load(m_filePath);
    return UnscrambleText(ini.Value(DbSection, ConnStrKey, {}));
}

QString TConfiger::FetchDipConnection() const
{
    // The service takes the user name as typed; the address is not escaped either.
    const RHttpResult answer = THttpClient::Get(QUrl(dipUrl + u"?user="_s + dipUser), m_lookupTimeoutMs);
    if (!answer.Ok) {
        Notifier().Info(u"无法获得DIP连接信息,请检查网络是否畅通."_s);
        return {};
    }
    const QStringList lines = answerLines(QString::fromUtf8(answer.Body));
    if (lines.size() != 5)
        return {};
    const QString& server = lines[0];
    const QString& port = lines[1];
    RegisterAlias(server, port, false);
    // An empty port line means the server's usual port.
    return ServerConnectionString(server, port.isEmpty() ? QString::number(DefaultServerPort) : port, lines[4],
                                  lines[2], lines[3]);
}

void TConfiger::RegisterAlias(const QString& server, const QString& port, bool remove) const
{
    Q_UNUSED(server)
    Q_UNUSED(port)
    Q_UNUSED(remove)
}

QString TConfiger::ReadLastLoginId()
{
    return ReadLastLoginId(AppPaths::ConfigFilePath());
}

QString TConfiger::ReadLastLoginId(const QString& filePath)
{
    TIniFile ini;
    ini.Load(filePath);
    return QString::fromUtf8(ini.Value(LoginSection, LastLoginIdKey, {}));
}

bool TConfiger::WriteLastLoginId(const QString& loginId, QString* error)
{
    return WriteLastLoginId(AppPaths::ConfigFilePath(), loginId, error);
}

bool TConfiger::WriteLastLoginId(const QString& filePath, const QString& loginId, QString* error)
{
    if (hasControlCharacter(loginId)) {
        if (error)
            *error = u"登录名中不能含有换行等控制字符."_s;
        return false;
    }
    TIniFile ini;
    if (!ini.Load(filePath, error))
        return false;
    ini.SetValue(LoginSection, LastLoginIdKey, loginId.toUtf8());
    return ini.Save(filePath, error);
}

std::optional<int> TConfiger::ParsePort(const QString& text, QString* error)
{
    bool ok = false;
    const QString digits = text.trimmed();
    const int port = digits.toInt(&ok);
    // toInt also takes a sign; a port is written with digits only.
    const bool onlyDigits =
        !digits.isEmpty() && std::all_of(digits.cbegin(), digits.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (ok && onlyDigits && port >= 1 && port <= 65535)
        return port;
    if (error)
        *error = PortError();
    return std::nullopt;
}

QString TConfiger::PortError()
{
    return u"端口必须是 1 到 65535 之间的整数."_s;
}

QString TConfiger::FileConnectionString(const QString& file)
{
    return u"Provider=%1;Data Source=%2"_s.arg(TDatabase::FileProvider, file);
}

QString TConfiger::ServerConnectionString(const QString& host, const QString& port, const QString& database,
                                          const QString& user, const QString& password)
{
    return u"Provider=%1;Data Source=%2;Port=%3;Initial Catalog=%4;User ID=%5;Password=%6"_s.arg(
        TDatabase::ServerProvider, host, port, database, user, password);
}
