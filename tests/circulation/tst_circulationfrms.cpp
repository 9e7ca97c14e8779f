#include "CirculationFixture.h"
#include "app/Commands.h"
#include "app/LwDateTimePicker.h"
#include "circulation/BookPickFrm.h"
#include "circulation/BookRenewSet.h"
#include "circulation/JourPickFrm.h"
#include "circulation/JourRenewSet.h"
#include "circulation/LoanEditFrm.h"
#include "circulation/RenewEditFrm.h"
#include "circulation/ReturnEditFrm.h"
#include "data/LwDataSet.h"
#include "grids/LwDBGrid.h"
#include "grids/LwGridcx.h"
#include "holdings/PickerFrm.h"
#include "holdings/Uis.h"
#include "project/ModalScript.h"
#include "support/RecordingNotifier.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

using namespace CirculationFixture;

// The loan, return and renewal windows: lookups, saves that fail and keep their list, the pay type
// of a fine, and the dates a renewal writes.
class tst_CirculationFrms : public QObject
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
    static void enter(QWidget& form, const QString& box, const QString& text)
    {
        auto* edit = child<QLineEdit>(form, box);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    static QString label(QWidget& form, const QString& name) { return child<QLabel>(form, name)->text(); }
    static void click(QWidget& form, const QString& button)
    {
        QTest::mouseClick(child<QPushButton>(form, button), Qt::LeftButton);
    }
    // "去除" on the row of `field` = `value` of the grid on tab `tab`.
    static void remove(QWidget& form, const QString& tab, TLwDataSet* rows, const QString& field, int value)
    {
        QVERIFY(rows->Locate(field, value));
        auto* grid = child<QWidget>(form, tab)->findChild<TlwGridcx*>();
        QVERIFY(grid);
        QAction* action = grid->PopupMenuLw()->findChild<QAction*>(u"ActionRemove1"_s);
        QVERIFY(action);
        QCOMPARE(action->text(), u"去除"_s);
        action->trigger();
    }
    static QList<int> column(TLwDataSet* rows, const QString& field)
    {
        QList<int> values;
        for (int row = 0; row < rows->RecordCount(); ++row)
            values << rows->CellValue(row, rows->FieldIndex(field)).toInt();
        return values;
    }

private slots:
    void cleanup() { Clock::SetFixed({}); }

    // The main window's three commands each open a window of their own, with both tabs.
    void commands_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("tabs");
        QTest::newRow("loan") << u"LoanAction1"_s << u"LoanEditFrm"_s << u"图书期刊借阅"_s
                              << QStringList{u"图书借阅"_s, u"期刊借阅"_s};
        QTest::newRow("return") << u"ReturnEditAction1"_s << u"ReturnEditFrm"_s << u"图书期刊归还"_s
                                << QStringList{u"图书归还"_s, u"期刊归还"_s};
        QTest::newRow("renew") << u"RenewEditAction1"_s << u"RenewEditFrm"_s << u"图书期刊续借"_s
                               << QStringList{u"图书续借"_s, u"期刊续借"_s};
    }
    void commands()
    {
        QFETCH(QString, command);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QStringList, tabs);
        QVERIFY(Open(TTestDatabase::SQLite));
        const RCommand* found = FindCommand(command);
        QVERIFY(found && found->Run);
        found->Run(nullptr);
        found->Run(nullptr);
        QList<TCirculationFrm*> windows;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* window = qobject_cast<TCirculationFrm*>(top); window && window->isVisible())
                windows << window;
        QCOMPARE(windows.size(), 2);
        for (TCirculationFrm* window : windows) {
            QCOMPARE(window->objectName(), name);
            QCOMPARE(window->windowTitle(), caption);
            QCOMPARE(window->Tabs()->count(), 2);
            QCOMPARE((QStringList{window->Tabs()->tabText(0), window->Tabs()->tabText(1)}), tabs);
            window->close();
        }
    }

    // Enter in the reader and code boxes: by code, by initials, ISBN or ISSN; a miss warns and
    // changes nothing.
    void lookups_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown"); // reader name, or the code of the row added
        QTest::addColumn<QString>("warning");
        for (const QString& engine : TTestDatabase::Engines()) {
            const auto row = [&](const char* name) -> QTestData& {
                return QTest::newRow(qPrintable(engine + u':' + QLatin1StringView(name)));
            };
            row("reader code") << engine << u"edtReader1"_s << u"R002"_s << u"读者2"_s << QString();
            row("reader initials") << engine << u"edtReader1"_s << u"dz3"_s << u"读者3"_s << QString();
            row("no reader") << engine << u"edtReader1"_s << u"R009"_s << QString()
                             << u"\r\n没有找到编号或首拼为 R009 的读者记录!\t"_s;
            row("book code") << engine << u"edtBook1"_s << u"B003"_s << u"B003"_s << QString();
            row("book isbn") << engine << u"edtBook1"_s << u"978-4"_s << u"B004"_s << QString();
            row("no book") << engine << u"edtBook1"_s << u"B0"_s << QString()
                           << u"\r\n没有找到编号或ISBN号为 B0 的图书记录!\t"_s;
            row("journal code") << engine << u"edtJour1"_s << u"J002"_s << u"J002"_s << QString();
            row("journal issn") << engine << u"edtJour1"_s << u"1000-1"_s << u"J001"_s << QString();
            row("no journal") << engine << u"edtJour1"_s << u"978-1"_s << QString()
                              << u"\r\n没有找到编号或ISSN号为 978-1 的期刊记录!\t"_s;
        }
    }
    void lookups()
    {
        QFETCH(QString, engine);
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QFETCH(QString, warning);
        QVERIFY(Open(engine));
        TRecordingNotifier notes;
        TLoanEditFrm form;
        form.show();
        if (box == u"edtJour1"_s)
            form.Tabs()->setCurrentIndex(1);
        enter(form, box, text);

        QCOMPARE(notes.LastText(), warning);
        TLwDataSet* rows = box == u"edtBook1"_s ? form.Books().DataSet() : form.Journals().DataSet();
        const QString codeField = box == u"edtBook1"_s ? u"BookCode"_s : u"JourCode"_s;
        if (box == u"edtReader1"_s) {
            QCOMPARE(label(form, u"txtReaderName1"_s), shown);
        } else if (shown.isEmpty()) {
            QCOMPARE(rows->RecordCount(), 0);
            QCOMPARE(child<QLineEdit>(form, box)->selectedText(), text);
        } else {
            QCOMPARE(rows->RecordCount(), 1);
            QCOMPARE(rows->AsString(codeField), shown);
            QCOMPARE(child<QLineEdit>(form, box)->text(), QString());
        }
    }

    // The "..." buttons: the reader picker names the reader, the book picker (narrowed by a keyword)
    // and the journal picker hand the chosen title to the list.
    void pickers_data() { EngineRows(); }
    void pickers()
    {
        QFETCH(QString, engine);
        QVERIFY(Open(engine));
        TRecordingNotifier notes;
        TLoanEditFrm form;
        form.show();

        TModalScript readers;
        readers.Then(u"PickerFrm"_s, [](QWidget* window) {
            auto* picker = qobject_cast<TPickerFrm*>(window);
            QVERIFY(picker->DBGrid1()->DataSet()->Locate(u"Id"_s, 3));
            picker->OkBtn1()->click();
        });
        QTest::mouseClick(child<QToolButton>(form, u"Button1"_s), Qt::LeftButton);
        QVERIFY(readers.Finished());
        QCOMPARE(label(form, u"txtReaderName1"_s), u"读者3"_s);
        QCOMPARE(child<QLineEdit>(form, u"edtReader1"_s)->text(), u"R003"_s);

        TModalScript books;
        books.Then(u"BookPickFrm"_s, [](QWidget* window) {
            auto* picker = qobject_cast<TBookPickFrm*>(window);
            QVERIFY(picker);
            QCOMPARE(picker->List().DataSet()->RecordCount(), 5);
            picker->KeywordBox()->setText(u"图书4"_s);
            QCOMPARE(picker->List().DataSet()->RecordCount(), 1);
            picker->findChild<QPushButton*>(u"BitBtn1"_s)->click();
        });
        QTest::mouseClick(child<QToolButton>(form, u"Button2"_s), Qt::LeftButton);
        QVERIFY(books.Finished());
        QCOMPARE(column(form.Books().DataSet(), u"BookId"_s), (QList<int>{4}));
        QCOMPARE(form.Books().DataSet()->AsInteger(u"ReaderId"_s), 3);

        form.Tabs()->setCurrentIndex(1);
        TModalScript journals;
        journals.Then(u"JourPickFrm"_s, [](QWidget* window) {
            auto* picker = qobject_cast<TJourPickFrm*>(window);
            QVERIFY(picker);
            QVERIFY(picker->List().DataSet()->Locate(u"Id"_s, 2));
            auto* ok = picker->findChild<QPushButton*>(u"BitBtn1"_s);
            QCOMPARE(ok->text(), u"确定"_s);
            ok->click();
        });
        QTest::mouseClick(child<QToolButton>(form, u"Button3"_s), Qt::LeftButton);
        QVERIFY(journals.Finished());
        QCOMPARE(column(form.Journals().DataSet(), u"JourId"_s), (QList<int>{2}));
        QCOMPARE(notes.Messages().size(), 0);
    }

    // A book deleted after it was listed fails the save: nothing is written and the list stays, so
    // the operator removes that row and saves the rest.
    void failedLoanKeepsList_data() { EngineRows(); }
    void failedLoanKeepsList()
    {
        QFETCH(QString, engine);
        QVERIFY(Open(engine));
        TRecordingNotifier notes;
        TLoanEditFrm form;
        form.show();
        enter(form, u"edtReader1"_s, u"R002"_s);
        for (const QString& code : {u"B001"_s, u"B002"_s, u"B003"_s})
            enter(form, u"edtBook1"_s, code);
        Database().Execute(u"delete from books where Id=2"_s);
        const CirculationInvariants::TSnapshot before = CirculationInvariants::Take();

        click(form, u"BitBtn1"_s);
        QCOMPARE(notes.LastText(), u"\r\n 图书数量更新失败!\t"_s);
        QCOMPARE(column(form.Books().DataSet(), u"BookId"_s), (QList<int>{1, 2, 3}));
        QCOMPARE(label(form, u"txtReaderName1"_s), u"读者2"_s);
        QCOMPARE(Count(u"loans"_s), 0);

        remove(form, u"TabSheet1"_s, form.Books().DataSet(), u"BookId"_s, 2);
        notes.Clear();
        click(form, u"BitBtn1"_s);
        QCOMPARE(notes.Messages().size(), 0);
        QCOMPARE(form.Books().DataSet()->RecordCount(), 0);
        QCOMPARE(Value(u"select count(*) from loans where ReaderId=2"_s).toInt(), 2);
        QCOMPARE(Value(u"select Loaning from readers where Id=2"_s).toInt(), 2);
        QCOMPARE(CirculationInvariants::Broken(before), QString());
    }

    // With no reader named the rows carry reader 0 and the save stops at the reader step.
    void noReaderFails_data() { EngineRows(); }
    void noReaderFails()
    {
        QFETCH(QString, engine);
        QVERIFY(Open(engine));
        TRecordingNotifier notes;
        TLoanEditFrm form;
        form.show();
        enter(form, u"edtBook1"_s, u"B001"_s);
        click(form, u"BitBtn1"_s);
        QCOMPARE(notes.LastText(), u"\r\n 读者 0 数据更新失败!\t"_s);
        QCOMPARE(form.Books().DataSet()->RecordCount(), 1);
        QCOMPARE(Count(u"loans"_s), 0);
        QCOMPARE(Value(u"select QtyLoan from books where Id=1"_s).toInt(), 0);
    }

    // Journals are lent on the date in the loan-date box, due after the kind's JourDays, also when
    // the book tab was saved first and cleared the reader.
    void journalsOnChosenDate_data() { EngineRows(); }
    void journalsOnChosenDate()
    {
        QFETCH(QString, engine);
        QVERIFY(Open(engine));
        const CirculationInvariants::TSnapshot before = CirculationInvariants::Take();
        TRecordingNotifier notes;
        TLoanEditFrm form;
        form.show();
        enter(form, u"edtReader1"_s, u"R003"_s);
        enter(form, u"edtBook1"_s, u"B005"_s);
        form.Tabs()->setCurrentIndex(1);
        enter(form, u"edtJour1"_s, u"J001"_s);
        enter(form, u"edtJour1"_s, u"J002"_s);
        form.Tabs()->setCurrentIndex(0);
        click(form, u"BitBtn1"_s);
        QCOMPARE(label(form, u"txtReaderName1"_s), QString());
        // the date changed after the rows were listed still dates them all
        child<TlwDateTimePicker>(form, u"edtLoandate1"_s)->setDate(Day0.addDays(-3));
        form.Tabs()->setCurrentIndex(1);
        click(form, u"BitBtn3"_s);
        QCOMPARE(notes.Messages().size(), 0);
        QCOMPARE(
            Value(u"select count(*) from loans where ReaderId=3 and not (JourId is null) and BookId is null"_s).toInt(),
            2);
        QCOMPARE(DateOf(LoanValue(1, u"ShldretDate"_s)), Day0.addDays(15));
        for (int loanId : {2, 3}) {
            QCOMPARE(DateOf(LoanValue(loanId, u"LoanDate"_s)), Day0.addDays(-3));
            QCOMPARE(DateOf(LoanValue(loanId, u"ShldretDate"_s)), Day0.addDays(7));
        }
        QCOMPARE(CirculationInvariants::Broken(before), QString());
    }

    // A fine due asks for the pay type before anything is saved; "以后再罚" leaves the fine unpaid.
    void payTypeDemanded_data() { EngineRows(); }
    void payTypeDemanded()
    {
        QFETCH(QString, engine);
        QVERIFY(Open(engine));
        QVERIFY(LendBooks({1}, 1, 0));
        const CirculationInvariants::TSnapshot before = CirculationInvariants::Take();
        Clock::SetFixed(At(16));
        TRecordingNotifier notes;
        TReturnEditFrm form;
        form.show();
        enter(form, u"edtReader1"_s, u"R001"_s);
        QCOMPARE(label(form, u"txtOverfund1"_s), u"0.50"_s);

        click(form, u"BitBtn1"_s);
        QCOMPARE(notes.LastText(), u"请选择罚款支付方式!"_s);
        QCOMPARE(form.Books().DataSet()->RecordCount(), 1);
        QVERIFY(LoanValue(1, u"ReturnDate"_s).isNull());

        auto* paytype = child<TLookupComboBox>(form, u"edtPaymethod1"_s);
        paytype->setCurrentIndex(paytype->findText(u"以后再罚"_s));
        child<QLineEdit>(form, u"edtFinenote1"_s)->setText(u"下次再交"_s);
        notes.Clear();
        click(form, u"BitBtn1"_s);
        QCOMPARE(notes.Messages().size(), 0);
        QCOMPARE(LoanValue(1, u"OverDays"_s).toInt(), 1);
        QCOMPARE(Value(u"select count(*) from fines where LoanId=1 and PaytypeId=1 and Finedate is null and "
                       u"Finefund=0.5"_s)
                     .toInt(),
                 1);
        QCOMPARE(Value(u"select Deposit from readers where Id=1"_s).toDouble(), 10.0);
        QCOMPARE(paytype->currentIndex(), -1);
        QCOMPARE(child<QLineEdit>(form, u"edtFinenote1"_s)->text(), QString());
        QCOMPARE(CirculationInvariants::Broken(before), QString());
    }

    // Removing the overdue loan from the list leaves no fine to pay: the total follows the list and
    // the rest is taken back without a pay type. Journals in time need none either.
    void removedFineNeedsNoPayType_data() { EngineRows(); }
    void removedFineNeedsNoPayType()
    {
        QFETCH(QString, engine);
        QVERIFY(Open(engine));
        QVERIFY(LendBooks({1}, 2, 0));
        QVERIFY(LendBooks({2}, 2, 10));
        QVERIFY(LendJournals({1}, 2, 10));
        const CirculationInvariants::TSnapshot before = CirculationInvariants::Take();
        Clock::SetFixed(At(20));
        TRecordingNotifier notes;
        TReturnEditFrm form;
        form.show();
        enter(form, u"edtReader1"_s, u"R002"_s);
        QCOMPARE(column(form.Books().DataSet(), u"BookId"_s), (QList<int>{1, 2}));
        QCOMPARE(label(form, u"txtOverfund1"_s), u"2.50"_s);
        QVERIFY(child<QWidget>(form, u"edtPaymethod1"_s)->isEnabled());
        QCOMPARE(label(form, u"txtOverfund2"_s), u"0.00"_s);
        QVERIFY(!child<QWidget>(form, u"edtPaymethod2"_s)->isEnabled());

        remove(form, u"TabSheet1"_s, form.Books().DataSet(), u"BookId"_s, 1);
        QCOMPARE(label(form, u"txtOverfund1"_s), u"0.00"_s);
        QVERIFY(!child<QWidget>(form, u"edtPaymethod1"_s)->isEnabled());
        click(form, u"BitBtn1"_s);
        QCOMPARE(notes.Messages().size(), 0);
        QVERIFY(LoanValue(1, u"ReturnDate"_s).isNull());
        QCOMPARE(DateOf(LoanValue(2, u"ReturnDate"_s)), Day0.addDays(20));
        QCOMPARE(LoanValue(2, u"OverDays"_s).toInt(), 0);

        // the journal list stays for its own save after the book save cleared the reader
        QCOMPARE(form.Journals().DataSet()->RecordCount(), 1);
        click(form, u"BitBtn3"_s);
        QCOMPARE(notes.Messages().size(), 0);
        QCOMPARE(DateOf(LoanValue(3, u"ReturnDate"_s)), Day0.addDays(20));
        QCOMPARE(Count(u"fines"_s), 0);
        QCOMPARE(CirculationInvariants::Broken(before), QString());
    }

    // The renewal date is the day the window opened, also when saved after midnight; the new due
    // date adds the kind's renewal period.
    void renewalDates_data() { EngineRows(); }
    void renewalDates()
    {
        QFETCH(QString, engine);
        QVERIFY(Open(engine));
        QVERIFY(LendBooks({1, 2}, 1, 0));
        QVERIFY(LendJournals({1}, 1, 0));
        const CirculationInvariants::TSnapshot before = CirculationInvariants::Take();
        Clock::SetFixed(QDateTime(Day0.addDays(30), QTime(23, 50)));
        TRecordingNotifier notes;
        TRenewEditFrm form;
        form.show();
        QCOMPARE(label(form, u"txtRenewDate1"_s), Day0.addDays(30).toString(u"yyyy-MM-dd"_s));
        enter(form, u"edtReader1"_s, u"R001"_s);
        QCOMPARE(column(form.Books().DataSet(), u"Id"_s), (QList<int>{1, 2}));
        QCOMPARE(form.Journals().DataSet()->RecordCount(), 1);
        Clock::SetFixed(At(31, 0));

        click(form, u"BitBtn1"_s);
        form.Tabs()->setCurrentIndex(1);
        click(form, u"BitBtn4"_s);
        QCOMPARE(notes.Messages().size(), 0);
        for (int loanId : {1, 2}) {
            QCOMPARE(DateOf(LoanValue(loanId, u"RenewDate"_s)), Day0.addDays(30));
            QCOMPARE(LoanValue(loanId, u"Renewman"_s).toString(), Operator);
            QCOMPARE(DateOf(LoanValue(loanId, u"ShldretDate"_s)), Day0.addDays(45));
        }
        QCOMPARE(DateOf(LoanValue(3, u"ShldretDate"_s)), Day0.addDays(35));
        QVERIFY(LoanValue(1, u"ReturnDate"_s).isNull());
        QCOMPARE(CirculationInvariants::Broken(before), QString());
    }

    // A loan taken back at another desk after it was listed fails the renewal and keeps the list.
    void renewalOfReturnedLoanFails_data() { EngineRows(); }
    void renewalOfReturnedLoanFails()
    {
        QFETCH(QString, engine);
        QVERIFY(Open(engine));
        QVERIFY(LendBooks({1, 2}, 1, 0));
        Clock::SetFixed(At(5));
        TRecordingNotifier notes;
        TRenewEditFrm form;
        form.show();
        enter(form, u"edtReader1"_s, u"R001"_s);
        QVERIFY(ReturnBooks(1, 3));
        click(form, u"BitBtn1"_s);
        QCOMPARE(notes.LastText(), Circulation::RenewFailedText);
        QCOMPARE(form.Books().DataSet()->RecordCount(), 2);
        QVERIFY(LoanValue(2, u"RenewDate"_s).isNull());
    }
};

QTEST_MAIN(tst_CirculationFrms)
#include "tst_circulationfrms.moc"
