#include "CirculationFixture.h"
#include "CirculationInvariants.h"

#include <QtTest>

using namespace CirculationFixture;

// The fine save: a new fine gets the next id, a fine is updated in place, and a fine paid from the
// deposit takes its amount off the reader's deposit.
class tst_finequery : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Clock::SetFixed({}); }

    void storeFine_data() { EngineRows(); }
    void storeFine()
    {
        QFETCH(QString, engine);
        QVERIFY(Open(engine));
        QVERIFY(LendBooks({1, 2, 3}, 1, 0));
        const auto before = CirculationInvariants::Take();
        Database().Execute(u"insert into fines(Id, LoanId, Finefund, PaytypeId) values(7, 1, 1.0, 1)"_s);
        RFine fine;
        fine.LoanId = 3;
        fine.ReaderId = 1;
        fine.Finefund = 1.5;
        fine.PaytypeId = PayLater;
        QString message;
        QVERIFY(TFineQuery::StoreFine(fine, message));
        QCOMPARE(fine.Id, 8);
        QVERIFY(Value(u"select Finedate from fines where Id=8"_s).isNull());
        QVERIFY(Value(u"select OffId from fines where Id=8"_s).isNull());

        fine.Finedate = At(0);
        fine.Fineman = Operator;
        fine.PaytypeId = PayCash;
        fine.Finefund = 2.0; // the amount taken may differ from the amount charged
        QVERIFY(TFineQuery::StoreFine(fine, message));
        QCOMPARE(fine.Id, 8);
        QCOMPARE(Count(u"fines"_s), 2);
        QCOMPARE(DateOf(Value(u"select Finedate from fines where Id=8"_s)), Day0);
        QCOMPARE(Value(u"select Finefund from fines where Id=8"_s).toDouble(), 2.0);
        QCOMPARE(Value(u"select PaytypeId from fines where Id=8"_s).toInt(), int(PayCash));

        fine.Id = 9;
        QVERIFY(!TFineQuery::StoreFine(fine, message));
        QCOMPARE(message, u"\r\n标识为9的fines更新失败!\t"_s);
        QCOMPARE(fine.Id, 9);
        QCOMPARE(CirculationInvariants::Broken(before), QString());
    }

    // Paying a fine left for later: only a dated payment from the deposit touches the deposit, and
    // it may leave it below zero (1.50 from 1.00 leaves -0.50).
    void payLaterFine_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<int>("paytype");
        QTest::addColumn<bool>("dated");
        QTest::addColumn<double>("depositAfter");
        for (const QString& engine : TTestDatabase::Engines()) {
            QTest::addRow("%s/from deposit", qPrintable(engine)) << engine << int(PayFromDeposit) << true << -0.5;
            QTest::addRow("%s/cash", qPrintable(engine)) << engine << int(PayCash) << true << 1.0;
            QTest::addRow("%s/from deposit, undated", qPrintable(engine))
                << engine << int(PayFromDeposit) << false << 1.0;
        }
    }
    void payLaterFine()
    {
        QFETCH(QString, engine);
        QFETCH(int, paytype);
        QFETCH(bool, dated);
        QFETCH(double, depositAfter);
        QVERIFY(Open(engine));
        TopUp(2, 1.0);
        const auto before = CirculationInvariants::Take();
        QVERIFY(LendBooks({1}, 2, 0));
        Clock::SetFixed(At(18));
        QVERIFY(ReturnBooks(2, PayLater));
        QCOMPARE(Value(u"select Deposit from readers where Id=2"_s).toDouble(), 1.0);

        RFine fine;
        fine.Id = Value(u"select Id from fines where LoanId=1"_s).toInt();
        fine.LoanId = 1;
        fine.ReaderId = 2;
        fine.Finefund = 1.5;
        fine.PaytypeId = paytype;
        fine.Fineman = Operator;
        if (dated)
            fine.Finedate = At(19);
        QString message;
        QVERIFY(TFineQuery::SaveFine(fine, message));
        QCOMPARE(Count(u"fines"_s), 1);
        QCOMPARE(Value(u"select Deposit from readers where Id=2"_s).toDouble(), depositAfter);
        QCOMPARE(CirculationInvariants::Broken(before), QString());
    }

    void depositOfMissingReaderFails_data() { EngineRows(); }
    void depositOfMissingReaderFails()
    {
        QFETCH(QString, engine);
        QVERIFY(Open(engine));
        const auto before = CirculationInvariants::Take();
        RFine fine;
        fine.LoanId = 1;
        fine.ReaderId = 99;
        fine.Finefund = 1.0;
        fine.Finedate = At(0);
        fine.PaytypeId = PayFromDeposit;
        QString message;
        QVERIFY(!TFineQuery::SaveFine(fine, message));
        QCOMPARE(message, u"\r\n读者 99 押金更新失败!\t"_s);
        QCOMPARE(CirculationInvariants::Broken(before), QString());
    }
};

QTEST_GUILESS_MAIN(tst_finequery)
#include "tst_finequery.moc"
