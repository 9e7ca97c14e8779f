#include "WindowChecks.h"
#include "app/LwEdit.h"
#include "data/Database.h"
#include "project/KeyValue2.h"
#include "project/SysEditFrm.h"
#include "support/RecordingNotifier.h"
#include "support/TestDatabase.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QVariant storedValue(int keyId, const QString& column)
{
    QSqlQuery query =
        Database().Select(u"select %1 from keyvalue where KeyId=:KeyId"_s.arg(column), {MakeParam(u"KeyId"_s, keyId)});
    return query.next() ? query.value(0) : QVariant(u"<no row>"_s);
}

// Rebuilds keyvalue so that the database refuses any number of 100 or more.
void refuseLargeNumbers()
{
    TDatabase& db = Database();
    db.Execute(u"drop table keyvalue"_s);
    db.Execute(u"create table keyvalue (KeyId integer primary key, Vstr text, Vint integer, "
               u"Vfloat float check (Vfloat < 100), Vbool boolean)"_s);
    db.Execute(u"insert into keyvalue(KeyId, Vfloat, Vbool) values (0, 0.5, :Off)"_s, {MakeParam(u"Off"_s, false)});
    db.Execute(u"insert into keyvalue(KeyId, Vfloat, Vbool) values (1, 0.8, :On)"_s, {MakeParam(u"On"_s, true)});
}

} // namespace

class TestSysEditFrm : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        KeyValues().Close();
        FineRates::SetBook(FineRates::DefaultBook);
        FineRates::SetJournal(FineRates::DefaultJournal);
        m_notifier.Clear();
    }

    void showsRatesAndSwitches_data()
    {
        QTest::addColumn<QString>("engine");
        TTestDatabase::AddEngineRows();
    }
    void showsRatesAndSwitches()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        FineRates::SetBook(1.25);
        FineRates::SetJournal(0);

        TSysEditFrm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.objectName(), u"SysEditFrm"_s);
        QCOMPARE(form.windowTitle(), u"系统设置"_s);
        auto* pages = form.findChild<QTabWidget*>();
        QCOMPARE(pages->count(), 1);
        QCOMPARE(pages->tabText(0), u"其他参数"_s);
        QCOMPARE(form.edtBookFine1()->text(), u"1.25"_s);
        QCOMPARE(form.edtJourFine1()->text(), QString()); // a rate of 0 shows empty
        QCOMPARE(form.edtBookFine1()->EditType(), TlwEdit::etNumber);
        QCOMPARE(form.edtJourFine1()->EditType(), TlwEdit::etNumber);
        QVERIFY(form.chkDailyTip1()->isChecked());
        QVERIFY(!form.chkFeedback1()->isChecked());
        QCOMPARE(form.BitBtn1()->text(), u"保存"_s);
        QVERIFY(form.BitBtn1()->isDefault());
        QCOMPARE(form.BitBtn2()->text(), u"退出"_s);

        QStringList texts;
        for (QLabel* label : form.findChildren<QLabel*>())
            texts.append(label->text());
        QCOMPARE(texts, (QStringList{u"图书逾期罚款:"_s, u"元/天"_s, u"期刊逾期罚款:"_s, u"元/天"_s}));
        QCOMPARE(form.chkDailyTip1()->text(), u"启动时显示每日一贴"_s);
        QCOMPARE(form.chkFeedback1()->text(), u"退出系统时请显示此反馈表单"_s);
        QCOMPARE(WindowChecks::ClippedTexts(&form), QStringList());
    }

    void saveStoresRates_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("bookText");
        QTest::addColumn<QString>("journalText");
        QTest::addColumn<double>("book");
        QTest::addColumn<double>("journal");
        for (const QString& engine : TTestDatabase::Engines()) {
            const QByteArray e = engine.toUtf8();
            QTest::addRow("%s/typed", e.constData()) << engine << u"1.0"_s << u"1.5"_s << 1.0 << 1.5;
            QTest::addRow("%s/empty saves 0", e.constData()) << engine << QString() << u"0.05"_s << 0.0 << 0.05;
        }
    }
    void saveStoresRates()
    {
        QFETCH(QString, engine);
        QFETCH(QString, bookText);
        QFETCH(QString, journalText);
        QFETCH(double, book);
        QFETCH(double, journal);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));

        TSysEditFrm form;
        form.show();
        form.edtBookFine1()->clear();
        form.edtJourFine1()->clear();
        QTest::keyClicks(form.edtBookFine1(), bookText);
        QTest::keyClicks(form.edtJourFine1(), journalText);
        QTest::mouseClick(form.BitBtn1(), Qt::LeftButton);

        QCOMPARE(m_notifier.Messages().size(), 1);
        QCOMPARE(m_notifier.Messages().first().Kind, u"info"_s);
        QCOMPARE(m_notifier.LastText(), u"保存操作成功!"_s);
        QVERIFY(form.isVisible()); // the window stays open
        // the same run charges the new rates at once
        QCOMPARE(FineRates::Book(), book);
        QCOMPARE(FineRates::Journal(), journal);
        QCOMPARE(storedValue(0, u"Vfloat"_s).toDouble(), book);
        QCOMPARE(storedValue(1, u"Vfloat"_s).toDouble(), journal);
        // the prompt switches sharing the rows are as they were
        QCOMPARE(storedValue(0, u"Vbool"_s).toBool(), false);
        QCOMPARE(storedValue(1, u"Vbool"_s).toBool(), true);

        // the next run starts with what was saved
        KeyValues().Close();
        FineRates::SetBook(FineRates::DefaultBook);
        FineRates::SetJournal(FineRates::DefaultJournal);
        KeyValues().LoadFineRates();
        QCOMPARE(FineRates::Book(), book);
        QCOMPARE(FineRates::Journal(), journal);
    }

    void refusedFineIsNamed_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<double>("book");
        QTest::addColumn<double>("journal");
        QTest::addColumn<QString>("errors");
        QTest::addColumn<double>("bookAfter");
        QTest::addColumn<double>("journalAfter");
        for (const QString& engine : TTestDatabase::Engines()) {
            const QByteArray e = engine.toUtf8();
            QTest::addRow("%s/book refused", e.constData())
                << engine << 150.0 << 1.5 << u"\r\n图书逾期罚款参数保存失败!"_s << 0.5 << 1.5;
            QTest::addRow("%s/journal refused", e.constData())
                << engine << 2.0 << 300.0 << u"\r\n期刊逾期罚款参数保存失败!"_s << 2.0 << 0.8;
            QTest::addRow("%s/both refused", e.constData())
                << engine << 100.0 << 100.0 << u"\r\n图书逾期罚款参数保存失败!\r\n期刊逾期罚款参数保存失败!"_s << 0.5
                << 0.8;
        }
    }
    void refusedFineIsNamed()
    {
        QFETCH(QString, engine);
        QFETCH(double, book);
        QFETCH(double, journal);
        QFETCH(QString, errors);
        QFETCH(double, bookAfter);
        QFETCH(double, journalAfter);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        refuseLargeNumbers();

        TSysEditFrm form;
        form.edtBookFine1()->SetAsDouble(book);
        form.edtJourFine1()->SetAsDouble(journal);
        form.Save();

        QCOMPARE(m_notifier.Messages().size(), 1);
        QCOMPARE(m_notifier.Messages().first().Kind, u"error"_s);
        QCOMPARE(m_notifier.LastText(), errors);
        QCOMPARE(FineRates::Book(), bookAfter);
        QCOMPARE(FineRates::Journal(), journalAfter);
        QCOMPARE(storedValue(0, u"Vfloat"_s).toDouble(), bookAfter);
        QCOMPARE(storedValue(1, u"Vfloat"_s).toDouble(), journalAfter);
    }

    void unreadableFineStoresNothing_data()
    {
        QTest::addColumn<QString>("engine");
        TTestDatabase::AddEngineRows();
    }
    void unreadableFineStoresNothing()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));

        TSysEditFrm form;
        form.show();
        form.edtBookFine1()->SetAsDouble(2.0);
        form.edtJourFine1()->setText(u"1.2.3"_s); // pasted past the key filter
        form.Save();

        QCOMPARE(m_notifier.LastText(), u"\"1.2.3\" 不是有效的数字."_s);
        QCOMPARE(FineRates::Book(), 0.5);
        QCOMPARE(storedValue(0, u"Vfloat"_s).toDouble(), 0.5);
    }

    void switchIsStoredWhenTicked_data()
    {
        QTest::addColumn<QString>("engine");
        TTestDatabase::AddEngineRows();
    }
    void switchIsStoredWhenTicked()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        Database().Execute(u"update keyvalue set Vfloat=2.5 where KeyId=0"_s);

        TSysEditFrm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::mouseClick(form.chkFeedback1(), Qt::LeftButton, {}, QPoint(8, form.chkFeedback1()->height() / 2));
        QTest::mouseClick(form.chkDailyTip1(), Qt::LeftButton, {}, QPoint(8, form.chkDailyTip1()->height() / 2));

        QCOMPARE(storedValue(0, u"Vbool"_s).toBool(), true);
        QCOMPARE(storedValue(1, u"Vbool"_s).toBool(), false);
        QCOMPARE(storedValue(0, u"Vfloat"_s).toDouble(), 2.5);
        QVERIFY(KeyValues().FeedbackPrompt());
        QVERIFY(!KeyValues().DailyTipPrompt());
        QVERIFY(m_notifier.Messages().isEmpty());
    }

    void refusedSwitchShowsWhatIsStored_data()
    {
        QTest::addColumn<QString>("engine");
        TTestDatabase::AddEngineRows();
    }
    void refusedSwitchShowsWhatIsStored()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));

        TSysEditFrm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        Database().Execute(u"drop table keyvalue"_s);
        QTest::mouseClick(form.chkFeedback1(), Qt::LeftButton, {}, QPoint(8, form.chkFeedback1()->height() / 2));

        QVERIFY(!form.chkFeedback1()->isChecked());
        QVERIFY(!m_notifier.Messages().isEmpty());
    }

    void exitCloses()
    {
        QVERIFY(TTestDatabase::OpenWithSchema(TTestDatabase::SQLite));
        TSysEditFrm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::mouseClick(form.BitBtn2(), Qt::LeftButton);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Rejected));
    }

private:
    TRecordingNotifier m_notifier;
};

QTEST_MAIN(TestSysEditFrm)
#include "tst_syseditfrm.moc"
