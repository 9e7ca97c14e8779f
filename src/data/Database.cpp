#include "data/Database.h"

#include "data/DbError.h"
#include "data/Notifier.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <QRegularExpression>
#include <QtSql/QSqlDriver>
#include <QtSql/QSqlError>

using namespace Qt::StringLiterals;

namespace {

const QString kDateTimeFormat = u"yyyy-MM-dd hh:mm:ss"_s;
// First key of the PostgreSQL advisory locks that serialise identifier allocation.
constexpr int kIdLockClass = 0x51524E; // "QRN"

bool isIdentifier(const QString& name)
{
    static const QRegularExpression re(u"^[A-Za-z_][A-Za-z0-9_]*$"_s);
    return re.match(name).hasMatch();
}

// Connection-string keys and values, "Key=Value;" pairs; keys compare without letter case.
QHash<QString, QString> parseConnectionString(const QString& text)
{
    QHash<QString, QString> values;
    const QStringList parts = text.split(u';');
    for (const QString& part : parts) {
        const qsizetype eq = part.indexOf(u'=');
        if (eq <= 0)
            continue;
        const QString key = part.left(eq).trimmed().toLower();
        if (!values.contains(key))
            values.insert(key, part.mid(eq + 1).trimmed());
    }
    return values;
}

// A statement with its ":Name" placeholders turned into positional "?" marks, and the names in
// the order they occur. Quoted strings, quoted identifiers, comments and "::" casts are left alone.
struct TParsedSql
{
    QString Text;
    QStringList Names;
};

TParsedSql parsePlaceholders(const QString& sql)
{
    TParsedSql parsed;
    parsed.Text.reserve(sql.size());
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql.at(i);
        if (c == u'\'' || c == u'"') {
            // copy through the closing quote; a doubled quote stays inside
            qsizetype j = i + 1;
            while (j < n) {
                if (sql.at(j) == c) {
                    if (j + 1 < n && sql.at(j + 1) == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            parsed.Text += sql.mid(i, j - i + 1);
            i = j + 1;
            continue;
        }
        if (c == u'-' && i + 1 < n && sql.at(i + 1) == u'-') {
            qsizetype j = sql.indexOf(u'\n', i);
            if (j < 0)
                j = n;
            parsed.Text += sql.mid(i, j - i);
            i = j;
            continue;
        }
        if (c == u':') {
            if (i + 1 < n && sql.at(i + 1) == u':') {
                parsed.Text += u"::"_s;
                i += 2;
                continue;
            }
            qsizetype j = i + 1;
            if (j < n && (sql.at(j).isLetter() || sql.at(j) == u'_')) {
                while (j < n && (sql.at(j).isLetterOrNumber() || sql.at(j) == u'_'))
                    ++j;
                parsed.Names.append(sql.mid(i + 1, j - i - 1));
                parsed.Text += u'?';
                i = j;
                continue;
            }
        }
        parsed.Text += c;
        ++i;
    }
    return parsed;
}

QString driverMessage(const QSqlError& error)
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.driverText().trimmed();
    if (text.isEmpty())
        text = error.text().trimmed();
    return text;
}

int g_connectionSerial = 0;
bool g_postRoutineAdded = false;

} // namespace

// Parsed statements and, for statements without result rows, their prepared queries: business
// steps and imports run the same insert thousands of times, and parsing and preparing each time
// would cost more than the work itself.
struct TDatabase::TStatementCache
{
    static constexpr qsizetype Limit = 256;
    QHash<QString, TParsedSql> Parsed;
    QHash<QString, QSqlQuery> Prepared;

    const TParsedSql& parse(const QString& sql)
    {
        auto found = Parsed.constFind(sql);
        if (found != Parsed.constEnd())
            return *found;
        if (Parsed.size() >= Limit)
            Parsed.clear();
        return *Parsed.insert(sql, parsePlaceholders(sql));
    }
    void clear()
    {
        Prepared.clear();
        Parsed.clear();
    }
};

namespace {

// Every live database object, so the connections can be closed while the application object
// still exists: its destructor unloads the driver plugins that a later close would call into.
QList<TDatabase*>& liveDatabases()
{
    static QList<TDatabase*> list;
    return list;
}

void closeAllAtExit()
{
    for (TDatabase* database : liveDatabases())
        database->Release();
}

} // namespace

TDatabase::TDatabase()
{
    // Touch QtSql's connection registry now: statics are destroyed in reverse order of
    // construction, so it then outlives the process-wide Database.
    (void)QSqlDatabase::connectionNames();
    m_cache = std::make_unique<TStatementCache>();
    liveDatabases().append(this);
}

TDatabase::~TDatabase()
{
    liveDatabases().removeAll(this);
    Release();
}

void TDatabase::Release()
{
    // Prepared statements go before the connection they belong to.
    m_cache->clear();
    if (m_connectionName.isEmpty())
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
    m_connectionName.clear();
    m_engine = TEngine::None;
    m_transDepth = 0;
    m_transDoomed = false;
}

QSqlDatabase TDatabase::Connection() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

bool TDatabase::Connect(const QString& connectionString)
{
    QString error;
    if (TryConnect(connectionString, &error))
        return true;
    Notifier().Info(u"连接时失败,提示如下:\r\n%1"_s.arg(error));
    return false;
}

bool TDatabase::TryConnect(const QString& connectionString, QString* error, bool createFile)
{
    auto fail = [&](const QString& message) {
        if (error)
            *error = message;
        return false;
    };

    // Close whatever was open; the string is kept even when the new attempt fails, so a later
    // statement retries with it.
    Release();
    m_connectionString = connectionString;

    const QHash<QString, QString> values = parseConnectionString(connectionString);
    const QString provider = values.value(u"provider"_s);
    const QString source = values.value(u"data source"_s);
    const QString name = u"quorin_%1"_s.arg(++g_connectionSerial);
    if (QCoreApplication::instance() && !g_postRoutineAdded) {
        qAddPostRoutine(closeAllAtExit);
        g_postRoutineAdded = true;
    }

    if (provider == FileProvider) {
        if (source.isEmpty())
            return fail(u"没有指定数据库文件."_s);
        const QFileInfo file(source);
        if (!file.exists()) {
            if (!createFile)
                return fail(u"数据库文件不存在: %1"_s.arg(QDir::toNativeSeparators(source)));
            if (!QDir().mkpath(file.absolutePath()))
                return fail(u"无法创建文件夹: %1"_s.arg(QDir::toNativeSeparators(file.absolutePath())));
        } else {
            if (!file.isFile())
                return fail(u"不是数据库文件: %1"_s.arg(QDir::toNativeSeparators(source)));
            // SQLite writes its journal beside the file, so both must be writable.
            if (!file.isWritable() || !QFileInfo(file.absolutePath()).isWritable())
                return fail(u"数据库文件或其所在文件夹不可写: %1"_s.arg(QDir::toNativeSeparators(source)));
        }
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        db.setDatabaseName(source);
        // Another program on the same file waits for its turn instead of failing at once.
        bool timeoutOk = false;
        const int busyTimeout = values.value(u"busy timeout"_s).toInt(&timeoutOk);
        db.setConnectOptions(u"QSQLITE_BUSY_TIMEOUT=%1"_s.arg(timeoutOk && busyTimeout >= 0 ? busyTimeout : 10000));
        m_connectionName = name;
        if (!db.open())
            return fail(driverMessage(db.lastError()));
        QSqlQuery probe(db);
        if (!probe.exec(u"select count(*) from sqlite_master"_s)) {
            const QString message = driverMessage(probe.lastError());
            probe = QSqlQuery();
            db.close();
            return fail(message);
        }
        // A write-ahead log syncs once per commit instead of several times, which is what makes a
        // loan or return save fast on an ordinary disk, and it stays as durable. The file keeps the
        // mode; copies of the database must go through SQLite's own backup (the -wal file holds
        // committed work until the next checkpoint). A file system that cannot share memory refuses
        // the mode and the file simply stays in rollback-journal mode.
        probe.exec(u"pragma journal_mode=wal"_s);
        m_engine = TEngine::SQLite;
        return true;
    }

    if (provider == ServerProvider) {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QPSQL"_s, name);
        m_connectionName = name;
        db.setHostName(source);
        bool portOk = false;
        const int port = values.value(u"port"_s, u"5432"_s).toInt(&portOk);
        db.setPort(portOk ? port : 5432);
        db.setDatabaseName(values.value(u"initial catalog"_s));
        db.setUserName(values.value(u"user id"_s));
        db.setPassword(values.value(u"password"_s));
        db.setConnectOptions(u"connect_timeout=10"_s);
        if (!db.open())
            return fail(driverMessage(db.lastError()));
        QSqlQuery setup(db);
        const QString schema = values.value(u"schema"_s);
        if (!schema.isEmpty()) {
            if (!isIdentifier(schema)) {
                db.close();
                return fail(u"无效的模式名: %1"_s.arg(schema));
            }
            if (!setup.exec(u"set search_path to %1, public"_s.arg(schema))) {
                const QString message = driverMessage(setup.lastError());
                db.close();
                return fail(message);
            }
        }
        if (!setup.exec(u"select 1"_s)) {
            const QString message = driverMessage(setup.lastError());
            db.close();
            return fail(message);
        }
        m_engine = TEngine::PostgreSQL;
        return true;
    }

    if (connectionString.trimmed().isEmpty())
        return fail(u"尚未设置数据库连接参数."_s);
    return fail(u"不支持的数据库提供者: %1"_s.arg(provider.isEmpty() ? u"(空)"_s : provider));
}

bool TDatabase::Connected() const
{
    return m_engine != TEngine::None && Connection().isOpen();
}

void TDatabase::SetConnected(bool connected)
{
    if (connected == Connected())
        return;
    if (connected) {
        TryConnect(m_connectionString);
        return;
    }
    m_cache->clear();
    {
        QSqlDatabase db = Connection();
        db.close();
    }
    m_engine = TEngine::None;
    m_transDepth = 0;
    m_transDoomed = false;
}

void TDatabase::ensureOpen()
{
    if (Connected())
        return;
    // A statement that finds the connection closed (late in the shutdown, say) reopens it.
    QString error;
    if (m_connectionString.isEmpty() || !TryConnect(m_connectionString, &error))
        throw EDatabaseError(error.isEmpty() ? u"数据库没有连接."_s : error);
}

void TDatabase::raise(const QString& message, const QString& sql) const
{
    throw EDatabaseError(message, sql);
}

QVariant TDatabase::ToDb(const QVariant& value) const
{
    if (value.isNull())
        return value;
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().startOfDay().toString(kDateTimeFormat);
    case QMetaType::QDateTime:
        return value.toDateTime().toString(kDateTimeFormat);
    case QMetaType::Bool:
        if (m_engine == TEngine::SQLite)
            return value.toBool() ? 1 : 0;
        return value;
    default:
        return value;
    }
}

QSqlQuery TDatabase::execute(const QString& sql, const TDBParameters& params, const TxDBParameters& blobs,
                             bool returnsRows)
{
    ensureOpen();
    if (m_transDoomed)
        raise(u"事务已回滚, 语句没有执行."_s, sql);

    const TParsedSql parsed = m_cache->parse(sql);
    // Callers usually pass the parameters in the order the statement names them, so look there first.
    auto findIn = [](const auto& list, const QString& name, qsizetype hint) -> qsizetype {
        if (hint >= 0 && hint < list.size() && list.at(hint).Name.compare(name, Qt::CaseInsensitive) == 0)
            return hint;
        for (qsizetype i = 0; i < list.size(); ++i)
            if (list.at(i).Name.compare(name, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    };
    auto inStatement = [&](const QString& name) {
        for (const QString& used : parsed.Names)
            if (used.compare(name, Qt::CaseInsensitive) == 0)
                return true;
        return false;
    };
    // A parameter the statement does not name is a programming error; say so before running anything.
    for (const TDBParameter& p : params)
        if (!inStatement(p.Name))
            raise(u"参数 %1 没有找到"_s.arg(p.Name), sql);
    for (const TxDBParameter& p : blobs)
        if (!inStatement(p.Name))
            raise(u"参数 %1 没有找到"_s.arg(p.Name), sql);

    // A forward-only select on PostgreSQL streams its rows one by one, and the next statement on the
    // connection throws away what the caller has not read yet: selects there fetch their rows whole.
    //
    // PostgreSQL cannot prepare DDL or transaction statements, and a statement without
    // placeholders gains nothing from it: run those as they are.
    if (parsed.Names.isEmpty()) {
        QSqlQuery query(Connection());
        query.setForwardOnly(!returnsRows || m_engine != TEngine::PostgreSQL);
        if (!query.exec(sql))
            raise(driverMessage(query.lastError()), sql);
        return query;
    }

    // A query handed back to a caller that reads rows is never shared: copies of a QSqlQuery share
    // one result, and the next run of the same text would overwrite what the caller still reads.
    QSqlQuery query;
    bool cached = false;
    if (!returnsRows) {
        auto found = m_cache->Prepared.find(parsed.Text);
        if (found != m_cache->Prepared.end()) {
            query = *found;
            cached = true;
        }
    }
    if (!cached) {
        query = QSqlQuery(Connection());
        query.setForwardOnly(!returnsRows || m_engine != TEngine::PostgreSQL);
        if (!query.prepare(parsed.Text))
            raise(driverMessage(query.lastError()), sql);
        if (!returnsRows) {
            if (m_cache->Prepared.size() >= TStatementCache::Limit)
                m_cache->Prepared.clear();
            m_cache->Prepared.insert(parsed.Text, query);
        }
    }
    for (qsizetype n = 0; n < parsed.Names.size(); ++n) {
        const QString& name = parsed.Names.at(n);
        const qsizetype pi = findIn(params, name, n);
        if (pi >= 0) {
            query.bindValue(int(n), ToDb(params.at(pi).Value));
            continue;
        }
        const qsizetype bi = findIn(blobs, name, -1);
        if (bi >= 0) {
            QIODevice* stream = blobs.at(bi).Stream;
            QByteArray bytes;
            if (stream) {
                if (!stream->isOpen())
                    stream->open(QIODevice::ReadOnly);
                if (!stream->isSequential())
                    stream->seek(0);
                bytes = stream->readAll();
            }
            query.bindValue(int(n), bytes, QSql::In | QSql::Binary);
            continue;
        }
        raise(u"参数 %1 没有赋值"_s.arg(name), sql);
    }
    const bool ok = query.exec();
    if (!ok) {
        const QString message = driverMessage(query.lastError());
        if (!returnsRows)
            query.finish();
        raise(message, sql);
    }
    return query;
}

int TDatabase::run(const QString& sql, const TDBParameters& params, const TxDBParameters& blobs)
{
    QSqlQuery query = execute(sql, params, blobs, false);
    const int affected = query.numRowsAffected();
    query.finish();
    return affected;
}

int TDatabase::ExecSQL(const QString& sql, const TDBParameters& params, const TxDBParameters& blobs)
{
    return run(sql, params, blobs);
}

void TDatabase::Execute(const QString& sql, const TDBParameters& params, const TxDBParameters& blobs)
{
    run(sql, params, blobs);
}

QSqlQuery TDatabase::Select(const QString& sql, const TDBParameters& params)
{
    return execute(sql, params, {}, true);
}

QString TDatabase::ConnectionValue(const QString& key) const
{
    const qsizetype at = m_connectionString.indexOf(key, 0, Qt::CaseSensitive);
    if (at < 0 || key.isEmpty())
        return QString();
    const qsizetype start = at + key.size() + 1; // past the "="
    if (start > m_connectionString.size())
        return QString();
    const qsizetype end = m_connectionString.indexOf(u';', start);
    // Our connection strings end without a ";", so the last value runs to the end.
    return end < 0 ? m_connectionString.mid(start) : m_connectionString.mid(start, end - start);
}

QString TDatabase::ProviderName() const
{
    return ConnectionValue(u"Provider"_s);
}

QString TDatabase::DataSourceName() const
{
    return ConnectionValue(u"Data Source"_s);
}

bool TDatabase::IsSqlServer() const
{
    return ProviderName() != FileProvider;
}

QString TDatabase::DateLiteral(const QDate& date) const
{
    // SQLite keeps dates as text: the literal has the stored form so equality and ranges both hold.
    if (m_engine == TEngine::SQLite)
        return u"'%1 00:00:00'"_s.arg(date.toString(u"yyyy-MM-dd"_s));
    return u"'%1'"_s.arg(date.toString(u"yyyy-MM-dd"_s));
}

QString TDatabase::NowFunction() const
{
    if (m_engine == TEngine::SQLite)
        return u"datetime('now','localtime')"_s;
    return u"localtimestamp(0)"_s;
}

QString TDatabase::DaysBetween(const QString& later, const QString& earlier) const
{
    if (m_engine == TEngine::SQLite)
        return u"(julianday(%1)-julianday(%2))"_s.arg(later, earlier);
    return u"(extract(epoch from (cast(%1 as timestamp)-cast(%2 as timestamp)))/86400.0)"_s.arg(later, earlier);
}

QString TDatabase::LimitClause(int rows) const
{
    return u" limit %1"_s.arg(rows);
}

void TDatabase::rawExec(const QString& sql)
{
    QSqlQuery query(Connection());
    if (!query.exec(sql))
        raise(driverMessage(query.lastError()), sql);
}

int TDatabase::BeginTrans()
{
    ensureOpen();
    if (m_transDepth == 0) {
        // IMMEDIATE takes SQLite's write lock at once, so two programs on one file queue here
        // rather than failing half-way through a business step.
        rawExec(m_engine == TEngine::SQLite ? u"begin immediate"_s : u"begin"_s);
        m_transDoomed = false;
    }
    return ++m_transDepth;
}

void TDatabase::CommitTrans()
{
    if (m_transDepth == 0)
        throw EDatabaseError(u"没有进行中的事务."_s);
    if (--m_transDepth > 0)
        return;
    if (m_transDoomed) {
        m_transDoomed = false;
        throw EDatabaseError(u"事务已回滚, 没有提交."_s);
    }
    QSqlQuery query(Connection());
    if (!query.exec(u"commit"_s)) {
        const QString message = driverMessage(query.lastError());
        QSqlQuery(Connection()).exec(u"rollback"_s);
        raise(message, u"commit"_s);
    }
}

void TDatabase::RollbackTrans()
{
    if (m_transDepth == 0)
        return;
    if (!m_transDoomed && Connected()) {
        QSqlQuery(Connection()).exec(u"rollback"_s);
        m_transDoomed = true;
    }
    if (--m_transDepth == 0)
        m_transDoomed = false;
}

void TDatabase::LockTable(const QString& table)
{
    if (!InTransaction())
        throw EDatabaseError(u"表 %1 的加锁必须在事务中进行."_s.arg(table));
    // SQLite: "begin immediate" already holds the database's write lock.
    if (m_engine == TEngine::PostgreSQL)
        Select(u"select pg_advisory_xact_lock(%1, hashtext(:Name))"_s.arg(kIdLockClass),
               {MakeParam(u"Name"_s, table.toLower())});
}

int TDatabase::NextId(const QString& table, const QString& column)
{
    if (!isIdentifier(table) || !isIdentifier(column))
        throw EDatabaseError(u"无效的表名或列名: %1.%2"_s.arg(table, column));
    LockTable(table);
    QSqlQuery query = Select(u"select max(%1) from %2"_s.arg(column, table));
    // An empty table has a null maximum, which counts as 0.
    const int highest = query.next() ? query.value(0).toInt() : 0;
    return highest + 1;
}

namespace {
thread_local TDatabase* t_threadDatabase = nullptr;
}

TDatabase& Database()
{
    if (t_threadDatabase)
        return *t_threadDatabase;
    static TDatabase database;
    return database;
}

void SetThreadDatabase(TDatabase* database)
{
    t_threadDatabase = database;
}
