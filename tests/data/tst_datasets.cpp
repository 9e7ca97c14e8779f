#include "data/Database.h"
#include "data/DbError.h"
#include "data/LwClientDataSet.h"
#include "data/QuerySet.h"
#include "data/RecordSet.h"
#include "data/RowWriter.h"
#include "support/RecordingNotifier.h"
#include "support/TestDatabase.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A small table class of the kind every later table follows.
class TPeopleSet : public TRecordSet
{
public:
    TPeopleSet()
    {
        AddField(TFieldType::Integer, u"Id"_s, -1, false, QString());
        AddField(TFieldType::WideString, u"Name"_s, 50, true, u"姓名"_s);
        AddField(TFieldType::Float, u"Deposit"_s, -1, true, u"押金"_s);
        AddField(TFieldType::DateTime, u"Adddate"_s, -1, true, u"登记日期"_s);
    }
};

void makePeople(const QStringList& names)
{
    TDatabase& db = Database();
    db.Execute(u"create table people (Id integer primary key, Name varchar(50), Deposit float, Adddate %1)"_s.arg(
        db.Engine() == TEngine::PostgreSQL ? u"timestamp(0)"_s : u"datetime"_s));
    int id = 0;
    for (const QString& name : names)
        db.ExecSQL(u"insert into people(Id, Name, Deposit, Adddate) values(:Id, :Name, :Deposit, :Adddate)"_s,
                   {MakeParam(u"Id"_s, ++id), MakeParam(u"Name"_s, name), MakeParam(u"Deposit"_s, id * 1.5),
                    MakeParam(u"Adddate"_s, QDate(2024, 1, id))});
}

QStringList column(TLwDataSet* set, const QString& field)
{
    QStringList values;
    for (int row = 0; row < set->RecordCount(); ++row)
        values.append(set->CellText(row, set->FieldIndex(field)));
    return values;
}

} // namespace

class TestDataSets : public QObject
{
    Q_OBJECT

private slots:
    void openBindsDeclaredFields_data() { QTest::addColumn<QString>("engine"); TTestDatabase::AddEngineRows(); }
    void openBindsDeclaredFields()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenEmpty(engine));
        makePeople({u"张三"_s, u"李四"_s, u"王五"_s});
        TPeopleSet people;
        QCOMPARE(people.Open(u"select Name, Id, Deposit, Adddate, 1 as Extra from people order by Id"_s), 3);
        TLwDataSet* set = people.DataSet();
        QAbstractItemModelTester tester(set, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(set->FieldCount(), 4); // the extra column is ignored
        QCOMPARE(set->headerData(1, Qt::Horizontal).toString(), u"姓名"_s);
        QCOMPARE(set->AsInteger(u"ID"_s), 1); // names match without regard to case
        QCOMPARE(set->AsString(u"Name"_s), u"张三"_s);
        QCOMPARE(set->AsDateTime(u"Adddate"_s), QDateTime(QDate(2024, 1, 1), QTime(0, 0)));
        QCOMPARE(set->CellText(0, 3), u"2024-01-01"_s);
        QCOMPARE(set->data(set->index(2, 2)).toString(), u"4.5"_s);
        QCOMPARE(people.SqlText(), u"select Name, Id, Deposit, Adddate, 1 as Extra from people order by Id"_s);

        // three rows joined give three lines without a trailing break; the current row moves to the end
        QCOMPARE(people.JoinField(u"Name"_s, u"\r\n"_s), u"张三\r\n李四\r\n王五"_s);
        QVERIFY(set->Eof());
        QCOMPARE(set->RecNo(), 3);

        // a closed or empty set joins to nothing
        people.Open(u"select Name, Id, Deposit, Adddate from people where Id=-1"_s);
        QCOMPARE(people.JoinField(u"Name"_s, u","_s), QString());
        people.Close();
        QCOMPARE(people.JoinField(u"Name"_s, u","_s), QString());
    }

    void failingSelectShowsTheBox_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("sql");
        for (const QString& engine : TTestDatabase::Engines()) {
            QTest::newRow(qPrintable(engine + u" missing declared column"_s))
                << engine << u"select Id, Name, Deposit from people"_s;
            QTest::newRow(qPrintable(engine + u" bad statement"_s)) << engine << u"select * from nowhere"_s;
        }
    }
    void failingSelectShowsTheBox()
    {
        QFETCH(QString, engine);
        QFETCH(QString, sql);
        QVERIFY(TTestDatabase::OpenEmpty(engine));
        makePeople({u"a"_s});
        TRecordingNotifier notifier;
        TPeopleSet people;
        QVERIFY_THROWS_EXCEPTION(EAbort, people.Open(sql));
        QVERIFY(!people.Active());
        QCOMPARE(notifier.Messages().size(), 1);
        const QString prefix = u"SQL语句错误,原文如下:\r\n"_s + sql + u"\r\n\r\n错误提示:\r\n"_s;
        QVERIFY2(notifier.LastText().startsWith(prefix), qPrintable(notifier.LastText()));
        QVERIFY(notifier.LastText().size() > prefix.size());
        QCOMPARE(notifier.Messages().first().Kind, u"info"_s);
    }

    void requery_data() { QTest::addColumn<QString>("engine"); TTestDatabase::AddEngineRows(); }
    void requery()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenEmpty(engine));
        makePeople({u"a"_s, u"b"_s, u"c"_s});

        TQuerySet query;
        query.AddField(TFieldType::Integer, u"Id"_s, -1, false, QString());
        query.AddField(TFieldType::WideString, u"Name"_s, 50, true, u"名称"_s);
        QCOMPARE(query.DataSet()->Field(1).DisplayWidth, 75);
        query.Open(u"select Id, Name from people where Id>=:From order by Name desc"_s, {MakeParam(u"From"_s, 1)});
        QVERIFY(query.DataSet()->Locate(u"Id"_s, 2));
        Database().ExecSQL(u"update people set Name='zz' where Id=1"_s);
        query.Requery(u"Id"_s);
        QCOMPARE(query.DataSet()->AsInteger(u"Id"_s), 2); // still on the same row
        QCOMPARE(query.DataSet()->RecNo(), 3);           // which now sorts last
        query.Requery();
        QCOMPARE(query.DataSet()->RecNo(), 1);

        TPeopleSet people;
        people.Open(u"select * from people order by Id"_s);
        people.DataSet()->Last();
        Database().ExecSQL(u"delete from people where Id=3"_s);
        QSignalSpy resets(people.DataSet(), &QAbstractItemModel::modelReset);
        people.Requery();
        QCOMPARE(resets.size(), 1); // the views hear of it once
        QCOMPARE(people.DataSet()->RecordCount(), 2);
        QCOMPARE(people.DataSet()->RecNo(), 1);
    }

    void deletesTouchOnlyTheClientCopy_data() { QTest::addColumn<QString>("engine"); TTestDatabase::AddEngineRows(); }
    void deletesTouchOnlyTheClientCopy()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenEmpty(engine));
        makePeople({u"a"_s, u"b"_s, u"c"_s});
        TPeopleSet people;
        people.Open(u"select * from people order by Id"_s);
        QAbstractItemModelTester tester(people.DataSet(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        people.DataSet()->SetRecNo(2);
        people.DeleteCurrent();
        QCOMPARE(column(people.DataSet(), u"Name"_s), (QStringList{u"a"_s, u"c"_s}));
        QCOMPARE(people.DataSet()->AsString(u"Name"_s), u"c"_s); // the next row becomes current
        people.DeleteAll();
        QVERIFY(people.DataSet()->IsEmpty());
        people.DeleteCurrent(); // nothing left: no error
        QSqlQuery q = Database().Select(u"select count(*) from people"_s);
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), 3);
    }

    void clientEditingSortFilter()
    {
        TLwClientDataSet client;
        client.AddFieldDef(TFieldType::WideString, u"Short"_s, 10, true, u"短"_s);
        client.AddFieldDef(TFieldType::WideString, u"Name"_s, 50, true, u"名称"_s);
        client.AddFieldDef(TFieldType::WideString, u"Long"_s, 400, true, u"长"_s);
        client.AddField(TFieldType::Float, u"Price"_s, true, u"价格"_s).DisplayFormat = u"0.00"_s;
        client.AddField(TFieldType::Integer, u"Qty"_s, true, u"数量"_s);
        TField& total = client.AddField(TFieldType::Float, u"Total"_s, true, u"金额"_s);
        total.Calculated = true;
        total.DisplayFormat = u"0.##"_s;
        TLwDataSet* set = client.DataSet();
        QCOMPARE(set->Field(0).Size, -1);
        QCOMPARE(set->Field(1).Size, 50);
        QCOMPARE(set->Field(2).Size, 140);
        set->SetOnCalcFields([](TLwDataSet& s) { s.SetValue(u"Total"_s, s.AsFloat(u"Price"_s) * s.AsInteger(u"Qty"_s)); });
        client.CreateDataSet();
        QAbstractItemModelTester tester(set, QAbstractItemModelTester::FailureReportingMode::QtTest);

        const struct { const char16_t* name; double price; int qty; } rows[] = {
            {u"beta", 2.5, 2}, {u"Alpha", 10, 1}, {u"gamma", 2.5, 3}, {u"delta", 0.125, 8}};
        for (const auto& r : rows) {
            set->Append();
            set->SetValue(u"Name"_s, QString::fromUtf16(r.name));
            set->SetValue(u"Price"_s, r.price);
            set->SetValue(u"Qty"_s, r.qty);
            set->Post();
        }
        QCOMPARE(set->RecordCount(), 4);
        QCOMPARE(column(set, u"Total"_s), (QStringList{u"5"_s, u"10"_s, u"7.5"_s, u"1"_s}));
        QCOMPARE(column(set, u"Price"_s), (QStringList{u"2.50"_s, u"10.00"_s, u"2.50"_s, u"0.13"_s}));

        // sort by several fields, text without regard to case; the current row stays current
        set->Locate(u"Name"_s, u"ALPHA"_s);
        set->SetSort(u"Price DESC, Name"_s);
        QCOMPARE(column(set, u"Name"_s), (QStringList{u"Alpha"_s, u"beta"_s, u"gamma"_s, u"delta"_s}));
        QCOMPARE(set->RecNo(), 1);
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, set->SetSort(u"Nope"_s));

        // an edit re-sorts and recalculates
        QVERIFY(set->Locate(u"Name"_s, u"del"_s, TLwDataSet::PartialKey | TLwDataSet::CaseInsensitive));
        set->Edit();
        set->SetValue(u"Price"_s, 100);
        set->Post();
        QCOMPARE(column(set, u"Name"_s).first(), u"delta"_s);
        QCOMPARE(set->AsFloat(u"Total"_s), 800.0);

        // a filter hides rows and navigation walks only what is shown
        set->SetFilter([](const TLwDataSet& s, const QVariantList& v) { return v.at(s.FieldIndex(u"Qty"_s)).toInt() > 1; });
        QCOMPARE(column(set, u"Name"_s), (QStringList{u"delta"_s, u"beta"_s, u"gamma"_s}));
        int walked = 0;
        for (set->First(); !set->Eof(); set->Next())
            ++walked;
        QCOMPARE(walked, 3);
        const auto mark = [&] { set->First(); set->Next(); return set->Bookmark(); }();
        set->ClearFilter();
        QVERIFY(set->GotoBookmark(mark));
        QCOMPARE(set->AsString(u"Name"_s), u"beta"_s);

        // cancel throws the buffer away; editing outside an edit is refused
        set->Edit();
        set->SetValue(u"Name"_s, u"changed"_s);
        set->Cancel();
        QCOMPARE(set->AsString(u"Name"_s), u"beta"_s);
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, set->SetValue(u"Name"_s, u"x"_s));

        // disabled controls: the views hear one reset at the end
        QSignalSpy resets(set, &QAbstractItemModel::modelReset);
        QSignalSpy inserts(set, &QAbstractItemModel::rowsInserted);
        set->DisableControls();
        set->SetSort(QString());
        set->Append();
        set->SetValue(u"Name"_s, u"epsilon"_s);
        set->Post();
        set->EnableControls();
        QCOMPARE(resets.size(), 1);
        QCOMPARE(inserts.size(), 0);
        QCOMPARE(set->RecordCount(), 5);
        QCOMPARE(set->AsString(u"Name"_s), u"epsilon"_s);
        QVERIFY(set->IsNull(u"Price"_s));
        QCOMPARE(set->AsFloat(u"Price"_s), 0.0); // a null reads as 0
        QCOMPARE(set->AsString(u"Price"_s), QString());
    }

    void writeRules_data() { QTest::addColumn<QString>("engine"); TTestDatabase::AddEngineRows(); }
    void writeRules()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenEmpty(engine));
        makePeople({});
        const QString update = u"update people set Name=:Name where Id=:Id"_s;
        const QString insert = u"insert into people(Name, Id) values(:Name, :Id)"_s;

        // the first row of an empty table gets 1, the next 2
        int id = 0;
        QVERIFY(TRowWriter::Save(u"people"_s, id, update, insert, {MakeParam(u"Name"_s, u"a"_s)}));
        QCOMPARE(id, 1);
        int second = -1;
        QVERIFY(TRowWriter::Save(u"people"_s, second, update, insert, {MakeParam(u"Name"_s, u"b"_s)}));
        QCOMPARE(second, 2);
        QVERIFY(TRowWriter::Save(u"people"_s, id, update, insert, {MakeParam(u"Name"_s, u"a2"_s)}));
        QCOMPARE(id, 1);
        // an update that finds no row is a failure, not an insert
        int gone = 99;
        QVERIFY(!TRowWriter::Save(u"people"_s, gone, update, insert, {MakeParam(u"Name"_s, u"x"_s)}));
        QCOMPARE(gone, 99);

        // update first, then insert with the same values
        const QString upsertUpdate = u"update people set Name=:Name where Id=:Id"_s;
        QVERIFY(TRowWriter::UpdateOrInsert(upsertUpdate, insert, {MakeParam(u"Name"_s, u"c"_s), MakeParam(u"Id"_s, 7)}));
        QVERIFY(TRowWriter::UpdateOrInsert(upsertUpdate, insert, {MakeParam(u"Name"_s, u"d"_s), MakeParam(u"Id"_s, 7)}));
        QSqlQuery q = Database().Select(u"select Name from people where Id=7"_s);
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), u"d"_s);
        QVERIFY(!q.next());

        // an insert the database refuses raises and leaves no transaction open
        Database().Execute(u"create unique index people_name on people(Name)"_s);
        int dup = 0;
        QVERIFY_THROWS_EXCEPTION(EDatabaseError,
                                 TRowWriter::Save(u"people"_s, dup, update, insert, {MakeParam(u"Name"_s, u"d"_s)}));
        QVERIFY(!Database().InTransaction());
        QCOMPARE(dup, 0);
    }

    void sharedRecordSetReadsNullMaximum_data() { QTest::addColumn<QString>("engine"); TTestDatabase::AddEngineRows(); }
    void sharedRecordSetReadsNullMaximum()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenEmpty(engine));
        makePeople({});
        TRecordSet& shared = SharedRecordSet();
        QCOMPARE(shared.Open(u"select max(Id) from people"_s), 1);
        QCOMPARE(shared.DataSet()->Value(0).toInt(), 0);
        QVERIFY(shared.DataSet()->Value(0).isNull());
        // the next use brings its own columns
        Database().Execute(u"insert into people(Id, Name) values(4, 'x')"_s);
        QCOMPARE(shared.Open(u"select Name, Id from people where Id=:Id"_s, {MakeParam(u"Id"_s, 4)}), 1);
        QCOMPARE(shared.DataSet()->FieldCount(), 2);
        QCOMPARE(shared.DataSet()->AsString(u"name"_s), u"x"_s);
        QCOMPARE(shared.DataSet()->AsInteger(u"Id"_s), 4);
    }

    // Dates come back from SQLite as text in a few shapes; anything that is not a real date reads as null.
    void dateTextConversion_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("expected");
        const QDate day(2013, 1, 17);
        QTest::newRow("whole date") << u"2013-01-17"_s << QDateTime(day, QTime(0, 0));
        QTest::newRow("stored form") << u"2013-01-17 08:05:09"_s << QDateTime(day, QTime(8, 5, 9));
        QTest::newRow("iso T") << u"2013-01-17T08:05:09"_s << QDateTime(day, QTime(8, 5, 9));
        QTest::newRow("minutes") << u"2013-01-17 08:05"_s << QDateTime(day, QTime(8, 5));
        QTest::newRow("milliseconds") << u"2013-01-17 08:05:09.250"_s << QDateTime(day, QTime(8, 5, 9, 250));
        QTest::newRow("leap day") << u"2024-02-29 00:00:00"_s << QDateTime(QDate(2024, 2, 29), QTime(0, 0));
        QTest::newRow("no such day") << u"2013-02-30 00:00:00"_s << QDateTime();
        QTest::newRow("no such hour") << u"2013-01-17 25:00:00"_s << QDateTime();
        QTest::newRow("trailing junk") << u"2013-01-17 08:05:09x"_s << QDateTime();
        QTest::newRow("not a date") << u"yesterday"_s << QDateTime();
        QTest::newRow("empty") << QString() << QDateTime();
    }
    void dateTextConversion()
    {
        QFETCH(QString, text);
        QFETCH(QDateTime, expected);
        const QVariant value = TLwDataSet::Convert(TFieldType::DateTime, text);
        if (!expected.isValid()) {
            QVERIFY2(value.isNull(), qPrintable(value.toString()));
            return;
        }
        QCOMPARE(value.toDateTime(), expected);
    }
};

QTEST_GUILESS_MAIN(TestDataSets)
#include "tst_datasets.moc"
