#include "support/TestDatabase.h"

#include "data/Database.h"
#include "data/DbError.h"
#include "holdings/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

namespace TTestDatabase {

namespace {

std::unique_ptr<QTemporaryDir> g_folder;
QString g_lastConnection;
QString g_lastSchema;
int g_serial = 0;

QString serverString()
{
    return qEnvironmentVariable("QUORIN_TEST_PG");
}

// Runs one administrative statement on the PostgreSQL test database over a side connection.
bool adminExec(const QStringList& statements)
{
    TDatabase admin;
    QString error;
    if (!admin.TryConnect(serverString(), &error)) {
        qWarning("PostgreSQL test server: %s", qPrintable(error));
        return false;
    }
    try {
        for (const QString& sql : statements)
            admin.Execute(sql);
    } catch (const EDatabaseError& e) {
        qWarning("PostgreSQL test server: %s", qPrintable(e.Message()));
        return false;
    }
    return true;
}

} // namespace

QStringList Engines()
{
    QStringList engines{SQLite};
    if (!serverString().isEmpty())
        engines.append(PostgreSQL);
    return engines;
}

void AddEngineRows()
{
    for (const QString& engine : Engines())
        QTest::newRow(qPrintable(engine)) << engine;
}

bool OpenEmpty(const QString& engine)
{
    TDatabase& db = Database();
    // leave whatever the previous test left open before its files and schemas go
    db.SetConnected(false);
    QString error;
    if (engine == SQLite) {
        g_folder = std::make_unique<QTemporaryDir>();
        if (!g_folder->isValid())
            return false;
        g_lastConnection = u"Provider=QSQLITE;Data Source=%1"_s.arg(g_folder->filePath(u"test%1.db"_s.arg(++g_serial)));
        if (!db.TryConnect(g_lastConnection, &error, true)) {
            qWarning("SQLite test database: %s", qPrintable(error));
            return false;
        }
        return true;
    }
    if (engine == PostgreSQL) {
        const QString schema = u"qt_%1_%2"_s.arg(QCoreApplication::applicationPid()).arg(++g_serial);
        QStringList statements;
        if (!g_lastSchema.isEmpty())
            statements.append(u"drop schema if exists %1 cascade"_s.arg(g_lastSchema));
        statements.append(u"drop schema if exists %1 cascade"_s.arg(schema));
        statements.append(u"create schema %1"_s.arg(schema));
        if (!adminExec(statements))
            return false;
        g_lastSchema = schema;
        g_lastConnection = serverString() + u";Schema="_s + schema;
        if (!db.TryConnect(g_lastConnection, &error)) {
            qWarning("PostgreSQL test database: %s", qPrintable(error));
            return false;
        }
        return true;
    }
    return false;
}

bool OpenWithSchema(const QString& engine)
{
    if (!OpenEmpty(engine))
        return false;
    try {
        TSchema::Create(Database());
    } catch (const EDatabaseError& e) {
        qWarning("schema: %s", qPrintable(e.Message()));
        return false;
    }
    return true;
}

QString LastConnectionString()
{
    return g_lastConnection;
}

} // namespace TTestDatabase
