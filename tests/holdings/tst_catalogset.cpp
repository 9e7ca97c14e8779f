#include "data/Database.h"
#include "holdings/BookSet.h"
#include "holdings/CatalogSet.h"
#include "holdings/PreparedCatalog.h"
#include "holdings/Schema.h"
#include "support/TestDatabase.h"

#include <QRegularExpression>
#include <QSet>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

RCatalog newClass(int parentSlfId, const QString& mark, const QString& name)
{
    RCatalog record;
    record.PrtId = parentSlfId;
    record.Mark = mark;
    record.Name = name;
    return record;
}

int count(const QString& sql)
{
    QSqlQuery query = Database().Select(sql);
    return query.next() ? query.value(0).toInt() : -1;
}

} // namespace

class tst_CatalogSet : public QObject
{
    Q_OBJECT

private slots:
    void numbersAndCodes_data();
    void numbersAndCodes();
    void classCodeSelectsSubtree_data();
    void classCodeSelectsSubtree();
    void updateKeepsPlace_data();
    void updateKeepsPlace();
    void deleteRefusesParents_data();
    void deleteRefusesParents();
    void openAllReadsLevels_data();
    void openAllReadsLevels();
    void preparedClassification_data();
    void preparedClassification();
    void preparedRowsFollowTheRules();
    void newDatabaseGetsClassification();
};

void tst_CatalogSet::numbersAndCodes_data()
{
    QTest::addColumn<QString>("engine");
    TTestDatabase::AddEngineRows();
}

void tst_CatalogSet::numbersAndCodes()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));

    RCatalog top = newClass(0, u"G"_s, u"文化"_s);
    QVERIFY(TCatalogSet::AppendNode(top));
    QCOMPARE(top.Id, 1);
    QCOMPARE(top.SlfId, 1);
    QCOMPARE(top.Code, u"1."_s);

    RCatalog child = newClass(top.SlfId, u"G2"_s, u"信息与知识传播"_s);
    QVERIFY(TCatalogSet::AppendNode(child));
    QCOMPARE(child.SlfId, 2);
    QCOMPARE(child.Code, u"1.2."_s);

    // continuous adding under one parent: consecutive numbers, each code under the parent's
    QList<int> numbers;
    for (int i = 0; i < 3; ++i) {
        RCatalog sibling = newClass(child.SlfId, u"G25"_s, u"图书馆%1"_s.arg(i));
        QVERIFY(TCatalogSet::AppendNode(sibling));
        numbers.append(sibling.SlfId);
        QCOMPARE(sibling.Code, u"1.2.%1."_s.arg(sibling.SlfId));
        QCOMPARE(sibling.Id, sibling.SlfId);
    }
    QCOMPARE(numbers, (QList<int>{3, 4, 5}));

    // the two maxima are taken apart: a hole in Id does not pull SlfId back
    Database().Execute(u"insert into catalogs(Id, Code, Mark, Name, SlfId, PrtId) values(20, '9.', 'Z', 'x', 9, 0)"_s);
    RCatalog after = newClass(0, u"K"_s, u"历史"_s);
    QVERIFY(TCatalogSet::AppendNode(after));
    QCOMPARE(after.Id, 21);
    QCOMPARE(after.SlfId, 10);
    QCOMPARE(after.Code, u"10."_s);
}

void tst_CatalogSet::classCodeSelectsSubtree_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("books");
    for (const QString& engine : TTestDatabase::Engines()) {
        const QByteArray e = engine.toUtf8();
        QTest::addRow("%s/class and subclasses", e.constData()) << engine << u"1."_s << QStringList{u"B1"_s, u"B12"_s};
        QTest::addRow("%s/subclass only", e.constData()) << engine << u"1.2."_s << QStringList{u"B12"_s};
        QTest::addRow("%s/11 is not under 1", e.constData()) << engine << u"11."_s << QStringList{u"B11"_s};
        QTest::addRow("%s/root lists all", e.constData())
            << engine << u"sys-all"_s << QStringList{u"B0"_s, u"B1"_s, u"B11"_s, u"B12"_s};
        QTest::addRow("%s/missing class", e.constData()) << engine << u"sys-nulled"_s << QStringList{u"B0"_s};
    }
}

void tst_CatalogSet::classCodeSelectsSubtree()
{
    QFETCH(QString, engine);
    QFETCH(QString, code);
    QFETCH(QStringList, books);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    // classes 1., 1.2. and 11. (SlfId 11 at the top level)
    Database().Execute(u"insert into catalogs(Id, Code, Mark, Name, SlfId, PrtId) values"
                       u"(1, '1.', 'A', 'a', 1, 0), (2, '1.2.', 'A1', 'a1', 2, 1), (11, '11.', 'B', 'b', 11, 0)"_s);
    const QList<QPair<QString, int>> rows{{u"B0"_s, 0}, {u"B1"_s, 1}, {u"B12"_s, 2}, {u"B11"_s, 11}};
    for (const auto& [bookCode, cata] : rows) {
        RBook book;
        book.Code = bookCode;
        book.CataId = cata;
        QVERIFY(TBookSet::Save(book));
    }

    TBookSet set;
    set.Where()->SetCondition(u"CataCode"_s, code);
    set.Search();
    QStringList found;
    for (set.DataSet()->First(); !set.DataSet()->Eof(); set.DataSet()->Next())
        found.append(set.DataSet()->AsString(u"Code"_s));
    found.sort();
    QCOMPARE(found, books);
}

void tst_CatalogSet::updateKeepsPlace_data()
{
    QTest::addColumn<QString>("engine");
    TTestDatabase::AddEngineRows();
}

void tst_CatalogSet::updateKeepsPlace()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    RCatalog top = newClass(0, u"T"_s, u"工业"_s);
    QVERIFY(TCatalogSet::AppendNode(top));
    RCatalog edited = top;
    edited.Mark = u"TP"_s;
    edited.Name = u"自动化技术、计算机技术"_s;
    edited.Note = u"含软件"_s;
    edited.Code = u"99."_s; // ignored: a class never moves
    edited.PrtId = 7;
    QVERIFY(TCatalogSet::UpdateNode(edited));

    TCatalogSet set;
    set.OpenAll();
    QCOMPARE(set.DataSet()->RecordCount(), 1);
    const RCatalog stored = set.AsData();
    QCOMPARE(stored.Mark, u"TP"_s);
    QCOMPARE(stored.Name, u"自动化技术、计算机技术"_s);
    QCOMPARE(stored.Note, u"含软件"_s);
    QCOMPARE(stored.Code, u"1."_s);
    QCOMPARE(stored.PrtId, 0);
    QCOMPARE(stored.Path, stored.Name);

    RCatalog gone = edited;
    gone.Id = 42;
    QVERIFY(!TCatalogSet::UpdateNode(gone));
}

void tst_CatalogSet::deleteRefusesParents_data()
{
    QTest::addColumn<QString>("engine");
    TTestDatabase::AddEngineRows();
}

void tst_CatalogSet::deleteRefusesParents()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    RCatalog top = newClass(0, u"I"_s, u"文学"_s);
    QVERIFY(TCatalogSet::AppendNode(top));
    RCatalog child = newClass(top.SlfId, u"I2"_s, u"中国文学"_s);
    QVERIFY(TCatalogSet::AppendNode(child));

    // refused and rolled back: the parent is still there
    QVERIFY(!TCatalogSet::DeleteNode(top.Id));
    QCOMPARE(count(u"select count(*) from catalogs"_s), 2);
    // an unknown class
    QVERIFY(!TCatalogSet::DeleteNode(99));

    QVERIFY(TCatalogSet::DeleteNode(child.Id));
    QVERIFY(TCatalogSet::DeleteNode(top.Id));
    QVERIFY(TCatalogSet::IsEmpty());
}

void tst_CatalogSet::openAllReadsLevels_data()
{
    QTest::addColumn<QString>("engine");
    TTestDatabase::AddEngineRows();
}

void tst_CatalogSet::openAllReadsLevels()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    // stored out of order; the set reads them in SlfId order
    Database().Execute(u"insert into catalogs(Id, Code, Mark, Name, SlfId, PrtId) values"
                       u"(5, '5.', 'B', 'b', 5, 0), (3, '3.', 'A', 'a', 3, 0), (7, '3.7.', 'A1', 'a1', 7, 3)"_s);
    TCatalogSet set;
    set.OpenAll();
    QList<int> top;
    for (const RCatalog& c : set.Children(0))
        top.append(c.SlfId);
    QCOMPARE(top, (QList<int>{3, 5}));
    QVERIFY(set.HasChildren(3));
    QVERIFY(!set.HasChildren(5));
    QCOMPARE(set.Children(3).value(0).Caption(), u"A1a1"_s);
}

void tst_CatalogSet::preparedClassification_data()
{
    QTest::addColumn<QString>("engine");
    TTestDatabase::AddEngineRows();
}

void tst_CatalogSet::preparedClassification()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    QVERIFY(TPreparedCatalog::Load());
    const int total = int(TPreparedCatalog::Rows().size());
    QCOMPARE(count(u"select count(*) from catalogs"_s), total);
    QCOMPARE(count(u"select count(*) from catalogs where PrtId=0"_s), 22);
    QCOMPARE(count(u"select count(*) from catalogs where Id<>SlfId"_s), 0);

    // a second load, or a load over the operator's own classes, is refused and writes nothing
    QVERIFY(!TPreparedCatalog::Load());
    QCOMPARE(count(u"select count(*) from catalogs"_s), total);

    // the catalogue grows on from the prepared numbers
    RCatalog mine = newClass(1, u"A11"_s, u"选集"_s);
    QVERIFY(TCatalogSet::AppendNode(mine));
    QCOMPARE(mine.Id, total + 1);
    QCOMPARE(mine.Code, u"1.%1."_s.arg(total + 1));
}

void tst_CatalogSet::preparedRowsFollowTheRules()
{
    const QList<RCatalog> rows = TPreparedCatalog::Rows();
    QHash<int, RCatalog> bySlf;
    QStringList topMarks;
    for (const RCatalog& row : rows) {
        QCOMPARE(row.Id, row.SlfId);
        QVERIFY2(!bySlf.contains(row.SlfId), qPrintable(row.Mark));
        bySlf.insert(row.SlfId, row);
        const QString parentCode = row.PrtId == 0 ? QString() : bySlf.value(row.PrtId).Code;
        QVERIFY2(row.PrtId == 0 || bySlf.contains(row.PrtId), qPrintable(row.Mark));
        QCOMPARE(row.Code, u"%1%2."_s.arg(parentCode).arg(row.SlfId));
        QVERIFY(!row.Name.isEmpty());
        if (row.PrtId == 0)
            topMarks.append(row.Mark);
        else // a subclass's mark starts with its main class's letter
            QVERIFY2(row.Mark.startsWith(bySlf.value(row.PrtId).Mark), qPrintable(row.Mark));
    }
    QCOMPARE(topMarks.join(QString()), u"ABCDEFGHIJKNOPQRSTUVXZ"_s);
}

void tst_CatalogSet::newDatabaseGetsClassification()
{
    // the first start creates the database through CreateDatabase
    QVERIFY(TTestDatabase::OpenEmpty(TTestDatabase::SQLite));
    const QString connection = TTestDatabase::LastConnectionString();
    QString error;
    QVERIFY2(TSchema::CreateDatabase(Database(), connection, &error), qPrintable(error));
    QCOMPARE(count(u"select count(*) from catalogs"_s), int(TPreparedCatalog::Rows().size()));
    QCOMPARE(count(u"select count(*) from catalogs where Mark='TP' and Name='自动化技术、计算机技术'"_s), 1);
    // opening it again leaves the operator's catalogue alone
    Database().Execute(u"delete from catalogs where PrtId<>0"_s);
    QVERIFY2(TSchema::CreateDatabase(Database(), connection, &error), qPrintable(error));
    QCOMPARE(count(u"select count(*) from catalogs"_s), 22);
}

QTEST_GUILESS_MAIN(tst_CatalogSet)
#include "tst_catalogset.moc"
