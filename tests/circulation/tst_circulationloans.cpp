#include "CirculationFixture.h"
#include "CirculationInvariants.h"

#include <QtTest>

using namespace CirculationFixture;

// Lending: the loan rows, the counters they move, and a list that fails anywhere writing nothing.
class tst_circulationloans : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Clock::SetFixed({}); }

    void lendsBooksAndJournals_data() { EngineRows(); }
    void lendsBooksAndJournals()
    {
        QFETCH(QString, engine);
        QVERIFY(Open(engine));
        // An old loan already returned: new ids follow the highest one.
        Database().Execute(u"insert into loans(Id, LoanDate, ReaderId, BookId, ShldretDate, ReturnDate) "
                           u"values(40, :D, 2, 5, :D, :D)"_s,
                           {MakeParam(u"D"_s, At(-60))});
        const auto before = CirculationInvariants::Take();

        // The loan-date box set three days back: both dates follow it.
        QString message;
        QVERIFY2(LendBooks({1, 2}, 1, -3, &message), qPrintable(message));
        QVERIFY(LendJournals({1}, 1, 0));

        QCOMPARE(Value(u"select count(*) from loans where ReturnDate is null"_s).toInt(), 3);
        for (int id : {41, 42}) {
            QCOMPARE(DateOf(LoanValue(id, u"LoanDate"_s)), Day0.addDays(-3));
            QCOMPARE(DateOf(LoanValue(id, u"ShldretDate"_s)), Day0.addDays(12));
            QCOMPARE(LoanValue(id, u"ReaderId"_s).toInt(), 1);
            QCOMPARE(LoanValue(id, u"Loanman"_s).toString(), Operator);
            QVERIFY(LoanValue(id, u"JourId"_s).isNull());
            QVERIFY(LoanValue(id, u"RenewDate"_s).isNull());
            QVERIFY(LoanValue(id, u"OverDays"_s).isNull());
        }
        QCOMPARE(LoanValue(41, u"BookId"_s).toInt(), 1);
        QCOMPARE(LoanValue(42, u"BookId"_s).toInt(), 2);
        QVERIFY(LoanValue(43, u"BookId"_s).isNull());
        QCOMPARE(LoanValue(43, u"JourId"_s).toInt(), 1);
        QCOMPARE(DateOf(LoanValue(43, u"ShldretDate"_s)), Day0.addDays(10));

        QCOMPARE(Value(u"select QtyLib from books where Id=1"_s).toInt(), 1);
        QCOMPARE(Value(u"select TimesLoan from books where Id=1"_s).toInt(), 1);
        QCOMPARE(Value(u"select QtyLib from journals where Id=1"_s).toInt(), 0);
        QCOMPARE(Value(u"select Loanall from readers where Id=1"_s).toInt(), 3);
        QCOMPARE(CirculationInvariants::Broken(before), QString());
    }

    void emptyListWritesNothing_data() { EngineRows(); }
    void emptyListWritesNothing()
    {
        QFETCH(QString, engine);
        QVERIFY(Open(engine));
        const auto before = CirculationInvariants::Take();
        QString message = u"untouched"_s;
        QVERIFY(TBookLoanSet::SaveRows({}, message));
        QVERIFY(TJourLoanSet::SaveRows({}, message));
        QCOMPARE(Count(u"loans"_s), 0);
        QCOMPARE(CirculationInvariants::Broken(before), QString());
    }

    // Nothing on the list is judged: the same title three times with two copies on the shelf
    // lends three times and leaves the shelf count below zero.
    void sameBookTwiceLendsTwice_data() { EngineRows(); }
    void sameBookTwiceLendsTwice()
    {
        QFETCH(QString, engine);
        QVERIFY(Open(engine));
        const auto before = CirculationInvariants::Take();
        QVERIFY(LendBooks({1, 1, 1}, 2, 0));
        QCOMPARE(Value(u"select count(*) from loans where BookId=1"_s).toInt(), 3);
        QCOMPARE(Value(u"select QtyLib from books where Id=1"_s).toInt(), -1);
        QCOMPARE(Value(u"select QtyLoan from books where Id=1"_s).toInt(), 3);
        QCOMPARE(CirculationInvariants::Broken(before), QString());
    }

    // A list that fails at any row writes none of its rows and says why.
    void failingRowWritesNothing_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("expected");
        for (const QString& engine : TTestDatabase::Engines()) {
            auto row = [&](const char* name, const QString& fault, const QString& expected) {
                QTest::addRow("%s/%s", qPrintable(engine), name) << engine << fault << expected;
            };
            row("third book deleted", u"book"_s, u"\r\n 图书数量更新失败!\t"_s);
            row("third reader deleted", u"reader"_s, u"\r\n 读者 3 数据更新失败!\t"_s);
            row("no reader chosen", u"noreader"_s, u"\r\n 读者 0 数据更新失败!\t"_s);
            row("third journal deleted", u"journal"_s, u"\r\n 期刊数量更新失败!\t"_s);
        }
    }
    void failingRowWritesNothing()
    {
        QFETCH(QString, engine);
        QFETCH(QString, fault);
        QFETCH(QString, expected);
        QVERIFY(Open(engine));
        AddJournal(3);
        AddJournal(4);
        AddJournal(5);
        const auto before = CirculationInvariants::Take();

        QString message;
        bool saved = true;
        if (fault == u"journal"_s) {
            TJourLoanSet list;
            for (int id = 1; id <= 5; ++id)
                list.AddItem(Journal(id), Reader(1), Day0);
            Database().Execute(u"delete from journals where Id=3"_s);
            RJourLoanEdits rows;
            list.GetRows(rows);
            saved = TJourLoanSet::SaveRows(rows, message);
        } else {
            TBookLoanSet list;
            for (int id = 1; id <= 5; ++id) {
                // the third row for reader 3, or every row for no reader (a cleared record has id 0)
                const int readerId = fault == u"noreader"_s ? 0 : id == 3 ? 3 : 1;
                list.AddItem(Book(id), readerId == 0 ? RReader() : Reader(readerId), Day0);
            }
            if (fault == u"book"_s)
                Database().Execute(u"delete from books where Id=3"_s);
            if (fault == u"reader"_s)
                Database().Execute(u"delete from readers where Id=3"_s);
            RBookLoanXs rows;
            list.GetRows(rows);
            saved = TBookLoanSet::SaveRows(rows, message);
        }
        QVERIFY(!saved);
        QCOMPARE(message, expected);
        QCOMPARE(Count(u"loans"_s), 0);
        QCOMPARE(Value(u"select sum(QtyLoan) from books"_s).toInt(), 0);
        QCOMPARE(Value(u"select sum(TimesLoan) from books"_s).toInt(), 0);
        QCOMPARE(Value(u"select sum(Loanall) from readers"_s).toInt(), 0);
        // The deleted title or reader takes its copies along; the rest must be as before.
        auto left = before;
        left.Copies.remove(u"books 3"_s);
        left.Copies.remove(u"journals 3"_s);
        QCOMPARE(CirculationInvariants::Broken(left), QString());
        // Nothing half-done stays behind: the next save works.
        QVERIFY(LendBooks({1}, 1, 0));
    }

    // The database itself refuses the third book's counters: the save hands back the database's
    // text with the statement, and the two loans before it are gone too.
    void databaseErrorWritesNothing_data() { EngineRows(); }
    void databaseErrorWritesNothing()
    {
        QFETCH(QString, engine);
        QVERIFY(Open(engine));
        if (Database().Engine() == TEngine::SQLite) {
            Database().Execute(u"create trigger refuse_book3 before update on books when new.Id=3 "
                               u"begin select raise(abort, 'book 3 refused'); end"_s);
        } else {
            Database().Execute(u"create function refuse_book3() returns trigger as $$ begin "
                               u"raise exception 'book 3 refused'; end $$ language plpgsql"_s);
            Database().Execute(u"create trigger refuse_book3 before update on books for each row "
                               u"when (new.Id=3) execute function refuse_book3()"_s);
        }
        const auto before = CirculationInvariants::Take();
        QString message;
        QVERIFY(!LendBooks({1, 2, 3, 4, 5}, 1, 0, &message));
        QVERIFY2(message.contains(u"book 3 refused"_s), qPrintable(message));
        QVERIFY(message.endsWith(u"\r\nupdate books set QtyLoan=QtyLoan+1, TimesLoan=TimesLoan+1, QtyLib=QtyLib-1 "
                                 u"where Id=:Id"_s));
        QCOMPARE(Count(u"loans"_s), 0);
        QCOMPARE(Value(u"select sum(TimesLoan) from books"_s).toInt(), 0);
        QCOMPARE(CirculationInvariants::Broken(before), QString());
        QVERIFY(LendBooks({1, 2}, 1, 0));
        QCOMPARE(CirculationInvariants::Broken(before), QString());
    }

    // The pending list keeps what the window shows and hands the save what it writes.
    void pendingListRows()
    {
        TBookLoanSet list;
        const TLwDataSet* set = list.DataSet();
        QStringList names;
        for (int i = 0; i < set->FieldCount(); ++i)
            names << set->Field(i).Name;
        QCOMPARE(names, (QStringList{u"Id"_s, u"BookId"_s, u"BookCode"_s, u"BookName"_s, u"BookISBN"_s, u"BookAuthor"_s,
                                     u"BookPrice"_s, u"BookAppendix"_s, u"BookPublisher"_s, u"ShldretDate"_s,
                                     u"ReaderId"_s, u"LoanDate"_s}));
        CurrentOperator().LoginId = Operator;
        list.AddItem(Book(1), Reader(1), Day0);
        list.AddItem(Book(2), RReader(), Day0);
        QCOMPARE(set->AsString(u"BookCode"_s), u"B002"_s);
        list.DataSet()->First();
        RBookLoanXs rows;
        list.GetRows(rows);
        QCOMPARE(list.DataSet()->RecNo(), 1); // back on the row that was current
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].BookId, 1);
        QCOMPARE(rows[0].ReaderId, 1);
        QCOMPARE(rows[0].ShldretDate.date(), Day0.addDays(15));
        QCOMPARE(rows[1].ReaderId, 0);
        QCOMPARE(rows[1].ShldretDate.date(), Day0); // no reader, no loan period
        QCOMPARE(rows[1].Loanman, Operator);
        // Another reader shown at save time: the due dates follow that reader's period, the
        // reader ids stay as added.
        RReader other = Reader(2);
        other.BookDays = 30;
        TBookLoanSet::Redate(rows, Day0.addDays(1), other);
        QCOMPARE(rows[0].LoanDate.date(), Day0.addDays(1));
        QCOMPARE(rows[0].ShldretDate.date(), Day0.addDays(31));
        QCOMPARE(rows[0].ReaderId, 1);
    }
};

QTEST_GUILESS_MAIN(tst_circulationloans)
#include "tst_circulationloans.moc"
