#include "ModalScript.h"
#include "app/LwEdit.h"
#include "data/Database.h"
#include "project/Operator.h"
#include "project/OperatorSet.h"
#include "project/PasswordChangerFrm.h"
#include "project/PasswordHash.h"
#include "support/RecordingNotifier.h"
#include "support/TestDatabase.h"

#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString WrongCurrent = u"当前密码验证失败,请确认并重新输入."_s;
const QString Changed = u"密码更改成功! 下次登陆时请使用新密码."_s;
const QString NewDiffer = u"两次输入的新密码不一样,请确认并重新输入."_s;

QString storedPassword(const QString& login)
{
    QSqlQuery query =
        Database().Select(u"select Password from operator where LoginId=:LoginId"_s, {MakeParam(u"LoginId"_s, login)});
    return query.next() ? query.value(0).toString() : u"<no row>"_s;
}

bool passwordIs(const QString& login, const QString& text)
{
    TOperator op;
    return op.LoadByLoginId(login) && op.CheckPassword(text);
}

void type(TlwEdit* edit, const QString& text)
{
    edit->clear();
    if (!text.isEmpty())
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, text, Qt::NoModifier);
}

void fill(QWidget* window, const QString& current, const QString& new1, const QString& new2)
{
    auto* dialog = static_cast<TPasswordChangerFrm*>(window);
    type(dialog->edtPassword1(), current);
    type(dialog->edtNewPassword1(), new1);
    type(dialog->edtNewPassword2(), new2);
}

QStringList texts(const TRecordingNotifier& notifier)
{
    QStringList all;
    for (const auto& message : notifier.Messages())
        all.append(message.Text);
    return all;
}

TPasswordChangerFrm* changer(QWidget* window)
{
    return static_cast<TPasswordChangerFrm*>(window);
}

} // namespace

class tst_PasswordChangerFrm : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { CurrentOperator() = TOperator(); }

    void looks_data() { engines(); }
    void looks()
    {
        QFETCH(QString, engine);
        login(engine);
        TPasswordChangerFrm dialog;
        dialog.SetLoginId(CurrentOperator().LoginId);
        QCOMPARE(dialog.objectName(), u"PasswordChangerFrm"_s);
        QCOMPARE(dialog.windowTitle(), u"更改密码"_s);
        QCOMPARE(dialog.edtLoginId1()->text(), u"bob"_s);
        QVERIFY(!dialog.edtLoginId1()->isEnabled());
        for (TlwEdit* edit : {dialog.edtPassword1(), dialog.edtNewPassword1(), dialog.edtNewPassword2()})
            QCOMPARE(edit->echoMode(), QLineEdit::Password);
    }

    // A wrong current password is reported and the dialog comes back as it was; giving up then
    // leaves the table as it was.
    void wrongCurrentPassword_data() { engines(); }
    void wrongCurrentPassword()
    {
        QFETCH(QString, engine);
        login(engine);
        const QString before = storedPassword(u"bob"_s);
        TRecordingNotifier notifier;
        TModalScript script;
        script
            .Then(u"PasswordChangerFrm"_s,
                  [](QWidget* w) {
                      fill(w, u"PW"_s, u"new"_s, u"new"_s);
                      changer(w)->OkBtn1()->click();
                  })
            .Then(u"PasswordChangerFrm"_s, [&](QWidget* w) {
                QCOMPARE(texts(notifier), QStringList{WrongCurrent});
                QCOMPARE(changer(w)->edtPassword1()->text(), u"PW"_s);
                QCOMPARE(changer(w)->edtNewPassword1()->text(), u"new"_s);
                QCOMPARE(changer(w)->edtNewPassword2()->text(), u"new"_s);
                changer(w)->CancelBtn1()->click();
            });
        QVERIFY(!ChangePassword(CurrentOperator()));
        QVERIFY(script.Finished());
        QCOMPARE(texts(notifier), QStringList{WrongCurrent});
        QCOMPARE(storedPassword(u"bob"_s), before);
        QVERIFY(passwordIs(u"bob"_s, u"pw"_s));
    }

    // The two new passwords must agree before the dialog closes: they are emptied for retyping.
    void newPasswordsDiffer_data() { engines(); }
    void newPasswordsDiffer()
    {
        QFETCH(QString, engine);
        login(engine);
        TRecordingNotifier notifier;
        TModalScript script;
        script.Then(u"PasswordChangerFrm"_s, [&](QWidget* w) {
            TPasswordChangerFrm* dialog = changer(w);
            fill(w, u"pw"_s, u"新的"_s, u"新得"_s);
            dialog->OkBtn1()->click();
            QVERIFY(dialog->isVisible());
            QCOMPARE(texts(notifier), QStringList{NewDiffer});
            QVERIFY(dialog->edtNewPassword1()->text().isEmpty());
            QVERIFY(dialog->edtNewPassword2()->text().isEmpty());
            QCOMPARE(dialog->edtPassword1()->text(), u"pw"_s);
            QCOMPARE(dialog->focusWidget(), dialog->edtNewPassword1());
            QVERIFY(passwordIs(u"bob"_s, u"pw"_s));

            type(dialog->edtNewPassword1(), u"新的"_s);
            type(dialog->edtNewPassword2(), u"新的"_s);
            dialog->OkBtn1()->click();
        });
        QVERIFY(ChangePassword(CurrentOperator()));
        QVERIFY(script.Finished());
        QCOMPARE(texts(notifier), (QStringList{NewDiffer, Changed}));
        QVERIFY(passwordIs(u"bob"_s, u"新的"_s));
        QVERIFY(!passwordIs(u"bob"_s, u"pw"_s));
        QCOMPARE(CurrentOperator().Password, storedPassword(u"bob"_s));
        QVERIFY(TPasswordHash::IsHash(CurrentOperator().Password));
    }

    // From no password to one, and back to none.
    void fromAndToEmpty_data() { engines(); }
    void fromAndToEmpty()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        QVERIFY(LoginFromCommandLine({u"sa"_s, QString(), u"-"_s}));
        TRecordingNotifier notifier;
        TModalScript script;
        script.Then(u"PasswordChangerFrm"_s, [](QWidget* w) {
            QCOMPARE(changer(w)->edtLoginId1()->text(), u"sa"_s);
            fill(w, QString(), u"abc"_s, u"abc"_s);
            changer(w)->OkBtn1()->click();
        });
        QVERIFY(ChangePassword(CurrentOperator()));
        QVERIFY(script.Finished());
        QVERIFY(passwordIs(u"sa"_s, u"abc"_s));
        QVERIFY(!passwordIs(u"sa"_s, QString()));
        QVERIFY(!CurrentOperator().HasEmptyPassword());

        TModalScript back;
        back.Then(u"PasswordChangerFrm"_s, [](QWidget* w) {
            fill(w, u"abc"_s, QString(), QString());
            changer(w)->OkBtn1()->click();
        });
        QVERIFY(ChangePassword(CurrentOperator()));
        QVERIFY(back.Finished());
        QVERIFY(storedPassword(u"sa"_s).isEmpty());
        QVERIFY(CurrentOperator().HasEmptyPassword());
        QCOMPARE(texts(notifier), (QStringList{Changed, Changed}));
    }

    // The operator's row vanished meanwhile: the failure is shown and the dialog comes back.
    void storeFails_data() { engines(); }
    void storeFails()
    {
        QFETCH(QString, engine);
        login(engine);
        Database().Execute(u"delete from operator where LoginId='bob'"_s);
        TRecordingNotifier notifier;
        TModalScript script;
        script
            .Then(u"PasswordChangerFrm"_s,
                  [](QWidget* w) {
                      fill(w, u"pw"_s, u"n"_s, u"n"_s);
                      changer(w)->OkBtn1()->click();
                  })
            .Then(u"PasswordChangerFrm"_s, [](QWidget* w) { changer(w)->CancelBtn1()->click(); });
        QVERIFY(!ChangePassword(CurrentOperator()));
        QVERIFY(script.Finished());
        QCOMPARE(texts(notifier), QStringList{u"操作员 \"bob\" 不存在, 密码没有保存."_s});
        QVERIFY(TPasswordHash::Verify(CurrentOperator().Password, u"pw"_s));
    }

private:
    static void engines()
    {
        QTest::addColumn<QString>("engine");
        TTestDatabase::AddEngineRows();
    }

    static void login(const QString& engine)
    {
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        TOperatorSet set;
        QVERIFY(set.AddOperator(u"bob"_s, u"pw"_s, QString(), QString(), QString(), QString()));
        QVERIFY(LoginFromCommandLine({u"bob"_s, u"pw"_s, u"-"_s}));
    }
};

QTEST_MAIN(tst_PasswordChangerFrm)
#include "tst_passwordchangerfrm.moc"
