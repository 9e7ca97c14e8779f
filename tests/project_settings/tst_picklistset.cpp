#include "data/Database.h"
#include "project/PickListSet.h"
#include "support/RecordingNotifier.h"
#include "support/TestDatabase.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A long list of the kind that grows when query values are remembered: plain items mixed with
// items that need quoting.
QStringList longList()
{
    QStringList items;
    for (int i = 0; i < 5000; ++i) {
        switch (i % 5) {
        case 0:
            items.append(u"项目%1"_s.arg(i));
            break;
        case 1:
            items.append(u"第 %1 号"_s.arg(i));
            break;
        case 2:
            items.append(u"\"%1\",号"_s.arg(i));
            break;
        case 3:
            items.append(QString());
            break;
        default:
            items.append(QString::number(i * 0.5));
        }
    }
    return items;
}

QString storedList(int key)
{
    QSqlQuery query = Database().Select(u"select List from options where Key=:Key"_s, {MakeParam(u"Key"_s, key)});
    return query.next() ? query.value(0).toString() : u"<no row>"_s;
}

int rowsOf(int key)
{
    QSqlQuery query = Database().Select(u"select count(*) from options where Key=:Key"_s, {MakeParam(u"Key"_s, key)});
    return query.next() ? query.value(0).toInt() : -1;
}

} // namespace

class TestPickListSet : public QObject
{
    Q_OBJECT

private slots:
    void commaTextRoundTrip_data()
    {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << QStringList{u"16开"_s, u"32开"_s, u"A4"_s} << u"16开,32开,A4"_s;
        QTest::newRow("item with a space is quoted") << QStringList{u"一楼"_s, u"二 楼"_s} << u"一楼,\"二 楼\""_s;
        QTest::newRow("item with a comma is quoted") << QStringList{u"甲,乙"_s, u"丙"_s} << u"\"甲,乙\",丙"_s;
        QTest::newRow("inner quotes are doubled")
            << QStringList{u"他说\"好\""_s, u"\""_s} << u"\"他说\"\"好\"\"\",\"\"\"\""_s;
        QTest::newRow("leading and trailing spaces kept") << QStringList{u" 前"_s, u"后 "_s} << u"\" 前\",\"后 \""_s;
        QTest::newRow("tab is quoted") << QStringList{u"a\tb"_s} << u"\"a\tb\""_s;
        QTest::newRow("empty item inside") << QStringList{u"a"_s, QString(), u"b"_s} << u"a,,b"_s;
        QTest::newRow("empty first and last items") << QStringList{QString(), u"a"_s, QString()} << u",a,"_s;
        QTest::newRow("two empty items") << QStringList{QString(), QString()} << u","_s;
        QTest::newRow("one empty item") << QStringList{QString()} << u"\"\""_s;
        QTest::newRow("no items") << QStringList{} << QString();
        QTest::newRow("full-width comma is no delimiter") << QStringList{u"甲，乙"_s} << u"甲，乙"_s;
    }
    void commaTextRoundTrip()
    {
        QFETCH(QStringList, items);
        QFETCH(QString, text);
        QCOMPARE(TPickListSet::CommaText(items), text);
        QCOMPARE(TPickListSet::CommaTextItems(text), items);
    }

    void commaTextReading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("unquoted spaces separate") << u"一楼 二楼"_s << QStringList{u"一楼"_s, u"二楼"_s};
        QTest::newRow("spaces around commas") << u" a ,  b "_s << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("quoted with spaces around") << u"  \"x y\" , z"_s << QStringList{u"x y"_s, u"z"_s};
        QTest::newRow("unclosed quote takes the rest") << u"a,\"b, c"_s << QStringList{u"a"_s, u"b, c"_s};
        QTest::newRow("only blanks") << u"   "_s << QStringList{};
        QTest::newRow("text after a closing quote") << u"\"ab\"cd"_s << QStringList{u"ab"_s, u"cd"_s};
    }
    void commaTextReading()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, items);
        QCOMPARE(TPickListSet::CommaTextItems(text), items);
    }

    void longListRoundTripsInText()
    {
        const QStringList items = longList();
        QCOMPARE(TPickListSet::CommaTextItems(TPickListSet::CommaText(items)), items);
    }

    void init() { m_notifier.Clear(); }

    void saveAndLoad_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QStringList>("items");
        for (const QString& engine : TTestDatabase::Engines()) {
            const QByteArray e = engine.toUtf8();
            QTest::addRow("%s/space", e.constData()) << engine << QStringList{u"一楼"_s, u"二 楼"_s};
            QTest::addRow("%s/quotes, commas, empty", e.constData())
                << engine << QStringList{u"\"引号\""_s, u"a,b"_s, QString(), u"'单引号'"_s, QString()};
            QTest::addRow("%s/5000 items", e.constData()) << engine << longList();
        }
    }
    void saveAndLoad()
    {
        QFETCH(QString, engine);
        QFETCH(QStringList, items);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));

        QVERIFY(TPickListSet::SaveItems(3, items));
        QCOMPARE(storedList(3), TPickListSet::CommaText(items));
        QStringList loaded{u"stale"_s};
        QVERIFY(TPickListSet::LoadItems(3, loaded));
        QCOMPARE(loaded, items);
        QCOMPARE(rowsOf(3), 1);
        QVERIFY(m_notifier.Messages().isEmpty());
    }

    void saveCreatesMissingList_data()
    {
        QTest::addColumn<QString>("engine");
        TTestDatabase::AddEngineRows();
    }
    void saveCreatesMissingList()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));

        QString list = u"stale"_s;
        QVERIFY(!TPickListSet::LoadList(6, list));
        QVERIFY(list.isEmpty());

        // the update finds no row, so the insert makes it
        QVERIFY(TPickListSet::SaveList(6, u"7,15,30"_s));
        QCOMPARE(rowsOf(6), 1);
        QSqlQuery label = Database().Select(u"select Label from options where Key=6"_s);
        QVERIFY(label.next());
        QCOMPARE(label.value(0).toString(), u" "_s);

        // the second save updates the same row
        QVERIFY(TPickListSet::SaveList(6, u"7,15,30,60"_s));
        QCOMPARE(rowsOf(6), 1);
        QVERIFY(TPickListSet::LoadList(6, list));
        QCOMPARE(list, u"7,15,30,60"_s);
    }

    void nullListLoadsEmpty_data()
    {
        QTest::addColumn<QString>("engine");
        TTestDatabase::AddEngineRows();
    }
    void nullListLoadsEmpty()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        Database().Execute(u"update options set List=null where Key=0"_s);

        QStringList items{u"stale"_s};
        QVERIFY(TPickListSet::LoadItems(0, items));
        QVERIFY(items.isEmpty());
        // the other lists are untouched
        QVERIFY(TPickListSet::LoadItems(1, items));
        QCOMPARE(items, (QStringList{u"平装"_s, u"精装"_s, u"线装"_s}));
    }

private:
    TRecordingNotifier m_notifier;
};

QTEST_GUILESS_MAIN(TestPickListSet)
#include "tst_picklistset.moc"
