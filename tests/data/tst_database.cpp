#include "data/Database.h"
#include "data/DbError.h"
#include "data/Transaction.h"
#include "support/RecordingNotifier.h"
#include "support/TestDatabase.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

using namespace Qt::StringLiterals;

class TestDatabase : public QObject
{
    Q_OBJECT

private:
    static int count(const QString& sql, const TDBParameters& params = {})
    {
        QSqlQuery q = Database().Select(sql, params);
        return q.next() ? q.value(0).toInt() : -1;
    }
    static void makeTable()
    {
        Database().Execute(u"create table t (Id integer primary key, Name varchar(50), At timestamp, Amount float, "
                           u"Data blob)"_s
                               .replace(u"blob"_s, Database().Engine() == TEngine::PostgreSQL ? u"bytea"_s : u"blob"_s)
                               .replace(u"timestamp"_s, Database().Engine() == TEngine::PostgreSQL
                                                            ? u"timestamp(0)"_s
                                                            : u"datetime"_s));
    }

private slots:
    void dialect_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("literal");
        QTest::addColumn<bool>("server");
        for (const QString& engine : TTestDatabase::Engines()) {
            const bool pg = engine == TTestDatabase::PostgreSQL;
            QTest::newRow(qPrintable(engine))
                << engine << (pg ? u"'2013-01-17'"_s : u"'2013-01-17 00:00:00'"_s) << pg;
        }
    }
    void dialect()
    {
        QFETCH(QString, engine);
        QFETCH(QString, literal);
        QFETCH(bool, server);
        QVERIFY(TTestDatabase::OpenEmpty(engine));
        TDatabase& db = Database();
        QCOMPARE(db.DateLiteral(QDate(2013, 1, 17)), literal);
        QCOMPARE(db.DateLiteral(QDateTime(QDate(2013, 1, 17), QTime(15, 30))), literal);
        QCOMPARE(db.IsSqlServer(), server);

        // the server's clock, read back through its own function
        QSqlQuery now = db.Select(u"select "_s + db.NowFunction());
        QVERIFY(now.next());
        const QDateTime serverNow = QDateTime::fromString(now.value(0).toString().left(19).replace(u'T', u' '),
                                                          u"yyyy-MM-dd hh:mm:ss"_s);
        QVERIFY2(qAbs(serverNow.secsTo(QDateTime::currentDateTime())) < 120, qPrintable(now.value(0).toString()));

        // whole and fractional day counts between stored dates and literals
        makeTable();
        db.ExecSQL(u"insert into t(Id, At) values(:Id, :At)"_s,
                   {MakeParam(u"Id"_s, 1), MakeParam(u"At"_s, QDateTime(QDate(2013, 1, 20), QTime(12, 0)))});
        QSqlQuery days = db.Select(u"select "_s + db.DaysBetween(u"At"_s, db.DateLiteral(QDate(2013, 1, 17))) +
                                   u" from t"_s);
        QVERIFY(days.next());
        QCOMPARE(days.value(0).toDouble(), 3.5);
        QCOMPARE(count(u"select count(*) from t where At>="_s + db.DateLiteral(QDate(2013, 1, 20))), 1);
        QCOMPARE(count(u"select count(*) from t where At<"_s + db.DateLiteral(QDate(2013, 1, 21))), 1);
        QCOMPARE(count(u"select count(*) from t where At<"_s + db.DateLiteral(QDate(2013, 1, 20))), 0);
        QCOMPARE(count(u"select count(*) from t"_s + db.LimitClause(1)), 1);
    }

    void providerAndValues_data()
    {
        QTest::addColumn<QString>("connection");
        QTest::addColumn<QString>("provider");
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("server");
        QTest::newRow("file") << u"Provider=QSQLITE;Data Source=/nowhere/q.db"_s << u"QSQLITE"_s << u"/nowhere/q.db"_s
                              << false;
        QTest::newRow("other case counts as server")
            << u"Provider=qsqlite;Data Source=/nowhere/q.db"_s << u"qsqlite"_s << u"/nowhere/q.db"_s << true;
        QTest::newRow("server") << u"Provider=QPSQL;Data Source=db.example;Port=1;Initial Catalog=lib"_s
                                << u"QPSQL"_s << u"db.example"_s << true;
        QTest::newRow("no provider") << u"Data Source=x;"_s << QString() << u"x"_s << true;
    }
    void providerAndValues()
    {
        QFETCH(QString, connection);
        QFETCH(QString, provider);
        QFETCH(QString, source);
        QFETCH(bool, server);
        TDatabase db;
        QString error;
        QVERIFY(!db.TryConnect(connection, &error)); // none of them can be reached
        QVERIFY(!error.isEmpty());
        QCOMPARE(db.ProviderName(), provider);
        QCOMPARE(db.DataSourceName(), source);
        QCOMPARE(db.IsSqlServer(), server);
        QCOMPARE(db.Connected(), false);
    }

    void connectFailures_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing file") << u"missing"_s;
        QTest::newRow("not a database") << u"garbage"_s;
        QTest::newRow("a folder") << u"folder"_s;
        QTest::newRow("server down") << u"server"_s;
        QTest::newRow("unknown provider") << u"provider"_s;
    }
    void connectFailures()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QString connection;
        if (kind == u"missing"_s) {
            connection = u"Provider=QSQLITE;Data Source=%1"_s.arg(dir.filePath(u"none.db"_s));
        } else if (kind == u"garbage"_s) {
            QFile file(dir.filePath(u"text.db"_s));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(4096, 'x'));
            file.close();
            connection = u"Provider=QSQLITE;Data Source=%1"_s.arg(file.fileName());
        } else if (kind == u"folder"_s) {
            connection = u"Provider=QSQLITE;Data Source=%1"_s.arg(dir.path());
        } else if (kind == u"server"_s) {
            connection = u"Provider=QPSQL;Data Source=127.0.0.1;Port=1;Initial Catalog=x;User ID=u;Password=p"_s;
        } else {
            connection = u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=x.mdb"_s;
        }
        TRecordingNotifier notifier;
        TDatabase db;
        QVERIFY(!db.Connect(connection));
        QVERIFY(!db.Connected());
        QCOMPARE(notifier.Messages().size(), 1);
        const QString text = notifier.LastText();
        QVERIFY2(text.startsWith(u"连接时失败,提示如下:\r\n"_s), qPrintable(text));
        QVERIFY2(text.size() > u"连接时失败,提示如下:\r\n"_s.size(), "the driver's message follows");
        // a missing file is not created by a plain connect
        if (kind == u"missing"_s)
            QVERIFY(!QFile::exists(dir.filePath(u"none.db"_s)));
    }

    void readOnlyFolder()
    {
        if (::geteuid() == 0)
            QSKIP("file permissions do not bind the superuser");
        QTemporaryDir dir;
        const QString file = dir.filePath(u"ro.db"_s);
        {
            TDatabase db;
            QVERIFY(db.TryConnect(u"Provider=QSQLITE;Data Source=%1"_s.arg(file), nullptr, true));
            db.Execute(u"create table x(a integer)"_s);
        }
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        TDatabase db;
        QString error;
        QVERIFY(!db.TryConnect(u"Provider=QSQLITE;Data Source=%1"_s.arg(file), &error));
        QVERIFY(!error.isEmpty());
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    void updateThenInsertByRowsAffected_data() { QTest::addColumn<QString>("engine"); TTestDatabase::AddEngineRows(); }
    void updateThenInsertByRowsAffected()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenEmpty(engine));
        makeTable();
        TDatabase& db = Database();
        const TDBParameters params{MakeParam(u"Name"_s, u"甲"_s), MakeParam(u"Id"_s, 5)};
        QCOMPARE(db.ExecSQL(u"update t set Name=:Name where Id=:Id"_s, params), 0);
        QCOMPARE(db.ExecSQL(u"insert into t(Name, Id) values(:Name, :Id)"_s, params), 1);
        QCOMPARE(db.ExecSQL(u"update t set Name=:Name where Id=:Id"_s, params), 1);
        // one name bound in two places
        QCOMPARE(db.ExecSQL(u"update t set Amount=:Id where Id=:Id"_s, {MakeParam(u"id"_s, 5)}), 1);
        QCOMPARE(count(u"select count(*) from t where Amount=5 and Name=:N"_s, {MakeParam(u"N"_s, u"甲"_s)}), 1);
    }

    // Write statements are prepared once and run again: a failure, a reconnect or a rolled-back
    // transaction in between must not leave a stale statement behind.
    void repeatedStatements_data() { QTest::addColumn<QString>("engine"); TTestDatabase::AddEngineRows(); }
    void repeatedStatements()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenEmpty(engine));
        makeTable();
        TDatabase& db = Database();
        const QString insert = u"insert into t(Id, Name) values(:Id, :Name)"_s;
        for (int id = 1; id <= 3; ++id)
            QCOMPARE(db.ExecSQL(insert, {MakeParam(u"Id"_s, id), MakeParam(u"Name"_s, u"n%1"_s.arg(id))}), 1);
        QVERIFY_THROWS_EXCEPTION(EDatabaseError,
                                 db.ExecSQL(insert, {MakeParam(u"Id"_s, 2), MakeParam(u"Name"_s, u"dup"_s)}));
        QCOMPARE(db.ExecSQL(insert, {MakeParam(u"Id"_s, 4), MakeParam(u"Name"_s, u"n4"_s)}), 1);

        db.BeginTrans();
        QCOMPARE(db.ExecSQL(insert, {MakeParam(u"Id"_s, 5), MakeParam(u"Name"_s, u"gone"_s)}), 1);
        db.RollbackTrans();
        QCOMPARE(db.ExecSQL(insert, {MakeParam(u"Id"_s, 5), MakeParam(u"Name"_s, u"n5"_s)}), 1);

        QVERIFY(db.TryConnect(TTestDatabase::LastConnectionString()));
        QCOMPARE(db.ExecSQL(insert, {MakeParam(u"Id"_s, 6), MakeParam(u"Name"_s, u"n6"_s)}), 1);
        db.SetConnected(false);
        QCOMPARE(db.ExecSQL(insert, {MakeParam(u"Id"_s, 7), MakeParam(u"Name"_s, u"n7"_s)}), 1);

        QCOMPARE(count(u"select count(*) from t"_s), 7);
        QCOMPARE(count(u"select count(*) from t where Name=:N"_s, {MakeParam(u"N"_s, u"n5"_s)}), 1);
        // the same text as a select, read while the write statement runs again, keeps its own rows
        QSqlQuery rows = db.Select(u"select Id from t where Id<:Top order by Id"_s, {MakeParam(u"Top"_s, 3)});
        QSqlQuery all = db.Select(u"select Id from t order by Id"_s);
        QCOMPARE(db.ExecSQL(u"update t set Name=:Name where Id<:Top"_s,
                            {MakeParam(u"Name"_s, u"x"_s), MakeParam(u"Top"_s, 3)}), 2);
        QVERIFY(rows.next());
        QCOMPARE(rows.value(0).toInt(), 1);
        QVERIFY(rows.next());
        QCOMPARE(rows.value(0).toInt(), 2);
        QVERIFY(!rows.next());
        int seen = 0;
        while (all.next())
            QCOMPARE(all.value(0).toInt(), ++seen);
        QCOMPARE(seen, 7);
    }

    void errorsCarryTheStatement_data() { QTest::addColumn<QString>("engine"); TTestDatabase::AddEngineRows(); }
    void errorsCarryTheStatement()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenEmpty(engine));
        makeTable();
        TDatabase& db = Database();
        db.Execute(u"insert into t(Id) values(1)"_s);
        const QString sql = u"insert into t(Id, Name) values(:Id, :Name)"_s;
        try {
            db.ExecSQL(sql, {MakeParam(u"Id"_s, 1), MakeParam(u"Name"_s, u"x"_s)});
            QFAIL("a duplicate key must raise");
        } catch (const EDatabaseError& e) {
            QVERIFY2(e.Message().endsWith(u"\r\n"_s + sql), qPrintable(e.Message()));
            QVERIFY(!e.DriverMessage().isEmpty());
        }
        // a parameter the statement does not hold stops it before it runs
        try {
            db.ExecSQL(u"insert into t(Id) values(:Id)"_s, {MakeParam(u"Id"_s, 2), MakeParam(u"Nope"_s, 1)});
            QFAIL("an unknown parameter must raise");
        } catch (const EDatabaseError& e) {
            QVERIFY(e.Message().contains(u"Nope"_s));
        }
        QCOMPARE(count(u"select count(*) from t"_s), 1);
        // the connection is still usable after errors
        QVERIFY(db.Connected());
        // a colon inside a quoted text is not a parameter; a doubled quote stays text
        QCOMPARE(db.ExecSQL(u"insert into t(Id, Name) values(3, 'a:b''c')"_s), 1);
        QCOMPARE(count(u"select count(*) from t where Name=:N"_s, {MakeParam(u"N"_s, u"a:b'c"_s)}), 1);
    }

    void valuesRoundTrip_data() { QTest::addColumn<QString>("engine"); TTestDatabase::AddEngineRows(); }
    void valuesRoundTrip()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenEmpty(engine));
        makeTable();
        TDatabase& db = Database();
        QByteArray bytes("\x00\x01\xffphoto", 8);
        QBuffer stream(&bytes);
        db.ExecSQL(u"insert into t(Id, Name, At, Amount, Data) values(:Id, :Name, :At, :Amount, :Data)"_s,
                   {MakeParam(u"Id"_s, 1), MakeParam(u"Name"_s, u"O'Brien \"引号\""_s),
                    MakeParam(u"At"_s, QDate(2024, 2, 29)), MakeParam(u"Amount"_s, 12.35)},
                   {TxDBParameter{u"Data"_s, &stream}});
        QSqlQuery q = db.Select(u"select Name, At, Amount, Data from t where Id=1"_s);
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), u"O'Brien \"引号\""_s);
        QCOMPARE(q.value(1).toString().left(19).replace(u'T', u' '), u"2024-02-29 00:00:00"_s);
        QCOMPARE(q.value(2).toDouble(), 12.35);
        QCOMPARE(q.value(3).toByteArray(), bytes);
        // null parameters write nulls
        db.ExecSQL(u"update t set Name=:Name, At=:At where Id=1"_s,
                   {MakeNullParam(u"Name"_s), MakeNullParam(u"At"_s)});
        QCOMPARE(count(u"select count(*) from t where Name is null and At is null"_s), 1);
    }

    void transactions_data() { QTest::addColumn<QString>("engine"); TTestDatabase::AddEngineRows(); }
    void transactions()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenEmpty(engine));
        makeTable();
        TDatabase& db = Database();

        // a failing statement inside a transaction leaves nothing behind
        db.BeginTrans();
        db.ExecSQL(u"insert into t(Id) values(1)"_s);
        try {
            db.ExecSQL(u"insert into t(Id) values(1)"_s);
            QFAIL("duplicate key");
        } catch (const EDatabaseError&) {
            db.RollbackTrans();
        }
        QVERIFY(!db.InTransaction());
        QCOMPARE(count(u"select count(*) from t"_s), 0);

        // the guard rolls back when an error leaves the scope
        try {
            TTransaction guard(db);
            db.ExecSQL(u"insert into t(Id) values(2)"_s);
            throw EDatabaseError(u"step failed"_s);
        } catch (const EDatabaseError&) {
        }
        QCOMPARE(count(u"select count(*) from t"_s), 0);

        // an inner rollback undoes the whole step and the outer commit refuses
        db.BeginTrans();
        db.ExecSQL(u"insert into t(Id) values(3)"_s);
        QCOMPARE(db.BeginTrans(), 2);
        db.RollbackTrans();
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, db.ExecSQL(u"insert into t(Id) values(4)"_s));
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, db.CommitTrans());
        QCOMPARE(count(u"select count(*) from t"_s), 0);

        // and a committed one stays
        {
            TTransaction guard(db);
            db.ExecSQL(u"insert into t(Id) values(5)"_s);
            guard.Commit();
        }
        QCOMPARE(count(u"select count(*) from t"_s), 1);
    }

    void identifiers_data() { QTest::addColumn<QString>("engine"); TTestDatabase::AddEngineRows(); }
    void identifiers()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenEmpty(engine));
        makeTable();
        TDatabase& db = Database();
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, db.NextId(u"t"_s)); // only under a transaction
        {
            TTransaction guard(db);
            QCOMPARE(db.NextId(u"t"_s), 1);
            db.ExecSQL(u"insert into t(Id) values(41)"_s);
            QCOMPARE(db.NextId(u"t"_s), 42);
            if (db.Engine() == TEngine::PostgreSQL)
                QCOMPARE(count(u"select count(*) from pg_locks where locktype='advisory' and pid=pg_backend_pid()"_s),
                         1);
            guard.Commit();
        }
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, db.NextId(u"t; drop table t"_s));
    }

    void allocationLockMakesOthersWait()
    {
        // a second workstation on the same file cannot start writing while the first allocates
        QVERIFY(TTestDatabase::OpenEmpty(TTestDatabase::SQLite));
        makeTable();
        TDatabase other;
        QVERIFY(other.TryConnect(TTestDatabase::LastConnectionString() + u";Busy Timeout=200"_s));
        TTransaction guard(Database());
        QCOMPARE(Database().NextId(u"t"_s), 1);
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, other.BeginTrans());
        guard.Commit();
        QCOMPARE(other.BeginTrans(), 1);
        other.RollbackTrans();
    }

    void reopensWhenClosed_data() { QTest::addColumn<QString>("engine"); TTestDatabase::AddEngineRows(); }
    void reopensWhenClosed()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenEmpty(engine));
        makeTable();
        TDatabase& db = Database();
        db.SetConnected(false);
        QVERIFY(!db.Connected());
        QCOMPARE(db.ExecSQL(u"insert into t(Id) values(1)"_s), 1);
        QVERIFY(db.Connected());
        db.SetConnected(false);
        QCOMPARE(count(u"select count(*) from t"_s), 1);
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
