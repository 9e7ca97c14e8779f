#include "data/Database.h"
#include "data/DbError.h"
#include "holdings/BookSet.h"
#include "holdings/JournalSet.h"
#include "holdings/PublisherSet.h"
#include "support/TestDatabase.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

RBook book(const QString& code, const QString& name, double price = 10, int qtyLib = 1)
{
    RBook b;
    b.Code = code;
    b.Name = name;
    b.Price = price;
    b.QtyLib = qtyLib;
    return b;
}

// Saves `books` and returns their Ids in order.
QList<int> store(QList<RBook> books)
{
    QList<int> ids;
    for (RBook& b : books) {
        if (!TBookSet::Save(b))
            return {};
        ids.append(b.Id);
    }
    return ids;
}

QStringList codes(const TLwDataSet* set)
{
    QStringList found;
    for (int row = 0; row < set->RecordCount(); ++row)
        found.append(set->CellText(row, set->FieldIndex(u"Code"_s)));
    found.sort();
    return found;
}

QVariantList countersOf(const QString& table, int id)
{
    QSqlQuery query = Database().Select(u"select QtyLib, QtyLoan, QtyOff, TimesLoan from %1 where Id=:Id"_s.arg(table),
                                        {MakeParam(u"Id"_s, id)});
    if (!query.next())
        return {};
    return {query.value(0).toInt(), query.value(1).toInt(), query.value(2).toInt(), query.value(3).toInt()};
}

} // namespace

using TConditions = QList<QPair<QString, QVariant>>;
Q_DECLARE_METATYPE(TConditions)

class tst_HoldingSet : public QObject
{
    Q_OBJECT

private slots:
    void bookSearch_data();
    void bookSearch();
    void journalSearch_data();
    void journalSearch();
    void quickFilter_data();
    void quickFilter();
    void saveInsertsAndUpdates_data();
    void saveInsertsAndUpdates();
    void priceTextIsChecked_data();
    void priceTextIsChecked();
    void counterStatements_data();
    void counterStatements();
    void deleteAndOpenLoans_data();
    void deleteAndOpenLoans();
    void labelsInOrder();
    void publishers_data();
    void publishers();
};

void tst_HoldingSet::bookSearch_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<TConditions>("conditions");
    QTest::addColumn<QStringList>("expected");
    for (const QString& engine : TTestDatabase::Engines()) {
        const QByteArray e = engine.toUtf8();
        auto row = [&](const char* name, const TConditions& c, const QStringList& codes) {
            QTest::addRow("%s/%s", e.constData(), name) << engine << c << codes;
        };
        const QStringList all{u"100%"_s, u"AB1"_s, u"A_1"_s, u"O'B"_s, u"X1"_s};
        row("no condition lists all", {}, all);
        row("code exact", {{u"Code"_s, u"ab1"_s}}, {u"AB1"_s});
        row("name contains", {{u"Name"_s, u"数据"_s}}, {u"AB1"_s, u"X1"_s});
        row("two conditions", {{u"Name"_s, u"数据"_s}, {u"Author"_s, u"王五"_s}}, {u"X1"_s});
        row("percent is literal", {{u"Keyword"_s, u"%"_s}}, {u"100%"_s});
        row("underscore is literal", {{u"Keyword"_s, u"A_"_s}}, {u"A_1"_s});
        row("escape character is literal", {{u"Name"_s, u"!"_s}}, {u"A_1"_s});
        row("quote is literal", {{u"Keyword"_s, u"O'B"_s}}, {u"O'B"_s});
        row("quote in exact code", {{u"Code"_s, u"O'B"_s}}, {u"O'B"_s});
        row("keyword finds author", {{u"Keyword"_s, u"王"_s}}, {u"X1"_s});
        row("keyword ignores case", {{u"Keyword"_s, u"ab"_s}}, {u"AB1"_s});
        row("price to rounds 12.345 up", {{u"Price2"_s, 12.345}}, {u"100%"_s, u"A_1"_s, u"O'B"_s});
        row("price from rounds 12.345 up", {{u"Price1"_s, 12.345}}, {u"AB1"_s, u"O'B"_s, u"X1"_s});
        row("total from 2 to 5", {{u"QtyTotal1"_s, 2}, {u"QtyTotal2"_s, 5}}, {u"AB1"_s, u"O'B"_s});
        row("entry day to is the whole day", {{u"Getdate2"_s, QDate(2024, 3, 1)}}, {u"100%"_s, u"A_1"_s});
        row("entry day from", {{u"Getdate1"_s, QDate(2024, 3, 2)}}, {u"AB1"_s});
        row("binding", {{u"Zhuang"_s, u"精装"_s}}, {u"X1"_s});
        row("language contains", {{u"Lang"_s, u"英"_s}}, {u"AB1"_s});
        row("empty text sets nothing", {{u"Name"_s, QString()}}, all);
    }
}

void tst_HoldingSet::bookSearch()
{
    QFETCH(QString, engine);
    QFETCH(TConditions, conditions);
    QFETCH(QStringList, expected);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));

    RBook percent = book(u"100%"_s, u"满分100%"_s, 12.0);
    percent.Getdate = QDate(2024, 3, 1);
    RBook underscore = book(u"A_1"_s, u"惊叹!"_s, 1.0);
    underscore.Getdate = QDateTime(QDate(2024, 2, 1), QTime(0, 0));
    RBook ab = book(u"AB1"_s, u"数据库"_s, 20.0, 2);
    ab.Language = u"英文"_s;
    ab.Getdate = QDate(2024, 3, 2);
    RBook quote = book(u"O'B"_s, u"O'Brien"_s, 12.35, 3);
    RBook x = book(u"X1"_s, u"数据结构"_s, 30.0);
    x.Author = u"王五"_s;
    x.Binding = u"精装"_s;
    QVERIFY(!store({percent, underscore, ab, quote, x}).isEmpty());

    TBookSet set;
    for (const auto& [field, value] : conditions)
        set.Where()->SetCondition(field, value);
    set.Search();
    QCOMPARE(codes(set.DataSet()), expected);
    QVERIFY(!set.SqlText().contains(u"'%"_s)); // values are bound, never written into the text
    // one " where " exactly when a condition takes part, whichever condition comes first
    QCOMPARE(set.SqlText().count(u" where "_s), expected.size() == 5 ? 0 : 1);
    if (conditions.size() == 1 && conditions.first().first == u"Keyword"_s)
        QVERIFY(set.SqlText().contains(u" where (b.Code like "_s));
}

void tst_HoldingSet::journalSearch_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<TConditions>("conditions");
    QTest::addColumn<QStringList>("expected");
    for (const QString& engine : TTestDatabase::Engines()) {
        const QByteArray e = engine.toUtf8();
        auto row = [&](const char* name, const TConditions& c, const QStringList& codes) {
            QTest::addRow("%s/%s", e.constData(), name) << engine << c << codes;
        };
        row("language uses Lang", {{u"Lang"_s, u"英"_s}}, {u"J2"_s});
        row("year number contains", {{u"YearNo"_s, u"2023"_s}}, {u"J1"_s});
        row("editor contains", {{u"Editor"_s, u"李"_s}}, {u"J1"_s});
        row("issn exact", {{u"ISSN"_s, u"1000-0002"_s}}, {u"J2"_s});
        row("keyword looks in issn", {{u"Keyword"_s, u"0001"_s}}, {u"J1"_s});
        row("frequency contains", {{u"Pubperiod"_s, u"月"_s}}, {u"J1"_s, u"J2"_s});
    }
}

void tst_HoldingSet::journalSearch()
{
    QFETCH(QString, engine);
    QFETCH(TConditions, conditions);
    QFETCH(QStringList, expected);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    RJournal one;
    one.Code = u"J1"_s;
    one.Name = u"读书"_s;
    one.Editor = u"李四"_s;
    one.ISSN = u"1000-0001"_s;
    one.YearNo = u"2023-05"_s;
    one.PubPeriod = u"月刊"_s;
    one.Lang = u"中文"_s;
    one.QtyLib = 1;
    RJournal two = one;
    two.Code = u"J2"_s;
    two.Editor = u"Smith"_s;
    two.ISSN = u"1000-0002"_s;
    two.YearNo = u"2024-01"_s;
    two.PubPeriod = u"半月刊"_s;
    two.Lang = u"英文"_s;
    QVERIFY(TJournalSet::Save(one));
    QVERIFY(TJournalSet::Save(two));

    TJournalSet set;
    for (const auto& [field, value] : conditions)
        set.Where()->SetCondition(field, value);
    set.Search();
    QCOMPARE(codes(set.DataSet()), expected);
}

void tst_HoldingSet::quickFilter_data()
{
    QTest::addColumn<QString>("engine");
    TTestDatabase::AddEngineRows();
}

void tst_HoldingSet::quickFilter()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    RBook byIsbn = book(u"Q1"_s, u"一"_s);
    byIsbn.ISBN = u"978-AB"_s;
    RBook byPing = book(u"Q2"_s, u"二"_s);
    byPing.Ping = u"xab"_s;
    RBook byAuthor = book(u"Q3"_s, u"三"_s);
    byAuthor.Author = u"ab"_s; // the author is not one of the four fields
    QVERIFY(!store({book(u"AB9"_s, u"code"_s), book(u"Q0"_s, u"Tab名"_s), byIsbn, byPing, byAuthor}).isEmpty());

    TBookSet set;
    set.QuickFilter(u"ab"_s); // closed: nothing happens
    QVERIFY(!set.Active());
    set.Search();
    set.QuickFilter(u"ab"_s);
    QCOMPARE(codes(set.DataSet()), (QStringList{u"AB9"_s, u"Q0"_s, u"Q1"_s, u"Q2"_s}));
    set.QuickFilter(QString());
    QCOMPARE(set.DataSet()->RecordCount(), 5);
    // a new search drops the filter
    set.QuickFilter(u"ab"_s);
    set.Search();
    QCOMPARE(set.DataSet()->RecordCount(), 5);
}

void tst_HoldingSet::saveInsertsAndUpdates_data()
{
    QTest::addColumn<QString>("engine");
    TTestDatabase::AddEngineRows();
}

void tst_HoldingSet::saveInsertsAndUpdates()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    Database().Execute(
        u"insert into catalogs(Id, Code, Mark, Name, SlfId, PrtId) values(4, '4.', 'TP', '计算机', 4, 0)"_s);

    RBook fresh = book(u"B-1"_s, u"编目实践"_s, 12.5, 3);
    fresh.CataId = 4;
    fresh.QtyLoan = 7; // whatever the record holds, a new book starts with 0
    fresh.QtyOff = 8;
    fresh.TimesLoan = 9;
    QVERIFY(TBookSet::Save(fresh));
    QCOMPARE(fresh.Id, 1);
    QCOMPARE(countersOf(u"books"_s, 1), (QVariantList{3, 0, 0, 0}));

    // a second title with the same code is allowed
    RBook twin = book(u"B-1"_s, u"编目实践(副本)"_s);
    QVERIFY(TBookSet::Save(twin));
    QCOMPARE(twin.Id, 2);

    Database().Execute(u"update books set QtyLoan=2, QtyOff=1, TimesLoan=5 where Id=1"_s);
    TBookSet set;
    set.Where()->SetCondition(u"Id"_s, 1);
    set.Search();
    RBook read = set.AsData();
    QCOMPARE(read.CataMark, u"TP"_s);
    QCOMPARE(read.CataName, u"计算机"_s);
    QCOMPARE(read.QtyTotal, 6);
    read.Name = u"编目实践(第二版)"_s;
    read.QtyLib = 4;
    read.QtyLoan = 0; // an update leaves the circulation counters alone
    read.Price = QVariant();
    read.CataId = 0;
    QVERIFY(TBookSet::Save(read));
    QCOMPARE(countersOf(u"books"_s, 1), (QVariantList{4, 2, 1, 5}));

    set.Search();
    const RBook again = set.AsData();
    QCOMPARE(again.Name, u"编目实践(第二版)"_s);
    QVERIFY(again.Price.isNull());
    QCOMPARE(again.CataId.toInt(), 0);
    QCOMPARE(again.CataName, QString());

    // the grid row takes the record without a reread
    RBook shown = again;
    shown.Name = u"改过"_s;
    set.DataSet()->Edit();
    set.AsData(shown);
    set.DataSet()->Post();
    QCOMPARE(set.AsData().Name, u"改过"_s);

    RBook gone = again;
    gone.Id = 99;
    QVERIFY(!TBookSet::Save(gone));

    RJournal journal;
    journal.Code = u"J-1"_s;
    journal.QtyLib = 2;
    journal.TimesLoan = 4;
    QVERIFY(TJournalSet::Save(journal));
    QCOMPARE(journal.Id, 1);
    QCOMPARE(countersOf(u"journals"_s, 1), (QVariantList{2, 0, 0, 0}));
}

void tst_HoldingSet::priceTextIsChecked_data()
{
    QTest::addColumn<QString>("engine");
    TTestDatabase::AddEngineRows();
}

void tst_HoldingSet::priceTextIsChecked()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    RBook typed = book(u"P1"_s, u"价格"_s);
    typed.Price = u"23.50"_s;
    QVERIFY(TBookSet::Save(typed));
    RBook blank = book(u"P2"_s, u"无价"_s);
    blank.Price = u""_s;
    QVERIFY(TBookSet::Save(blank));

    RBook wrong = book(u"P3"_s, u"坏价"_s);
    wrong.Price = u"abc"_s;
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, TBookSet::Save(wrong));
    QCOMPARE(wrong.Id, 0);

    QSqlQuery query = Database().Select(u"select Code, Price from books order by Id"_s);
    QVERIFY(query.next());
    QCOMPARE(query.value(1).toDouble(), 23.5);
    QVERIFY(query.next());
    QVERIFY(query.value(1).isNull());
    QVERIFY(!query.next());
}

void tst_HoldingSet::counterStatements_data()
{
    QTest::addColumn<QString>("engine");
    TTestDatabase::AddEngineRows();
}

void tst_HoldingSet::counterStatements()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    RBook last = book(u"C1"_s, u"孤本"_s, 5, 1);
    QVERIFY(TBookSet::Save(last));

    QVERIFY(TBookSet::IncLoan(last.Id));
    QCOMPARE(countersOf(u"books"_s, last.Id), (QVariantList{0, 1, 0, 1}));
    QVERIFY(TBookSet::IncLoan(last.Id)); // no lower bound
    QCOMPARE(countersOf(u"books"_s, last.Id), (QVariantList{-1, 2, 0, 2}));
    QVERIFY(TBookSet::DecLoan(last.Id));
    QVERIFY(TBookSet::SetOff(last.Id, true));
    QCOMPARE(countersOf(u"books"_s, last.Id), (QVariantList{-1, 1, 1, 2}));
    QVERIFY(TBookSet::SetOff(last.Id, false));
    QCOMPARE(countersOf(u"books"_s, last.Id), (QVariantList{0, 1, 0, 2}));
    QVERIFY(!TBookSet::IncLoan(99));

    RJournal journal;
    journal.Code = u"J"_s;
    journal.QtyLib = 3;
    QVERIFY(TJournalSet::Save(journal));
    QVERIFY(TJournalSet::IncLoan(journal.Id));
    QVERIFY(TJournalSet::SetOff(journal.Id, true));
    QVERIFY(TJournalSet::SetOff(journal.Id, false));
    QVERIFY(TJournalSet::DecLoan(journal.Id));
    QCOMPARE(countersOf(u"journals"_s, journal.Id), (QVariantList{3, 0, 0, 1}));
}

void tst_HoldingSet::deleteAndOpenLoans_data()
{
    QTest::addColumn<QString>("engine");
    TTestDatabase::AddEngineRows();
}

void tst_HoldingSet::deleteAndOpenLoans()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    RBook lent = book(u"L1"_s, u"借出"_s, 5, 3);
    QVERIFY(TBookSet::Save(lent));
    // three loans: one open, one returned, one closed by a write-off; one open journal loan
    Database().Execute(u"insert into loans(Id, ReaderId, BookId, JourId, ReturnDate) values"
                       u"(1, 1, 1, null, null), (2, 1, 1, null, '2024-01-02 00:00:00'), (3, 1, 1, null, null),"
                       u"(4, 1, null, 1, null)"_s);
    Database().Execute(u"insert into writeoffs(Id, BookId, LoanId) values(1, 1, 3)"_s);
    QCOMPARE(TBookSet::OpenLoans(lent.Id), 1);
    QCOMPARE(TJournalSet::OpenLoans(1), 1);
    QCOMPARE(TBookSet::OpenLoansQuestion(1), u"\r\n该图书尚有 1 册未归还, 确定要删除吗?\t"_s);
    QCOMPARE(TJournalSet::OpenLoansQuestion(2), u"\r\n该期刊尚有 2 册未归还, 确定要删除吗?\t"_s);

    // the delete itself still succeeds; the loans keep the removed Id
    QVERIFY(TBookSet::Delete(lent.Id));
    QVERIFY(!TBookSet::Delete(lent.Id));
    QSqlQuery loans = Database().Select(u"select count(*) from loans where BookId=1"_s);
    QVERIFY(loans.next());
    QCOMPARE(loans.value(0).toInt(), 3);
}

void tst_HoldingSet::labelsInOrder()
{
    auto visible = [](const TLwDataSet* set) {
        QStringList labels;
        for (const TField& f : set->Fields()) {
            if (f.Visible)
                labels.append(f.DisplayLabel);
        }
        return labels.join(u',');
    };
    TBookSet books;
    QCOMPARE(visible(books.DataSet()),
             u"图书编号,图书名称,拼音简码,作者,ISBN号,中图分类号,中图分类,种次号,索书号,出版社,出版日期,图书开本,"
             u"装订版面,图书语种,所属丛书,总页数,附件,存放位置,价格,入馆日期,内容简介,备注,馆存数量"_s);
    TJournalSet journals;
    QCOMPARE(visible(journals.DataSet()),
             u"期刊编号,刊名,拼音简码,主编,ISSN号,中图分类号,中图分类,出版社,出版周期,年度期号,总期号,期刊语种,"
             u"期刊开本,存放位置,附件,价格,入馆日期,内容简介,馆存数量"_s);
}

void tst_HoldingSet::publishers_data()
{
    QTest::addColumn<QString>("engine");
    TTestDatabase::AddEngineRows();
}

void tst_HoldingSet::publishers()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    RPublisher first{0, u"人民教育出版社"_s, u"7-107"_s, u"北京"_s};
    RPublisher second{0, u"商务印书馆"_s, u"7-100"_s, u"北京"_s};
    QVERIFY(TPublisherSet::Save(first));
    QVERIFY(TPublisherSet::Save(second));
    QCOMPARE(first.Id, 1);
    QCOMPARE(second.Id, 2);
    second.Addr = u"北京王府井"_s;
    QVERIFY(TPublisherSet::Save(second));

    RBook named = book(u"P"_s, u"书"_s);
    named.Publisher = first.Name;
    QVERIFY(TBookSet::Save(named));
    QVERIFY(TPublisherSet::Delete(first.Id));
    QVERIFY(!TPublisherSet::Delete(first.Id));

    TPublisherSet set;
    set.OpenAll();
    QCOMPARE(set.DataSet()->RecordCount(), 1);
    QCOMPARE(set.AsData().Addr, u"北京王府井"_s);
    QCOMPARE(TPublisherSet::Names(), QStringList{u"商务印书馆"_s});
    // the book keeps its publisher's name
    TBookSet books;
    books.Search();
    QCOMPARE(books.AsData().Publisher, u"人民教育出版社"_s);
}

QTEST_GUILESS_MAIN(tst_HoldingSet)
#include "tst_holdingset.moc"
