#include "ReaderFixture.h"
#include "app/LwEdit.h"
#include "data/DbError.h"
#include "holdings/ReaderskindEditFrm.h"
#include "support/RecordingNotifier.h"

#include <QPushButton>
#include <QtTest>

class tst_ReaderskindEditFrm : public QObject
{
    Q_OBJECT

private slots:
    void showsTheKindAndDefaults()
    {
        TReaderskindEditFrm form;
        QCOMPARE(form.windowTitle(), u"读者类别"_s);
        // a new kind starts from the default limits
        QCOMPARE(form.edtBookDays1()->text(), u"15"_s);
        QCOMPARE(form.edtJourTop1()->text(), u"1"_s);

        RReaderskind kind;
        kind.Id = 4;
        kind.Name = u"教师"_s;
        kind.BookTop = 0;
        kind.JourRelet = 30;
        form.SetData(kind);
        QCOMPARE(form.edtName1()->text(), u"教师"_s);
        QCOMPARE(form.edtBookTop1()->text(), u"0"_s);
        QCOMPARE(form.edtJourRelet1()->text(), u"30"_s);
        QCOMPARE(form.Data().Id, 4);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.grab().save(u"/tmp/helper-f-readerskindeditfrm.png"_s);
    }

    void okSavesWhatWasTyped_data() { ReaderFixture::EngineRows(); }
    void okSavesWhatWasTyped()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        ReaderFixture::AddKind(2, u"学生"_s);

        TReaderskindEditFrm form;
        int calls = 0;
        form.SetOnSave([&](RReaderskind& kind) {
            ++calls;
            return TReaderskindSet::Save(kind);
        });
        form.show();
        form.edtName1()->insert(u"临时读者"_s); // testlib types ASCII only
        form.edtBookTop1()->clear();
        QTest::keyClicks(form.edtBookTop1(), u"a1-2x"_s); // digits only
        QCOMPARE(form.edtBookTop1()->text(), u"12"_s);
        form.edtJourDays1()->clear(); // empty counts as 0
        QTest::mouseClick(form.OkBtn1(), Qt::LeftButton);

        QCOMPARE(calls, 1);
        QCOMPARE(form.result(), int(QDialog::Accepted));
        TReaderskindSet set;
        set.OpenAll();
        set.DataSet()->Last();
        const RReaderskind stored = set.AsData();
        QCOMPARE(stored.Id, 3);
        QCOMPARE(stored.Name, u"临时读者"_s);
        QCOMPARE(stored.BookTop, 12);
        QCOMPARE(stored.JourDays, 0);
        QCOMPARE(stored.BookDays, 15);
        QCOMPARE(form.Data().Id, 3); // the new Id is kept
    }

    void refusedOrFailingSaveKeepsItOpen()
    {
        TRecordingNotifier notifier;
        TReaderskindEditFrm form;
        bool answer = false;
        bool raise = false;
        form.SetOnSave([&](RReaderskind&) {
            if (raise)
                throw EDatabaseError(u"磁盘已满"_s, u"insert into readerskind"_s);
            return answer;
        });
        form.show();
        QTest::mouseClick(form.OkBtn1(), Qt::LeftButton);
        QVERIFY(form.isVisible());
        QVERIFY(notifier.Messages().isEmpty());

        raise = true;
        QTest::mouseClick(form.OkBtn1(), Qt::LeftButton);
        QVERIFY(form.isVisible());
        QCOMPARE(notifier.Messages().size(), 1);
        QCOMPARE(notifier.Messages().first().Kind, u"error"_s);
        QCOMPARE(notifier.LastText(), u"磁盘已满\r\ninsert into readerskind"_s);

        // cancel never saves
        raise = false;
        answer = true;
        QTest::mouseClick(form.CancelBtn1(), Qt::LeftButton);
        QCOMPARE(form.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(tst_ReaderskindEditFrm)
#include "tst_readerskindeditfrm.moc"
