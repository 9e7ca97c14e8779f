#include "data/Database.h"
#include "data/DbError.h"
#include "project/Operator.h"
#include "project/PasswordHash.h"
#include "support/RecordingNotifier.h"
#include "support/TestDatabase.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// The Password column as the table holds it.
QString storedPassword(const QString& login)
{
    QSqlQuery query =
        Database().Select(u"select Password from operator where LoginId=:LoginId"_s, {MakeParam(u"LoginId"_s, login)});
    return query.next() ? query.value(0).toString() : u"<no row>"_s;
}

void addOperator(const QString& login, const QString& password, const QString& rights = QString())
{
    Database().Execute(
        u"insert into operator(LoginId,Password,Name,Contact,Note,Rights)"
        u"values(:LoginId,:Password,'','','',:Rights)"_s,
        {MakeParam(u"LoginId"_s, login), MakeParam(u"Password"_s, password), MakeParam(u"Rights"_s, rights)});
}

TOperator someone(const QString& login, const QString& rights)
{
    TOperator op;
    op.LoginId = login;
    op.Rights = rights;
    return op;
}

} // namespace

class tst_Operator : public QObject
{
    Q_OBJECT

private slots:
    // The commas around each number make the test exact: no right is found inside another.
    void hasRight_data()
    {
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("rights");
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("held");
        QTest::newRow("1001 held") << u"bob"_s << u",1001,"_s << 1001 << true;
        QTest::newRow("1001 is not 100") << u"bob"_s << u",1001,"_s << 100 << false;
        QTest::newRow("1001 is not 10010") << u"bob"_s << u",1001,"_s << 10010 << false;
        QTest::newRow("100001 is not 10000") << u"bob"_s << u",100001,"_s << 10000 << false;
        QTest::newRow("100001 is not 1000") << u"bob"_s << u",100001,"_s << 1000 << false;
        QTest::newRow("second of two") << u"bob"_s << u",10000,,10002,"_s << 10002 << true;
        QTest::newRow("empty rights") << u"bob"_s << QString() << 100 << false;
        QTest::newRow("sa holds all") << u"sa"_s << QString() << 1001 << true;
        QTest::newRow("SA is not sa") << u"SA"_s << QString() << 100 << false;
        QTest::newRow("Sa only own rights") << u"Sa"_s << u",10002,"_s << 10004 << false;
        QTest::newRow("nobody") << QString() << QString() << 100 << false;
    }
    void hasRight()
    {
        QFETCH(QString, login);
        QFETCH(QString, rights);
        QFETCH(int, number);
        QFETCH(bool, held);
        QCOMPARE(someone(login, rights).HasRight(number), held);
    }

    void rightsText_data()
    {
        QTest::addColumn<QList<int>>("rights");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << QList<int>{} << QString();
        QTest::newRow("one") << QList<int>{100} << u",100,"_s;
        QTest::newRow("two") << QList<int>{10000, 10002} << u",10000,,10002,"_s;
        QTest::newRow("order kept") << QList<int>{10008, 10006, 10005} << u",10008,,10006,,10005,"_s;
    }
    void rightsText()
    {
        QFETCH(QList<int>, rights);
        QFETCH(QString, text);
        QCOMPARE(TOperator::RightsText(rights), text);
        for (int number : rights)
            QVERIFY(someone(u"bob"_s, text).HasRight(number));
    }

    void requireRightRefuses()
    {
        TRecordingNotifier notifier;
        const TOperator bob = someone(u"bob"_s, u",10002,"_s);

        QVERIFY(bob.RequireRight(10002));
        QVERIFY(notifier.Messages().isEmpty());

        QVERIFY(!bob.RequireRight(10004, false));
        QCOMPARE(notifier.Messages().size(), 1);
        QCOMPARE(notifier.Messages().at(0).Kind, u"info"_s);
        QCOMPARE(notifier.LastText(), u"对不起,您没有该功能的操作权限,请与管理员联系(10004)."_s);

        notifier.Clear();
        QVERIFY_THROWS_EXCEPTION(EAbort, bob.RequireRight(1001));
        QCOMPARE(notifier.Messages().size(), 1);
        QCOMPARE(notifier.LastText(), u"对不起,您没有该功能的操作权限,请与管理员联系(1001)."_s);
    }

    void loadByLoginId_data() { engines(); }
    void loadByLoginId()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        Database().Execute(u"insert into operator(LoginId,Password,Name,Contact,Note,Rights,Menus)"
                           u"values('bob','pw','鲍勃','电话 1','夜班',',10002,','x=1,1')"_s);

        TOperator op;
        QVERIFY(op.LoadByLoginId(u"bob"_s));
        QCOMPARE(op.LoginId, u"bob"_s);
        QCOMPARE(op.Password, u"pw"_s);
        QCOMPARE(op.Name, u"鲍勃"_s);
        QCOMPARE(op.Contact, u"电话 1"_s);
        QCOMPARE(op.Note, u"夜班"_s);
        QCOMPARE(op.Rights, u",10002,"_s);

        // an unknown name leaves the object as it was
        QVERIFY(!op.LoadByLoginId(u"alice"_s));
        QCOMPARE(op.LoginId, u"bob"_s);
        QCOMPARE(op.Rights, u",10002,"_s);

        // the table finds names without regard to case; the name loaded is the stored one, so "SA"
        // typed at login is the real super user, who had to know his password
        TOperator sa;
        QVERIFY(sa.LoadByLoginId(u"SA"_s));
        QCOMPARE(sa.LoginId, u"sa"_s);
        QCOMPARE(sa.Name, u"系统管理员"_s);
        QVERIFY(sa.Password.isEmpty());
    }

    // The key forbids a second row differing only in case, so a name can never be doubled in a
    // database the program made.
    void schemaRefusesDoubledName_data() { engines(); }
    void schemaRefusesDoubledName()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        addOperator(u"bob"_s, u""_s);
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, addOperator(u"BOB"_s, u""_s));
    }

    // A table made by hand without the key may hold a name twice: that name identifies nobody.
    void doubledNameLoadsNobody_data() { engines(); }
    void doubledNameLoadsNobody()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenEmpty(engine));
        Database().Execute(u"create table operator (LoginId varchar(50), Password varchar(200), Name varchar(50), "
                           u"Contact varchar(50), Note varchar(50), Rights varchar(200), Menus varchar(200))"_s);
        addOperator(u"twin"_s, u"a"_s, u",100,"_s);
        addOperator(u"twin"_s, u"b"_s, u",10002,"_s);
        addOperator(u"single"_s, u"c"_s);

        TOperator op;
        QVERIFY(op.LoadByLoginId(u"single"_s));
        QVERIFY(!op.LoadByLoginId(u"twin"_s));
        QCOMPARE(op.LoginId, u"single"_s);
        QCOMPARE(op.Password, u"c"_s);

        CurrentOperator() = TOperator();
        QVERIFY(!LoginFromCommandLine({u"twin"_s, u"a"_s, u"x"_s}));
        QVERIFY(CurrentOperator().LoginId.isEmpty());
    }

    void passwordHash()
    {
        const QString first = TPasswordHash::Hash(u"密码 secret"_s);
        const QString second = TPasswordHash::Hash(u"密码 secret"_s);
        QVERIFY(first.startsWith(u"$argon2id$"_s));
        QVERIFY(TPasswordHash::IsHash(first));
        QVERIFY2(first != second, "every hash has its own salt");
        QVERIFY(TPasswordHash::Verify(first, u"密码 secret"_s));
        QVERIFY(TPasswordHash::Verify(second, u"密码 secret"_s));
        QVERIFY(!TPasswordHash::Verify(first, u"密码 Secret"_s));
        QVERIFY(!TPasswordHash::Verify(first, QString()));
        QVERIFY(!TPasswordHash::NeedsRehash(first));
        QVERIFY(!TPasswordHash::IsHash(u"secret"_s));
        QVERIFY(!TPasswordHash::Verify(u"$argon2id$broken"_s, u"secret"_s));
    }

    void storePassword_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("password");
        for (const QString& engine : TTestDatabase::Engines()) {
            QTest::addRow("%s text", qPrintable(engine)) << engine << u"s3cret"_s;
            QTest::addRow("%s chinese", qPrintable(engine)) << engine << u"借书 证"_s;
            QTest::addRow("%s empty", qPrintable(engine)) << engine << QString();
        }
    }
    void storePassword()
    {
        QFETCH(QString, engine);
        QFETCH(QString, password);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        addOperator(u"bob"_s, u"old"_s);
        TOperator bob;
        QVERIFY(bob.LoadByLoginId(u"bob"_s));

        bob.StorePassword(password);
        const QString stored = storedPassword(u"bob"_s);
        QCOMPARE(bob.Password, stored);
        if (password.isEmpty()) {
            QVERIFY(stored.isEmpty());
            QVERIFY(bob.HasEmptyPassword());
        } else {
            QVERIFY(TPasswordHash::IsHash(stored));
            QVERIFY(!stored.contains(password));
        }

        TOperator again;
        QVERIFY(again.LoadByLoginId(u"bob"_s));
        QVERIFY(again.CheckPassword(password));
        QVERIFY(!again.CheckPassword(u"old"_s));
        QVERIFY(!again.CheckPassword(password + u"x"_s));
        QCOMPARE(storedPassword(u"bob"_s), stored);
    }

    // Rows from before hashing hold the password as typed: the first matching login hashes it.
    void plainPasswordUpgrade_data() { engines(); }
    void plainPasswordUpgrade()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        addOperator(u"bob"_s, u"Secret"_s);
        TOperator bob;
        QVERIFY(bob.LoadByLoginId(u"bob"_s));

        QVERIFY(!bob.CheckPassword(u"secret"_s));
        QVERIFY(!bob.CheckPassword(QString()));
        QCOMPARE(storedPassword(u"bob"_s), u"Secret"_s);

        QVERIFY(bob.CheckPassword(u"Secret"_s));
        const QString stored = storedPassword(u"bob"_s);
        QVERIFY(TPasswordHash::IsHash(stored));
        QCOMPARE(bob.Password, stored);

        TOperator again;
        QVERIFY(again.LoadByLoginId(u"bob"_s));
        QVERIFY(again.CheckPassword(u"Secret"_s));
        QVERIFY(!again.CheckPassword(u"secret"_s));
        QCOMPARE(storedPassword(u"bob"_s), stored);
    }

    // The fixed "sa" row of a new database has no password: only the empty text opens it.
    void emptyPassword_data() { engines(); }
    void emptyPassword()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        TOperator sa;
        QVERIFY(sa.LoadByLoginId(u"sa"_s));
        QVERIFY(sa.HasEmptyPassword());
        QVERIFY(!sa.CheckPassword(u" "_s));
        QVERIFY(!sa.CheckPassword(u"sa"_s));
        QVERIFY(sa.CheckPassword(QString()));
        QVERIFY(storedPassword(u"sa"_s).isEmpty());

        // nobody loaded: not even the empty text passes
        TOperator nobody;
        QVERIFY(!nobody.CheckPassword(QString()));
        QVERIFY(!nobody.HasEmptyPassword());
    }

    void storePasswordForVanishedOperator_data() { engines(); }
    void storePasswordForVanishedOperator()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        addOperator(u"bob"_s, u"old"_s);
        TOperator bob;
        QVERIFY(bob.LoadByLoginId(u"bob"_s));
        Database().Execute(u"delete from operator where LoginId='bob'"_s);
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, bob.StorePassword(u"new"_s));
        QCOMPARE(bob.Password, u"old"_s);
    }

    void commandLineLogin_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("loggedIn");
        for (const QString& engine : TTestDatabase::Engines()) {
            const QByteArray name = engine.toUtf8();
            const char* e = name.constData();
            QTest::addRow("%s three", e) << engine << QStringList{u"bob"_s, u"pw"_s, u"x"_s} << u"bob"_s;
            QTest::addRow("%s third ignored", e) << engine << QStringList{u"bob"_s, u"pw"_s, QString()} << u"bob"_s;
            QTest::addRow("%s empty password", e) << engine << QStringList{u"sa"_s, QString(), u"x"_s} << u"sa"_s;
            QTest::addRow("%s two", e) << engine << QStringList{u"bob"_s, u"pw"_s} << QString();
            QTest::addRow("%s four", e) << engine << QStringList{u"bob"_s, u"pw"_s, u"x"_s, u"y"_s} << QString();
            QTest::addRow("%s wrong password", e) << engine << QStringList{u"bob"_s, u"PW"_s, u"x"_s} << QString();
            QTest::addRow("%s unknown", e) << engine << QStringList{u"eve"_s, QString(), u"x"_s} << QString();
            QTest::addRow("%s none", e) << engine << QStringList{} << QString();
        }
    }
    void commandLineLogin()
    {
        QFETCH(QString, engine);
        QFETCH(QStringList, arguments);
        QFETCH(QString, loggedIn);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        addOperator(u"bob"_s, TPasswordHash::Hash(u"pw"_s), u",10002,"_s);

        // whoever was logged in before stays when the command line does not log in
        CurrentOperator() = someone(u"before"_s, u",100,"_s);
        CurrentOperator().Password = TPasswordHash::Hash(u"before"_s);
        QCOMPARE(LoginFromCommandLine(arguments), !loggedIn.isEmpty());
        QCOMPARE(CurrentOperator().LoginId, loggedIn.isEmpty() ? u"before"_s : loggedIn);
        if (loggedIn == u"bob"_s) {
            QVERIFY(CurrentOperator().HasRight(10002));
            QVERIFY(!CurrentOperator().HasRight(100));
        }
        QCOMPARE(CurrentOperator().HasEmptyPassword(), loggedIn == u"sa"_s);
        CurrentOperator() = TOperator();
    }

private:
    static void engines()
    {
        QTest::addColumn<QString>("engine");
        TTestDatabase::AddEngineRows();
    }
};

QTEST_GUILESS_MAIN(tst_Operator)
#include "tst_operator.moc"
