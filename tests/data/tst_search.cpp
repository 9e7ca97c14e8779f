#include "data/CustomWhere.h"
#include "data/Database.h"
#include "data/QuerySet.h"
#include "support/TestDatabase.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A condition builder over a small catalogue, declared the way the holdings searches are.
class TItemWhere : public TCustomWhere
{
public:
    TItemWhere()
        : TCustomWhere({
              TWhereClause::Text(u"Code"_s, u"b.Code=?"_s),
              TWhereClause::Contains(u"Name"_s, u"b.Name like ?"_s),
              TWhereClause::StartsWith(u"Ping"_s, u"b.Ping like ?"_s),
              TWhereClause::ClassCode(u"CataCode"_s, u"a.Code like ?"_s, u"(a.Id is null)"_s),
              TWhereClause::Float(u"Price1"_s, u"b.Price>=?"_s),
              TWhereClause::Integer(u"QtyLib"_s, u"b.QtyLib=?"_s),
              TWhereClause::DateFrom(u"Getdate1"_s, u"b.Getdate>=?"_s),
              TWhereClause::DateTo(u"Getdate2"_s, u"b.Getdate<?"_s),
              TWhereClause::Day(u"OnDay"_s, u"(b.Getdate>=? and b.Getdate<?)"_s),
              TWhereClause::Flag(u"OnLoan"_s, u"b.QtyLoan>0"_s, u"b.QtyLoan=0"_s),
          })
    {
    }
};

const QString kSelect = u"select b.Id, b.Code from (items b left join classes a on a.Id=b.CataId) "_s;

void makeItems()
{
    TDatabase& db = Database();
    const bool pg = db.Engine() == TEngine::PostgreSQL;
    // text compares without regard to case on both engines, as the real tables do
    if (pg)
        db.Execute(u"create extension if not exists citext"_s);
    const QString text = pg ? u"citext"_s : u"text collate nocase"_s;
    db.Execute(u"create table classes (Id integer primary key, Code %1)"_s.arg(text));
    db.Execute(u"create table items (Id integer primary key, Code %1, Name %1, Ping %1, "
               u"CataId integer, Price float, QtyLib integer, QtyLoan integer, Getdate %2)"_s
                   .arg(text, pg ? u"timestamp(0)"_s : u"datetime"_s));
    db.Execute(u"insert into classes(Id, Code) values(1, '1.'), (2, '1.2.'), (3, '3.'), (12, '12.')"_s);
    struct Item { int id; const char16_t* code; const char16_t* name; int cata; double price; int qtyLoan; QDateTime got; };
    const Item items[] = {
        {1, u"B1", u"数据库原理", 1, 30, 0, QDateTime(QDate(2024, 3, 1), QTime(0, 0))},
        {2, u"B2", u"O'Brien's tales", 2, 12.5, 1, QDateTime(QDate(2024, 3, 1), QTime(23, 59, 59))},
        {3, u"B3", u"算法", 3, 45, 2, QDateTime(QDate(2024, 3, 2), QTime(0, 0))},
        {4, u"B4", u"无分类", 0, 8, 0, QDateTime(QDate(2024, 2, 29), QTime(9, 0))},
        {5, u"B5", u"十二", 12, 8, 0, QDateTime()},
    };
    for (const Item& it : items)
        db.ExecSQL(u"insert into items(Id, Code, Name, Ping, CataId, Price, QtyLib, QtyLoan, Getdate) "
                   u"values(:Id, :Code, :Name, :Ping, :CataId, :Price, 1, :QtyLoan, :Getdate)"_s,
                   {MakeParam(u"Id"_s, it.id), MakeParam(u"Code"_s, QString::fromUtf16(it.code)),
                    MakeParam(u"Name"_s, QString::fromUtf16(it.name)), MakeParam(u"Ping"_s, u"SJK%1"_s.arg(it.id)),
                    MakeParam(u"CataId"_s, it.cata), MakeParam(u"Price"_s, it.price),
                    MakeParam(u"QtyLoan"_s, it.qtyLoan), MakeParam(u"Getdate"_s, it.got)});
}

QList<int> search(const TItemWhere& where)
{
    const TSearchText text = where.Build();
    TQuerySet query;
    query.Open(kSelect + text.Where + u" order by b.Id"_s, text.Params);
    QList<int> ids;
    for (query.DataSet()->First(); !query.DataSet()->Eof(); query.DataSet()->Next())
        ids.append(query.DataSet()->AsInteger(u"Id"_s));
    return ids;
}

} // namespace

class TestSearch : public QObject
{
    Q_OBJECT

private slots:
    void assembly()
    {
        TItemWhere where;
        QCOMPARE(where.Build().Where, QString()); // no condition, no where
        QVERIFY(where.Build().Params.isEmpty());

        where.SetCondition(u"Code"_s, u"B1"_s);
        where.SetCondition(u"Price1"_s, 10.0);
        const TSearchText two = where.Build();
        QCOMPARE(two.Where, u" where b.Code=:w_1 and b.Price>=:w_2"_s);
        QCOMPARE(two.Params.size(), 2);
        QCOMPARE(two.Where.count(u" where "_s), 1);
        QCOMPARE(two.Where.count(u" and "_s), 1);

        // an empty text takes no part; after Clear nothing does
        where.SetCondition(u"Name"_s, QString());
        QCOMPARE(where.Build().Where, two.Where);
        where.Clear();
        QVERIFY(where.Condition(u"Code"_s).isNull());
        QCOMPARE(where.Build().Where, QString());
    }

    void conditions_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QList<int>>("expected");
        for (const QString& e : TTestDatabase::Engines()) {
            auto row = [&](const char* name, const QString& field, const QVariant& value, const QList<int>& ids) {
                QTest::newRow(qPrintable(e + u" "_s + QString::fromUtf8(name))) << e << field << value << ids;
            };
            row("code exact", u"Code"_s, u"B3"_s, {3});
            row("code ignores case", u"Code"_s, u"b3"_s, {3});
            row("name contains", u"Name"_s, u"tales"_s, {2});
            row("quote is harmless", u"Name"_s, u"O'Brien"_s, {2});
            row("injection is only text", u"Code"_s, u"x' or '1'='1"_s, {});
            row("ping starts with", u"Ping"_s, u"sjk"_s, {1, 2, 3, 4, 5});
            row("all classes", u"CataCode"_s, u"sys-all"_s, {1, 2, 3, 4, 5});
            row("no class", u"CataCode"_s, u"sys-nulled"_s, {4});
            row("class and descendants", u"CataCode"_s, u"1."_s, {1, 2});
            row("class code is not a number prefix", u"CataCode"_s, u"1.2."_s, {2});
            row("price from", u"Price1"_s, 12.5, {1, 2, 3});
            row("whole number", u"QtyLib"_s, 1, {1, 2, 3, 4, 5});
            row("date from whole day", u"Getdate1"_s, QDateTime(QDate(2024, 3, 1), QTime(18, 0)), {1, 2, 3});
            row("date to whole day", u"Getdate2"_s, QDateTime(QDate(2024, 3, 1), QTime(8, 0)), {1, 2, 4});
            row("that day", u"OnDay"_s, QDate(2024, 3, 1), {1, 2});
            row("flag true", u"OnLoan"_s, true, {2, 3});
            row("flag false", u"OnLoan"_s, false, {1, 4, 5});
        }
    }
    void conditions()
    {
        QFETCH(QString, engine);
        QFETCH(QString, field);
        QFETCH(QVariant, value);
        QFETCH(QList<int>, expected);
        QVERIFY(TTestDatabase::OpenEmpty(engine));
        makeItems();
        TItemWhere where;
        where.SetCondition(field, value);
        QCOMPARE(search(where), expected);
        // the typed text never reaches the statement itself
        QVERIFY(!where.Build().Where.contains(u'\''));
    }

    void combined_data() { QTest::addColumn<QString>("engine"); TTestDatabase::AddEngineRows(); }
    void combined()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenEmpty(engine));
        makeItems();
        TItemWhere where;
        where.SetCondition(u"CataCode"_s, u"1."_s);
        where.SetCondition(u"Getdate2"_s, QDate(2024, 3, 1));
        where.SetCondition(u"OnLoan"_s, true);
        QCOMPARE(search(where), QList<int>{2});
        where.Clear();
        QCOMPARE(search(where), (QList<int>{1, 2, 3, 4, 5}));
    }
};

QTEST_GUILESS_MAIN(TestSearch)
#include "tst_search.moc"
