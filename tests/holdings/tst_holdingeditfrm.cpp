#include "app/LwComboBox.h"
#include "app/LwEdit.h"
#include "data/Database.h"
#include "holdings/BookEditFrm.h"
#include "holdings/JournalEditFrm.h"
#include "holdings/PublisherEditFrm.h"
#include "holdings/PickerFrm.h"
#include "holdings/PublisherSet.h"
#include "project/ModalScript.h"
#include "support/RecordingNotifier.h"
#include "support/TestDatabase.h"

#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

void setText(QWidget* editor, const QString& text)
{
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        combo->setEditText(text);
    else
        qobject_cast<QLineEdit*>(editor)->setText(text);
}

QVariantList bookRow(int id)
{
    QSqlQuery query = Database().Select(
        u"select Code, Name, CataId, Price, QtyLib, QtyLoan, QtyOff, TimesLoan, Kai from books where Id=:Id"_s,
        {MakeParam(u"Id"_s, id)});
    if (!query.next())
        return {};
    QVariantList row;
    for (int i = 0; i < 9; ++i)
        row.append(query.value(i).isNull() ? QVariant() : QVariant(query.value(i).toString()));
    return row;
}

RBook newBook()
{
    RBook book;
    book.QtyLib = 1;
    book.QtyTotal = 1;
    return book;
}

} // namespace

class tst_HoldingEditFrm : public QObject
{
    Q_OBJECT

private slots:
    void bookDialog_data()
    {
        QTest::addColumn<QString>("engine");
        TTestDatabase::AddEngineRows();
    }
    void bookDialog();
    void wrongPriceKeepsDialogOpen_data()
    {
        QTest::addColumn<QString>("engine");
        TTestDatabase::AddEngineRows();
    }
    void wrongPriceKeepsDialogOpen();
    void journalDialog();
    void publisherPickedFromTheList_data()
    {
        QTest::addColumn<QString>("engine");
        TTestDatabase::AddEngineRows();
    }
    void publisherPickedFromTheList();
    void publisherDialog();
};

void tst_HoldingEditFrm::bookDialog()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    RPublisher publisher{0, u"商务印书馆"_s, QString(), QString()};
    QVERIFY(TPublisherSet::Save(publisher));

    TBookEditFrm frm(newBook(), {});
    QCOMPARE(frm.windowTitle(), u"图书资料"_s);
    frm.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frm) || true);
    QTRY_COMPARE(QApplication::focusWidget(), frm.Editor(u"Code"_s));

    // drop-downs from the pick lists and the publishers; counters read only, 0 shown empty
    auto* kai = qobject_cast<TlwComboBox*>(frm.Editor(u"Kai"_s));
    QCOMPARE(kai->itemText(0), u"16开"_s);
    QCOMPARE(qobject_cast<TlwComboBox*>(frm.Editor(u"Publisher"_s))->itemText(0), u"商务印书馆"_s);
    auto* loaned = qobject_cast<TlwEdit*>(frm.Editor(u"QtyLoan"_s));
    QVERIFY(loaned->isReadOnly());
    QCOMPARE(loaned->text(), QString());
    QCOMPARE(qobject_cast<TlwEdit*>(frm.Editor(u"QtyLib"_s))->text(), u"1"_s);
    QVERIFY(qobject_cast<TlwEdit*>(frm.Editor(u"CataName"_s))->isReadOnly());

    setText(frm.Editor(u"Code"_s), u"TS-001"_s);
    setText(frm.Editor(u"Name"_s), u"图书馆学概论"_s);
    setText(frm.Editor(u"Price"_s), u"12.5"_s);
    kai->setCurrentIndex(1);
    frm.OkBtn1()->click();
    QCOMPARE(frm.result(), int(QDialog::Accepted));
    QCOMPARE(frm.Record().Id, 1);
    // no class picked: stored as 0; the new book's circulation counters start at 0
    QCOMPARE(bookRow(1), (QVariantList{u"TS-001"_s, u"图书馆学概论"_s, u"0"_s, u"12.5"_s, u"1"_s, u"0"_s, u"0"_s,
                                       u"0"_s, u"32开"_s}));

    const QString shot = qEnvironmentVariable("QUORIN_SHOT");
    if (!shot.isEmpty() && engine == TTestDatabase::SQLite) {
        TBookEditFrm again(newBook(), {});
        again.show();
        QTest::qWait(50);
        again.grab().save(shot);
    }
}

void tst_HoldingEditFrm::wrongPriceKeepsDialogOpen()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    TRecordingNotifier notes;
    TBookEditFrm frm(newBook(), {});
    frm.show();
    setText(frm.Editor(u"Code"_s), u"P-1"_s);
    // the key filter keeps letters out of the price; pasted text still reaches it
    setText(frm.Editor(u"Price"_s), u"abc"_s);
    frm.OkBtn1()->click();
    QVERIFY(frm.isVisible());
    QCOMPARE(notes.LastText(), u"\"abc\" 不是有效的浮点数."_s);
    QVERIFY(bookRow(1).isEmpty());
    QCOMPARE(qobject_cast<QLineEdit*>(frm.Editor(u"Code"_s))->text(), u"P-1"_s);

    // a callback that refuses keeps the dialog open too
    int calls = 0;
    TBookEditFrm refusing(newBook(), [&calls](RBook&) {
        ++calls;
        return false;
    });
    refusing.show();
    refusing.OkBtn1()->click();
    QCOMPARE(calls, 1);
    QVERIFY(refusing.isVisible());
}

void tst_HoldingEditFrm::journalDialog()
{
    QVERIFY(TTestDatabase::OpenWithSchema(TTestDatabase::SQLite));
    RJournal journal;
    journal.QtyLib = 1;
    TJournalEditFrm frm(journal, {});
    QCOMPARE(frm.windowTitle(), u"书刊资料"_s);
    frm.show();
    setText(frm.Editor(u"Code"_s), u"QK-1"_s);
    setText(frm.Editor(u"YearNo"_s), u"2023-05"_s);
    setText(frm.Editor(u"Lang"_s), u"英文"_s);
    QCOMPARE(qobject_cast<TlwComboBox*>(frm.Editor(u"PubPeriod"_s))->itemText(2), u"月刊"_s);
    frm.OkBtn1()->click();
    QCOMPARE(frm.result(), int(QDialog::Accepted));

    TJournalSet set;
    set.Where()->SetCondition(u"YearNo"_s, u"2023"_s);
    set.Search();
    QCOMPARE(set.DataSet()->RecordCount(), 1);
    const RJournal stored = set.AsData();
    QCOMPARE(stored.Lang, u"英文"_s);
    QCOMPARE(stored.QtyLib, 1);
    QVERIFY(!stored.Getdate.isNull()); // the picker starts at today
}

void tst_HoldingEditFrm::publisherDialog()
{
    QVERIFY(TTestDatabase::OpenWithSchema(TTestDatabase::SQLite));
    TPublisherEditFrm frm(RPublisher{}, {});
    QCOMPARE(frm.windowTitle(), u"出版社"_s);
    frm.show();
    setText(frm.findChild<QLineEdit*>(u"edtName1"_s), u"中华书局"_s);
    setText(frm.findChild<QLineEdit*>(u"edtAddr1"_s), u"北京"_s);
    frm.OkBtn1()->click();
    QCOMPARE(frm.result(), int(QDialog::Accepted));
    QCOMPARE(frm.Record().Id, 1);
    QCOMPARE(TPublisherSet::Names(), QStringList{u"中华书局"_s});

    // an edit keeps the Id; a refusing callback keeps the dialog open
    int seenId = 0;
    TPublisherEditFrm again(frm.Record(), [&seenId](RPublisher& r) {
        seenId = r.Id;
        return false;
    });
    again.show();
    again.OkBtn1()->click();
    QVERIFY(again.isVisible());
    QCOMPARE(seenId, 1);
    QCOMPARE(again.Record().Id, 1);
}

void tst_HoldingEditFrm::publisherPickedFromTheList()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    for (const QString& name : {u"商务印书馆"_s, u"中华书局"_s}) {
        RPublisher publisher{0, name, QString(), QString()};
        QVERIFY(TPublisherSet::Save(publisher));
    }
    TBookEditFrm book(newBook(), {});
    TJournalEditFrm journal(RJournal(), {});
    for (THoldingEditFrm* frm : QList<THoldingEditFrm*>{&book, &journal}) {
        auto* combo = qobject_cast<QComboBox*>(frm->Editor(u"Publisher"_s));
        TModalScript script;
        script.Then(u"PickerFrm"_s, [](QWidget* w) {
            auto* picker = static_cast<TPickerFrm*>(w);
            const QString shot = qEnvironmentVariable("QUORIN_SHOT");
            if (!shot.isEmpty())
                picker->grab().save(shot + u"-picker.png"_s);
            picker->edtSearch1()->setText(u"中华"_s);
            picker->OkBtn1()->click();
        });
        frm->findChild<QPushButton*>(u"btnPublisher1"_s)->click();
        QVERIFY(script.Finished());
        QCOMPARE(combo->currentText(), u"中华书局"_s);
        // cancelling keeps what was there
        script.Then(u"PickerFrm"_s, [](QWidget* w) { static_cast<TPickerFrm*>(w)->CancelBtn1()->click(); });
        frm->findChild<QPushButton*>(u"btnPublisher1"_s)->click();
        QVERIFY(script.Finished());
        QCOMPARE(combo->currentText(), u"中华书局"_s);
    }
}

QTEST_MAIN(tst_HoldingEditFrm)
#include "tst_holdingeditfrm.moc"
