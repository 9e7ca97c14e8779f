#include "circulation/LoanQueryAdvFrm.h"
#include "circulation/LoanQueryFrm.h"
#include "app/Commands.h"
#include "app/LwDateTimePicker.h"
#include "app/LwEdit.h"
#include "grids/LwDBGrid.h"
#include "holdings/Uis.h"
#include "project/KeyValue2.h"
#include "project/ModalScript.h"
#include "project/PickListSet.h"
#include "support/RecordingNotifier.h"
#include "support/TestDatabase.h"
#include "tst_loanquery_fixture.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTabBar>
#include <QtTest>
#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;
using namespace LoanQueryFixture;

namespace {

QList<int> shownLoans(const TLoanQueryFrm& window, TLoanKind kind)
{
    const TLwDataSet* set = window.Grid(kind)->DataSet();
    QList<int> ids;
    if (!set->Active())
        return ids;
    for (int row = 0; row < set->RecordCount(); ++row)
        ids.append(set->CellValue(row, set->FieldIndex(u"Id"_s)).toInt());
    std::sort(ids.begin(), ids.end());
    return ids;
}

QStringList pickList(int key)
{
    QStringList items;
    TPickListSet::LoadItems(key, items);
    return items;
}

void typeInto(QComboBox* box, const QString& text)
{
    box->setFocus();
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), text);
}

} // namespace

class tst_LoanQueryFrm : public QObject
{
    Q_OBJECT

private slots:
    void init() { FineRates::SetBook(0.5), FineRates::SetJournal(0.8); }
    void cleanup() { Clock::SetFixed(QDateTime()); }

    void rememberedOverdueValues_data() { QTest::addColumn<QString>("engine"), TTestDatabase::AddEngineRows(); }
    void rememberedOverdueValues();
    void quickPanel_data() { QTest::addColumn<QString>("engine"), TTestDatabase::AddEngineRows(); }
    void quickPanel();
    void advancedFind_data() { QTest::addColumn<QString>("engine"), TTestDatabase::AddEngineRows(); }
    void advancedFind();
    void command();
    void looks();
};

// A value typed into the overdue boxes and searched with is offered from then on: days in list 6,
// amounts in list 7, each list learning only its own.
void tst_LoanQueryFrm::rememberedOverdueValues()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    Build();
    QVERIFY(TPickListSet::SaveItems(6, {u"3"_s, u"7"_s}));
    QVERIFY(TPickListSet::SaveItems(7, {u"1"_s}));
    TRecordingNotifier notifier;

    TLoanQueryFrm window;
    QCOMPARE(window.cmbOverdays1()->count(), 2);
    typeInto(window.cmbOverdays1(), u"45"_s);
    window.Button1()->click();
    QCOMPARE(pickList(6), (QStringList{u"3"_s, u"7"_s, u"45"_s}));
    QCOMPARE(pickList(7), QStringList{u"1"_s});
    QCOMPARE(shownLoans(window, TLoanKind::Book), QList<int>{}); // nothing is 45 days late
    QCOMPARE(window.cmbOverdays1()->findText(u"45"_s), 2);

    window.btnClear1()->click();
    typeInto(window.cmbOverfund1(), u"2.5"_s);
    window.Button1()->click();
    QCOMPARE(pickList(7), (QStringList{u"1"_s, u"2.5"_s}));
    QCOMPARE(pickList(6), (QStringList{u"3"_s, u"7"_s, u"45"_s}));
    QVERIFY(notifier.Messages().isEmpty());

    // searching again with a value already offered adds nothing
    window.Button1()->click();
    QCOMPARE(pickList(7), (QStringList{u"1"_s, u"2.5"_s}));

    // text that is no number is reported, adds no condition and is not remembered
    window.btnClear1()->click();
    typeInto(window.cmbOverdays1(), u"4.5"_s);
    typeInto(window.cmbOverfund1(), u"abc"_s);
    window.Button1()->click();
    QCOMPARE(notifier.Messages().size(), 2);
    QCOMPARE(notifier.Messages().at(0).Text, u"\r\n4.5 不是有效的整数!\t"_s);
    QCOMPARE(notifier.Messages().at(1).Text, u"\r\nabc 不是有效的数字!\t"_s);
    QCOMPARE(shownLoans(window, TLoanKind::Book), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    QCOMPARE(pickList(6), (QStringList{u"3"_s, u"7"_s, u"45"_s}));
    QCOMPARE(pickList(7), (QStringList{u"1"_s, u"2.5"_s}));
}

void tst_LoanQueryFrm::quickPanel()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    Build();
    TRecordingNotifier notifier;

    TLoanQueryFrm window;
    // nothing is searched at opening
    QVERIFY(!window.BookQuery()->Active());
    QVERIFY(!window.JourQuery()->Active());

    // "逾期未还" takes in the loans due today
    window.chkIsOver1()->setChecked(true);
    window.Button1()->click();
    QCOMPARE(shownLoans(window, TLoanKind::Book), (QList<int>{1, 2}));

    // the other tab searches its own loans with the same panel
    window.TabControl1()->setCurrentIndex(1);
    QCOMPARE(window.CurrentKind(), TLoanKind::Journal);
    window.Button1()->click();
    QCOMPARE(shownLoans(window, TLoanKind::Journal), QList<int>{9});
    QCOMPARE(shownLoans(window, TLoanKind::Book), (QList<int>{1, 2})); // the book tab keeps its rows

    // "今日发生": lent, returned or renewed that day
    window.btnClear1()->click();
    window.TabControl1()->setCurrentIndex(0);
    window.dtpTodayBiz1()->SetAsDate(QDateTime(QDate(2024, 5, 10), QTime(0, 0)));
    window.Button1()->click();
    QCOMPARE(shownLoans(window, TLoanKind::Book), (QList<int>{5, 7, 8}));
    window.TabControl1()->setCurrentIndex(1);
    window.Button1()->click();
    QCOMPARE(shownLoans(window, TLoanKind::Journal), QList<int>{11});

    // lending dates, the return filter, the code and the reader together
    window.btnClear1()->click();
    window.TabControl1()->setCurrentIndex(0);
    window.dtpLoanDate1()->SetAsDate(QDateTime(QDate(2024, 4, 1), QTime(0, 0)));
    window.dtpLoanDate2()->SetAsDate(QDateTime(QDate(2024, 4, 15), QTime(0, 0)));
    window.cmbIsReturn1()->setCurrentIndex(2); // 未归还
    window.Button1()->click();
    QCOMPARE(shownLoans(window, TLoanKind::Book), (QList<int>{1, 2, 8}));
    QTest::keyClicks(window.edtCode1(), u"b002"_s);
    window.Button1()->click();
    QCOMPARE(shownLoans(window, TLoanKind::Book), (QList<int>{2, 8}));
    RReader reader;
    reader.Id = 2;
    reader.Name = u"王强"_s;
    window.edtReader1()->ShowReader(reader);
    window.Button1()->click();
    QCOMPARE(shownLoans(window, TLoanKind::Book), QList<int>{});
    window.cmbIsReturn1()->setCurrentIndex(0); // 全部
    window.dtpLoanDate1()->SetAsDate(QVariant());
    window.Button1()->click();
    QCOMPARE(shownLoans(window, TLoanKind::Book), QList<int>{6}); // reader 2 with book B002, lent by 04-15

    // "重置" empties every control; the next search lists every loan
    window.btnClear1()->click();
    QVERIFY(window.dtpLoanDate1()->AsDate().isNull());
    QVERIFY(window.dtpLoanDate2()->AsDate().isNull());
    QVERIFY(window.dtpTodayBiz1()->AsDate().isNull());
    QCOMPARE(window.cmbIsReturn1()->currentIndex(), -1);
    QCOMPARE(window.cmbIsWriteoff1()->currentIndex(), -1);
    QVERIFY(window.cmbOverdays1()->currentText().isEmpty());
    QVERIFY(window.edtCode1()->text().isEmpty());
    QVERIFY(window.edtReader1()->text().isEmpty());
    QVERIFY(window.edtReader1()->Value().isNull());
    QVERIFY(!window.chkIsOver1()->isChecked());
    window.Button1()->click();
    QCOMPARE(shownLoans(window, TLoanKind::Book), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8}));

    // printing waits for the report templates
    window.BitBtn1()->click();
    QCOMPARE(notifier.LastText(), u"该功能将在后续版本中提供."_s);
}

// The advanced dialog's conditions replace the panel's for one search; the panel keeps its values.
void tst_LoanQueryFrm::advancedFind()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    Build();
    TRecordingNotifier notifier;

    TLoanQueryFrm window;
    window.chkIsOver1()->setChecked(true);

    TModalScript script;
    script
        .Then(u"LoanQueryAdvFrm"_s,
              [](QWidget* w) {
                  auto* dialog = static_cast<TLoanQueryAdvFrm*>(w);
                  static_cast<TlwEdit*>(dialog->Control(u"ReaderName"_s))->setText(u"王"_s);
                  static_cast<TlwEdit*>(dialog->Control(u"Overdays2"_s))->setText(u"x"_s);
                  dialog->accept(); // refused: "至" of the overdue days is no whole number
              })
        .Then(u"LoanQueryAdvFrm"_s, [](QWidget* w) {
            auto* dialog = static_cast<TLoanQueryAdvFrm*>(w);
            static_cast<TlwEdit*>(dialog->Control(u"Overdays2"_s))->clear();
            static_cast<TlwDateTimePicker*>(dialog->Control(u"LoanDate2"_s))
                ->SetAsDate(QDateTime(QDate(2024, 4, 20), QTime(0, 0)));
            dialog->accept();
        });
    window.Button2()->click();
    QVERIFY(script.Finished());
    QCOMPARE(notifier.Messages().size(), 1);
    QCOMPARE(notifier.Messages().at(0).Text, u"x 不是有效的整数!"_s);
    // reader 王强's loans lent by 04-20, overdue or not, returned or not
    QCOMPARE(shownLoans(window, TLoanKind::Book), (QList<int>{3, 4, 6}));
    QVERIFY(window.chkIsOver1()->isChecked());

    // the journal tab has its own dialog, with the journal's conditions
    window.TabControl1()->setCurrentIndex(1);
    TModalScript journals;
    journals.Then(u"LoanQueryAdvFrm"_s, [](QWidget* w) {
        auto* dialog = static_cast<TLoanQueryAdvFrm*>(w);
        QCOMPARE(dialog->Kind(), TLoanKind::Journal);
        QVERIFY(!dialog->Control(u"BookCode"_s));
        auto* period = static_cast<TLookupComboBox*>(dialog->Control(u"JourPeriod"_s));
        period->setEditText(u"半月刊"_s);
        static_cast<TLookupComboBox*>(dialog->Control(u"IsReturn"_s))->setCurrentIndex(2); // 未归还
        dialog->accept();
    });
    window.Button2()->click();
    QVERIFY(journals.Finished());
    QCOMPARE(shownLoans(window, TLoanKind::Journal), QList<int>{9});

    // an empty dialog adds no condition
    TModalScript empty;
    empty.Then(u"LoanQueryAdvFrm"_s, [](QWidget* w) { static_cast<TLoanQueryAdvFrm*>(w)->accept(); });
    window.Button2()->click();
    QVERIFY(empty.Finished());
    QCOMPARE(shownLoans(window, TLoanKind::Journal), (QList<int>{9, 10, 11}));
}

// The main window's command opens the query maximized, on the book tab, with nothing searched.
void tst_LoanQueryFrm::command()
{
    QVERIFY(TTestDatabase::OpenWithSchema(TTestDatabase::SQLite));
    const RCommand* command = FindCommand(u"LoanQueryAction1"_s);
    QVERIFY(command && command->Run);
    command->Run(nullptr);
    TLoanQueryFrm* window = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<TLoanQueryFrm*>(top); found && found->isVisible())
            window = found;
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), u"借阅查询"_s);
    QVERIFY(window->isMaximized());
    QCOMPARE(window->TabControl1()->count(), 2);
    QCOMPARE(window->TabControl1()->tabText(0), u"图书借阅查询"_s);
    QCOMPARE(window->TabControl1()->tabText(1), u"期刊借阅查询"_s);
    QCOMPARE(window->CurrentKind(), TLoanKind::Book);
    QVERIFY(!window->BookQuery()->Active());
    QCOMPARE(window->Grid(TLoanKind::Book)->LayoutId(), 1012);
    QCOMPARE(window->Grid(TLoanKind::Journal)->LayoutId(), 1029);
    window->close();
}

// Pictures of the window and the dialog for a look by eye, taken when QUORIN_SHOTS names a folder.
void tst_LoanQueryFrm::looks()
{
    const QString folder = qEnvironmentVariable("QUORIN_SHOTS");
    if (folder.isEmpty())
        QSKIP("QUORIN_SHOTS names no folder for the pictures");
    QVERIFY(TTestDatabase::OpenWithSchema(TTestDatabase::SQLite));
    Build();
    TLoanQueryFrm window;
    window.resize(1280, 600);
    window.show();
    window.Button1()->click();
    window.grab().save(folder + u"/loanquery.png"_s);
    for (const TLoanKind kind : {TLoanKind::Book, TLoanKind::Journal}) {
        TLoanQueryAdvFrm dialog(kind);
        dialog.show();
        dialog.grab().save(folder + (kind == TLoanKind::Book ? u"/loanquery-adv.png"_s : u"/loanquery-adv2.png"_s));
    }
}

QTEST_MAIN(tst_LoanQueryFrm)
#include "tst_loanquery_frm.moc"
