#include "CirculationFixture.h"
#include "CirculationInvariants.h"
#include "data/DbError.h"
#include "data/Transaction.h"

#include <QtTest>
#include <functional>
#include <latch>
#include <mutex>
#include <thread>

using namespace CirculationFixture;

namespace {

// Runs each step on a workstation of its own (a thread with its own connection to the test
// database), all released at the same moment; returns what each step returned.
QList<bool> atTheSameMoment(const QList<std::function<bool()>>& steps)
{
    const QString connection = TTestDatabase::LastConnectionString();
    QList<bool> results(steps.size(), false);
    std::latch ready(steps.size());
    std::mutex connecting; // opening connections is not meant to race
    std::vector<std::thread> workstations;
    for (qsizetype i = 0; i < steps.size(); ++i) {
        workstations.emplace_back([&, i] {
            TDatabase database;
            {
                std::lock_guard lock(connecting);
                if (!database.TryConnect(connection)) {
                    ready.count_down();
                    return;
                }
            }
            SetThreadDatabase(&database);
            ready.arrive_and_wait();
            try {
                results[i] = steps[i]();
            } catch (const EDatabaseError& error) {
                qWarning("workstation %d: %s", int(i), qPrintable(error.Message()));
            }
            SetThreadDatabase(nullptr);
            std::lock_guard lock(connecting);
            database.Release();
        });
    }
    for (std::thread& workstation : workstations)
        workstation.join();
    return results;
}

} // namespace

// Two workstations on one database at the same moment: nothing is lost, nothing happens twice,
// and the counters say what the loan rows say. Also a server that goes away in the middle.
class tst_circulationconcurrency : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Clock::SetFixed({}); }

    // Both lend the last copy: nothing refuses a loan, so both loans stand, with ids of their own.
    void lendingTheLastCopy_data() { EngineRows(); }
    void lendingTheLastCopy()
    {
        QFETCH(QString, engine);
        QVERIFY(Open(engine));
        Database().Execute(u"update books set QtyLib=1 where Id=1"_s);
        const auto before = CirculationInvariants::Take();
        const QList<bool> saved = atTheSameMoment({[] {
                                                       return LendBooks({1, 2}, 1, 0);
                                                   },
                                                   [] {
                                                       return LendBooks({1, 3}, 2, 0);
                                                   }});
        QCOMPARE(saved, (QList<bool>{true, true}));
        QCOMPARE(Value(u"select count(distinct Id) from loans"_s).toInt(), 4);
        QCOMPARE(Value(u"select max(Id) from loans"_s).toInt(), 4);
        QCOMPARE(Value(u"select QtyLoan from books where Id=1"_s).toInt(), 2);
        QCOMPARE(Value(u"select QtyLib from books where Id=1"_s).toInt(), -1);
        QCOMPARE(CirculationInvariants::Broken(before), QString());
    }

    // Both take back the same two overdue loans from one list: one save closes them, the other
    // finds them closed and writes nothing.
    void returningTheSameLoans_data() { EngineRows(); }
    void returningTheSameLoans()
    {
        QFETCH(QString, engine);
        QVERIFY(Open(engine));
        const auto before = CirculationInvariants::Take();
        QVERIFY(LendBooks({1, 2}, 1, 0));
        Clock::SetFixed(At(19));
        TBookReturnSet list;
        ListReturns(list, 1);
        RBookReturns rows;
        list.GetRows(rows);
        TBookReturnSet::SetPayment(rows, PayFromDeposit, QString());
        QString messages[2];
        auto save = [&rows, &messages](int n) {
            return [&rows, &messages, n] { return TBookReturnSet::SaveRows(rows, messages[n]); };
        };
        const QList<bool> saved = atTheSameMoment({save(0), save(1)});
        QCOMPARE(saved.count(true), 1);
        QCOMPARE(messages[saved[0] ? 1 : 0], u"\r\n数据更新失败, 可能没有找到该借阅记录, 请确认后重试"_s);
        QCOMPARE(Count(u"fines"_s), 2);
        QCOMPARE(Value(u"select Deposit from readers where Id=1"_s).toDouble(), 10.0 - 2 * 2.0);
        QCOMPARE(Value(u"select Loanover from readers where Id=1"_s).toInt(), 2);
        QCOMPARE(Value(u"select QtyLib from books where Id=1"_s).toInt(), 2);
        QCOMPARE(CirculationInvariants::Broken(before), QString());
    }

    // One workstation lends the reader a book while another takes back the reader's loans of the
    // same title and another: both saves go through, one after the other.
    void lendingAndReturningForOneReader_data() { EngineRows(); }
    void lendingAndReturningForOneReader()
    {
        QFETCH(QString, engine);
        QVERIFY(Open(engine));
        const auto before = CirculationInvariants::Take();
        QVERIFY(LendBooks({3, 1}, 1, 0));
        Clock::SetFixed(At(16));
        TBookReturnSet list;
        ListReturns(list, 1);
        RBookReturns rows;
        list.GetRows(rows);
        TBookReturnSet::SetPayment(rows, PayFromDeposit, QString());
        QString message;
        const QList<bool> saved =
            atTheSameMoment({[&rows, &message] { return TBookReturnSet::SaveRows(rows, message); },
                             [] {
                                 return LendBooks({1, 3}, 1, 16);
                             }});
        QCOMPARE(saved, (QList<bool>{true, true}));
        QCOMPARE(Value(u"select Loaning from readers where Id=1"_s).toInt(), 2);
        QCOMPARE(Value(u"select Deposit from readers where Id=1"_s).toDouble(), 10.0 - 2 * 0.5);
        QCOMPARE(CirculationInvariants::Broken(before), QString());
    }

    // Two fines left for later, paid from the same deposit on two workstations at once: both
    // amounts come off.
    void payingTwoFinesFromOneDeposit_data() { EngineRows(); }
    void payingTwoFinesFromOneDeposit()
    {
        QFETCH(QString, engine);
        QVERIFY(Open(engine));
        const auto before = CirculationInvariants::Take();
        QVERIFY(LendBooks({1, 2}, 1, 0));
        Clock::SetFixed(At(21));
        QVERIFY(ReturnBooks(1, PayLater));
        QCOMPARE(Count(u"fines"_s), 2);
        auto pay = [](int loanId) {
            return [loanId] {
                RFine fine;
                fine.Id = Value(u"select Id from fines where LoanId=:Id"_s, {MakeParam(u"Id"_s, loanId)}).toInt();
                fine.LoanId = loanId;
                fine.ReaderId = 1;
                fine.Finefund = 3.0;
                fine.Finedate = At(22);
                fine.Fineman = Operator;
                fine.PaytypeId = PayFromDeposit;
                TTransaction transaction;
                QString message;
                if (!TFineQuery::SaveFine(fine, message))
                    return false;
                transaction.Commit();
                return true;
            };
        };
        QCOMPARE(atTheSameMoment({pay(1), pay(2)}), (QList<bool>{true, true}));
        QCOMPARE(Value(u"select Deposit from readers where Id=1"_s).toDouble(), 10.0 - 2 * 3.0);
        QCOMPARE(Value(u"select count(*) from fines where PaytypeId=2 and not (Finedate is null)"_s).toInt(), 2);
        QCOMPARE(CirculationInvariants::Broken(before), QString());
    }

    // The server drops the connection while the loan window is open: the save fails with the
    // driver's message and writes nothing; the next save opens a new connection and works.
    void serverLostMidSave()
    {
        if (!TTestDatabase::Engines().contains(TTestDatabase::PostgreSQL))
            QSKIP("needs the PostgreSQL test server (QUORIN_TEST_PG)");
        QVERIFY(Open(TTestDatabase::PostgreSQL));
        const auto before = CirculationInvariants::Take();
        TBookLoanSet list;
        list.AddItem(Book(1), Reader(1), Day0);
        list.AddItem(Book(2), Reader(1), Day0);
        RBookLoanXs rows;
        list.GetRows(rows);

        const int pid = Value(u"select pg_backend_pid()"_s).toInt();
        {
            TDatabase administrator;
            QVERIFY(administrator.TryConnect(TTestDatabase::LastConnectionString()));
            QSqlQuery ended = administrator.Select(u"select pg_terminate_backend(:Pid)"_s, {MakeParam(u"Pid"_s, pid)});
            QVERIFY(ended.next() && ended.value(0).toBool());
        }
        QString message;
        QVERIFY(!TBookLoanSet::SaveRows(rows, message));
        QVERIFY2(!message.isEmpty() && !message.startsWith(u"\r\n "_s), qPrintable(message));
        QCOMPARE(list.DataSet()->RecordCount(), 2);

        QVERIFY2(TBookLoanSet::SaveRows(rows, message), qPrintable(message));
        QVERIFY(Value(u"select pg_backend_pid()"_s).toInt() != pid);
        QCOMPARE(Count(u"loans"_s), 2);
        QCOMPARE(CirculationInvariants::Broken(before), QString());
    }
};

QTEST_GUILESS_MAIN(tst_circulationconcurrency)
#include "tst_circulationconcurrency.moc"
