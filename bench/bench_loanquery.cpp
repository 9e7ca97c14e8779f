// The loan query's "逾期未还" over a full library: 100,000 books, 20,000 readers and 500,000 loans.
// Each figure is the median of several runs, set beside the same statement with the same values run
// on the engine directly through QSqlQuery (every column of every row read), so the ratio shows what
// the query set adds: its fields, the conversions and the calculated columns.
//
//   bench_loanquery [--runs N] [--pg]
//   --pg also measures the PostgreSQL server named by QUORIN_TEST_PG.

#include "circulation/LoanQuery.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "data/LocalTime.h"
#include "holdings/Schema.h"
#include "project/KeyValue2.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>
#include <QtSql/QSqlRecord>
#include <algorithm>
#include <cstdio>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

constexpr int kBooks = 100000;
constexpr int kReaders = 20000;
constexpr int kLoans = 500000;
const QDateTime kNow(QDate(2024, 6, 28), QTime(10, 30));
bool g_plan = false;

void must(QSqlQuery& query)
{
    if (!query.exec())
        qFatal("fill: %s", qPrintable(query.lastError().text()));
}

// Rows written straight through the driver, in one transaction per table.
void fill()
{
    QSqlDatabase db = Database().Connection();
    QRandomGenerator random(20240628);
    const auto stamp = [](const QDateTime& moment) { return Database().ToDb(moment); };

    db.transaction();
    QSqlQuery kinds(db);
    kinds.prepare(u"insert into readerskind(Id, Name, BookTop, BookDays, BookRelet, JourTop, JourDays, JourRelet) "
                  u"values(?, ?, 5, 30, 15, 2, 10, 5)"_s);
    for (int id = 1; id <= 4; ++id) {
        kinds.addBindValue(id);
        kinds.addBindValue(u"类别%1"_s.arg(id));
        must(kinds);
    }
    QSqlQuery readers(db);
    readers.prepare(u"insert into readers(Id, Code, Name, Sex, KindId, Tel, Dept, Adddate, StateId, Deposit) "
                    u"values(?, ?, ?, '女', ?, '5550123', ?, ?, 1, 20)"_s);
    for (int id = 1; id <= kReaders; ++id) {
        readers.addBindValue(id);
        readers.addBindValue(u"R%1"_s.arg(id, 6, 10, QLatin1Char('0')));
        readers.addBindValue(u"读者%1"_s.arg(id));
        readers.addBindValue(id % 4 + 1);
        readers.addBindValue(u"部门%1"_s.arg(id % 30));
        readers.addBindValue(stamp(QDateTime(QDate(2020, 1, 1).addDays(id % 1500), QTime(0, 0))));
        must(readers);
    }
    QSqlQuery books(db);
    books.prepare(u"insert into books(Id, Code, Name, ISBN, Author, Publisher, Appendix, Price, QtyLib) "
                  u"values(?, ?, ?, ?, '作者', '出版社', '', ?, 3)"_s);
    for (int id = 1; id <= kBooks; ++id) {
        books.addBindValue(id);
        books.addBindValue(u"B%1"_s.arg(id, 7, 10, QLatin1Char('0')));
        books.addBindValue(u"图书%1"_s.arg(id));
        books.addBindValue(u"978-7-%1"_s.arg(id));
        books.addBindValue(10.0 + id % 90);
        must(books);
    }
    // Nine loans in ten returned; of those still out most are past due, one in a hundred written off.
    QSqlQuery loans(db);
    loans.prepare(u"insert into loans(Id, LoanDate, ReaderId, BookId, Loanman, ShldretDate, ReturnDate, Returnman, "
                  u"OverDays, Overfund) values(?, ?, ?, ?, 'sa', ?, ?, ?, ?, ?)"_s);
    QSqlQuery offs(db);
    offs.prepare(
        u"insert into writeoffs(Id, Offdate, Offman, BookId, LoanId, Reason) values(?, ?, 'sa', ?, ?, '遗失')"_s);
    int offId = 0;
    for (int id = 1; id <= kLoans; ++id) {
        const QDate lent = kNow.date().addDays(-int(random.bounded(730)));
        const QDate due = lent.addDays(30);
        const bool returned = random.bounded(10) != 0 && lent.addDays(1) < kNow.date();
        const QDate back = returned ? std::min(lent.addDays(1 + int(random.bounded(40))), kNow.date()) : QDate();
        const int late = returned ? std::max<qint64>(0, due.daysTo(back)) : 0;
        const int bookId = 1 + int(random.bounded(kBooks));
        loans.addBindValue(id);
        loans.addBindValue(stamp(QDateTime(lent, QTime(0, 0))));
        loans.addBindValue(1 + int(random.bounded(kReaders)));
        loans.addBindValue(bookId);
        loans.addBindValue(stamp(QDateTime(due, QTime(0, 0))));
        loans.addBindValue(returned ? stamp(QDateTime(back, QTime(0, 0))) : QVariant());
        loans.addBindValue(returned ? QVariant(u"sa"_s) : QVariant());
        loans.addBindValue(returned ? QVariant(late) : QVariant());
        loans.addBindValue(returned ? QVariant(late * 0.5) : QVariant());
        must(loans);
        if (!returned && random.bounded(100) == 0) {
            offs.addBindValue(++offId);
            offs.addBindValue(stamp(kNow));
            offs.addBindValue(bookId);
            offs.addBindValue(id);
            must(offs);
        }
    }
    db.commit();
    for (const QString& table : {u"loans"_s, u"books"_s, u"readers"_s, u"writeoffs"_s})
        Database().Execute(u"analyze "_s + table);
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values.at(n / 2) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2;
}

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

void report(const QString& what, int rows, double ours, double direct)
{
    std::printf("  %-28s %7d rows %9.1f ms   engine directly %9.1f ms   ratio %5.2f\n", qPrintable(what), rows, ours,
                direct, direct > 0 ? ours / direct : 0.0);
    std::fflush(stdout);
}

// One search of the book loan query with `conditions`, against its statement run directly.
void compare(const QString& what, const QList<std::pair<QString, QVariant>>& conditions, int runs)
{
    TBookLoanQuery query;
    const auto setUp = [&] {
        query.Where()->Clear();
        for (const auto& [field, value] : conditions)
            query.Where()->SetCondition(field, value);
    };
    int rows = 0;
    const double ours = measure(runs, [&] {
        setUp();
        query.Search();
        rows = query.DataSet()->RecordCount();
    });

    setUp();
    const TSearchText search = query.Where()->BuildFor(TLoanKind::Book, Clock::Now());
    const QString sql = query.BaseSql() + u" and "_s + search.Where.mid(7);
    if (g_plan && Database().Engine() == TEngine::SQLite) {
        QSqlQuery plan = Database().Select(u"explain query plan "_s + sql, search.Params);
        while (plan.next())
            std::printf("    plan: %s\n", qPrintable(plan.value(3).toString()));
    }
    int directRows = 0;
    const double direct = measure(runs, [&] {
        QSqlQuery result = Database().Select(sql, search.Params);
        const int columns = result.record().count();
        directRows = 0;
        QVariant sink;
        while (result.next()) {
            for (int c = 0; c < columns; ++c)
                sink = result.value(c);
            ++directRows;
        }
    });
    if (directRows != rows)
        qFatal("%s: %d rows by the query set, %d directly", qPrintable(what), rows, directRows);
    report(what, rows, ours, direct);
}

void runEngine(const QString& label, int runs, bool needsFill)
{
    std::printf("%s: %d books, %d readers, %d loans; median of %d runs\n", qPrintable(label), kBooks, kReaders, kLoans,
                runs);
    if (needsFill) {
        QElapsedTimer timer;
        timer.start();
        fill();
        std::printf("  (filled in %.1f s)\n", timer.elapsed() / 1000.0);
    }
    compare(u"逾期未还"_s, {{u"IsOver"_s, true}}, runs);
    compare(u"逾期天数 30"_s, {{u"Overdays1"_s, 30}}, runs);
    compare(u"今日发生"_s, {{u"TodayBiz"_s, QDateTime(kNow.date().addDays(-3), QTime(0, 0))}}, runs);
    compare(u"one reader's open loans"_s, {{u"ReaderId"_s, 777}, {u"IsReturn"_s, false}, {u"IsWriteoff"_s, false}},
            runs);
}

} // namespace

int main(int argc, char** argv)
{
    // as the program does at start: every date read asks for the zone offset
    LocalTime::CacheSystemZone();
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({u"runs"_s, u"Runs per figure."_s, u"N"_s, u"7"_s});
    parser.addOption({u"pg"_s, u"Also measure PostgreSQL (QUORIN_TEST_PG)."_s});
    parser.addOption(
        {u"file"_s, u"Keep the SQLite database in FILE; an existing one is measured as it is."_s, u"FILE"_s});
    parser.addOption({u"plan"_s, u"Print the SQLite plan of each statement."_s});
    parser.addOption({u"cache"_s, u"SQLite page cache of MB megabytes for the measured connection."_s, u"MB"_s});
    parser.process(app);
    const int runs = std::max(1, parser.value(u"runs"_s).toInt());
    Clock::SetFixed(kNow);
    FineRates::SetBook(0.5);

    {
        QTemporaryDir folder;
        const QString file = parser.isSet(u"file"_s) ? parser.value(u"file"_s) : folder.filePath(u"bench.db"_s);
        const bool filled = QFileInfo::exists(file);
        QString error;
        if (!TSchema::CreateDatabase(Database(), u"Provider=QSQLITE;Data Source=%1"_s.arg(file), &error))
            qFatal("sqlite: %s", qPrintable(error));
        g_plan = parser.isSet(u"plan"_s);
        if (parser.isSet(u"cache"_s)) {
            Database().Execute(u"pragma cache_size=-%1"_s.arg(parser.value(u"cache"_s).toInt() * 1024));
            std::printf("  (page cache %d MB)\n", parser.value(u"cache"_s).toInt());
        }
        runEngine(u"SQLite"_s, runs, !filled);
        Database().Release();
    }
    if (parser.isSet(u"pg"_s)) {
        const QString server = qEnvironmentVariable("QUORIN_TEST_PG");
        QString error;
        if (server.isEmpty() || !Database().TryConnect(server, &error))
            qFatal("postgresql: %s", qPrintable(server.isEmpty() ? u"QUORIN_TEST_PG is empty"_s : error));
        const QString schema = u"bench_loanquery_%1"_s.arg(QCoreApplication::applicationPid());
        Database().Execute(u"create schema %1"_s.arg(schema));
        Database().Execute(u"set search_path to %1, public"_s.arg(schema));
        TSchema::Create(Database());
        runEngine(u"PostgreSQL"_s, runs, true);
        Database().Execute(u"drop schema %1 cascade"_s.arg(schema));
        Database().Release();
    }
    return 0;
}
