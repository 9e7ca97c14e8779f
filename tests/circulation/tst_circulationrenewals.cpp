#include "CirculationFixture.h"
#include "CirculationInvariants.h"
#include "circulation/JourRenewSet.h"

#include <QtTest>

using namespace CirculationFixture;

// Renewing: a new due date counted from the renewal date, only the latest renewal kept, and only
// loans still open renewed.
class tst_circulationrenewals : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Clock::SetFixed({}); }

    void renewsFromTheRenewalDate_data() { EngineRows(); }
    void renewsFromTheRenewalDate()
    {
        QFETCH(QString, engine);
        QVERIFY(Open(engine));
        const auto before = CirculationInvariants::Take();
        QVERIFY(LendBooks({1, 2}, 1, 0));
        QVERIFY(LendJournals({1}, 1, 0));

        // Overdue by then: renewed all the same, due BookRelet days after the renewal.
        Clock::SetFixed(At(20));
        QString message;
        QVERIFY2(RenewBooks(1, &message), qPrintable(message));
        for (int id : {1, 2}) {
            QCOMPARE(DateOf(LoanValue(id, u"RenewDate"_s)), At(20).date());
            QCOMPARE(LoanValue(id, u"Renewman"_s).toString(), Operator);
            QCOMPARE(DateOf(LoanValue(id, u"ShldretDate"_s)), At(35).date());
            QCOMPARE(DateOf(LoanValue(id, u"LoanDate"_s)), Day0);
            QVERIFY(LoanValue(id, u"ReturnDate"_s).isNull());
        }
        QVERIFY(LoanValue(3, u"RenewDate"_s).isNull()); // the journal is its own list

        // Renewed again by someone else: only the latest renewal is kept.
        Clock::SetFixed(At(25));
        CurrentOperator().LoginId = u"op2"_s;
        QVERIFY(RenewBooks(1));
        QCOMPARE(DateOf(LoanValue(1, u"RenewDate"_s)), At(25).date());
        QCOMPARE(LoanValue(1, u"Renewman"_s).toString(), u"op2"_s);
        QCOMPARE(DateOf(LoanValue(1, u"ShldretDate"_s)), At(40).date());

        // Journals: JourRelet days.
        TJourRenewSet journals;
        for (const auto& loan : Circulation::OpenLoans(Circulation::TItemKind::Journal, 1))
            journals.AddLoan(loan);
        QCOMPARE(journals.DataSet()->AsString(u"JourCode"_s), u"J001"_s);
        RJourRenews rows;
        journals.GetRows(rows);
        TJourRenewSet::Redate(rows, Clock::Today(), Reader(1));
        QVERIFY(TJourRenewSet::SaveRows(rows, message));
        QCOMPARE(DateOf(LoanValue(3, u"ShldretDate"_s)), At(30).date());
        QCOMPARE(LoanValue(3, u"Renewman"_s).toString(), u"op2"_s);

        // Counters are not a renewal's business.
        QCOMPARE(Value(u"select TimesLoan from books where Id=1"_s).toInt(), 1);
        QCOMPARE(Value(u"select Loanall from readers where Id=1"_s).toInt(), 3);
        QCOMPARE(CirculationInvariants::Broken(before), QString());
    }

    void emptyListWritesNothing_data() { EngineRows(); }
    void emptyListWritesNothing()
    {
        QFETCH(QString, engine);
        QVERIFY(Open(engine));
        const auto before = CirculationInvariants::Take();
        QString message;
        QVERIFY(TBookRenewSet::SaveRows({}, message));
        QVERIFY(TJourRenewSet::SaveRows({}, message));
        QCOMPARE(CirculationInvariants::Broken(before), QString());
    }

    // A loan taken back or written off after the list was made is not renewed, and neither is
    // anything else on that list.
    void closedLoanIsNotRenewed_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<bool>("writtenOff");
        for (const QString& engine : TTestDatabase::Engines()) {
            QTest::addRow("%s/returned meanwhile", qPrintable(engine)) << engine << false;
            QTest::addRow("%s/written off meanwhile", qPrintable(engine)) << engine << true;
        }
    }
    void closedLoanIsNotRenewed()
    {
        QFETCH(QString, engine);
        QFETCH(bool, writtenOff);
        QVERIFY(Open(engine));
        const auto before = CirculationInvariants::Take();
        QVERIFY(LendBooks({1, 2, 3}, 1, 0));
        Clock::SetFixed(At(10));
        TBookRenewSet list;
        for (const auto& loan : Circulation::OpenLoans(Circulation::TItemKind::Book, 1))
            list.AddLoan(loan);
        RBookRenews rows;
        list.GetRows(rows);
        TBookRenewSet::Redate(rows, Clock::Today(), Reader(1));

        if (writtenOff) {
            Database().Execute(u"insert into writeoffs(Id, Offdate, BookId, LoanId) values(1, :D, 3, 3)"_s,
                               {MakeParam(u"D"_s, At(10))});
            Database().Execute(u"update books set QtyLoan=QtyLoan-1, QtyOff=QtyOff+1 where Id=3"_s);
            Database().Execute(u"update readers set Loaning=Loaning-1, Loanover=Loanover+1 where Id=1"_s);
        } else {
            QVERIFY(ReturnBooks(1, PayCash));
        }
        QString message;
        QVERIFY(!TBookRenewSet::SaveRows(rows, message));
        QCOMPARE(message, u"\r\n续借失败, 该借阅记录已归还或已注销, 请刷新后重试\t"_s);
        QCOMPARE(Value(u"select count(*) from loans where not (RenewDate is null)"_s).toInt(), 0);
        QCOMPARE(CirculationInvariants::Broken(before), QString());
    }

    // The renewal list: the loan as it stands, today as the renewal date.
    void renewListRows_data() { EngineRows(); }
    void renewListRows()
    {
        QFETCH(QString, engine);
        QVERIFY(Open(engine));
        const auto before = CirculationInvariants::Take();
        QVERIFY(LendBooks({5}, 2, 0));
        Clock::SetFixed(At(4));
        TBookRenewSet list;
        for (const auto& loan : Circulation::OpenLoans(Circulation::TItemKind::Book, 2))
            list.AddLoan(loan);
        const TLwDataSet* set = list.DataSet();
        QStringList names;
        for (int i = 0; i < set->FieldCount(); ++i)
            names << set->Field(i).Name;
        QCOMPARE(names, (QStringList{u"Id"_s, u"LoanDate"_s, u"Loanman"_s, u"BookId"_s, u"BookName"_s, u"BookISBN"_s,
                                     u"BookAuthor"_s, u"BookPrice"_s, u"BookAppendix"_s, u"BookPublisher"_s,
                                     u"RenewDate"_s, u"ShldReturnDate"_s, u"Overdays"_s}));
        QCOMPARE(set->RecordCount(), 1);
        QCOMPARE(set->AsString(u"BookName"_s), u"图书5"_s);
        QCOMPARE(set->Value(u"RenewDate"_s).toDateTime().date(), At(4).date());
        QCOMPARE(set->Value(u"ShldReturnDate"_s).toDateTime().date(), Day0.addDays(15));
        QCOMPARE(set->AsInteger(u"Overdays"_s), 0);
        QCOMPARE(CirculationInvariants::Broken(before), QString());
    }
};

QTEST_GUILESS_MAIN(tst_circulationrenewals)
#include "tst_circulationrenewals.moc"
