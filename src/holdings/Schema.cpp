#include "holdings/Schema.h"

#include "data/Database.h"
#include "data/DbError.h"
#include "data/Transaction.h"
#include "holdings/PreparedCatalog.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace {

constexpr int kCurrentVersion = 1;
// The table whose presence marks a database as ours; it holds the one version row.
const QString kVersionTable = u"schemaversion"_s;

QString scriptPath(TEngine engine)
{
    switch (engine) {
    case TEngine::SQLite:
        return u":/schema/sqlite.sql"_s;
    case TEngine::PostgreSQL:
        return u":/schema/postgresql.sql"_s;
    case TEngine::None:
        break;
    }
    throw EDatabaseError(u"数据库没有连接."_s);
}

QString loadScript(TEngine engine)
{
    const QString path = scriptPath(engine);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EDatabaseError(u"无法读取数据库结构脚本 %1."_s.arg(path));
    return QString::fromUtf8(file.readAll());
}

// The scripts end every statement with ";" at the end of a line and keep their comments on lines
// of their own, so no SQL parsing is needed to cut them apart.
QStringList splitStatements(const QString& script)
{
    QStringList statements;
    QString current;
    const QStringList lines = script.split(u'\n');
    for (const QString& line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u"--"_s))
            continue;
        if (!current.isEmpty())
            current += u'\n';
        current += trimmed;
        if (trimmed.endsWith(u';')) {
            current.chop(1);
            statements.append(current);
            current.clear();
        }
    }
    if (!current.isEmpty())
        statements.append(current);
    return statements;
}

bool versionTableExists(TDatabase& db)
{
    // Asked of the catalogue rather than by selecting from the table, so a database without it
    // gives a plain answer instead of a failed statement.
    const QString sql = db.Engine() == TEngine::SQLite
                            ? u"select count(*) from sqlite_master where type='table' and lower(name)=:Name"_s
                            : u"select count(*) from information_schema.tables"
                              u" where table_schema=current_schema() and table_name=:Name"_s;
    QSqlQuery query = db.Select(sql, {MakeParam(u"Name"_s, kVersionTable)});
    return query.next() && query.value(0).toInt() > 0;
}

} // namespace

int TSchema::CurrentVersion()
{
    return kCurrentVersion;
}

int TSchema::StoredVersion(TDatabase& db)
{
    if (!versionTableExists(db))
        return 0;
    QSqlQuery query = db.Select(u"select max(Version) from schemaversion"_s);
    if (!query.next() || query.value(0).isNull())
        throw EDatabaseError(u"数据库中缺少版本记录, 无法识别其结构."_s);
    return query.value(0).toInt();
}

void TSchema::Create(TDatabase& db, bool prepared)
{
    const QStringList statements = splitStatements(loadScript(db.Engine()));
    TTransaction transaction(db);
    const int stored = StoredVersion(db);
    if (stored != 0)
        throw EDatabaseError(u"数据库中已经建有本程序的数据表 (版本 %1)."_s.arg(stored));
    for (const QString& statement : statements)
        db.Execute(statement);
    if (prepared && !TPreparedCatalog::Load(db))
        throw EDatabaseError(TPreparedCatalog::NotEmptyText());
    transaction.Commit();
}

void TSchema::Migrate(TDatabase& db)
{
    const int stored = StoredVersion(db);
    if (stored == 0)
        throw EDatabaseError(u"数据库中没有本程序的数据表, 请先创建数据库."_s);
    if (stored > kCurrentVersion)
        throw EDatabaseError(u"数据库版本 %1 高于本程序支持的版本 %2, 请升级程序."_s.arg(stored).arg(kCurrentVersion));
    // Version 1 is the first; each later version adds its step from the version before here, run in
    // one transaction together with the update of the stored version.
}

bool TSchema::CreateDatabase(TDatabase& db, const QString& connectionString, QString* error)
{
    // A missing SQLite file, and its folder, are made by the connection itself.
    if (!db.TryConnect(connectionString, error, true))
        return false;
    try {
        if (StoredVersion(db) == 0)
            Create(db, true);
        else
            Migrate(db);
    } catch (const EDatabaseError& e) {
        if (error)
            *error = e.Message();
        return false;
    }
    return true;
}

bool TSchema::PrepareForUse(TDatabase& db, QString* error)
{
    try {
        Migrate(db);
    } catch (const EDatabaseError& e) {
        if (error)
            *error = e.Message();
        return false;
    }
    return true;
}
