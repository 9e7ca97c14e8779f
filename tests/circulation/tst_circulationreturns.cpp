#include "CirculationFixture.h"
#include "CirculationInvariants.h"

#include <QtTest>

using namespace CirculationFixture;

namespace {
const QString kReturnFailed = u"\r\n数据更新失败, 可能没有找到该借阅记录, 请确认后重试"_s;

double deposit(int readerId)
{
    return Value(u"select Deposit from readers where Id=:Id"_s, {MakeParam(u"Id"_s, readerId)}).toDouble();
}
} // namespace

// Taking back: overdue days against the due date the reader was given, the fine paid three ways,
// and a return that can only happen once.
class tst_circulationreturns : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Clock::SetFixed({}); }

    // Overdue days are the whole days by which the return passes the due date; a renewal moves
    // the due date, so a renewed loan is measured from it.
    void overdueDays_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<bool>("journal");
        QTest::addColumn<int>("loanDay");
        QTest::addColumn<int>("renewDay"); // -1: never renewed
        QTest::addColumn<QDateTime>("returned");
        QTest::addColumn<int>("days");
        QTest::addColumn<double>("fund");
        for (const QString& engine : TTestDatabase::Engines()) {
            auto row = [&](const char* name, bool journal, int loanDay, int renewDay, const QDateTime& returned,
                           int days, double fund) {
                QTest::addRow("%s/%s", qPrintable(engine), name)
                    << engine << journal << loanDay << renewDay << returned << days << fund;
            };
            row("due day, late evening", false, 0, -1, At(15, 23), 0, 0.0);
            row("day after due, just past midnight", false, 0, -1, At(16, 0).addSecs(1800), 1, 0.5);
            row("day after due", false, 0, -1, At(16), 1, 0.5);
            row("ten days late", false, 0, -1, At(25), 10, 5.0);
            row("renewed on r, back on r+16", false, 0, 20, At(36), 1, 0.5);
            row("renewed while overdue, back that day", false, 0, 30, At(30), 0, 0.0);
            row("loan dated in the future", false, 5, -1, At(0), 0, 0.0);
            row("journal three days late", true, 0, -1, At(13), 3, 2.4);
        }
    }
    void overdueDays()
    {
        QFETCH(QString, engine);
        QFETCH(bool, journal);
        QFETCH(int, loanDay);
        QFETCH(int, renewDay);
        QFETCH(QDateTime, returned);
        QFETCH(int, days);
        QFETCH(double, fund);
        QVERIFY(Open(engine));
        const auto before = CirculationInvariants::Take();

        Clock::SetFixed(At(std::min(loanDay, 0)));
        if (journal) {
            TJourLoanSet loans;
            loans.AddItem(Journal(1), Reader(1), Day0.addDays(loanDay));
            RJourLoanEdits rows;
            loans.GetRows(rows);
            QString message;
            QVERIFY2(TJourLoanSet::SaveRows(rows, message), qPrintable(message));
        } else {
            QVERIFY(LendBooks({1}, 1, loanDay));
        }
        if (renewDay >= 0) {
            Clock::SetFixed(At(renewDay));
            QVERIFY(RenewBooks(1));
        }

        Clock::SetFixed(returned);
        QString message;
        if (journal) {
            TJourReturnSet list;
            for (const auto& loan : Circulation::OpenLoans(Circulation::TItemKind::Journal, 1))
                list.AddLoan(loan);
            QCOMPARE(list.DataSet()->RecordCount(), 1);
            QCOMPARE(list.DataSet()->AsString(u"JourCode"_s), u"J001"_s);
            QCOMPARE(list.DataSet()->AsString(u"BookISSN"_s), u"1000-1"_s);
            QCOMPARE(list.DataSet()->AsInteger(u"Overdays"_s), days);
            QCOMPARE(list.DataSet()->AsFloat(u"Overfund"_s), fund);
            RJourReturns rows;
            list.GetRows(rows);
            TJourReturnSet::SetPayment(rows, PayCash, QString());
            QVERIFY2(TJourReturnSet::SaveRows(rows, message), qPrintable(message));
        } else {
            TBookReturnSet list;
            ListReturns(list, 1);
            QCOMPARE(list.DataSet()->RecordCount(), 1);
            QCOMPARE(list.DataSet()->AsInteger(u"Overdays"_s), days);
            QCOMPARE(list.DataSet()->AsFloat(u"Overfund"_s), fund);
            // Not overdue: both columns stay empty on the list; money shows two decimals.
            QCOMPARE(list.DataSet()->IsNull(u"Overdays"_s), days == 0);
            QCOMPARE(list.DataSet()->CellText(0, list.DataSet()->FieldIndex(u"Overfund"_s)),
                     days == 0 ? QString() : QString::number(fund, 'f', 2));
            RBookReturns rows;
            list.GetRows(rows);
            TBookReturnSet::SetPayment(rows, PayCash, QString());
            QVERIFY2(TBookReturnSet::SaveRows(rows, message), qPrintable(message));
        }

        QCOMPARE(LoanValue(1, u"OverDays"_s).toInt(), days);
        QCOMPARE(LoanValue(1, u"Overfund"_s).toDouble(), fund);
        QCOMPARE(DateOf(LoanValue(1, u"ReturnDate"_s)), returned.date());
        QCOMPARE(LoanValue(1, u"Returnman"_s).toString(), Operator);
        QCOMPARE(Count(u"fines"_s), days > 0 ? 1 : 0);
        QCOMPARE(Value(u"select Loanover from readers where Id=1"_s).toInt(), days > 0 ? 1 : 0);
        if (days > 0)
            QCOMPARE(Value(u"select Finefund from fines where LoanId=1"_s).toDouble(), fund);
        QCOMPARE(CirculationInvariants::Broken(before), QString());
    }

    // Two books five days late, 2.50 each: what the fine rows and the deposit say per pay type.
    void payTypes_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<int>("paytype");
        QTest::addColumn<bool>("dated");
        QTest::addColumn<double>("depositAfter");
        for (const QString& engine : TTestDatabase::Engines()) {
            QTest::addRow("%s/from deposit", qPrintable(engine)) << engine << int(PayFromDeposit) << true << 5.0;
            QTest::addRow("%s/cash", qPrintable(engine)) << engine << int(PayCash) << true << 10.0;
            QTest::addRow("%s/later", qPrintable(engine)) << engine << int(PayLater) << false << 10.0;
        }
    }
    void payTypes()
    {
        QFETCH(QString, engine);
        QFETCH(int, paytype);
        QFETCH(bool, dated);
        QFETCH(double, depositAfter);
        QVERIFY(Open(engine));
        const auto before = CirculationInvariants::Take();
        QVERIFY(LendBooks({1, 2}, 1, 0));
        Clock::SetFixed(At(20));
        QString message;
        QVERIFY2(ReturnBooks(1, paytype, u"逾期五天"_s, &message), qPrintable(message));

        QSqlQuery fines = Database().Select(
            u"select LoanId, OffId, Finedate, Fineman, Finefund, Finenote, PaytypeId from fines order by LoanId"_s);
        for (int loanId : {1, 2}) {
            QVERIFY(fines.next());
            QCOMPARE(fines.value(0).toInt(), loanId);
            QVERIFY(fines.value(1).isNull());
            QCOMPARE(fines.value(2).isNull(), !dated);
            if (dated)
                QCOMPARE(DateOf(fines.value(2)), At(20).date());
            QCOMPARE(fines.value(3).toString(), dated ? Operator : QString());
            QCOMPARE(fines.value(4).toDouble(), 2.5);
            QCOMPARE(fines.value(5).toString(), dated ? u"逾期五天"_s : QString());
            QCOMPARE(fines.value(6).toInt(), paytype);
        }
        QVERIFY(!fines.next());
        QCOMPARE(deposit(1), depositAfter);
        QCOMPARE(Value(u"select Loaning from readers where Id=1"_s).toInt(), 0);
        QCOMPARE(Value(u"select Loanover from readers where Id=1"_s).toInt(), 2);
        QCOMPARE(Value(u"select QtyLib from books where Id=1"_s).toInt(), 2);
        QCOMPARE(CirculationInvariants::Broken(before), QString());
    }

    // Nothing compares the deposit with the fine.
    void depositMayGoNegative_data() { EngineRows(); }
    void depositMayGoNegative()
    {
        QFETCH(QString, engine);
        QVERIFY(Open(engine));
        TopUp(2, 1.0);
        const auto before = CirculationInvariants::Take();
        QVERIFY(LendBooks({1, 2}, 2, 0));
        Clock::SetFixed(At(18));
        QVERIFY(ReturnBooks(2, PayFromDeposit));
        QCOMPARE(deposit(2), 1.0 - 2 * 1.5);
        QCOMPARE(CirculationInvariants::Broken(before), QString());
    }

    // A loan back on time stores 0 days and 0 money, no fine row, whatever pay type is chosen.
    void onTimeReturnHasNoFine_data() { EngineRows(); }
    void onTimeReturnHasNoFine()
    {
        QFETCH(QString, engine);
        QVERIFY(Open(engine));
        const auto before = CirculationInvariants::Take();
        QVERIFY(LendBooks({3}, 1, 0));
        Clock::SetFixed(At(2));
        QVERIFY(ReturnBooks(1, 0));
        QCOMPARE(LoanValue(1, u"OverDays"_s).toInt(), 0);
        QVERIFY(!LoanValue(1, u"Overfund"_s).isNull());
        QCOMPARE(LoanValue(1, u"Overfund"_s).toDouble(), 0.0);
        QCOMPARE(Count(u"fines"_s), 0);
        QCOMPARE(deposit(1), 10.0);
        QVERIFY(Circulation::OpenLoans(Circulation::TItemKind::Book, 1).isEmpty());
        QCOMPARE(CirculationInvariants::Broken(before), QString());
    }

    // A list saved a second time (another workstation took the loans back meanwhile, or the
    // button pressed twice) finds the loans closed: nothing moves twice.
    void returnHappensOnce_data() { EngineRows(); }
    void returnHappensOnce()
    {
        QFETCH(QString, engine);
        QVERIFY(Open(engine));
        const auto before = CirculationInvariants::Take();
        QVERIFY(LendBooks({1, 2}, 1, 0));
        Clock::SetFixed(At(17));
        TBookReturnSet list;
        ListReturns(list, 1);
        RBookReturns rows;
        list.GetRows(rows);
        TBookReturnSet::SetPayment(rows, PayFromDeposit, QString());
        QString message;
        QVERIFY(TBookReturnSet::SaveRows(rows, message));
        QVERIFY(!TBookReturnSet::SaveRows(rows, message));
        QCOMPARE(message, kReturnFailed);
        QCOMPARE(Count(u"fines"_s), 2);
        QCOMPARE(deposit(1), 10.0 - 2 * 1.0);
        QCOMPARE(Value(u"select Loanover from readers where Id=1"_s).toInt(), 2);
        QCOMPARE(CirculationInvariants::Broken(before), QString());
    }

    // Five loans on the list, the third of which cannot be taken back: none is.
    void failingRowReturnsNothing_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("fault");
        for (const QString& engine : TTestDatabase::Engines()) {
            QTest::addRow("%s/third returned meanwhile", qPrintable(engine)) << engine << u"returned"_s;
            QTest::addRow("%s/third written off meanwhile", qPrintable(engine)) << engine << u"writtenoff"_s;
            QTest::addRow("%s/third book deleted", qPrintable(engine)) << engine << u"book"_s;
            QTest::addRow("%s/reader deleted", qPrintable(engine)) << engine << u"reader"_s;
        }
    }
    void failingRowReturnsNothing()
    {
        QFETCH(QString, engine);
        QFETCH(QString, fault);
        QVERIFY(Open(engine));
        QVERIFY(LendBooks({1, 2, 3, 4, 5}, 3, 0));
        Clock::SetFixed(At(20));
        TBookReturnSet list;
        ListReturns(list, 3);
        QCOMPARE(list.DataSet()->RecordCount(), 5);
        RBookReturns rows;
        list.GetRows(rows);
        TBookReturnSet::SetPayment(rows, PayCash, QString());

        if (fault == u"returned"_s) {
            Database().Execute(u"update loans set ReturnDate=:D where Id=3"_s, {MakeParam(u"D"_s, At(19))});
            Database().Execute(u"update books set QtyLoan=QtyLoan-1, QtyLib=QtyLib+1 where Id=3"_s);
            Database().Execute(u"update readers set Loaning=Loaning-1 where Id=3"_s);
        } else if (fault == u"writtenoff"_s) {
            Database().Execute(u"insert into writeoffs(Id, Offdate, BookId, LoanId) values(1, :D, 3, 3)"_s,
                               {MakeParam(u"D"_s, At(19))});
            Database().Execute(u"update books set QtyLoan=QtyLoan-1, QtyOff=QtyOff+1 where Id=3"_s);
            Database().Execute(u"update readers set Loaning=Loaning-1, Loanover=Loanover+1 where Id=3"_s);
        } else if (fault == u"book"_s) {
            Database().Execute(u"delete from books where Id=3"_s);
        } else {
            Database().Execute(u"delete from readers where Id=3"_s);
        }
        auto before = CirculationInvariants::Take();
        QString message;
        QVERIFY(!TBookReturnSet::SaveRows(rows, message));
        QCOMPARE(message, kReturnFailed);
        QCOMPARE(Value(u"select count(*) from loans where not (ReturnDate is null)"_s).toInt(),
                 fault == u"returned"_s ? 1 : 0);
        QCOMPARE(Count(u"fines"_s), 0);
        if (fault == u"book"_s || fault == u"reader"_s)
            return; // the deleted row takes its counters along; nothing else to compare with
        QCOMPARE(CirculationInvariants::Broken(before), QString());
    }

    // The return list: the loan's columns in the window's order, today as the return date.
    void returnListRows_data() { EngineRows(); }
    void returnListRows()
    {
        QFETCH(QString, engine);
        QVERIFY(Open(engine));
        const auto before = CirculationInvariants::Take();
        QVERIFY(LendBooks({2}, 1, 0));
        QVERIFY(LendBooks({4}, 2, 0)); // another reader's loan is not listed
        Clock::SetFixed(At(3));
        TBookReturnSet list;
        ListReturns(list, 1);
        const TLwDataSet* set = list.DataSet();
        QCOMPARE(set->RecordCount(), 1);
        QCOMPARE(set->AsInteger(u"Id"_s), 1);
        QCOMPARE(set->AsInteger(u"BookId"_s), 2);
        QCOMPARE(set->AsString(u"BookName"_s), u"图书2"_s);
        QCOMPARE(set->AsString(u"BookISBN"_s), u"978-2"_s);
        QCOMPARE(set->AsFloat(u"BookPrice"_s), 12.0);
        QCOMPARE(set->AsString(u"Loanman"_s), Operator);
        QCOMPARE(set->Value(u"ShldReturnDate"_s).toDateTime().date(), Day0.addDays(15));
        QCOMPARE(set->Value(u"ReturnDate"_s).toDateTime(), At(3).date().startOfDay());
        RBookReturns rows;
        list.GetRows(rows);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].Returnman, Operator);
        QCOMPARE(rows[0].OverDays, 0);
        QCOMPARE(rows[0].Overfund, 0.0);
        QCOMPARE(CirculationInvariants::Broken(before), QString());
    }
};

QTEST_GUILESS_MAIN(tst_circulationreturns)
#include "tst_circulationreturns.moc"
