#include "app/LwEdit.h"
#include "data/Database.h"
#include "data/LwDataSet.h"
#include "grids/LwGridcx.h"
#include "holdings/InfoListFrm.h"
#include "holdings/InfoLists.h"
#include "holdings/ReaderskindEditFrm.h"
#include "support/RecordingNotifier.h"
#include "support/TestDatabase.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

int count(const QString& sql)
{
    QSqlQuery query = Database().Select(sql);
    return query.next() ? query.value(0).toInt() : -1;
}

// Runs `act` on the next modal dialog of type T once it is up.
template <typename T>
void onModal(std::function<void(T*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(dialog);
        }
    });
    timer->start();
}

} // namespace

class TestInfoListFrm : public QObject
{
    Q_OBJECT

private slots:
    void readerKindsAddEditDelete_data() { QTest::addColumn<QString>("engine"); TTestDatabase::AddEngineRows(); }
    void readerKindsAddEditDelete()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        TRecordingNotifier notes;
        notes.SetConfirmAnswer(true);
        const int before = count(u"select count(*) from readerskind"_s);
        TInfoListFrm window(std::make_unique<TReaderskindList>(), u"读者类别"_s, 1005);
        TLwDataSet* rows = window.List()->DataSet();
        QCOMPARE(rows->RecordCount(), before);

        onModal<TReaderskindEditFrm>([](TReaderskindEditFrm* dialog) {
            dialog->edtName1()->setText(u"教师"_s);
            dialog->edtBookTop1()->setText(u"10"_s);
            dialog->accept();
        });
        window.List()->Add(&window);
        QCOMPARE(rows->RecordCount(), before + 1);
        QCOMPARE(rows->AsString(u"Name"_s), u"教师"_s);
        QCOMPARE(count(u"select count(*) from readerskind where Name='教师' and BookTop=10"_s), 1);

        // edited in place, not appended
        onModal<TReaderskindEditFrm>([](TReaderskindEditFrm* dialog) {
            QCOMPARE(dialog->edtName1()->text(), u"教师"_s);
            dialog->edtName1()->setText(u"教职工"_s);
            dialog->accept();
        });
        window.List()->Edit(&window);
        QCOMPARE(rows->RecordCount(), before + 1);
        QCOMPARE(rows->AsString(u"Name"_s), u"教职工"_s);
        QCOMPARE(count(u"select count(*) from readerskind where Name='教职工'"_s), 1);

        window.List()->Delete(&window);
        QCOMPARE(notes.LastText(), u"\r\n确定要删除记录吗?\t"_s);
        QCOMPARE(rows->RecordCount(), before);
        QCOMPARE(count(u"select count(*) from readerskind where Name='教职工'"_s), 0);

        // reader kinds are typed in, never imported
        QVERIFY(!window.List()->Import(&window));
        QCOMPARE(notes.LastText(), u"不支持数据导入功能, 请添加录入"_s);
    }

    void deleteAsksOnlyWhenThereIsARow_data() { QTest::addColumn<QString>("engine"); TTestDatabase::AddEngineRows(); }
    void deleteAsksOnlyWhenThereIsARow()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        TRecordingNotifier notes;
        TInfoListFrm window(std::make_unique<TPublisherList>(), u"出版社"_s, 1030);
        QCOMPARE(window.List()->DataSet()->RecordCount(), 0);
        window.List()->Delete(&window);
        QVERIFY(notes.Messages().isEmpty());
        QCOMPARE(window.windowTitle(), u"出版社"_s);
    }
};

QTEST_MAIN(TestInfoListFrm)
#include "tst_infolistfrm.moc"
