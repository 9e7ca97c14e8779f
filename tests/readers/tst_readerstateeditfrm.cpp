#include "ReaderFixture.h"
#include "app/LwComboBox.h"
#include "app/LwLabel.h"
#include "holdings/ReaderStateEditFrm.h"
#include "support/RecordingNotifier.h"

#include <QPushButton>
#include <QToolButton>
#include <QtTest>

namespace {

RReader readerOne()
{
    TReaderSet set;
    set.Where().SetCondition(u"Id"_s, 1);
    set.Search();
    return set.AsData();
}

void addLoan(int id, bool book)
{
    Database().Execute(u"insert into loans(Id, ReaderId, BookId, JourId) values(:Id, 1, :BookId, :JourId)"_s,
                       {MakeParam(u"Id"_s, id), MakeParam(u"BookId"_s, book ? QVariant(id) : QVariant()),
                        MakeParam(u"JourId"_s, book ? QVariant() : QVariant(id))});
}

} // namespace

class tst_ReaderStateEditFrm : public QObject
{
    Q_OBJECT

private slots:
    void withoutReaderEveryOperationFails_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<int>("op");
        QTest::addColumn<QString>("text");
        for (const QString& e : TTestDatabase::Engines()) {
            QTest::addRow("%s none chosen", qPrintable(e)) << e << -1 << u"\r\n无效的状态操作口令"_s;
            QTest::addRow("%s lost", qPrintable(e)) << e << 0 << u"\r\n挂失操作失败, 没有找到该读者资料或刷新重试!"_s;
            QTest::addRow("%s release", qPrintable(e))
                << e << 1 << u"\r\n解除挂失失败, 没有找到读者资料或不在挂失状态!"_s;
            QTest::addRow("%s disable", qPrintable(e))
                << e << 2 << u"\r\n停用操作失败, 没有找到该读者资料或刷新重试!"_s;
            QTest::addRow("%s enable", qPrintable(e))
                << e << 3 << u"\r\n启用操作失败, 没有找到读者资料或者不在停用状态!"_s;
        }
    }
    void withoutReaderEveryOperationFails()
    {
        QFETCH(QString, engine);
        QFETCH(int, op);
        QFETCH(QString, text);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        TRecordingNotifier notifier;
        TReaderStateEditFrm form;
        form.show();
        QCOMPARE(form.windowTitle(), u"读者状态设置"_s);
        QCOMPARE(form.txtLoaning1()->text(), u"未还图书 0 本, 未还期刊 0 本"_s);
        QCOMPARE(form.cbxState1()->count(), 4);
        QCOMPARE(form.cbxState1()->currentIndex(), -1);
        form.cbxState1()->setCurrentIndex(op);
        QTest::mouseClick(form.OkBtn1(), Qt::LeftButton);
        QVERIFY(form.isVisible());
        QCOMPARE(notifier.Messages().size(), 1);
        QCOMPARE(notifier.Messages().first().Kind, u"error"_s);
        QCOMPARE(notifier.LastText(), text);
    }

    void pickedReaderChangesState_data() { ReaderFixture::EngineRows(); }
    void pickedReaderChangesState()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        ReaderFixture::TReaderRow row;
        row.Deposit = 12.5;
        row.Dept = u"一班"_s;
        ReaderFixture::AddReader(row);
        addLoan(1, true);
        addLoan(2, true);
        addLoan(3, false);

        TRecordingNotifier notifier;
        TReaderStateEditFrm form;
        int picks = 0;
        form.SetOnPickReader([&](RReader& reader) {
            ++picks;
            reader = readerOne();
            return true;
        });
        form.show();
        QTest::mouseClick(form.btnPick1(), Qt::LeftButton);
        QCOMPARE(picks, 1);
        QCOMPARE(form.txtCode1()->text(), u"R001"_s);
        QCOMPARE(form.txtName1()->text(), u"张三"_s);
        QCOMPARE(form.txtSex1()->text(), u"男"_s);
        QCOMPARE(form.txtDept1()->text(), u"一班"_s);
        QCOMPARE(form.txtState1()->text(), u"正常"_s);
        QVERIFY(form.txtState1()->font().bold());
        QCOMPARE(form.txtDeposit1()->text(), u"12.50"_s);
        QCOMPARE(form.txtLoaning1()->text(), u"未还图书 2 本, 未还期刊 1 本"_s);
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.grab().save(u"/tmp/helper-f-readerstateeditfrm.png"_s);

        // releasing a reader who is not lost is refused, and the window stays
        form.cbxState1()->setCurrentIndex(1);
        QTest::mouseClick(form.OkBtn1(), Qt::LeftButton);
        QVERIFY(form.isVisible());
        QCOMPARE(notifier.LastText(), u"\r\n解除挂失失败, 没有找到读者资料或不在挂失状态!"_s);
        QCOMPARE(ReaderFixture::ReaderValue(1, u"StateId"_s).toInt(), 1);

        notifier.Clear();
        form.cbxState1()->setCurrentIndex(0);
        QTest::mouseClick(form.OkBtn1(), Qt::LeftButton);
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(notifier.Messages().size(), 1);
        QCOMPARE(notifier.Messages().first().Kind, u"info"_s);
        QCOMPARE(notifier.LastText(), u"操作成功, 张三 的读者状态已挂失"_s);
        QCOMPARE(ReaderFixture::ReaderValue(1, u"StateId"_s).toInt(), 2);
    }
};

QTEST_MAIN(tst_ReaderStateEditFrm)
#include "tst_readerstateeditfrm.moc"
