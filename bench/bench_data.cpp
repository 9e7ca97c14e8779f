// Data-layer figures: opening 100,000 rows of 30 columns into a query set, locating by key, and
// 10,000 single-row inserts in one transaction. Each figure is the median of several runs and is
// set beside the same work done on the engine directly through QSqlQuery, so a noisy machine still
// shows what our layer costs.
//
//   bench_data [--rows N] [--runs N] [--pg]
//   --pg also measures the PostgreSQL server named by QUORIN_TEST_PG.

#include "data/Database.h"
#include "data/DbError.h"
#include "data/LocalTime.h"
#include "data/QuerySet.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>
#include <algorithm>
#include <cstdio>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

constexpr int kColumns = 30;
constexpr int kInserts = 10000;
constexpr int kLocates = 200;

// Column c of the bench table: ten integers, ten texts, five floats, five dates.
TFieldType typeOf(int c)
{
    if (c < 10)
        return TFieldType::Integer;
    if (c < 20)
        return TFieldType::WideString;
    if (c < 25)
        return TFieldType::Float;
    return TFieldType::DateTime;
}

QString columnName(int c)
{
    return c == 0 ? u"Id"_s : u"C%1"_s.arg(c, 2, 10, QLatin1Char('0'));
}

QString sqlType(int c)
{
    switch (typeOf(c)) {
    case TFieldType::Integer:
        return c == 0 ? u"integer primary key"_s : u"integer"_s;
    case TFieldType::WideString:
        return u"varchar(50)"_s;
    case TFieldType::Float:
        return u"double precision"_s;
    default:
        return Database().Engine() == TEngine::SQLite ? u"text"_s : u"timestamp(0)"_s;
    }
}

QVariant valueOf(int row, int c)
{
    switch (typeOf(c)) {
    case TFieldType::Integer:
        return c == 0 ? row : row * 7 + c;
    case TFieldType::WideString:
        return u"图书馆藏 %1-%2"_s.arg(row).arg(c);
    case TFieldType::Float:
        return row * 0.25 + c;
    default:
        return QDateTime(QDate(2020, 1, 1).addDays(row % 2000), QTime(0, 0));
    }
}

QString columnList()
{
    QStringList names;
    for (int c = 0; c < kColumns; ++c)
        names.append(columnName(c));
    return names.join(u',');
}

QString insertSql(const QString& table)
{
    QStringList marks;
    for (int c = 0; c < kColumns; ++c)
        marks.append(u":"_s + columnName(c));
    return u"insert into %1 (%2) values (%3)"_s.arg(table, columnList(), marks.join(u','));
}

TDBParameters rowParams(int row)
{
    TDBParameters params;
    params.reserve(kColumns);
    for (int c = 0; c < kColumns; ++c)
        params.append(MakeParam(columnName(c), valueOf(row, c)));
    return params;
}

void createTable(const QString& table)
{
    Database().Execute(u"drop table if exists %1"_s.arg(table));
    QStringList columns;
    for (int c = 0; c < kColumns; ++c)
        columns.append(columnName(c) + u' ' + sqlType(c));
    Database().Execute(u"create table %1 (%2)"_s.arg(table, columns.join(u',')));
}

// Fills the table on the engine directly: the fill itself is not what is measured.
void fill(const QString& table, int rows)
{
    createTable(table);
    QSqlDatabase db = Database().Connection();
    db.transaction();
    QSqlQuery query(db);
    QStringList marks(kColumns, u"?"_s);
    query.prepare(u"insert into %1 (%2) values (%3)"_s.arg(table, columnList(), marks.join(u',')));
    for (int row = 1; row <= rows; ++row) {
        for (int c = 0; c < kColumns; ++c)
            query.bindValue(c, Database().ToDb(valueOf(row, c)));
        if (!query.exec())
            qFatal("fill: %s", qPrintable(query.lastError().text()));
    }
    db.commit();
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values.at(n / 2) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2;
}

// Median milliseconds of `runs` runs of `work`.
double measure(int runs, const std::function<void()>& work)
{
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.append(timer.nsecsElapsed() / 1e6);
    }
    return median(times);
}

void report(const QString& what, double ours, double direct, const QString& extra = QString())
{
    std::printf("  %-44s %10.1f ms   engine directly %10.1f ms   ratio %5.2f%s\n", qPrintable(what), ours, direct,
                direct > 0 ? ours / direct : 0.0, qPrintable(extra));
    std::fflush(stdout);
}

void runEngine(const QString& label, int rows, int runs)
{
    std::printf("%s, %d rows of %d columns, median of %d runs\n", qPrintable(label), rows, kColumns, runs);
    const QString table = u"benchrows"_s;
    fill(table, rows);
    const QString select = u"select %1 from %2 order by Id"_s.arg(columnList(), table);

    TQuerySet set;
    for (int c = 0; c < kColumns; ++c)
        set.AddField(typeOf(c), columnName(c), typeOf(c) == TFieldType::WideString ? 50 : -1, true, columnName(c));
    int opened = 0;
    const double openOurs = measure(runs, [&] { opened = set.Open(select); });
    const double openDirect = measure(runs, [&] {
        QSqlQuery query(Database().Connection());
        query.setForwardOnly(true);
        query.exec(select);
        QList<QVariantList> copy;
        while (query.next()) {
            QVariantList values;
            values.reserve(kColumns);
            for (int c = 0; c < kColumns; ++c)
                values.append(query.value(c));
            copy.append(std::move(values));
        }
    });
    if (opened != rows)
        qFatal("open read %d rows, expected %d", opened, rows);
    report(u"open %1 rows into TQuerySet"_s.arg(rows), openOurs, openDirect);

    // Keys spread over the whole set, so a scan pays for its position.
    QList<int> keys;
    for (int i = 0; i < kLocates; ++i)
        keys.append(1 + QRandomGenerator::global()->bounded(rows));
    const double locate = measure(runs, [&] {
        for (int key : std::as_const(keys))
            if (!set.DataSet()->Locate(u"Id"_s, key))
                qFatal("locate %d failed", key);
    });
    std::printf("  %-44s %10.3f ms each\n", qPrintable(u"Locate by key (%1 random keys)"_s.arg(kLocates)),
                locate / kLocates);
    set.Close();

    const QString target = u"benchinserts"_s;
    const QString insert = insertSql(target);
    const double insertOurs = measure(runs, [&] {
        createTable(target);
        Database().BeginTrans();
        for (int row = 1; row <= kInserts; ++row)
            if (Database().ExecSQL(insert, rowParams(row)) != 1)
                qFatal("insert %d affected no row", row);
        Database().CommitTrans();
    });
    const double insertDirect = measure(runs, [&] {
        createTable(target);
        QSqlDatabase db = Database().Connection();
        db.transaction();
        QSqlQuery query(db);
        QStringList marks(kColumns, u"?"_s);
        query.prepare(u"insert into %1 (%2) values (%3)"_s.arg(target, columnList(), marks.join(u',')));
        for (int row = 1; row <= kInserts; ++row) {
            for (int c = 0; c < kColumns; ++c)
                query.bindValue(c, Database().ToDb(valueOf(row, c)));
            query.exec();
        }
        db.commit();
    });
    report(u"%1 inserts via ExecSQL, one transaction"_s.arg(kInserts), insertOurs, insertDirect,
           u"   (%1 rows/s)"_s.arg(qRound(kInserts / (insertOurs / 1000.0))));

    Database().Execute(u"drop table if exists "_s + table);
    Database().Execute(u"drop table if exists "_s + target);
}

} // namespace

int main(int argc, char* argv[])
{
    LocalTime::CacheSystemZone();
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({u"rows"_s, u"rows in the table"_s, u"n"_s, u"100000"_s});
    parser.addOption({u"runs"_s, u"runs per figure"_s, u"n"_s, u"5"_s});
    parser.addOption({u"pg"_s, u"also measure the server in QUORIN_TEST_PG"_s});
    parser.process(app);
    const int rows = qMax(1, parser.value(u"rows"_s).toInt());
    const int runs = qMax(1, parser.value(u"runs"_s).toInt());

    try {
        QTemporaryDir folder;
        QString error;
        if (!Database().TryConnect(u"Provider=QSQLITE;Data Source=%1"_s.arg(folder.filePath(u"bench.db"_s)), &error, true))
            qFatal("SQLite: %s", qPrintable(error));
        runEngine(u"SQLite"_s, rows, runs);
        Database().Release();

        if (parser.isSet(u"pg"_s)) {
            const QString server = qEnvironmentVariable("QUORIN_TEST_PG");
            if (server.isEmpty())
                qFatal("--pg needs QUORIN_TEST_PG");
            if (!Database().TryConnect(server, &error))
                qFatal("PostgreSQL: %s", qPrintable(error));
            runEngine(u"PostgreSQL"_s, rows, runs);
            Database().Release();
        }
    } catch (const EDatabaseError& e) {
        qFatal("%s", qPrintable(e.Message()));
    }
    return 0;
}
