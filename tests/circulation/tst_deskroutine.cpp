#include "CirculationFixture.h"
#include "app/LwLabel.h"
#include "circulation/LoanEditFrm.h"
#include "circulation/ReturnEditFrm.h"
#include "data/LwDataSet.h"
#include "holdings/Uis.h"
#include "support/RecordingNotifier.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

using namespace CirculationFixture;

// A day at the desk as a new operator works it: lend two books to a reader, and take them back
// late the next time the reader comes, paying the fine from the deposit.
class tst_DeskRoutine : public QObject
{
    Q_OBJECT

private:
    template <typename W> static W* child(QWidget& form, const QString& name)
    {
        W* widget = form.findChild<W*>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    // Types `text` into the box and presses Enter, as at the keyboard.
    static void enter(QWidget& form, const QString& box, const QString& text)
    {
        auto* edit = child<QLineEdit>(form, box);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    static QString label(QWidget& form, const QString& name) { return child<QLabel>(form, name)->text(); }

private slots:
    void cleanup() { Clock::SetFixed({}); }

    void lendAndReturnLate_data() { EngineRows(); }
    void lendAndReturnLate()
    {
        QFETCH(QString, engine);
        QVERIFY(Open(engine));
        const CirculationInvariants::TSnapshot before = CirculationInvariants::Take();
        TRecordingNotifier notes;

        // day 0: the reader lends two books, one named by code and one by ISBN
        {
            TLoanEditFrm loan;
            loan.show();
            enter(loan, u"edtReader1"_s, u"R001"_s);
            QCOMPARE(label(loan, u"txtReaderName1"_s), u"读者1"_s);
            QCOMPARE(label(loan, u"txtDeposit1"_s), u"10.00"_s);
            enter(loan, u"edtBook1"_s, u"B001"_s);
            enter(loan, u"edtBook1"_s, u"978-2"_s);
            QCOMPARE(loan.Books().DataSet()->RecordCount(), 2);
            QTest::mouseClick(child<QPushButton>(loan, u"BitBtn1"_s), Qt::LeftButton);
            QCOMPARE(notes.Messages().size(), 0);
            QCOMPARE(loan.Books().DataSet()->RecordCount(), 0);
            QCOMPARE(label(loan, u"txtReaderName1"_s), QString());
        }
        QCOMPARE(Count(u"loans"_s), 2);
        for (int loanId : {1, 2}) {
            QCOMPARE(LoanValue(loanId, u"ReaderId"_s).toInt(), 1);
            QCOMPARE(DateOf(LoanValue(loanId, u"LoanDate"_s)), Day0);
            QCOMPARE(DateOf(LoanValue(loanId, u"ShldretDate"_s)), Day0.addDays(15));
        }
        QCOMPARE(Value(u"select Loaning from readers where Id=1"_s).toInt(), 2);
        QCOMPARE(Value(u"select QtyLib from books where Id=2"_s).toInt(), 1);

        // day 20: five days late; the reader is named by initials and pays from the deposit
        Clock::SetFixed(At(20));
        {
            TReturnEditFrm back;
            back.show();
            enter(back, u"edtReader1"_s, u"DZ1"_s);
            QCOMPARE(back.Books().DataSet()->RecordCount(), 2);
            QCOMPARE(label(back, u"txtOverfund1"_s), u"5.00"_s);
            auto* paytype = child<TLookupComboBox>(back, u"edtPaymethod1"_s);
            QVERIFY(paytype->isEnabled());
            paytype->setCurrentIndex(paytype->findText(u"从押金中支付"_s));
            QTest::mouseClick(child<QPushButton>(back, u"BitBtn1"_s), Qt::LeftButton);
            QCOMPARE(notes.Messages().size(), 0);
            QCOMPARE(back.Books().DataSet()->RecordCount(), 0);
        }
        for (int loanId : {1, 2}) {
            QCOMPARE(DateOf(LoanValue(loanId, u"ReturnDate"_s)), Day0.addDays(20));
            QCOMPARE(LoanValue(loanId, u"Returnman"_s).toString(), Operator);
            QCOMPARE(LoanValue(loanId, u"OverDays"_s).toInt(), 5);
            QCOMPARE(LoanValue(loanId, u"Overfund"_s).toDouble(), 2.5);
        }
        QCOMPARE(Value(u"select count(*) from fines where PaytypeId=2 and Finefund=2.5 and not (Finedate is null)"_s)
                     .toInt(),
                 2);
        QCOMPARE(Value(u"select Deposit from readers where Id=1"_s).toDouble(), 5.0);
        QCOMPARE(Value(u"select Loaning from readers where Id=1"_s).toInt(), 0);
        QCOMPARE(Value(u"select Loanall from readers where Id=1"_s).toInt(), 2);
        QCOMPARE(Value(u"select Loanover from readers where Id=1"_s).toInt(), 2);
        QCOMPARE(Value(u"select TimesLoan from books where Id=1"_s).toInt(), 1);
        QCOMPARE(CirculationInvariants::Broken(before), QString());
    }
};

QTEST_MAIN(tst_DeskRoutine)
#include "tst_deskroutine.moc"
