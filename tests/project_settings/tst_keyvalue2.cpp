#include "data/Database.h"
#include "project/KeyValue2.h"
#include "support/RecordingNotifier.h"
#include "support/TestDatabase.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct TStoredRow
{
    bool Exists = false;
    QVariant Vstr, Vint, Vfloat, Vbool;
};

// What the table holds, read past the mirror.
TStoredRow stored(int keyId)
{
    QSqlQuery query = Database().Select(u"select Vstr, Vint, Vfloat, Vbool from keyvalue where KeyId=:KeyId"_s,
                                        {MakeParam(u"KeyId"_s, keyId)});
    TStoredRow row;
    if (query.next())
        row = {true, query.value(0), query.value(1), query.value(2), query.value(3)};
    return row;
}

// Another run of the program: a mirror read afresh from the table.
void restart()
{
    KeyValues().Close();
}

} // namespace

class TestKeyValue2 : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        KeyValues().Close();
        FineRates::SetBook(-1);
        FineRates::SetJournal(-1);
        m_notifier.Clear();
    }

    void finesLeaveSwitchesAlone_data()
    {
        QTest::addColumn<QString>("engine");
        TTestDatabase::AddEngineRows();
    }
    void finesLeaveSwitchesAlone()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        // a new database: feedback off, daily tips on
        QVERIFY(!KeyValues().FeedbackPrompt());
        QVERIFY(KeyValues().DailyTipPrompt());

        QVERIFY(KeyValues().SetFloat(TKeyValue2::BookFineKey, 1.0));
        QVERIFY(KeyValues().SetFloat(TKeyValue2::JourFineKey, 1.5));
        QVERIFY(!KeyValues().FeedbackPrompt());
        QVERIFY(KeyValues().DailyTipPrompt());
        restart();
        QVERIFY(!KeyValues().FeedbackPrompt());
        QVERIFY(KeyValues().DailyTipPrompt());
        QCOMPARE(KeyValues().GetFloat(TKeyValue2::BookFineKey), 1.0);
        QCOMPARE(KeyValues().GetFloat(TKeyValue2::JourFineKey), 1.5);
        QCOMPARE(stored(0).Vstr.toString(), QString());
        QCOMPARE(stored(0).Vint.toInt(), 0);
    }

    void switchesLeaveFinesAlone_data()
    {
        QTest::addColumn<QString>("engine");
        TTestDatabase::AddEngineRows();
    }
    void switchesLeaveFinesAlone()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        QVERIFY(KeyValues().SetFloat(TKeyValue2::BookFineKey, 1.25));

        QVERIFY(KeyValues().SetFeedbackPrompt(true));
        QVERIFY(KeyValues().SetDailyTipPrompt(false));
        QVERIFY(KeyValues().FeedbackPrompt());
        QVERIFY(!KeyValues().DailyTipPrompt());
        QCOMPARE(stored(0).Vfloat.toDouble(), 1.25);
        QCOMPARE(stored(1).Vfloat.toDouble(), 0.8);

        restart();
        KeyValues().LoadFineRates();
        QCOMPARE(FineRates::Book(), 1.25);
        QCOMPARE(FineRates::Journal(), 0.8);
        QVERIFY(KeyValues().FeedbackPrompt());
        QVERIFY(!KeyValues().DailyTipPrompt());
    }

    void missingRowIsCreated_data()
    {
        QTest::addColumn<QString>("engine");
        TTestDatabase::AddEngineRows();
    }
    void missingRowIsCreated()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        Database().Execute(u"delete from keyvalue"_s);

        QVERIFY(!KeyValues().DailyTipPrompt());
        const TStoredRow created = stored(1);
        QVERIFY(created.Exists);
        QVERIFY(created.Vbool.isNull());
        QVERIFY(created.Vfloat.isNull());
        QVERIFY(!stored(0).Exists);

        // a fine on a key that has no row yet
        QVERIFY(KeyValues().SetFloat(TKeyValue2::BookFineKey, 2.0));
        QCOMPARE(stored(0).Vfloat.toDouble(), 2.0);
        QVERIFY(stored(0).Vbool.isNull());
        QVERIFY(!KeyValues().FeedbackPrompt());
        QVERIFY(m_notifier.Messages().isEmpty());
    }

    void nullsReadAsNothing_data()
    {
        QTest::addColumn<QString>("engine");
        TTestDatabase::AddEngineRows();
    }
    void nullsReadAsNothing()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        Database().Execute(u"update keyvalue set Vstr=null, Vint=null, Vfloat=null, Vbool=null"_s);

        QVERIFY(!KeyValues().DailyTipPrompt());
        QVERIFY(!KeyValues().FeedbackPrompt());
        QCOMPARE(KeyValues().GetFloat(TKeyValue2::JourFineKey), 0.0);
        QVERIFY(KeyValues().SetDailyTipPrompt(true));
        QVERIFY(KeyValues().DailyTipPrompt());
        QVERIFY(stored(1).Vfloat.isNull());
    }

    // Which rates a run starts with: the stored ones, or the defaults where none was ever stored.
    void loadFineRates_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("change");
        QTest::addColumn<double>("book");
        QTest::addColumn<double>("journal");
        for (const QString& engine : TTestDatabase::Engines()) {
            const QByteArray e = engine.toUtf8();
            QTest::addRow("%s/saved", e.constData())
                << engine << u"update keyvalue set Vfloat=1.0+KeyId*0.5"_s << 1.0 << 1.5;
            QTest::addRow("%s/saved zero is no fine", e.constData())
                << engine << u"update keyvalue set Vfloat=0"_s << 0.0 << 0.0;
            QTest::addRow("%s/no rows", e.constData()) << engine << u"delete from keyvalue"_s << 0.5 << 0.8;
            QTest::addRow("%s/nulls", e.constData()) << engine << u"update keyvalue set Vfloat=null"_s << 0.5 << 0.8;
            QTest::addRow("%s/journal row missing", e.constData())
                << engine << u"delete from keyvalue where KeyId=1"_s << 0.5 << 0.8;
            QTest::addRow("%s/book null, journal saved", e.constData())
                << engine << u"update keyvalue set Vfloat=case when KeyId=0 then null else 2.5 end"_s << 0.5 << 2.5;
        }
    }
    void loadFineRates()
    {
        QFETCH(QString, engine);
        QFETCH(QString, change);
        QFETCH(double, book);
        QFETCH(double, journal);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        Database().Execute(change);
        const int rows = [] {
            QSqlQuery count = Database().Select(u"select count(*) from keyvalue"_s);
            return count.next() ? count.value(0).toInt() : -1;
        }();

        KeyValues().LoadFineRates();
        QCOMPARE(FineRates::Book(), book);
        QCOMPARE(FineRates::Journal(), journal);
        // loading only reads
        QSqlQuery count = Database().Select(u"select count(*) from keyvalue"_s);
        QVERIFY(count.next());
        QCOMPARE(count.value(0).toInt(), rows);
    }

    void rowDeletedElsewhereIsWrittenAgain_data()
    {
        QTest::addColumn<QString>("engine");
        TTestDatabase::AddEngineRows();
    }
    void rowDeletedElsewhereIsWrittenAgain()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        QVERIFY(KeyValues().DailyTipPrompt()); // the mirror now holds row 1
        Database().Execute(u"delete from keyvalue where KeyId=1"_s);

        // the update finds nothing, the insert writes the row
        QVERIFY(KeyValues().SetDailyTipPrompt(false));
        QVERIFY(stored(1).Exists);
        QCOMPARE(stored(1).Vbool.toBool(), false);
    }

    void writeRowWritesEveryValue_data()
    {
        QTest::addColumn<QString>("engine");
        TTestDatabase::AddEngineRows();
    }
    void writeRowWritesEveryValue()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        QVERIFY(!KeyValues().GetSwitch(5)); // creates row 5, mirror open

        QVERIFY(KeyValues().WriteRow(5, u"文字"_s, true, 2.5, 7));
        TStoredRow row = stored(5);
        QCOMPARE(row.Vstr.toString(), u"文字"_s);
        QCOMPARE(row.Vint.toInt(), 7);
        QCOMPARE(row.Vfloat.toDouble(), 2.5);
        QCOMPARE(row.Vbool.toBool(), true);
        QVERIFY(KeyValues().GetSwitch(5));
        QCOMPARE(KeyValues().GetFloat(5), 2.5);

        // a key with no row is inserted, and the mirror learns it without rereading
        QVERIFY(KeyValues().WriteRow(9, QString(), false, 4.0, 0));
        QVERIFY(stored(9).Exists);
        Database().Execute(u"update keyvalue set Vfloat=99 where KeyId=9"_s);
        QCOMPARE(KeyValues().GetFloat(9), 4.0);
    }

private:
    TRecordingNotifier m_notifier;
};

QTEST_GUILESS_MAIN(TestKeyValue2)
#include "tst_keyvalue2.moc"
