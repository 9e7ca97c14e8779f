#include "app/DesktopArrangement.h"
#include "data/Database.h"
#include "support/TestDatabase.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestArrangement : public QObject
{
    Q_OBJECT

private slots:
    void readsStoredPositions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QPoint>("loan");
        QTest::addColumn<QPoint>("ret");
        const QPoint home(10, 10);
        QTest::newRow("nothing stored") << QString() << home << home;
        QTest::newRow("both stored") << u"LoanAction1=120,40\r\nReturnEditAction1=200,40"_s << QPoint(120, 40)
                                     << QPoint(200, 40);
        QTest::newRow("one missing") << u"ReturnEditAction1=5,6"_s << home << QPoint(5, 6);
        QTest::newRow("never saved") << u"LoanAction1=0,0\r\nReturnEditAction1=0,7"_s << home << QPoint(0, 7);
        QTest::newRow("no comma") << u"LoanAction1=120"_s << home << home;
        QTest::newRow("not whole numbers") << u"LoanAction1=12.5,3\r\nReturnEditAction1=a,b"_s << home << home;
        QTest::newRow("bare line feeds") << u"LoanAction1=1,2\nReturnEditAction1=3,4\n"_s << QPoint(1, 2)
                                         << QPoint(3, 4);
        QTest::newRow("garbage") << u"\u0000=;==,\r\n=5,5"_s << home << home;
        QTest::newRow("negative") << u"LoanAction1=-20,15"_s << QPoint(-20, 15) << home;
    }
    void readsStoredPositions()
    {
        QFETCH(QString, text);
        QFETCH(QPoint, loan);
        QFETCH(QPoint, ret);
        const auto arrangement =
            TDesktopArrangement::FromText({u"LoanAction1"_s, u"ReturnEditAction1"_s}, text);
        QCOMPARE(arrangement.Position(u"LoanAction1"_s), loan);
        QCOMPARE(arrangement.Position(u"ReturnEditAction1"_s), ret);
    }

    void writesOneLinePerAction()
    {
        auto arrangement = TDesktopArrangement::FromText({u"LoanAction1"_s, u"ReturnEditAction1"_s}, QString());
        arrangement.SetPosition(u"LoanAction1"_s, {120, 40});
        arrangement.SetPosition(u"Unknown"_s, {1, 1});
        QCOMPARE(arrangement.ToText(), u"LoanAction1=120,40\r\nReturnEditAction1=10,10"_s);
    }

    void keptPerOperator_data() { QTest::addColumn<QString>("engine"); TTestDatabase::AddEngineRows(); }
    void keptPerOperator()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        Database().Execute(u"insert into operator (LoginId, Password, Name, Rights) values ('lib1', '', 'A', '')"_s);
        const QStringList actions{u"LoanAction1"_s, u"ReturnEditAction1"_s};
        auto mine = TDesktopArrangement::Load(actions, u"lib1"_s);
        QCOMPARE(mine.Position(u"LoanAction1"_s), QPoint(10, 10));
        mine.SetPosition(u"LoanAction1"_s, {300, 90});
        mine.Save(u"lib1"_s);
        QCOMPARE(TDesktopArrangement::Load(actions, u"lib1"_s).Position(u"LoanAction1"_s), QPoint(300, 90));
        // another operator keeps his own
        QCOMPARE(TDesktopArrangement::Load(actions, u"sa"_s).Position(u"LoanAction1"_s), QPoint(10, 10));
        // an unknown operator reads as nothing stored
        QCOMPARE(TDesktopArrangement::Load(actions, u"nobody"_s).Position(u"ReturnEditAction1"_s), QPoint(10, 10));
    }
};

QTEST_GUILESS_MAIN(TestArrangement)
#include "tst_arrangement.moc"
