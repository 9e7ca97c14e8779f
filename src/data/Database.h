#pragma once

#include "data/DBParameter.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlQuery>
#include <memory>

// The engines Quorin runs on. The file provider is the embedded single-seat database; every
// other provider is a database server shared by several workstations.
enum class TEngine
{
    None,
    SQLite,
    PostgreSQL,
};

// The program's one connection and the only place that knows the SQL dialect.
class TDatabase
{
public:
    // Provider names as they appear in connection strings.
    static inline const QString FileProvider = QStringLiteral("QSQLITE");
    static inline const QString ServerProvider = QStringLiteral("QPSQL");

    TDatabase();
    ~TDatabase();
    TDatabase(const TDatabase&) = delete;
    TDatabase& operator=(const TDatabase&) = delete;

    // Closes, sets the string and opens. On failure tells the operator
    // "连接时失败,提示如下:\r\n%s" and returns false.
    bool Connect(const QString& connectionString);
    // The same without the message box; the driver's message lands in `error`. A missing SQLite
    // file is refused unless `createFile` is set (the first start and the "create database" command).
    bool TryConnect(const QString& connectionString, QString* error = nullptr, bool createFile = false);
    bool Connected() const;
    // Closes the connection and lets go of it; the string stays for a later reopen.
    void Release();
    void SetConnected(bool connected);
    QString ConnectionString() const { return m_connectionString; }

    // Runs a statement without result rows and returns the rows affected. Raises EDatabaseError
    // with the driver's message, "\r\n" and the SQL text.
    int ExecSQL(const QString& sql, const TDBParameters& params = {}, const TxDBParameters& blobs = {});
    // The same where no count is needed.
    void Execute(const QString& sql, const TDBParameters& params = {}, const TxDBParameters& blobs = {});
    // Runs a select and returns the executed forward-only query. Raises as ExecSQL.
    QSqlQuery Select(const QString& sql, const TDBParameters& params = {});

    // Connection-string keys, read the way the dialogs and backup expect (first exact occurrence).
    QString ConnectionValue(const QString& key) const;
    QString ProviderName() const;
    QString DataSourceName() const;
    bool IsSqlServer() const;
    TEngine Engine() const { return m_engine; }

    // Dialect: a date constant (time dropped), the server's current date and time, the number of
    // days from `earlier` to `later` (fractional), and a row limit appended to a select.
    QString DateLiteral(const QDate& date) const;
    QString DateLiteral(const QDateTime& date) const { return DateLiteral(date.date()); }
    QString NowFunction() const;
    QString DaysBetween(const QString& later, const QString& earlier) const;
    QString LimitClause(int rows) const;

    // Transactions. Nested begins join the outer one; a rollback at any depth rolls the whole
    // transaction back and makes the outer commit fail.
    int BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool InTransaction() const { return m_transDepth > 0; }

    // The next identifier of `table` (highest `column` + 1, 1 for an empty table). Must run inside
    // a transaction: the table is locked first so workstations saving at once queue up.
    int NextId(const QString& table, const QString& column = QStringLiteral("Id"));
    // Takes the allocation lock of `table` for the rest of the current transaction.
    void LockTable(const QString& table);

    // Converts a value for binding (dates as "yyyy-MM-dd hh:mm:ss", flags as 0/1 on SQLite).
    QVariant ToDb(const QVariant& value) const;

    QSqlDatabase Connection() const;

private:
    // Binds and runs one statement; raises with the driver's message and the SQL text.
    // `returnsRows`: the caller reads the result, so the query is its own and not kept for reuse.
    QSqlQuery execute(const QString& sql, const TDBParameters& params, const TxDBParameters& blobs, bool returnsRows);
    int run(const QString& sql, const TDBParameters& params, const TxDBParameters& blobs);
    void ensureOpen();
    void rawExec(const QString& sql);
    [[noreturn]] void raise(const QString& driverMessage, const QString& sql) const;

    struct TStatementCache;
    std::unique_ptr<TStatementCache> m_cache;
    QString m_connectionName;
    QString m_connectionString;
    TEngine m_engine = TEngine::None;
    int m_transDepth = 0;
    bool m_transDoomed = false;
};

// The process-wide database object; on a thread that has set its own with SetThreadDatabase, that one.
TDatabase& Database();
// Gives the calling thread a database object of its own (nullptr: the process-wide one again). A
// connection belongs to the thread that opened it, so a second workstation simulated on a worker
// thread opens and uses its own.
void SetThreadDatabase(TDatabase* database);
