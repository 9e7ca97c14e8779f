#include "ReaderFixture.h"
#include "data/Transaction.h"
#include "holdings/ReaderWhere.h"
#include "holdings/ReaderstateSet.h"
#include "holdings/ReadersPhotoSet.h"

#include <QtTest>

using ReaderFixture::AddReader;
using ReaderFixture::ReaderValue;
using ReaderFixture::TReaderRow;

namespace {

const QString kLostFail = u"\r\n挂失操作失败, 没有找到该读者资料或刷新重试!"_s;
const QString kReleaseFail = u"\r\n解除挂失失败, 没有找到读者资料或不在挂失状态!"_s;
const QString kDisableFail = u"\r\n停用操作失败, 没有找到该读者资料或刷新重试!"_s;
const QString kEnableFail = u"\r\n启用操作失败, 没有找到读者资料或者不在停用状态!"_s;

QList<int> searchIds(TReaderSet& set)
{
    set.Search();
    QList<int> ids;
    for (set.DataSet()->First(); !set.DataSet()->Eof(); set.DataSet()->Next())
        ids.append(set.DataSet()->AsInteger(u"Id"_s));
    std::sort(ids.begin(), ids.end());
    return ids;
}

// Readers to search among: two kinds, the three states, quotes and wildcards in their texts.
void addSearchReaders()
{
    ReaderFixture::AddKind(1, u"教师"_s);
    ReaderFixture::AddKind(2, u"学生"_s);
    auto add = [](int id, const QString& code, const QString& name, QVariant kind, int state, double deposit,
                  const QString& tel, const QString& address, const QString& dept, const QDateTime& added) {
        TReaderRow r;
        r.Id = id;
        r.Code = code;
        r.Name = name;
        r.KindId = kind;
        r.StateId = state;
        r.Deposit = deposit;
        r.Tel = tel;
        r.Address = address;
        r.Dept = dept;
        r.Adddate = added;
        r.Loaning = id;
        r.Ping = u"P%1"_s.arg(id);
        AddReader(r);
    };
    add(1, u"T001"_s, u"王老师"_s, 1, 1, 50, u"13800000001"_s, u"北京路1号"_s, u"数学组"_s,
        QDateTime(QDate(2024, 3, 1), QTime(0, 0)));
    add(2, u"S001"_s, u"O'Neil"_s, 2, 2, 10.5, u"021-555"_s, u"100% 大道"_s, u"一班"_s,
        QDateTime(QDate(2024, 3, 1), QTime(23, 59, 59)));
    add(3, u"S002"_s, u"李_明"_s, 2, 3, 0, u"021-777"_s, u"1000 大道"_s, u"一班"_s,
        QDateTime(QDate(2024, 3, 2), QTime(8, 0)));
    add(4, u"S003"_s, u"李小明"_s, QVariant(), 1, -2, u""_s, u"北京路2号"_s, u"二班"_s, QDateTime());
}

void addLoan(int id, int readerId, bool book, bool returned)
{
    Database().Execute(u"insert into loans(Id, LoanDate, ReaderId, BookId, JourId, ReturnDate) "
                       u"values(:Id, :LoanDate, :ReaderId, :BookId, :JourId, :ReturnDate)"_s,
                       {MakeParam(u"Id"_s, id), MakeParam(u"LoanDate"_s, QDate(2024, 1, 1)),
                        MakeParam(u"ReaderId"_s, readerId), MakeParam(u"BookId"_s, book ? QVariant(id) : QVariant()),
                        MakeParam(u"JourId"_s, book ? QVariant() : QVariant(id)),
                        MakeParam(u"ReturnDate"_s, returned ? QVariant(QDate(2024, 1, 5)) : QVariant())});
}

void addFine(int id, QVariant loanId, QVariant offId, double amount, bool paid)
{
    Database().Execute(u"insert into fines(Id, LoanId, OffId, Finefund, Finedate, PaytypeId) "
                       u"values(:Id, :LoanId, :OffId, :Finefund, :Finedate, 1)"_s,
                       {MakeParam(u"Id"_s, id), MakeParam(u"LoanId"_s, loanId), MakeParam(u"OffId"_s, offId),
                        MakeParam(u"Finefund"_s, amount),
                        MakeParam(u"Finedate"_s, paid ? QVariant(QDate(2024, 2, 1)) : QVariant())});
}

} // namespace

class tst_ReaderSet : public QObject
{
    Q_OBJECT

private slots:
    // Every operation from every state: the whole transition table.
    void changeState_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("op");
        QTest::addColumn<int>("to"); // 0: refused, the state stays
        QTest::addColumn<QString>("failText");
        const QString fails[] = {kLostFail, kReleaseFail, kDisableFail, kEnableFail};
        const int table[3][4] = {
            {2, 0, 3, 0}, // 1 normal
            {2, 1, 3, 0}, // 2 reported lost
            {2, 0, 3, 1}, // 3 disabled
        };
        for (const QString& e : TTestDatabase::Engines())
            for (int from = 1; from <= 3; ++from)
                for (int op = 0; op < 4; ++op)
                    QTest::addRow("%s state %d op %d", qPrintable(e), from, op)
                        << e << from << op << table[from - 1][op] << fails[op];
    }
    void changeState()
    {
        QFETCH(QString, engine);
        QFETCH(int, from);
        QFETCH(int, op);
        QFETCH(int, to);
        QFETCH(QString, failText);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        TReaderRow row;
        row.StateId = from;
        AddReader(row);

        QString text = u"stale"_s;
        QCOMPARE(TReaderSet::ChangeState(1, op, text), to != 0);
        QCOMPARE(text, failText); // given with success too
        QCOMPARE(ReaderValue(1, u"StateId"_s).toInt(), to != 0 ? to : from);

        // without a reader every operation fails with its own text
        QVERIFY(!TReaderSet::ChangeState(0, op, text));
        QCOMPARE(text, failText);
    }

    void changeStateInvalidOp_data() { ReaderFixture::EngineRows(); }
    void changeStateInvalidOp()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        AddReader(TReaderRow());
        for (const int op : {-1, 4}) {
            QString text;
            QVERIFY(!TReaderSet::ChangeState(1, op, text));
            QCOMPARE(text, u"\r\n无效的状态操作口令"_s);
        }
        QCOMPARE(ReaderValue(1, u"StateId"_s).toInt(), 1);
    }

    void addDeposit_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QVariant>("start");
        QTest::addColumn<double>("amount");
        QTest::addColumn<double>("balance");
        for (const QString& e : TTestDatabase::Engines()) {
            QTest::addRow("%s deduct from null", qPrintable(e)) << e << QVariant() << -3.5 << -3.5;
            QTest::addRow("%s top up", qPrintable(e)) << e << QVariant(10.25) << 100.0 << 110.25;
            QTest::addRow("%s below zero", qPrintable(e)) << e << QVariant(1.0) << -1.5 << -0.5;
        }
    }
    void addDeposit()
    {
        QFETCH(QString, engine);
        QFETCH(QVariant, start);
        QFETCH(double, amount);
        QFETCH(double, balance);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        TReaderRow row;
        row.Deposit = start;
        AddReader(row);

        double got = 0;
        QVERIFY(TReaderSet::AddDeposit(1, amount, got));
        QCOMPARE(got, balance);
        QCOMPARE(ReaderValue(1, u"Deposit"_s).toDouble(), balance);
    }

    void addDepositJoinsTheCallersTransaction_data() { ReaderFixture::EngineRows(); }
    void addDepositJoinsTheCallersTransaction()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        TReaderRow row;
        row.Deposit = 20.0;
        AddReader(row);
        double balance = 0;
        {
            TTransaction transaction;
            QVERIFY(TReaderSet::AddDeposit(1, -5, balance));
            QCOMPARE(balance, 15.0);
        } // rolled back
        QCOMPARE(ReaderValue(1, u"Deposit"_s).toDouble(), 20.0);

        // no such reader: nothing written, the balance is the amount on nothing
        QVERIFY(!TReaderSet::AddDeposit(9, 5, balance));
        QCOMPARE(balance, 5.0);
    }

    void counters_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("op");
        QTest::addColumn<QList<int>>("after"); // Loaning, Loanall, Loanover from 1, 4, 0
        for (const QString& e : TTestDatabase::Engines()) {
            QTest::addRow("%s lend", qPrintable(e)) << e << u"inc"_s << QList<int>{2, 5, 0};
            QTest::addRow("%s return in time", qPrintable(e)) << e << u"dec"_s << QList<int>{0, 4, 0};
            QTest::addRow("%s return overdue", qPrintable(e)) << e << u"dec overdue"_s << QList<int>{0, 4, 1};
            QTest::addRow("%s write off", qPrintable(e)) << e << u"off"_s << QList<int>{0, 4, 1};
            QTest::addRow("%s undo write off", qPrintable(e)) << e << u"undo off"_s << QList<int>{2, 4, -1};
        }
    }
    void counters()
    {
        QFETCH(QString, engine);
        QFETCH(QString, op);
        QFETCH(QList<int>, after);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        TReaderRow row;
        row.Loaning = 1;
        row.Loanall = 4;
        AddReader(row);

        auto run = [&](int id) {
            if (op == u"inc"_s)
                return TReaderSet::IncLoan(id);
            if (op == u"dec"_s)
                return TReaderSet::DecLoan(id, false);
            if (op == u"dec overdue"_s)
                return TReaderSet::DecLoan(id, true);
            return TReaderSet::SetOff(id, op == u"off"_s);
        };
        QVERIFY(run(1));
        QCOMPARE((QList<int>{ReaderValue(1, u"Loaning"_s).toInt(), ReaderValue(1, u"Loanall"_s).toInt(),
                             ReaderValue(1, u"Loanover"_s).toInt()}),
                 after);
        QVERIFY(!run(2));
    }

    void saveNewReader_data() { ReaderFixture::EngineRows(); }
    void saveNewReader()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        AddReader(ReaderFixture::WithId(5));

        RReader fresh = RReader::New();
        QCOMPARE(fresh.Id, 0);
        QVERIFY(!fresh.KindId);
        QVERIFY(qAbs(fresh.Adddate.secsTo(QDateTime::currentDateTime())) < 60);
        fresh.Name = u"新读者"_s;
        fresh.Code = u"R001"_s; // the same code as reader 5: allowed
        fresh.Adddate = QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9));
        // whatever the record says, a new reader starts normal, with nothing lent
        fresh.Loaning = 3;
        fresh.Deposit = 99;
        QVERIFY(TReaderSet::Save(fresh));
        QCOMPARE(fresh.Id, 6);
        QCOMPARE(ReaderValue(6, u"StateId"_s).toInt(), 1);
        QCOMPARE(ReaderValue(6, u"Loaning"_s).toInt() + ReaderValue(6, u"Loanall"_s).toInt() +
                     ReaderValue(6, u"Loanover"_s).toInt(),
                 0);
        QCOMPARE(ReaderValue(6, u"Deposit"_s).toDouble(), 0.0); // the column's default
        QVERIFY(ReaderValue(6, u"KindId"_s).isNull());

        TReaderSet set;
        set.Where().SetCondition(u"Code"_s, u"r001"_s);
        QCOMPARE(searchIds(set), (QList<int>{5, 6}));
        set.DataSet()->Locate(u"Id"_s, 6);
        const RReader read = set.AsData();
        QCOMPARE(read.Adddate, QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)));
        QCOMPARE(read.StateName, u"正常"_s);
    }

    void saveExistingKeepsStateCountersDeposit_data() { ReaderFixture::EngineRows(); }
    void saveExistingKeepsStateCountersDeposit()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        ReaderFixture::AddKind(1, u"教师"_s);
        TReaderRow row;
        row.StateId = 2;
        row.Deposit = 12.5;
        row.Loaning = 2;
        row.Loanall = 9;
        row.Loanover = 3;
        AddReader(row);

        TReaderSet set;
        set.Search();
        RReader reader = set.AsData();
        QCOMPARE(reader.Loaning, 2);
        reader.Name = u"李四"_s;
        reader.KindId = 1;
        reader.Adddate = QDateTime();
        // the record's own copies of these are ignored
        reader.Loaning = 0;
        reader.Loanall = 0;
        reader.Loanover = 0;
        reader.Deposit = 0;
        QVERIFY(TReaderSet::Save(reader));
        QCOMPARE(reader.Id, 1);

        QCOMPARE(ReaderValue(1, u"Name"_s).toString(), u"李四"_s);
        QCOMPARE(ReaderValue(1, u"KindId"_s).toInt(), 1);
        QVERIFY(ReaderValue(1, u"Adddate"_s).isNull());
        QCOMPARE(ReaderValue(1, u"StateId"_s).toInt(), 2);
        QCOMPARE(ReaderValue(1, u"Loaning"_s).toInt(), 2);
        QCOMPARE(ReaderValue(1, u"Loanall"_s).toInt(), 9);
        QCOMPARE(ReaderValue(1, u"Loanover"_s).toInt(), 3);
        QCOMPARE(ReaderValue(1, u"Deposit"_s).toDouble(), 12.5);

        // a reader deleted meanwhile is not saved
        reader.Id = 77;
        QVERIFY(!TReaderSet::Save(reader));
    }

    void deleteReader_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<bool>("withPhoto");
        for (const QString& e : TTestDatabase::Engines()) {
            QTest::addRow("%s without photo", qPrintable(e)) << e << false;
            QTest::addRow("%s with photo", qPrintable(e)) << e << true;
        }
    }
    void deleteReader()
    {
        QFETCH(QString, engine);
        QFETCH(bool, withPhoto);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        AddReader(ReaderFixture::WithId(1));
        AddReader(ReaderFixture::WithId(2));
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(TReadersPhotoSet::SavePhoto(2, RReaderPhoto::FromBitmap(image)));
        if (withPhoto)
            QVERIFY(TReadersPhotoSet::SavePhoto(1, RReaderPhoto::FromBitmap(image)));

        QVERIFY(TReaderSet::Delete(1));
        QVERIFY(ReaderValue(1, u"Id"_s).isNull());
        QCOMPARE(ReaderFixture::Count(u"select count(*) from readersphoto where ReaderId=1"_s), 0);
        // the other reader and its photo stay
        QCOMPARE(ReaderFixture::Count(u"select count(*) from readersphoto where ReaderId=2"_s), 1);
        QVERIFY(!TReaderSet::Delete(1));
    }

    void fieldsAndJoins_data() { ReaderFixture::EngineRows(); }
    void fieldsAndJoins()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        ReaderFixture::AddKind(1, u"教师"_s, 8);
        TReaderRow row;
        row.KindId = 1;
        row.StateId = 3;
        row.Deposit = 7.5;
        row.Loaning = 2;
        AddReader(row);

        TReaderSet set;
        QCOMPARE(set.IdCodeFld().Name, u"IDCode"_s);
        QCOMPARE(set.IdCodeFld().DisplayLabel, u"身份证号"_s);
        QCOMPARE(set.StateNameFld().Size, 10);
        QVERIFY(!set.KindIdFld().Visible);
        QVERIFY(!set.LoaningFld().Visible);
        QCOMPARE(set.DepositFld().DisplayLabel, u"剩余押金"_s);
        QStringList visible;
        for (const TField& f : set.DataSet()->Fields())
            if (f.Visible)
                visible.append(f.DisplayLabel);
        QCOMPARE(visible, (QStringList{u"读者编号"_s, u"姓名"_s, u"姓名首拼"_s, u"性别"_s, u"读者类别"_s, u"联系电话"_s,
                                       u"部门"_s, u"登记日期"_s, u"联系地址"_s, u"身份证号"_s, u"备注"_s, u"状态"_s,
                                       u"剩余押金"_s}));

        set.Search();
        RReader reader = set.AsData();
        QCOMPARE(reader.KindName, u"教师"_s);
        QCOMPARE(reader.BookTop, 8);
        QCOMPARE(reader.BookDays, 30);
        QCOMPARE(reader.JourRelet, 5);
        QCOMPARE(reader.StateName, u"停用"_s);
        QCOMPARE(reader.Deposit, 7.5);
        QCOMPARE(reader.Loaning, 2);

        // a saved record shown in the open rows: its own row, or a new one
        reader.Name = u"改名"_s;
        set.PostData(reader);
        QCOMPARE(set.DataSet()->RecordCount(), 1);
        QCOMPARE(set.AsData().Name, u"改名"_s);
        RReader other = RReader::New();
        other.Id = 2;
        other.Name = u"新人"_s;
        set.PostData(other);
        QCOMPARE(set.DataSet()->RecordCount(), 2);
        QCOMPARE(set.AsData().Id, 2);
        QVERIFY(!set.AsData().KindId);
    }

    void search_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QList<int>>("expected");
        for (const QString& e : TTestDatabase::Engines()) {
            auto row = [&](const char* name, const QString& field, const QVariant& value, const QList<int>& ids) {
                QTest::addRow("%s %s", qPrintable(e), name) << e << field << value << ids;
            };
            row("nothing set", u"Code"_s, QString(), {1, 2, 3, 4});
            row("id", u"Id"_s, 3, {3});
            row("kind", u"KindId"_s, 2, {2, 3});
            row("code exact, any case", u"Code"_s, u"s001"_s, {2});
            row("code is not a pattern", u"Code"_s, u"S00"_s, {});
            row("name part", u"Name"_s, u"小明"_s, {4});
            row("name with quote", u"Name"_s, u"O'Ne"_s, {2});
            row("underscore is literal", u"Name"_s, u"李_"_s, {3});
            row("percent is literal", u"Address"_s, u"100%"_s, {2});
            row("escape character is literal", u"Address"_s, u"!"_s, {});
            row("injection is text", u"Code"_s, u"x' or '1'='1"_s, {});
            row("ping exact", u"Ping"_s, u"p2"_s, {2});
            row("tel part", u"Tel"_s, u"021"_s, {2, 3});
            row("dept exact", u"Dept"_s, u"一班"_s, {2, 3});
            row("state", u"StateId"_s, 1, {1, 4});
            row("deposit from", u"Deposit1"_s, 10.5, {1, 2});
            row("deposit to", u"Deposit2"_s, 0.0, {3, 4});
            row("loaning from", u"Loaning1"_s, 3, {3, 4});
            row("loaning to", u"Loaning2"_s, 1, {1});
            row("added from the whole day", u"Adddate1"_s, QDateTime(QDate(2024, 3, 1), QTime(12, 0)), {1, 2, 3});
            row("added to the whole day", u"Adddate2"_s, QDateTime(QDate(2024, 3, 1), QTime(0, 0)), {1, 2});
            row("keyword kind name", u"Keyword"_s, u"学生"_s, {2, 3});
            row("keyword address", u"Keyword"_s, u"北京路"_s, {1, 4});
            row("keyword quote", u"Keyword"_s, u"o'neil"_s, {2});
            row("keyword underscore", u"Keyword"_s, u"_"_s, {3});
            row("keyword percent", u"Keyword"_s, u"%"_s, {2});
            // a quote and the wildcards typed into any text field are only text
            for (const char* field : {"Code", "Name", "Ping", "Tel", "Address", "Sex", "Dept", "IdCode", "Keyword"}) {
                const QByteArray name = QByteArray("quote in ") + field;
                row(name.constData(), QString::fromLatin1(field), u"x'%_"_s, {});
            }
        }
    }
    void search()
    {
        QFETCH(QString, engine);
        QFETCH(QString, field);
        QFETCH(QVariant, value);
        QFETCH(QList<int>, expected);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        addSearchReaders();
        TReaderSet set;
        set.Where().SetCondition(field, value);
        QCOMPARE(searchIds(set), expected);
        QVERIFY(!set.SqlText().contains(u"order by"_s));
    }

    void searchOrderAndBinding()
    {
        TReaderWhere where;
        where.SetCondition(u"Keyword"_s, u"a"_s);
        where.SetCondition(u"Code"_s, u"x'y"_s);
        where.SetCondition(u"Id"_s, 1);
        where.SetCondition(u"Adddate2"_s, QDate(2024, 3, 1));
        const TSearchText text = where.Build();
        QVERIFY(text.Where.startsWith(u" where r.Id=:w_1 and r.Code=:w_2 and r.Adddate<:w_3 and (r.Code like :w_4"_s));
        QVERIFY(text.Where.endsWith(u" or k.Name like :w_4 escape '!')"_s));
        QVERIFY(!text.Where.contains(u"x'y"_s));
        QCOMPARE(text.Params.size(), 4);
        QCOMPARE(text.Params.at(3).Value.toString(), u"%a%"_s);
        QCOMPARE(TReaderWhere::ContainsPattern(u"5%_!"_s), u"%5!%!_!!%"_s);
    }

    void statesAndCombinedSearch_data() { ReaderFixture::EngineRows(); }
    void statesAndCombinedSearch()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        const QList<RReaderstate> states = TReaderstateSet::LoadAll();
        QCOMPARE(states.size(), 3);
        QCOMPARE(states.at(1).Id, 2);
        QCOMPARE(states.at(1).Name, u"挂失"_s);

        addSearchReaders();
        TReaderSet set;
        set.Where().SetCondition(u"KindId"_s, 2);
        set.Where().SetCondition(u"Keyword"_s, u"大道"_s);
        set.Where().SetCondition(u"StateId"_s, 3);
        QCOMPARE(searchIds(set), QList<int>{3});
        set.Where().Clear();
        QCOMPARE(searchIds(set).size(), 4);
    }

    void debts_data() { ReaderFixture::EngineRows(); }
    void debts()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        AddReader(ReaderFixture::WithId(1));
        AddReader(ReaderFixture::WithId(2));
        QCOMPARE(TReaderSet::DeleteQuestion(1), QString());

        addLoan(1, 1, true, false);  // open book
        addLoan(2, 1, true, false);  // open book
        addLoan(3, 1, true, true);   // returned
        addLoan(4, 1, false, false); // open journal
        addLoan(5, 1, true, false);  // written off below
        addLoan(6, 2, true, false);  // someone else's
        Database().Execute(u"insert into writeoffs(Id, LoanId, BookId) values(1, 5, 5)"_s);
        addFine(1, 3, QVariant(), 1.5, false);   // overdue fine, unpaid
        addFine(2, 3, QVariant(), 9, true);      // paid
        addFine(3, QVariant(), 1, 20.25, false); // compensation for the written-off loan
        addFine(4, 6, QVariant(), 4, false);     // someone else's

        const RReaderDebts debts = TReaderSet::Debts(1);
        QCOMPARE(debts.OpenBooks, 2);
        QCOMPARE(debts.OpenJournals, 1);
        QCOMPARE(debts.UnpaidFines, 21.75);
        QCOMPARE(TReaderSet::DeleteQuestion(1), u"\r\n该读者尚有 3 本未还, 未付罚款 21.75 元, 确定要删除吗?\t"_s);

        // no reader: nothing owed
        const RReaderDebts none = TReaderSet::Debts(0);
        QCOMPARE(none.OpenLoans(), 0);
        QCOMPARE(none.UnpaidFines, 0.0);
    }
};

QTEST_GUILESS_MAIN(tst_ReaderSet)
#include "tst_readerset.moc"
