#include "ReaderFixture.h"
#include "app/Commands.h"
#include "app/LwDateTimePicker.h"
#include "app/Mall.h"
#include "app/LwEdit.h"
#include "data/LwDataSet.h"
#include "grids/LwDBGrid.h"
#include "holdings/ReaderEditFrm.h"
#include "holdings/ReaderList.h"
#include "holdings/ReaderListFrm.h"
#include "holdings/ReaderSearchFrm.h"
#include "holdings/ReaderStateEditFrm.h"
#include "holdings/PickerFrm.h"
#include "app/LwLabel.h"
#include "holdings/Uis.h"
#include "project/ModalScript.h"
#include "project/PickListSet.h"
#include "support/RecordingNotifier.h"

#include <QApplication>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

namespace {

// Three readers: two teachers and one student, one with quotes and percent signs everywhere.
void addReaders()
{
    ReaderFixture::AddKind(1, u"教师"_s);
    ReaderFixture::AddKind(2, u"学生"_s);
    ReaderFixture::TReaderRow a;
    a.Code = u"T001"_s;
    a.Name = u"张三"_s;
    a.KindId = 1;
    a.Dept = u"教务处"_s;
    a.Deposit = 50.0;
    a.Loanall = 12;
    a.Adddate = QDateTime(QDate(2024, 1, 10), QTime(0, 0));
    ReaderFixture::AddReader(a);
    ReaderFixture::TReaderRow b = ReaderFixture::WithId(2);
    b.Code = u"T'002"_s;
    b.Name = u"O'Brien"_s;
    b.Ping = u"O'B"_s;
    b.KindId = 1;
    b.Tel = u"100%'"_s;
    b.Address = u"King's Road"_s;
    b.IdCode = u"X'1"_s;
    b.Dept = u"Dean's"_s;
    b.Deposit = 5.0;
    b.Loanall = 3;
    b.Adddate = QDateTime(QDate(2024, 2, 20), QTime(0, 0));
    ReaderFixture::AddReader(b);
    ReaderFixture::TReaderRow c = ReaderFixture::WithId(3);
    c.Code = u"S001"_s;
    c.Name = u"李四"_s;
    c.KindId = 2;
    c.StateId = 2;
    c.Deposit = QVariant();
    c.Adddate = QDateTime(QDate(2024, 3, 1), QTime(0, 0));
    ReaderFixture::AddReader(c);
}

QList<int> shownIds(TReaderListFrm& form)
{
    TLwDataSet* rows = form.DBGrid1()->DataSet();
    QList<int> ids;
    for (rows->First(); !rows->Eof(); rows->Next())
        ids.append(rows->AsInteger(u"Id"_s));
    std::sort(ids.begin(), ids.end());
    return ids;
}

void setText(TReaderSearchFrm& form, const QString& field, const QString& text)
{
    QWidget* control = form.Control(field);
    QVERIFY2(control, qPrintable(field));
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(text);
    else if (auto* box = qobject_cast<TLookupComboBox*>(control)) {
        if (box->isEditable())
            box->setEditText(text);
        else
            box->setCurrentIndex(box->findText(text));
    } else if (auto* picker = qobject_cast<TlwDateTimePicker*>(control))
        picker->SetAsDate(QDate::fromString(text, u"yyyy-MM-dd"_s));
}

} // namespace

class tst_ReaderListFrm : public QObject
{
    Q_OBJECT

private slots:
    void opensWithEveryReader_data() { ReaderFixture::EngineRows(); }
    void opensWithEveryReader()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        addReaders();
        TReaderListFrm form;
        QCOMPARE(form.windowTitle(), u"读者资料"_s);
        QCOMPARE(form.DBGrid1()->LayoutId(), 1008);
        QCOMPARE(shownIds(form), (QList<int>{1, 2, 3}));
        QVERIFY(form.edtKeyword1()->text().isEmpty());
    }

    // The main window's reader commands open their windows rather than the "later" box.
    void readerCommandsAreWired_data() { ReaderFixture::EngineRows(); }
    void readerCommandsAreWired()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        for (const QString& name : {u"ReaderListAction1"_s, u"ReaderskindListAction1"_s, u"ReaderStateEditAction1"_s}) {
            const RCommand* command = FindCommand(name);
            QVERIFY2(command && command->Run, qPrintable(name));
        }
        TRecordingNotifier notifier;
        Tmall::Execute(u"ReaderListAction1"_s, nullptr);
        QVERIFY(notifier.Messages().isEmpty());
        TReaderListFrm* opened = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* list = qobject_cast<TReaderListFrm*>(window); list && list->isVisible())
                opened = list;
        QVERIFY(opened);
        QCOMPARE(opened->windowTitle(), u"读者资料"_s);
        opened->close();

        // the state window's "..." picks from every reader
        addReaders();
        TModalScript script;
        script.Then(u"ReaderStateEditFrm"_s, [](QWidget* window) {
            auto* state = qobject_cast<TReaderStateEditFrm*>(window);
            QVERIFY(state);
            // a script of its own: the pick window opens while this step is still running
            TModalScript pick;
            pick.Then(u"PickerFrm"_s, [](QWidget* picker) {
                QVERIFY(qobject_cast<TPickerFrm*>(picker)->DBGrid1()->DataSet()->Locate(u"Id"_s, 2));
                qobject_cast<TPickerFrm*>(picker)->OkBtn1()->click();
            });
            state->btnPick1()->click();
            QVERIFY(pick.Finished());
            QCOMPARE(state->ReaderId(), 2);
            QCOMPARE(state->txtName1()->text(), u"O'Brien"_s);
            state->CancelBtn1()->click();
        });
        Tmall::Execute(u"ReaderStateEditAction1"_s, nullptr);
        QVERIFY(script.Finished());
    }

    void keywordSearch_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QList<int>>("ids");
        for (const QString& e : TTestDatabase::Engines()) {
            const QByteArray n = e.toLatin1();
            QTest::addRow("%s empty", n.data()) << e << QString() << QList<int>{1, 2, 3};
            QTest::addRow("%s code part", n.data()) << e << u"001"_s << QList<int>{1, 3};
            QTest::addRow("%s kind name", n.data()) << e << u"教师"_s << QList<int>{1, 2};
            QTest::addRow("%s quote", n.data()) << e << u"'"_s << QList<int>{2};
            QTest::addRow("%s percent", n.data()) << e << u"%"_s << QList<int>{2};
            QTest::addRow("%s letter case", n.data()) << e << u"o'brien"_s << QList<int>{2};
            QTest::addRow("%s nothing", n.data()) << e << u"zzz"_s << QList<int>{};
        }
    }
    void keywordSearch()
    {
        QFETCH(QString, engine);
        QFETCH(QString, keyword);
        QFETCH(QList<int>, ids);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        addReaders();
        TReaderListFrm form;
        form.edtKeyword1()->setText(keyword);
        form.findChild<QPushButton*>(u"btnSearch1"_s)->click();
        QCOMPARE(shownIds(form), ids);
    }

    // Each control of the advanced search sets its own condition, quotes and all.
    void advancedSearch_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QStringList>("typed"); // field=text pairs
        QTest::addColumn<QList<int>>("ids");
        for (const QString& e : TTestDatabase::Engines()) {
            const QByteArray n = e.toLatin1();
            QTest::addRow("%s nothing", n.data()) << e << QStringList{} << QList<int>{1, 2, 3};
            QTest::addRow("%s every text with quotes", n.data())
                << e << QStringList{u"Code=T'002"_s,  u"Name='Bri"_s, u"Ping=O'B"_s,    u"Sex=男"_s,
                                    u"Dept=Dean's"_s, u"Tel=0%'"_s,   u"Address=g's"_s, u"IdCode='1"_s}
                << QList<int>{2};
            QTest::addRow("%s state", n.data()) << e << QStringList{u"StateId=挂失"_s} << QList<int>{3};
            QTest::addRow("%s kind", n.data()) << e << QStringList{u"KindId=教师"_s} << QList<int>{1, 2};
            QTest::addRow("%s deposit range", n.data())
                << e << QStringList{u"Deposit1=5"_s, u"Deposit2=49.99"_s} << QList<int>{2};
            QTest::addRow("%s loans from", n.data()) << e << QStringList{u"Loanall1=4"_s} << QList<int>{1};
            QTest::addRow("%s registered up to a day", n.data())
                << e << QStringList{u"Adddate2=2024-02-20"_s} << QList<int>{1, 2};
            QTest::addRow("%s registered from a day", n.data())
                << e << QStringList{u"Adddate1=2024-02-21"_s} << QList<int>{3};
        }
    }
    void advancedSearch()
    {
        QFETCH(QString, engine);
        QFETCH(QStringList, typed);
        QFETCH(QList<int>, ids);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        addReaders();
        TReaderListFrm form;
        form.edtKeyword1()->setText(u"zzz"_s);
        form.SearchKeyword(); // a keyword left from before does not narrow the advanced search
        TModalScript script;
        script.Then(u"ReaderSearchFrm"_s, [&typed](QWidget* window) {
            auto* search = qobject_cast<TReaderSearchFrm*>(window);
            QVERIFY(search);
            QCOMPARE(search->windowTitle(), u"高级查找"_s);
            for (const QString& pair : typed) {
                const qsizetype at = pair.indexOf(u'=');
                setText(*search, pair.left(at), pair.mid(at + 1));
            }
            search->OkBtn1()->click();
        });
        form.findChild<QPushButton*>(u"btnAdvanced1"_s)->click();
        QVERIFY(script.Finished());
        QCOMPARE(shownIds(form), ids);
    }

    void advancedSearchRefusesBadNumbers()
    {
        QVERIFY(TTestDatabase::OpenWithSchema(TTestDatabase::SQLite));
        TReaderWhere where;
        where.SetCondition(u"Code"_s, u"kept"_s);
        TRecordingNotifier notifier;
        TReaderSearchFrm form(where);
        qobject_cast<QLineEdit*>(form.Control(u"Deposit1"_s))->setText(u"1.2.3"_s);
        form.show();
        form.OkBtn1()->click();
        QVERIFY(form.isVisible());
        QCOMPARE(notifier.Messages().size(), 1);
        QCOMPARE(where.Condition(u"Code"_s).toString(), u"kept"_s);
    }

    void deleteNamesWhatTheReaderOwes_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<bool>("owes");
        QTest::addColumn<bool>("answer");
        for (const QString& e : TTestDatabase::Engines()) {
            const QByteArray n = e.toLatin1();
            QTest::addRow("%s owes, cancelled", n.data()) << e << true << false;
            QTest::addRow("%s owes, confirmed", n.data()) << e << true << true;
            QTest::addRow("%s owes nothing", n.data()) << e << false << true;
        }
    }
    void deleteNamesWhatTheReaderOwes()
    {
        QFETCH(QString, engine);
        QFETCH(bool, owes);
        QFETCH(bool, answer);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        addReaders();
        if (owes) {
            Database().Execute(u"insert into loans(Id, ReaderId, BookId) values(1, 2, 1)"_s);
            Database().Execute(u"insert into loans(Id, ReaderId, JourId) values(2, 2, 1)"_s);
            Database().Execute(u"insert into fines(Id, LoanId, Finefund, PaytypeId) values(1, 1, 2.5, 1)"_s);
        }
        TRecordingNotifier notifier;
        notifier.SetConfirmAnswer(answer);
        TReaderListFrm form;
        QVERIFY(form.DBGrid1()->DataSet()->Locate(u"Id"_s, 2));
        form.List().Delete(&form);
        QCOMPARE(notifier.Messages().size(), 1);
        QCOMPARE(notifier.Messages().first().Kind, u"confirm"_s);
        QCOMPARE(notifier.LastText(),
                 owes ? u"\r\n该读者尚有 2 本未还, 未付罚款 2.50 元, 确定要删除吗?\t"_s : u"\r\n确定要删除记录吗?\t"_s);
        const bool deleted = answer;
        QCOMPARE(ReaderFixture::ReaderValue(2, u"Id"_s).isNull(), deleted);
        QCOMPARE(shownIds(form), deleted ? (QList<int>{1, 3}) : (QList<int>{1, 2, 3}));
    }

    void addAndEditShowInTheList_data() { ReaderFixture::EngineRows(); }
    void addAndEditShowInTheList()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        addReaders();
        TReaderListFrm form;
        TModalScript script;
        script.Then(u"ReaderEditFrm"_s, [](QWidget* window) {
            auto* edit = qobject_cast<TReaderEditFrm*>(window);
            QVERIFY(edit);
            QCOMPARE(edit->edtLoaning1()->text(), QString());
            edit->edtName1()->setText(u"王五"_s);
            edit->cbxKind1()->SelectKind(2);
            edit->OkBtn1()->click();
        });
        form.List().Add(&form);
        QVERIFY(script.Finished());
        QCOMPARE(shownIds(form), (QList<int>{1, 2, 3, 4}));
        TLwDataSet* rows = form.DBGrid1()->DataSet();
        QVERIFY(rows->Locate(u"Id"_s, 4));
        QCOMPARE(rows->AsString(u"KindName"_s), u"学生"_s);

        TModalScript edit;
        edit.Then(u"ReaderEditFrm"_s, [](QWidget* window) {
            auto* dialog = qobject_cast<TReaderEditFrm*>(window);
            QCOMPARE(dialog->edtName1()->text(), u"王五"_s);
            dialog->edtName1()->setText(u"王六"_s);
            dialog->OkBtn1()->click();
        });
        form.List().Edit(&form);
        QVERIFY(edit.Finished());
        QCOMPARE(rows->RecordCount(), 4);
        QCOMPARE(rows->AsString(u"Name"_s), u"王六"_s);
        QCOMPARE(ReaderFixture::ReaderValue(4, u"Name"_s).toString(), u"王六"_s);
    }
};

QTEST_MAIN(tst_ReaderListFrm)
#include "tst_readerlistfrm.moc"
