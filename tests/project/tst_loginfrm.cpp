#include "ModalScript.h"
#include "app/LwComboBox.h"
#include "app/LwEdit.h"
#include "data/Configer.h"
#include "data/Database.h"
#include "project/LoginFrm.h"
#include "project/Operator.h"
#include "project/OperatorSet.h"
#include "support/RecordingNotifier.h"
#include "support/TestDatabase.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString EmptyPasswordNotice = u"当前操作员尚未设置密码, 请通过 \"文件 - 更改密码\" 设置密码."_s;

QStringList comboItems(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}

void typeAndEnter(TLoginFrm* dialog, const QString& login, const QString& password)
{
    dialog->edtLoginId1()->setEditText(login);
    dialog->edtPassword1()->clear();
    // one key event carrying the whole text, as an input method delivers Chinese
    if (!password.isEmpty())
        QTest::sendKeyEvent(QTest::Click, dialog->edtPassword1(), Qt::Key_unknown, password, Qt::NoModifier);
    QTest::keyClick(dialog->edtPassword1(), Qt::Key_Return);
}

} // namespace

class tst_LoginFrm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        QFile::remove(TConfiger().FilePath());
        CurrentOperator() = TOperator();
    }

    void cleanup()
    {
        QFile::remove(TConfiger().FilePath());
        CurrentOperator() = TOperator();
    }

    void looks_data() { engines(); }
    void looks()
    {
        QFETCH(QString, engine);
        openWithOperators(engine);
        TLoginFrm dialog;
        QCOMPARE(dialog.objectName(), u"LoginFrm"_s);
        QCOMPARE(dialog.windowTitle(), u"登陆"_s);
        QCOMPARE(dialog.HelpTopic(), u"Login"_s);
        QVERIFY(!(dialog.windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!(dialog.windowFlags() & Qt::WindowContextHelpButtonHint));
        QCOMPARE(dialog.Position(), TaFrm::TPosition::CenterScreen);
        auto* heading = dialog.findChild<QLabel*>(u"lblProduct1"_s);
        QVERIFY(heading);
        QCOMPARE(heading->text(), u"澄岳图书管理系统"_s);
        QVERIFY(heading->font().bold());
        QCOMPARE(dialog.edtPassword1()->echoMode(), QLineEdit::Password);

        // the drop-down offers every operator but never "sa"; with nothing remembered the text is "sa"
        QCOMPARE(comboItems(dialog.edtLoginId1()), (QStringList{u"bob"_s, u"carol"_s, u"张三"_s}));
        QCOMPARE(dialog.edtLoginId1()->currentText(), u"sa"_s);

        // the caret starts in the password
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.activateWindow();
        QTRY_COMPARE(QApplication::focusWidget(), dialog.edtPassword1());
    }

    void lastLoginNameOffered_data() { engines(); }
    void lastLoginNameOffered()
    {
        QFETCH(QString, engine);
        openWithOperators(engine);
        QVERIFY(TConfiger::WriteLastLoginId(u"carol"_s));
        TLoginFrm dialog;
        QCOMPARE(dialog.edtLoginId1()->currentText(), u"carol"_s);
    }

    // Enter in the password presses OK; the operator found becomes the current one and is remembered.
    void enterLogsIn_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("loggedIn");
        for (const QString& engine : TTestDatabase::Engines()) {
            const QByteArray name = engine.toUtf8();
            const char* e = name.constData();
            QTest::addRow("%s bob", e) << engine << u"bob"_s << u"pw"_s << u"bob"_s;
            QTest::addRow("%s other case", e) << engine << u"BOB"_s << u"pw"_s << u"bob"_s;
            QTest::addRow("%s chinese", e) << engine << u"张三"_s << u"密码"_s << u"张三"_s;
            QTest::addRow("%s sa empty", e) << engine << u"sa"_s << QString() << u"sa"_s;
        }
    }
    void enterLogsIn()
    {
        QFETCH(QString, engine);
        QFETCH(QString, typed);
        QFETCH(QString, password);
        QFETCH(QString, loggedIn);
        openWithOperators(engine);
        TRecordingNotifier notifier;
        TLoginFrm dialog;
        dialog.show();
        typeAndEnter(&dialog, typed, password);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(CurrentOperator().LoginId, loggedIn);
        QCOMPARE(TConfiger::ReadLastLoginId(), loggedIn);
        QVERIFY(notifier.Messages().isEmpty());
    }

    // A wrong name or password says nothing: the password is selected for retyping and the dialog stays.
    void wrongLoginStaysOpen_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("password");
        for (const QString& engine : TTestDatabase::Engines()) {
            const QByteArray name = engine.toUtf8();
            const char* e = name.constData();
            QTest::addRow("%s wrong password", e) << engine << u"bob"_s << u"PW"_s;
            QTest::addRow("%s empty password", e) << engine << u"bob"_s << QString();
            QTest::addRow("%s unknown name", e) << engine << u"eve"_s << u"pw"_s;
            QTest::addRow("%s sa with text", e) << engine << u"sa"_s << u"x"_s;
            QTest::addRow("%s empty name", e) << engine << QString() << u"pw"_s;
        }
    }
    void wrongLoginStaysOpen()
    {
        QFETCH(QString, engine);
        QFETCH(QString, typed);
        QFETCH(QString, password);
        openWithOperators(engine);
        QVERIFY(TConfiger::WriteLastLoginId(u"carol"_s));
        TRecordingNotifier notifier;
        TLoginFrm dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.activateWindow();
        typeAndEnter(&dialog, typed, password);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialog.edtPassword1()->text(), password);
        QCOMPARE(dialog.edtPassword1()->selectedText(), password);
        QTRY_COMPARE(QApplication::focusWidget(), dialog.edtPassword1());
        QVERIFY(notifier.Messages().isEmpty());
        QVERIFY(CurrentOperator().LoginId.isEmpty());
        QCOMPARE(TConfiger::ReadLastLoginId(), u"carol"_s);
    }

    // Each attempt starts afresh: a name tried before does not lend its password to an unknown one.
    void attemptsDoNotMix_data() { engines(); }
    void attemptsDoNotMix()
    {
        QFETCH(QString, engine);
        openWithOperators(engine);
        TLoginFrm dialog;
        dialog.show();
        typeAndEnter(&dialog, u"bob"_s, u"wrong"_s);
        typeAndEnter(&dialog, u"eve"_s, u"pw"_s);
        QVERIFY(dialog.isVisible());
        QVERIFY(CurrentOperator().LoginId.isEmpty());
        typeAndEnter(&dialog, u"bob"_s, u"pw"_s);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(CurrentOperator().LoginId, u"bob"_s);
    }

    // The whole login: command line first (only at the first login), then the dialog, then the
    // reminder for an empty password.
    void login_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<bool>("first");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("dialogPassword"); // "<cancel>" cancels; empty: the dialog must not show
        QTest::addColumn<QString>("loggedIn");
        QTest::addColumn<bool>("reminded");
        const QString cancel = u"<cancel>"_s;
        for (const QString& engine : TTestDatabase::Engines()) {
            const QByteArray name = engine.toUtf8();
            const char* e = name.constData();
            const QStringList bobArgs{u"bob"_s, u"pw"_s, u"-"_s};
            QTest::addRow("%s command line", e) << engine << true << bobArgs << QString() << u"bob"_s << false;
            QTest::addRow("%s command line sa", e)
                << engine << true << QStringList{u"sa"_s, QString(), u"-"_s} << QString() << u"sa"_s << true;
            QTest::addRow("%s re-login ignores it", e) << engine << false << bobArgs << u"cpw"_s << u"carol"_s << false;
            QTest::addRow("%s two arguments", e)
                << engine << true << QStringList{u"bob"_s, u"pw"_s} << u"cpw"_s << u"carol"_s << false;
            QTest::addRow("%s wrong password", e)
                << engine << true << QStringList{u"bob"_s, u"x"_s, u"-"_s} << u"cpw"_s << u"carol"_s << false;
            QTest::addRow("%s dialog cancelled", e) << engine << true << QStringList{} << cancel << QString() << false;
        }
    }
    void login()
    {
        QFETCH(QString, engine);
        QFETCH(bool, first);
        QFETCH(QStringList, arguments);
        QFETCH(QString, dialogPassword);
        QFETCH(QString, loggedIn);
        QFETCH(bool, reminded);
        openWithOperators(engine);
        QVERIFY(TConfiger::WriteLastLoginId(u"carol"_s));
        TRecordingNotifier notifier;

        TModalScript script(10000);
        bool dialogShown = false;
        script.Then(u"LoginFrm"_s, [&](QWidget* window) {
            dialogShown = true;
            auto* dialog = static_cast<TLoginFrm*>(window);
            if (dialogPassword == u"<cancel>"_s || dialogPassword.isEmpty())
                dialog->CancelBtn1()->click();
            else
                typeAndEnter(dialog, dialog->edtLoginId1()->currentText(), dialogPassword);
        });
        QCOMPARE(TLoginFrm::Login(first, arguments), !loggedIn.isEmpty());
        QCOMPARE(dialogShown, !dialogPassword.isEmpty());
        QCOMPARE(CurrentOperator().LoginId, loggedIn);

        QStringList texts;
        for (const auto& message : notifier.Messages())
            texts.append(message.Text);
        QCOMPARE(texts, reminded ? QStringList{EmptyPasswordNotice} : QStringList{});
    }

    // A cancelled re-login keeps whoever was working.
    void cancelledReloginKeepsOperator_data() { engines(); }
    void cancelledReloginKeepsOperator()
    {
        QFETCH(QString, engine);
        openWithOperators(engine);
        QVERIFY(LoginFromCommandLine({u"bob"_s, u"pw"_s, u"-"_s}));
        TModalScript script(10000);
        script.Then(u"LoginFrm"_s, [](QWidget* window) {
            auto* dialog = static_cast<TLoginFrm*>(window);
            typeAndEnter(dialog, u"carol"_s, u"wrong"_s);
            dialog->CancelBtn1()->click();
        });
        QVERIFY(!TLoginFrm::Login(false, {}));
        QVERIFY(script.Finished());
        QCOMPARE(CurrentOperator().LoginId, u"bob"_s);
        QVERIFY(CurrentOperator().HasRight(10002));
        QCOMPARE(TConfiger::ReadLastLoginId(), QString());
    }

private:
    static void engines()
    {
        QTest::addColumn<QString>("engine");
        TTestDatabase::AddEngineRows();
    }

    static void openWithOperators(const QString& engine)
    {
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        TOperatorSet set;
        QVERIFY(set.AddOperator(u"bob"_s, u"pw"_s, u",10002,"_s, QString(), QString(), QString()));
        QVERIFY(set.AddOperator(u"carol"_s, u"cpw"_s, QString(), QString(), QString(), QString()));
        QVERIFY(set.AddOperator(u"张三"_s, u"密码"_s, QString(), QString(), QString(), QString()));
    }
};

QTEST_MAIN(tst_LoginFrm)
#include "tst_loginfrm.moc"
