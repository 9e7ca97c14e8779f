#include "ReaderFixture.h"
#include "holdings/ReaderskindSet.h"
#include "support/TestDatabase.h"

#include <QtTest>

class tst_ReaderskindSet : public QObject
{
    Q_OBJECT

private slots:
    void defaultRecord()
    {
        const RReaderskind kind;
        QCOMPARE(kind.Id, 0);
        QCOMPARE(kind.Name, QString());
        QCOMPARE((QList<int>{kind.BookTop, kind.BookDays, kind.BookRelet, kind.JourTop, kind.JourDays, kind.JourRelet}),
                 (QList<int>{1, 15, 15, 1, 10, 10}));
    }

    void saveInsertsThenUpdates_data() { ReaderFixture::EngineRows(); }
    void saveInsertsThenUpdates()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        ReaderFixture::AddKind(7, u"教师"_s);

        RReaderskind kind;
        kind.Name = u"学生"_s;
        kind.BookTop = 5;
        QVERIFY(TReaderskindSet::Save(kind));
        QCOMPARE(kind.Id, 8); // highest + 1

        kind.Name = u"研究生"_s;
        kind.JourRelet = 20;
        QVERIFY(TReaderskindSet::Save(kind));

        TReaderskindSet set;
        set.OpenAll();
        QCOMPARE(set.DataSet()->RecordCount(), 2);
        set.DataSet()->Last();
        const RReaderskind read = set.AsData();
        QCOMPARE(read.Id, 8);
        QCOMPARE(read.Name, u"研究生"_s);
        QCOMPARE(read.BookTop, 5);
        QCOMPARE(read.BookDays, 15);
        QCOMPARE(read.JourRelet, 20);

        // a kind that is gone is not written
        RReaderskind gone;
        gone.Id = 99;
        QVERIFY(!TReaderskindSet::Save(gone));
        QCOMPARE(ReaderFixture::Count(u"select count(*) from readerskind"_s), 2);
    }

    void fieldsAndOrder_data() { ReaderFixture::EngineRows(); }
    void fieldsAndOrder()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        ReaderFixture::AddKind(3, u"临时"_s);
        ReaderFixture::AddKind(1, u"教师"_s);
        TReaderskindSet set;
        set.OpenAll();
        QCOMPARE(set.DataSet()->AsInteger(u"Id"_s), 1);
        QVERIFY(!set.DataSet()->FindField(u"Id"_s)->Visible);
        QStringList labels;
        for (const TField& f : set.DataSet()->Fields())
            if (f.Visible)
                labels.append(f.DisplayLabel);
        QCOMPARE(labels, (QStringList{u"名称"_s, u"图书限借本数"_s, u"图书限借天数"_s, u"图书续借天数"_s,
                                      u"期刊限借本数"_s, u"期刊限借天数"_s, u"期刊续借天数"_s}));

        // writing a record into the open row
        set.DataSet()->Edit();
        RReaderskind kind = set.AsData();
        kind.Name = u"老师"_s;
        set.SetAsData(kind);
        set.DataSet()->Post();
        QCOMPARE(set.AsData().Name, u"老师"_s);
    }

    void deleteLeavesReadersWithoutKind_data() { ReaderFixture::EngineRows(); }
    void deleteLeavesReadersWithoutKind()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        ReaderFixture::AddKind(1, u"教师"_s);
        ReaderFixture::TReaderRow row;
        row.KindId = 1;
        ReaderFixture::AddReader(row);

        QVERIFY(TReaderskindSet::Delete(1));
        QVERIFY(!TReaderskindSet::Delete(1));

        TReaderSet readers;
        readers.Search();
        const RReader reader = readers.AsData();
        QCOMPARE(reader.KindId, std::optional<int>(1)); // the dangling id stays
        QCOMPARE(reader.KindName, QString());
        QCOMPARE(reader.BookTop + reader.BookDays + reader.BookRelet + reader.JourTop + reader.JourDays +
                     reader.JourRelet,
                 0);
    }
};

QTEST_GUILESS_MAIN(tst_ReaderskindSet)
#include "tst_readerskindset.moc"
