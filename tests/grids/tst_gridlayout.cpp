#include "data/Database.h"
#include "grids/GridLayout.h"
#include "grids/SortText.h"
#include "grids/SyscolsSet.h"
#include "support/RecordingNotifier.h"
#include "support/TestDatabase.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

TGridColumns abc()
{
    return {{u"A"_s, u"甲"_s, 64, true}, {u"B"_s, u"乙"_s, 64, true}, {u"C"_s, u"丙"_s, 64, true}};
}

int storedRows(int id)
{
    QSqlQuery query = Database().Select(u"select count(*) from syscols where F02=:Id"_s, {MakeParam(u"Id"_s, id)});
    return query.next() ? query.value(0).toInt() : -1;
}

} // namespace

class TestGridLayout : public QObject
{
    Q_OBJECT

private slots:
    // Columns A, B, C, each visible and 64 wide, given a stored text; the result is shown as the
    // layout text it leaves, which names order, visibility and width at once.
    void apply_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("complete");
        const QString untouched = u"A=True64\r\nB=True64\r\nC=True64\r\n"_s;
        QTest::newRow("empty text") << QString() << untouched << true;
        QTest::newRow("two lines reorder and hide")
            << u"B=True80\r\nA=False40\r\n"_s << u"B=True80\r\nA=False40\r\nC=True64\r\n"_s << true;
        QTest::newRow("line feeds only") << u"B=True80\nA=False40"_s << u"B=True80\r\nA=False40\r\nC=True64\r\n"_s
                                         << true;
        // names match without case for the values, but only exactly for the order
        QTest::newRow("name case") << u"c=True70\r\nA=True10\r\n"_s << u"B=True64\r\nA=True10\r\nC=True70\r\n"_s
                                   << true;
        // "True" is looked for as written; both words are stripped in any case
        QTest::newRow("lower-case true hides")
            << u"A=true50\r\n"_s << u"A=False50\r\nB=True64\r\nC=True64\r\n"_s << true;
        QTest::newRow("width not a number")
            << u"C=True50\r\nB=Falsexyz\r\nA=True30\r\n"_s << u"A=True30\r\nB=False64\r\nC=True64\r\n"_s << false;
        QTest::newRow("letters only") << u"B=abc\r\nC=True9\r\n"_s << u"A=True64\r\nB=False64\r\nC=True64\r\n"_s
                                      << false;
        QTest::newRow("no width") << u"A=True\r\n"_s << untouched << false;
        QTest::newRow("negative width") << u"A=False-5\r\n"_s << u"A=False64\r\nB=True64\r\nC=True64\r\n"_s << false;
        QTest::newRow("huge width") << u"A=True999999\r\n"_s << u"A=True4000\r\nB=True64\r\nC=True64\r\n"_s << true;
        QTest::newRow("more lines than columns")
            << u"X=True1\r\nY=True1\r\nZ=True1\r\nA=True20\r\n"_s << u"B=True64\r\nC=True64\r\nA=True20\r\n"_s << true;
        QTest::newRow("first line of a name counts")
            << u"A=True10\r\nA=False20\r\n"_s << u"A=True10\r\nB=True64\r\nC=True64\r\n"_s << true;
        QTest::newRow("garbage") << u"\x01\x02==\r\n=True5\r\nnonsense\r\n\r\n"_s << untouched << true;
        QTest::newRow("empty value skipped")
            << u"A=\r\nB=False12\r\n"_s << u"A=True64\r\nB=False12\r\nC=True64\r\n"_s << true;
    }
    void apply()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QFETCH(bool, complete);
        TGridColumns columns = abc();
        QCOMPARE(TGridLayout::Apply(columns, text), complete);
        QCOMPARE(TGridLayout::Text(columns), expected);
        // titles travel with their columns
        for (const TGridColumn& column : std::as_const(columns))
            QCOMPARE(column.Title, abc().at(column.FieldName.at(0).unicode() - u'A').Title);
    }

    void textRoundTrip()
    {
        TGridColumns columns = {{u"Title"_s, u"书名"_s, 120, true}, {u"Price"_s, u"价格"_s, 0, false}};
        const QString text = TGridLayout::Text(columns);
        QCOMPARE(text, u"Title=True120\r\nPrice=False0\r\n"_s);
        TGridColumns other = {{u"Price"_s, u"价格"_s, 64, true}, {u"Title"_s, u"书名"_s, 64, true}};
        QVERIFY(TGridLayout::Apply(other, text));
        QCOMPARE(TGridLayout::Text(other), text);
    }

    void markers_data()
    {
        QTest::addColumn<QStringList>("marks"); // field, "+" ascending or "-" descending
        QTest::addColumn<QString>("expected");
        QTest::newRow("none") << QStringList() << QString();
        QTest::newRow("one ascending") << QStringList{u"A+"_s} << u"A"_s;
        QTest::newRow("one descending") << QStringList{u"A-"_s} << u"A DESC "_s;
        QTest::newRow("ascending then descending") << QStringList{u"A+"_s, u"B-"_s} << u"A, B DESC "_s;
        QTest::newRow("descending then ascending") << QStringList{u"B-"_s, u"A+"_s} << u"B DESC , A"_s;
        QTest::newRow("three") << QStringList{u"A+"_s, u"B+"_s, u"C-"_s} << u"A, B, C DESC "_s;
    }
    void markers()
    {
        QFETCH(QStringList, marks);
        QFETCH(QString, expected);
        RSortItems items;
        for (const QString& mark : std::as_const(marks))
            items.append({mark.chopped(1), mark.endsWith(u'-')});
        QCOMPARE(TSortText::FromMarkers(items), expected);
    }

    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected"); // field, "+" or "-"
        QTest::newRow("dialog form") << u"Title ASC,Price DESC"_s << QStringList{u"Title+"_s, u"Price-"_s};
        QTest::newRow("title-click form") << u"A, B DESC "_s << QStringList{u"A+"_s, u"B-"_s};
        QTest::newRow("title-click descending first") << u"B DESC , A"_s << QStringList{u"B-"_s, u"A+"_s};
        QTest::newRow("lower-case direction") << u"a desc"_s << QStringList{u"a-"_s};
        QTest::newRow("empty") << QString() << QStringList();
        QTest::newRow("stray commas") << u" , A ,, "_s << QStringList{u"A+"_s};
        QTest::newRow("quoted name") << u"\"My Field\" DESC,'x, y'"_s << QStringList{u"My Field-"_s, u"x, y+"_s};
        QTest::newRow("direction alone") << u"DESC"_s << QStringList();
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        QStringList got;
        for (const RSortItem& item : TSortText::Parse(text))
            got.append(item.Field + (item.Descending ? u"-"_s : u"+"_s));
        QCOMPARE(got, expected);
    }

    void joinReadsBack()
    {
        const RSortItems items = {{u"Title"_s, false}, {u"Price"_s, true}};
        QCOMPARE(TSortText::Join(items), u"Title ASC,Price DESC"_s);
        QCOMPARE(TSortText::Join(TSortText::Parse(TSortText::FromMarkers(items))), u"Title ASC,Price DESC"_s);
    }

    void storeUpdatesOrInserts_data()
    {
        QTest::addColumn<QString>("engine");
        TTestDatabase::AddEngineRows();
    }
    void storeUpdatesOrInserts()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        bool found = true;
        QCOMPARE(TSyscolsSet::Load(1003, &found), QString());
        QVERIFY(!found);

        const QString first = u"Code=True80\r\nName=False120\r\n"_s;
        QVERIFY(TSyscolsSet::Store(1003, first));
        QCOMPARE(storedRows(1003), 1);
        QCOMPARE(TSyscolsSet::Load(1003, &found), first);
        QVERIFY(found);

        // a second store of the same id replaces the text in its one row
        const QString second = u"书名=True200\r\nCode=True80\r\n"_s;
        QVERIFY(TSyscolsSet::Store(1003, second));
        QCOMPARE(storedRows(1003), 1);
        QCOMPARE(TSyscolsSet::Load(1003), second);

        QVERIFY(TSyscolsSet::Store(1004, first));
        QCOMPARE(storedRows(1004), 1);
        QCOMPARE(TSyscolsSet::Load(1003), second);
        QCOMPARE(TSyscolsSet::Load(1004), first);
    }
};

QTEST_GUILESS_MAIN(TestGridLayout)
#include "tst_gridlayout.moc"
