#include "ReaderFixture.h"
#include "data/LwDataSet.h"
#include "grids/LwDBGrid.h"
#include "holdings/PickerFrm.h"
#include "holdings/Uis.h"
#include "project/ModalScript.h"
#include "project/PickListSet.h"
#include "project/ListItemEditFrm.h"
#include "support/RecordingNotifier.h"

#include <QBuffer>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest>

namespace {

QStringList itemsOf(const QComboBox& box)
{
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items.append(box.itemText(i));
    return items;
}

QStringList storedList(int list)
{
    QStringList items;
    TPickListSet::LoadItems(list, items);
    return items;
}

// In the pick window: stand on the row whose `field` is `value` and press OK.
TModalScript::TAction pickRow(const QString& field, const QVariant& value)
{
    return [field, value](QWidget* window) {
        auto* picker = qobject_cast<TPickerFrm*>(window);
        QVERIFY(picker);
        QVERIFY(picker->DBGrid1()->DataSet()->Locate(field, value));
        picker->OkBtn1()->click();
    };
}

QByteArray jpeg(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "jpeg");
    return data;
}

} // namespace

class tst_Uis : public QObject
{
    Q_OBJECT

private slots:
    void lookupEditHoldsOneRecord()
    {
        TLookupEdit edit;
        QVERIFY(edit.Value().isNull());
        const RReader none = edit.Reader();
        QCOMPARE(none.Id, 0);
        QVERIFY(!none.KindId.has_value());
        QVERIFY(none.Adddate.isValid());

        // a title without a class still holds a class, numbered 0
        edit.SetCatalogFromTitle(QVariant(), u"I24"_s, u"小说"_s);
        QCOMPARE(edit.Value(), QVariant(0));
        QCOMPARE(edit.text(), u"小说"_s);
        QCOMPARE(edit.Catalog().Mark, u"I24"_s);

        RReader reader;
        reader.Id = 7;
        reader.Name = u"李四"_s;
        reader.Code = u"R7"_s;
        edit.SetReader(reader);
        QCOMPARE(edit.text(), u"小说"_s); // holding alone does not show
        QVERIFY(edit.HoldsReader());
        QVERIFY(edit.ShowReader(reader));
        QCOMPARE(edit.text(), u"李四"_s);
        QCOMPARE(edit.Value(), QVariant(7));
        QCOMPARE(edit.Reader().Code, u"R7"_s);

        edit.Clear();
        QVERIFY(edit.Value().isNull());
        QVERIFY(edit.text().isEmpty());
        QCOMPARE(edit.Reader().Id, 0);
    }

    void pickReaderShowsThePickedReader_data() { ReaderFixture::EngineRows(); }
    void pickReaderShowsThePickedReader()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        ReaderFixture::AddKind(1, u"教师"_s, 5);
        ReaderFixture::TReaderRow first;
        ReaderFixture::AddReader(first);
        ReaderFixture::TReaderRow second = ReaderFixture::WithId(2);
        second.Name = u"王'五"_s;
        second.KindId = 1;
        ReaderFixture::AddReader(second);

        TLookupEdit edit;
        QSignalSpy picked(&edit, &TLookupEdit::Picked);
        TModalScript script;
        script.Then(u"PickerFrm"_s, pickRow(u"Id"_s, 2));
        QVERIFY(edit.PickReader());
        QVERIFY(script.Finished());
        QCOMPARE(edit.text(), u"王'五"_s);
        QCOMPARE(edit.Value(), QVariant(2));
        QCOMPARE(edit.Reader().BookTop, 5);
        QCOMPARE(picked.count(), 1);

        // cancelling keeps what was held
        TModalScript cancel;
        cancel.Then(u"PickerFrm"_s, [](QWidget* window) { qobject_cast<TADlgFrm*>(window)->CancelBtn1()->click(); });
        QVERIFY(!edit.PickReader());
        QCOMPARE(edit.Value(), QVariant(2));
    }

    void kindsLoadSelectAndReadBack_data() { ReaderFixture::EngineRows(); }
    void kindsLoadSelectAndReadBack()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        ReaderFixture::AddKind(2, u"学生"_s, 2);
        ReaderFixture::AddKind(1, u"教师"_s, 5);

        TLookupComboBox box;
        box.LoadKinds();
        QCOMPARE(itemsOf(box), (QStringList{u"教师"_s, u"学生"_s}));
        QVERIFY(box.KindId().isNull());
        const RReaderskind none = box.Kind();
        QCOMPARE(none.Id, 0);
        QCOMPARE(none.BookTop, 1);
        QCOMPARE(none.BookDays, 15);

        box.SelectKind(2);
        QCOMPARE(box.KindId(), QVariant(2));
        QCOMPARE(box.Kind().BookTop, 2);
        box.SelectKind(9); // a kind since deleted
        QCOMPARE(box.currentIndex(), -1);
        box.SelectKind(1);
        box.SelectKind(QVariant());
        QVERIFY(box.KindId().isNull());

        // reloading replaces the items
        box.LoadKinds();
        QCOMPARE(box.count(), 2);
    }

    void pickKindAddsAMissingKind_data() { ReaderFixture::EngineRows(); }
    void pickKindAddsAMissingKind()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        ReaderFixture::AddKind(1, u"教师"_s, 5);
        TLookupComboBox box;
        box.LoadKinds();
        ReaderFixture::AddKind(2, u"访客"_s, 1); // added elsewhere after the drop-down was filled
        QSignalSpy changed(&box, &TLookupComboBox::Changed);

        TModalScript script;
        script.Then(u"PickerFrm"_s, pickRow(u"Id"_s, 2));
        QVERIFY(box.PickKind());
        QVERIFY(script.Finished());
        QCOMPARE(itemsOf(box), (QStringList{u"教师"_s, u"访客"_s}));
        QCOMPARE(box.currentText(), u"访客"_s);
        QCOMPARE(box.KindId(), QVariant(2));
        QCOMPARE(changed.count(), 1);

        // picking a kind already there selects it without adding
        TModalScript again;
        again.Then(u"PickerFrm"_s, pickRow(u"Id"_s, 1));
        QVERIFY(box.PickKind());
        QCOMPARE(box.count(), 2);
        QCOMPARE(box.KindId(), QVariant(1));
    }

    void publishersLoadAndPick_data() { ReaderFixture::EngineRows(); }
    void publishersLoadAndPick()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        Database().Execute(u"insert into publishers(Id, Name) values(2, '人民出版社')"_s);
        Database().Execute(u"insert into publishers(Id, Name) values(1, 'O''Reilly')"_s);
        TLookupComboBox box;
        box.SetEditable(true);
        box.LoadPublishers();
        QCOMPARE(itemsOf(box), (QStringList{u"O'Reilly"_s, u"人民出版社"_s}));
        QSignalSpy changed(&box, &TLookupComboBox::Changed);
        TModalScript script;
        script.Then(u"PickerFrm"_s, pickRow(u"Id"_s, 2));
        QVERIFY(box.PickPublisher());
        QCOMPARE(box.currentText(), u"人民出版社"_s);
        QCOMPARE(changed.count(), 1);
    }

    void statesAndOperators_data() { ReaderFixture::EngineRows(); }
    void statesAndOperators()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        TLookupComboBox states;
        states.LoadStates();
        QCOMPARE(states.count(), 3);
        QVERIFY(states.StateId().isNull());
        states.SelectState(2);
        QCOMPARE(states.StateId(), QVariant(2));
        QCOMPARE(states.currentText(), u"挂失"_s);

        Database().Execute(u"insert into operator(LoginId, Password, Rights) values('amy', '', '')"_s);
        TLookupComboBox operators;
        operators.LoadOperators();
        QCOMPARE(itemsOf(operators), QStringList{u"amy"_s});
    }

    void learnedValues_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<bool>("integer");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QStringList>("list6");
        QTest::addColumn<QStringList>("list7");
        QTest::addColumn<QString>("warning");
        for (const QString& e : TTestDatabase::Engines()) {
            const QByteArray n = e.toLatin1();
            QTest::addRow("%s new days", n.data()) << e << true << u"45"_s << QVariant(45)
                                                   << QStringList{u"30"_s, u"45"_s} << QStringList{u"1"_s} << QString();
            QTest::addRow("%s known days", n.data())
                << e << true << u"30"_s << QVariant(30) << QStringList{u"30"_s} << QStringList{u"1"_s} << QString();
            QTest::addRow("%s new fine", n.data()) << e << false << u"2.5"_s << QVariant(2.5) << QStringList{u"30"_s}
                                                   << QStringList{u"1"_s, u"2.5"_s} << QString();
            QTest::addRow("%s blank", n.data())
                << e << true << u"  "_s << QVariant() << QStringList{u"30"_s} << QStringList{u"1"_s} << QString();
            QTest::addRow("%s not an integer", n.data()) << e << true << u"4.5"_s << QVariant() << QStringList{u"30"_s}
                                                         << QStringList{u"1"_s} << u"\r\n4.5 不是有效的整数!\t"_s;
            QTest::addRow("%s quote", n.data()) << e << false << u"1'"_s << QVariant() << QStringList{u"30"_s}
                                                << QStringList{u"1"_s} << u"\r\n1' 不是有效的数字!\t"_s;
        }
    }
    void learnedValues()
    {
        QFETCH(QString, engine);
        QFETCH(bool, integer);
        QFETCH(QString, typed);
        QFETCH(QVariant, value);
        QFETCH(QStringList, list6);
        QFETCH(QStringList, list7);
        QFETCH(QString, warning);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        QVERIFY(TPickListSet::SaveItems(6, {u"30"_s}));
        QVERIFY(TPickListSet::SaveItems(7, {u"1"_s}));
        TRecordingNotifier notifier;

        TLookupComboBox box;
        box.SetEditable(true);
        box.LoadList(integer ? 6 : 7);
        box.setEditText(typed);
        const QVariant read = integer ? box.IntegerValue() : box.NumberValue();
        QCOMPARE(read, value);
        QCOMPARE(storedList(6), list6);
        QCOMPARE(storedList(7), list7);
        QCOMPARE(notifier.LastText(), warning);
    }

    void codesAndFilters()
    {
        TLookupComboBox pay;
        pay.LoadPaymentTypes(false);
        QCOMPARE(itemsOf(pay), (QStringList{u"从押金中支付"_s, u"现金支付"_s}));
        pay.LoadPaymentTypes(true); // appends
        QCOMPARE(pay.count(), 5);
        QVERIFY(pay.Code().isNull());
        pay.SelectCode(3);
        QCOMPARE(pay.currentIndex(), 3); // the last item with that code
        QCOMPARE(pay.Code(), QVariant(3));
        pay.SelectCode(1);
        QCOMPARE(pay.currentText(), u"以后再罚"_s);

        TLookupComboBox refund;
        refund.LoadRefundTypes();
        QCOMPARE(itemsOf(refund), (QStringList{u"退还到押金里"_s, u"退还现金"_s, u"不予退还"_s}));
        refund.setCurrentIndex(2);
        QCOMPARE(refund.Code(), QVariant(1));

        TLookupComboBox returned;
        returned.LoadReturnFilter();
        TLookupComboBox written;
        written.LoadWriteoffFilter();
        QCOMPARE(itemsOf(written), (QStringList{u"全部"_s, u"已注销"_s, u"未注销"_s}));
        const QList<QVariant> expected = {QVariant(), true, false};
        for (int i = 0; i < 3; ++i) {
            returned.setCurrentIndex(i);
            written.setCurrentIndex(i);
            QCOMPARE(returned.FilterValue(), expected.at(i));
            QCOMPARE(written.FilterValue(), expected.at(i));
        }
        QCOMPARE(returned.itemText(2), u"未归还"_s);
    }

    void listsLoadAndEdit_data() { ReaderFixture::EngineRows(); }
    void listsLoadAndEdit()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        QVERIFY(TPickListSet::SaveItems(4, {u"办公室"_s, u"教务处"_s}));
        TLookupComboBox box;
        box.SetEditable(true);
        box.LoadList(4);
        QCOMPARE(itemsOf(box), (QStringList{u"办公室"_s, u"教务处"_s}));
        QCOMPARE(box.currentText(), QString()); // nothing chosen by loading
        box.setEditText(u"后勤"_s);
        box.LoadList(4); // a reload keeps what was typed
        QCOMPARE(box.currentText(), u"后勤"_s);

        TModalScript script;
        script.Then(u"ListItemEditFrm"_s, [](QWidget* window) {
            auto* editor = qobject_cast<TListItemEditFrm*>(window);
            QVERIFY(editor);
            QCOMPARE(editor->PageControl1()->tabText(0), u"工作部门"_s);
            editor->Memo1()->setPlainText(u"办公室\n后勤"_s);
            editor->OkBtn1()->click();
        });
        QVERIFY(box.EditList(4));
        QVERIFY(script.Finished());
        QCOMPARE(storedList(4), (QStringList{u"办公室"_s, u"后勤"_s}));
        QCOMPARE(itemsOf(box), (QStringList{u"办公室"_s, u"后勤"_s}));
        QCOMPARE(box.currentText(), u"后勤"_s);
    }

    void photoShowsTheStoredPicture_data() { ReaderFixture::EngineRows(); }
    void photoShowsTheStoredPicture()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        ReaderFixture::AddReader(ReaderFixture::TReaderRow());
        ReaderFixture::AddReader(ReaderFixture::WithId(2));
        QVERIFY(TReadersPhotoSet::SavePhoto(1, RReaderPhoto::FromData(jpeg(400, 300))));

        TPhotoImage photo;
        photo.resize(120, 160);
        QVERIFY(photo.ShowReaderPhoto(1));
        QVERIFY(photo.HasPicture());
        QCOMPARE(photo.Photo().Image.size(), QSize(400, 300));
        // stretched into the control, keeping its proportions
        const QSize shown = photo.pixmap().size();
        QCOMPARE(shown.width(), photo.contentsRect().width());
        QVERIFY(qAbs(shown.height() - shown.width() * 3 / 4) <= 1);

        QVERIFY(!photo.ShowReaderPhoto(2));
        QVERIFY(!photo.HasPicture());
        QVERIFY(photo.pixmap().isNull());
    }

    void doubleClickShowsTheBigPicture()
    {
        TPhotoImage photo;
        photo.resize(100, 100);
        photo.show();
        // nothing shown: a double click opens nothing
        QTest::mouseDClick(&photo, Qt::LeftButton);

        photo.SetPhoto(RReaderPhoto::FromData(jpeg(300, 200)));
        TModalScript script;
        script.Then(u"ImageViewFrm"_s, [](QWidget* window) { window->close(); });
        QTest::mouseDClick(&photo, Qt::LeftButton);
        QVERIFY(script.Finished());
    }
};

QTEST_MAIN(tst_Uis)
#include "tst_uis.moc"
