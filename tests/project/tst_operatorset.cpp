#include "data/Database.h"
#include "data/DbError.h"
#include "project/Operator.h"
#include "project/OperatorSet.h"
#include "project/PasswordHash.h"
#include "support/RecordingNotifier.h"
#include "support/TestDatabase.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// One operator row as "LoginId|Name|Contact|Note|Rights", the password checked apart.
QString tableRow(const QString& login)
{
    QSqlQuery query =
        Database().Select(u"select LoginId,Name,Contact,Note,Rights from operator where LoginId=:LoginId"_s,
                          {MakeParam(u"LoginId"_s, login)});
    if (!query.next())
        return u"<no row>"_s;
    QStringList cells;
    for (int i = 0; i < 5; ++i)
        cells.append(query.value(i).toString());
    return cells.join(u'|');
}

QString openRow(const TOperatorSet& set)
{
    const TLwDataSet* ds = set.DataSet();
    return QStringList{ds->AsString(u"LoginId"_s), ds->AsString(u"Name"_s), ds->AsString(u"Contact"_s),
                       ds->AsString(u"Note"_s), ds->AsString(u"Rights"_s)}
        .join(u'|');
}

int operatorCount()
{
    QSqlQuery query = Database().Select(u"select count(*) from operator"_s);
    return query.next() ? query.value(0).toInt() : -1;
}

bool passwordIs(const QString& login, const QString& text)
{
    TOperator op;
    return op.LoadByLoginId(login) && op.CheckPassword(text);
}

} // namespace

class tst_OperatorSet : public QObject
{
    Q_OBJECT

private slots:
    void opensEveryoneButSa_data() { engines(); }
    void opensEveryoneButSa()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        QCOMPARE(TOperatorSet::ListLoginIds(), QString());
        for (const QString& login : {u"张三"_s, u"bob"_s, u"Carol"_s})
            Database().Execute(u"insert into operator(LoginId,Password,Rights) values(:LoginId,'','')"_s,
                               {MakeParam(u"LoginId"_s, login)});

        TOperatorSet set;
        QCOMPARE(set.DataSet()->RecordCount(), 3);
        QVERIFY(!set.DataSet()->Locate(u"LoginId"_s, u"sa"_s));
        QCOMPARE(set.UserIdField().Name, u"LoginId"_s);
        QCOMPARE(set.UserIdField().DisplayLabel, u"登陆名"_s);
        QCOMPARE(set.PasswdField().DisplayLabel, u"密码"_s);
        QCOMPARE(set.NameField().DisplayLabel, u"姓名"_s);
        QCOMPARE(set.ContactField().DisplayLabel, u"联系方式"_s);
        QCOMPARE(set.NoteField().DisplayLabel, u"备注"_s);
        QCOMPARE(set.RightsField().DisplayLabel, u"权限"_s);
        QCOMPARE(set.RightsField().Type, TFieldType::Memo);

        // one name a line, no line break after the last
        const QStringList names = TOperatorSet::ListLoginIds().split(u"\r\n"_s);
        QCOMPARE(names.size(), 3);
        QVERIFY(!names.contains(u"sa"_s));
        QVERIFY(names.contains(u"张三"_s) && names.contains(u"bob"_s) && names.contains(u"Carol"_s));
    }

    void addOperator_data() { engines(); }
    void addOperator()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        TOperatorSet set;
        QVERIFY(set.AddOperator(u"bob"_s, u"pw"_s, u",10002,,10004,"_s, u"夜班"_s, u"电话"_s, u"鲍勃"_s));
        QCOMPARE(tableRow(u"bob"_s), u"bob|鲍勃|电话|夜班|,10002,,10004,"_s);
        QVERIFY(passwordIs(u"bob"_s, u"pw"_s));

        QCOMPARE(set.DataSet()->RecordCount(), 1);
        QVERIFY(set.DataSet()->Locate(u"LoginId"_s, u"bob"_s));
        QCOMPARE(openRow(set), u"bob|鲍勃|电话|夜班|,10002,,10004,"_s);
        QVERIFY(TPasswordHash::Verify(set.DataSet()->AsString(u"Password"_s), u"pw"_s));

        // an operator without a password keeps the column empty
        QVERIFY(set.AddOperator(u"carol"_s, QString(), QString(), QString(), QString(), QString()));
        QVERIFY(passwordIs(u"carol"_s, QString()));
        QCOMPARE(set.DataSet()->RecordCount(), 2);
    }

    // A taken name, in any letter case and including the super user's, is refused in words the
    // operator understands; nothing is written.
    void addTakenName_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("login");
        for (const QString& engine : TTestDatabase::Engines()) {
            QTest::addRow("%s same", qPrintable(engine)) << engine << u"bob"_s;
            QTest::addRow("%s other case", qPrintable(engine)) << engine << u"BOB"_s;
            QTest::addRow("%s sa", qPrintable(engine)) << engine << u"sa"_s;
            QTest::addRow("%s SA", qPrintable(engine)) << engine << u"SA"_s;
        }
    }
    void addTakenName()
    {
        QFETCH(QString, engine);
        QFETCH(QString, login);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        TOperatorSet set;
        QVERIFY(set.AddOperator(u"bob"_s, u"pw"_s, u",100,"_s, QString(), QString(), u"鲍勃"_s));
        const int before = operatorCount();
        try {
            set.AddOperator(login, u"other"_s, QString(), QString(), QString(), u"冒名"_s);
            QFAIL("a taken name was accepted");
        } catch (const EDatabaseError& error) {
            QCOMPARE(error.Message(), u"登陆名 \"%1\" 已经存在, 请换一个登陆名."_s.arg(login));
        }
        QCOMPARE(operatorCount(), before);
        QCOMPARE(set.DataSet()->RecordCount(), 1);
        QCOMPARE(tableRow(u"bob"_s), u"bob|鲍勃|||,100,"_s);
        QVERIFY(passwordIs(u"bob"_s, u"pw"_s));
    }

    void updateOperator_data() { engines(); }
    void updateOperator()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        TOperatorSet set;
        QVERIFY(set.AddOperator(u"bob"_s, u"pw"_s, u",100,"_s, u"n"_s, u"c"_s, u"鲍勃"_s));
        QVERIFY(set.AddOperator(u"carol"_s, u"cpw"_s, QString(), QString(), QString(), QString()));

        // without a password the stored one stays
        QVERIFY(set.UpdateOperator(u"bob"_s, std::nullopt, u",10002,"_s, u"备注"_s, u"联系"_s, u"鲍勃二"_s));
        QCOMPARE(tableRow(u"bob"_s), u"bob|鲍勃二|联系|备注|,10002,"_s);
        QVERIFY(passwordIs(u"bob"_s, u"pw"_s));
        QVERIFY(set.DataSet()->Locate(u"LoginId"_s, u"bob"_s));
        QCOMPARE(openRow(set), u"bob|鲍勃二|联系|备注|,10002,"_s);

        QVERIFY(set.UpdateOperator(u"bob"_s, u"new"_s, QString(), QString(), QString(), u"鲍勃"_s));
        QVERIFY(passwordIs(u"bob"_s, u"new"_s));
        QVERIFY(!passwordIs(u"bob"_s, u"pw"_s));
        QVERIFY(set.DataSet()->Locate(u"LoginId"_s, u"bob"_s));
        QVERIFY(TPasswordHash::Verify(set.DataSet()->AsString(u"Password"_s), u"new"_s));

        // the other operator is untouched
        QVERIFY(passwordIs(u"carol"_s, u"cpw"_s));
        QCOMPARE(tableRow(u"carol"_s), u"carol||||"_s);

        // an operator removed meanwhile: nothing to update
        QVERIFY(!set.UpdateOperator(u"eve"_s, std::nullopt, QString(), QString(), QString(), QString()));
    }

    void deleteOperator_data() { engines(); }
    void deleteOperator()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        TOperatorSet set;
        QVERIFY(set.AddOperator(u"bob"_s, u"pw"_s, QString(), QString(), QString(), QString()));
        QVERIFY(set.AddOperator(u"carol"_s, u"pw"_s, QString(), QString(), QString(), QString()));
        QVERIFY(set.DeleteOperator(u"bob"_s));
        QCOMPARE(tableRow(u"bob"_s), u"<no row>"_s);
        QCOMPARE(set.DataSet()->RecordCount(), 1);
        QCOMPARE(set.DataSet()->AsString(u"LoginId"_s), u"carol"_s);
        QVERIFY(!set.DeleteOperator(u"bob"_s));
        QCOMPARE(TOperatorSet::ListLoginIds(), u"carol"_s);
    }

private:
    static void engines()
    {
        QTest::addColumn<QString>("engine");
        TTestDatabase::AddEngineRows();
    }
};

QTEST_GUILESS_MAIN(tst_OperatorSet)
#include "tst_operatorset.moc"
