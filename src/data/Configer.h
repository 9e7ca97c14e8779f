#pragma once

#include <QString>
#include <optional>

// The connection settings in cfg.ini and the connection string they produce. The fields are read
// by the constructor and written by SaveConfig; the connection dialog edits them in between.
class TConfiger
{
public:
    // Values of providerIdx.
    static constexpr int ServerKind = 0; // a PostgreSQL server
    static constexpr int FileKind = 1;   // an SQLite file; with defaultCon the embedded database
    static constexpr int LookupKind = 2; // PostgreSQL settings fetched from the lookup service
    static constexpr int DefaultServerPort = 5432;
    static constexpr int DefaultLookupTimeoutMs = 5000;

    // Reads cfg.ini from AppPaths::ConfigFilePath().
    TConfiger();
    // Reads the given file instead.
    explicit TConfiger(QString filePath);

    // Sets every stored field from the file; a missing or unreadable file gives the defaults.
    // SmartConnect is not stored and keeps its value.
    void Load();
    // Writes the fields and the connection string for the chosen kind, keeping every other key in the
    // file. Returns false with the reason in `error` when nothing was written: an invalid port, a
    // value with control characters, or a file that cannot be read or written.
    bool SaveConfig(QString* error = nullptr);
    // The connection string to connect with now. Kinds 0 and 1 (without the default file) use ConnStr
    // as the file holds it at this moment, not the fields, so hand edits of the other keys have no
    // effect until SaveConfig rebuilds it.
    QString ConnectionString() const;
    // Asks the lookup service for the server settings; empty when it does not give exactly five lines.
    // A failed request tells the operator and gives empty too.
    QString FetchDipConnection() const;
    // The database client alias of the original platform; there is no such thing here, so nothing
    // happens. The calls stay where the alias is maintained.
    void RegisterAlias(const QString& server, const QString& port, bool remove) const;

    QString FilePath() const { return m_filePath; }
    int LookupTimeoutMs() const { return m_lookupTimeoutMs; }
    void SetLookupTimeoutMs(int milliseconds) { m_lookupTimeoutMs = milliseconds; }

    // The login name of the last successful login, section Login of cfg.ini.
    static QString ReadLastLoginId();
    static QString ReadLastLoginId(const QString& filePath);
    // Writes it, keeping every other key; false with the reason when the file cannot be written.
    static bool WriteLastLoginId(const QString& loginId, QString* error = nullptr);
    static bool WriteLastLoginId(const QString& filePath, const QString& loginId, QString* error = nullptr);

    // A port typed in the dialog: a whole number from 1 to 65535 (blanks around it allowed).
    // Anything else gives nullopt and PortError() in `error`.
    static std::optional<int> ParsePort(const QString& text, QString* error = nullptr);
    static QString PortError();

    static QString FileConnectionString(const QString& file);
    static QString ServerConnectionString(const QString& host, const QString& port, const QString& database,
                                          const QString& user, const QString& password);

    QString mssqlServer;
    int mssqlPort = DefaultServerPort;
    QString mssqlDb;
    QString mssqlUser;
    QString mssqlPw;
    // Set only from the dialog's "采用智能连接"; never stored.
    bool SmartConnect = false;
    QString jetfile;
    QString jetUser;
    QString jetPw;
    QString dipUrl;
    QString dipUser;
    int providerIdx = ServerKind;
    bool defaultCon = true;

private:
    QString m_filePath;
    int m_lookupTimeoutMs = DefaultLookupTimeoutMs;
};
