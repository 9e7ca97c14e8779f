// Book searches as the list window runs them, on 100,000 titles in 500 classes (10 top classes of 49
// subclasses each, so a top class holds about 10,000 titles): the exact code search, the search of
// one class with its subclasses into the grid, and the keyword search over every title. Each figure
// is the median of several runs and is set beside the same statement with the same bound values run
// on the engine directly through QSqlQuery (every value read), so the ratio shows what the set, its
// model and the grid add.
//
//   bench_holdings [--books N] [--runs N] [--pg]
//   --pg also measures the PostgreSQL server named by QUORIN_TEST_PG (in a schema of its own, dropped
//   afterwards).

#include "data/Database.h"
#include "data/DbError.h"
#include "data/LocalTime.h"
#include "grids/LwDBGrid.h"
#include "holdings/BookSet.h"
#include "holdings/Schema.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>
#include <QtSql/QSqlRecord>
#include <algorithm>
#include <cstdio>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

constexpr int kTopClasses = 10;
constexpr int kSubclasses = 49;

const QStringList kWords{u"图书"_s, u"历史"_s, u"文学"_s, u"数学"_s, u"物理"_s, u"化学"_s, u"哲学"_s,
                         u"经济"_s, u"地理"_s, u"艺术"_s, u"音乐"_s, u"教育"_s, u"法律"_s, u"医学"_s};

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values.at(n / 2) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2;
}

double measure(int runs, const std::function<void()>& work)
{
    work(); // warm the page cache and the statement caches once
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.append(timer.nsecsElapsed() / 1e6);
    }
    return median(times);
}

void exec(QSqlQuery& query)
{
    if (!query.exec())
        qFatal("%s", qPrintable(query.lastError().text()));
}

// Classes and books written on the engine directly: the fill is not what is measured.
void fill(int books)
{
    QSqlDatabase db = Database().Connection();
    db.transaction();
    QSqlQuery cata(db);
    cata.prepare(u"insert into catalogs(Id, Code, Mark, Name, SlfId, PrtId) values(?, ?, ?, ?, ?, ?)"_s);
    QList<int> leaves;
    int id = 0;
    for (int t = 1; t <= kTopClasses; ++t) {
        const int top = ++id;
        cata.addBindValue(top);
        cata.addBindValue(u"%1."_s.arg(t));
        cata.addBindValue(QString(QChar(u'A' + t - 1)));
        cata.addBindValue(u"大类%1"_s.arg(t));
        cata.addBindValue(top);
        cata.addBindValue(0);
        exec(cata);
        for (int s = 1; s <= kSubclasses; ++s) {
            const int sub = ++id;
            cata.addBindValue(sub);
            cata.addBindValue(u"%1.%2."_s.arg(t).arg(s));
            cata.addBindValue(u"%1%2"_s.arg(QChar(u'A' + t - 1)).arg(s));
            cata.addBindValue(u"小类%1-%2"_s.arg(t).arg(s));
            cata.addBindValue(sub);
            cata.addBindValue(top);
            exec(cata);
            leaves.append(sub);
        }
    }
    QSqlQuery book(db);
    book.prepare(u"insert into books(Id, Code, Name, Ping, Author, ISBN, CataId, Publisher, Price, QtyLib, QtyLoan, "
                 u"QtyOff, TimesLoan) values(?, ?, ?, ?, ?, ?, ?, ?, ?, 1, 0, 0, 0)"_s);
    for (int b = 1; b <= books; ++b) {
        book.addBindValue(b);
        book.addBindValue(u"B%1"_s.arg(b, 6, 10, QLatin1Char('0')));
        book.addBindValue(kWords.at(b % kWords.size()) + kWords.at((b / 7) % kWords.size()) + u"第%1卷"_s.arg(b % 97));
        book.addBindValue(u"TS%1"_s.arg(b % 5000));
        book.addBindValue(u"作者%1"_s.arg(b % 3000));
        book.addBindValue(u"978-7-%1"_s.arg(b, 7, 10, QLatin1Char('0')));
        // consecutive titles in one class: a top class gets a contiguous tenth of the books
        book.addBindValue(leaves.at(int(qint64(b - 1) * leaves.size() / books)));
        book.addBindValue(u"出版社%1"_s.arg(b % 40));
        book.addBindValue(10.0 + b % 90);
        exec(book);
    }
    db.commit();
    Database().Execute(Database().Engine() == TEngine::SQLite ? u"analyze"_s : u"analyze books; analyze catalogs"_s);
}

// The statement and values TBookSet::Search runs, on the engine directly; returns the rows read.
int direct(const QString& sql, const TDBParameters& params)
{
    QSqlQuery query(Database().Connection());
    query.setForwardOnly(true);
    query.prepare(sql);
    for (const TDBParameter& p : params)
        query.bindValue(u":"_s + p.Name, Database().ToDb(p.Value));
    exec(query);
    int rows = 0;
    const int columns = query.record().count();
    QList<QVariantList> copy;
    while (query.next()) {
        QVariantList values;
        values.reserve(columns);
        for (int c = 0; c < columns; ++c)
            values.append(query.value(c));
        copy.append(std::move(values));
        ++rows;
    }
    return rows;
}

void bench(const QString& what, TBookSet& set, int runs, const std::function<void(TBookWhere&)>& conditions)
{
    set.Where()->Clear();
    conditions(*set.Where());
    const TSearchText search = set.Where()->Build();
    const QString sql = u"select b.*, a.Mark as CataMark, a.Name as CataName from (books b left join catalogs a on "
                        u"a.Id=b.CataId) "_s +
                        search.Where;
    QList<TDBParameter> named;
    for (const TDBParameter& p : search.Params) {
        QString name = p.Name;
        if (name.startsWith(u':'))
            name.remove(0, 1);
        named.append({name, p.Value});
    }
    int ours = 0;
    const double oursMs = measure(runs, [&] {
        set.Search();
        ours = set.DataSet()->RecordCount();
    });
    int theirs = 0;
    const double directMs = measure(runs, [&] { theirs = direct(sql, named); });
    if (ours != theirs)
        qFatal("%s: %d rows through the set, %d directly", qPrintable(what), ours, theirs);
    std::printf("  %-34s %7d rows %9.2f ms   engine directly %9.2f ms   ratio %5.2f\n", qPrintable(what), ours, oursMs,
                directMs, directMs > 0 ? oursMs / directMs : 0.0);
    std::fflush(stdout);
}

void runEngine(const QString& label, int books, int runs)
{
    std::printf("%s, %d books in %d classes, median of %d runs\n", qPrintable(label), books,
                kTopClasses * (kSubclasses + 1), runs);
    std::fflush(stdout);
    fill(books);
    TBookSet set;
    // the rows go into a grid as in the list window, so the model's cost is in the figure
    TlwDBGrid grid;
    grid.SetDataSet(set.DataSet());
    grid.resize(800, 500);
    grid.show();
    const QString code = u"B%1"_s.arg(books / 2, 6, 10, QLatin1Char('0'));
    bench(u"exact code "_s + code, set, runs, [&](TBookWhere& w) { w.SetCondition(u"Code"_s, code); });
    bench(u"class 3. with its subclasses"_s, set, runs, [](TBookWhere& w) { w.SetCondition(u"CataCode"_s, u"3."_s); });
    bench(u"keyword \"史数\" (no match)"_s, set, runs, [](TBookWhere& w) { w.SetCondition(u"Keyword"_s, u"史数"_s); });
    bench(u"keyword \"B0123\" (code prefix)"_s, set, runs,
          [](TBookWhere& w) { w.SetCondition(u"Keyword"_s, u"B0123"_s); });
    bench(u"keyword \"作者2999\""_s, set, runs, [](TBookWhere& w) { w.SetCondition(u"Keyword"_s, u"作者2999"_s); });
    bench(u"every title (root class)"_s, set, runs, [](TBookWhere& w) { w.SetCondition(u"CataCode"_s, u"sys-all"_s); });
    grid.SetDataSet(nullptr);
}

} // namespace

int main(int argc, char* argv[])
{
    LocalTime::CacheSystemZone();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({u"books"_s, u"titles in the table"_s, u"n"_s, u"100000"_s});
    parser.addOption({u"runs"_s, u"runs per figure"_s, u"n"_s, u"7"_s});
    parser.addOption({u"pg"_s, u"also measure the server in QUORIN_TEST_PG"_s});
    parser.process(app);
    const int books = qMax(1000, parser.value(u"books"_s).toInt());
    const int runs = qMax(1, parser.value(u"runs"_s).toInt());
    try {
        QTemporaryDir folder;
        QString error;
        if (!Database().TryConnect(u"Provider=QSQLITE;Data Source=%1"_s.arg(folder.filePath(u"bench.db"_s)), &error,
                                   true))
            qFatal("SQLite: %s", qPrintable(error));
        TSchema::Create(Database());
        runEngine(u"SQLite"_s, books, runs);
        Database().Release();
        if (parser.isSet(u"pg"_s)) {
            const QString server = qEnvironmentVariable("QUORIN_TEST_PG");
            if (server.isEmpty())
                qFatal("--pg needs QUORIN_TEST_PG");
            const QString schema = u"bench_holdings_%1"_s.arg(QCoreApplication::applicationPid());
            if (!Database().TryConnect(server, &error))
                qFatal("PostgreSQL: %s", qPrintable(error));
            Database().Execute(u"create schema "_s + schema);
            Database().Release();
            if (!Database().TryConnect(server + u";Schema="_s + schema, &error))
                qFatal("PostgreSQL: %s", qPrintable(error));
            TSchema::Create(Database());
            runEngine(u"PostgreSQL"_s, books, runs);
            Database().Execute(u"drop schema "_s + schema + u" cascade"_s);
            Database().Release();
        }
    } catch (const EDatabaseError& e) {
        qFatal("%s", qPrintable(e.Message()));
    }
    return 0;
}
