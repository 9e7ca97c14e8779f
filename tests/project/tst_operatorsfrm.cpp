#include "ModalScript.h"
#include "app/LwEdit.h"
#include "data/Database.h"
#include "data/DbError.h"
#include "project/Operator.h"
#include "project/OperatorEditorFrm.h"
#include "project/OperatorSet.h"
#include "project/OperatorsFrm.h"
#include "support/RecordingNotifier.h"
#include "support/TestDatabase.h"

#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// One operator row as "LoginId|Name|Contact|Note|Rights".
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

QStringList listed(const QListWidget* list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names.append(list->item(i)->text());
    return names;
}

void select(TOperatorsFrm& window, const QString& login)
{
    const QList<QListWidgetItem*> found = window.ListView1()->findItems(login, Qt::MatchExactly);
    QVERIFY(found.size() == 1);
    window.ListView1()->setCurrentItem(found.first());
}

void type(TlwEdit* edit, const QString& text)
{
    edit->clear();
    if (!text.isEmpty())
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, text, Qt::NoModifier);
}

QListWidgetItem* rightItem(TOperatorEditorFrm* editor, int number)
{
    for (int i = 0; i < editor->CheckListBox1()->count(); ++i)
        if (editor->CheckListBox1()->item(i)->data(Qt::UserRole).toInt() == number)
            return editor->CheckListBox1()->item(i);
    return nullptr;
}

// A double click as the window system delivers it: press, release, then the second press as a
// double click and its release.
void doubleClick(QWidget* viewport, QPoint at)
{
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, at);
}

// Toggles an entry the way the operator does: a double click on its caption.
void doubleClickRight(TOperatorEditorFrm* editor, int number)
{
    QListWidget* list = editor->CheckListBox1();
    QListWidgetItem* item = rightItem(editor, number);
    QVERIFY(item);
    list->scrollToItem(item);
    const QRect rect = list->visualItemRect(item);
    const QPoint onCaption(rect.right() - 10, rect.center().y());
    doubleClick(list->viewport(), onCaption);
}

QList<int> ticked(TOperatorEditorFrm* editor)
{
    QList<int> numbers;
    for (int i = 0; i < editor->CheckListBox1()->count(); ++i)
        if (editor->CheckListBox1()->item(i)->checkState() == Qt::Checked)
            numbers.append(editor->CheckListBox1()->item(i)->data(Qt::UserRole).toInt());
    return numbers;
}

TOperatorEditorFrm* editorOf(QWidget* window)
{
    return static_cast<TOperatorEditorFrm*>(window);
}

} // namespace

class tst_OperatorsFrm : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { CurrentOperator() = TOperator(); }

    // Without right 100001 the command ends after the refusal box; no window appears.
    void commandNeedsRight_data() { engines(); }
    void commandNeedsRight()
    {
        QFETCH(QString, engine);
        openWithOperators(engine);
        QVERIFY(LoginFromCommandLine({u"bob"_s, u"pw"_s, u"-"_s}));
        TRecordingNotifier notifier;
        {
            TModalScript script(3000);
            script.Then(u"OperatorsFrm"_s, [](QWidget* window) { window->close(); });
            QVERIFY_THROWS_EXCEPTION(EAbort, TOperatorsFrm::Execute());
            QTest::qWait(50);
            QVERIFY(script.Met().isEmpty());
        }
        QCOMPARE(notifier.Messages().size(), 1);
        QCOMPARE(notifier.LastText(), u"对不起,您没有该功能的操作权限,请与管理员联系(100001)."_s);

        // with the right the window opens
        notifier.Clear();
        QVERIFY(LoginFromCommandLine({u"carol"_s, u"cpw"_s, u"-"_s}));
        TModalScript opened(10000);
        opened.Then(u"OperatorsFrm"_s, [](QWidget* window) {
            QCOMPARE(window->windowTitle(), u"操作员及权限"_s);
            static_cast<TOperatorsFrm*>(window)->CloseBtn1()->click();
        });
        TOperatorsFrm::Execute();
        QVERIFY(opened.Finished());
        QVERIFY(notifier.Messages().isEmpty());
    }

    void listsOperators_data() { engines(); }
    void listsOperators()
    {
        QFETCH(QString, engine);
        openWithOperators(engine);
        TOperatorsFrm window;
        QCOMPARE(window.objectName(), u"OperatorsFrm"_s);
        QCOMPARE(window.HelpTopic(), u"Operators"_s);
        QCOMPARE(window.ListView1()->viewMode(), QListView::IconMode);
        QCOMPARE(listed(window.ListView1()), (QStringList{u"bob"_s, u"carol"_s}));
        QCOMPARE(window.btnProp1()->text(), u"属性"_s);
        QCOMPARE(window.btnAdd1()->text(), u"添加"_s);
        QCOMPARE(window.btnDelete1()->text(), u"删除"_s);

        // the two buttons that act on an operator wait for one to be selected
        QVERIFY(!window.btnProp1()->isEnabled());
        QVERIFY(!window.btnDelete1()->isEnabled());
        QVERIFY(window.btnAdd1()->isEnabled());
        select(window, u"carol"_s);
        QVERIFY(window.btnProp1()->isEnabled());
        QVERIFY(window.btnDelete1()->isEnabled());
        window.ListView1()->clearSelection();
        QVERIFY(!window.btnProp1()->isEnabled());
        QVERIFY(!window.btnDelete1()->isEnabled());
    }

    void editorRightsList()
    {
        TOperatorEditorFrm editor;
        QCOMPARE(editor.objectName(), u"OperatorEditorFrm"_s);
        QCOMPARE(editor.windowTitle(), u"操作员属性"_s);
        QStringList entries;
        for (int i = 0; i < editor.CheckListBox1()->count(); ++i) {
            const QListWidgetItem* item = editor.CheckListBox1()->item(i);
            entries.append(u"%1 %2"_s.arg(item->data(Qt::UserRole).toInt()).arg(item->text()));
        }
        QCOMPARE(entries, (QStringList{u"100 清除数据"_s, u"10000 公司信息设置"_s, u"100001 操作员及权限管理"_s,
                                       u"10002 打印"_s, u"10003 打印设计"_s, u"10004 数据导出"_s, u"10008 列选择"_s,
                                       u"10006 列样式保存"_s, u"10005 备份设置"_s, u"10007 工具菜单设置"_s}));

        // a double click toggles the entry under the pointer
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        doubleClickRight(&editor, 10004);
        QCOMPARE(ticked(&editor), QList<int>{10004});
        doubleClickRight(&editor, 10004);
        QVERIFY(ticked(&editor).isEmpty());
    }

    // Rights ticked in any order are written in the list's order; the password is stored hashed.
    void addOperator_data() { engines(); }
    void addOperator()
    {
        QFETCH(QString, engine);
        openWithOperators(engine);
        TRecordingNotifier notifier;
        TOperatorsFrm window;
        window.show();
        TModalScript script;
        script.Then(u"OperatorEditorFrm"_s, [](QWidget* w) {
            TOperatorEditorFrm* editor = editorOf(w);
            QVERIFY(editor->edtUserId1()->isEnabled());
            QVERIFY(editor->edtUserId1()->text().isEmpty());
            QVERIFY(ticked(editor).isEmpty());
            type(editor->edtUserId1(), u"dave"_s);
            type(editor->edtName1(), u"戴夫"_s);
            type(editor->edtContact1(), u"分机 12"_s);
            type(editor->edtNote1(), u"早班"_s);
            type(editor->edtPassword1(), u"p1"_s);
            type(editor->edtPassword2(), u"p1"_s);
            for (int number : {TRight::ToolsMenu, TRight::Export, TRight::ClearData, TRight::ChooseColumns})
                doubleClickRight(editor, number);
            editor->OkBtn1()->click();
        });
        window.btnAdd1()->click();
        QVERIFY(script.Finished());
        QVERIFY(notifier.Messages().isEmpty());
        QCOMPARE(tableRow(u"dave"_s), u"dave|戴夫|分机 12|早班|,100,,10004,,10008,,10007,"_s);
        QVERIFY(passwordIs(u"dave"_s, u"p1"_s));
        QVERIFY(storedPassword(u"dave"_s).startsWith(u"$argon2id$"_s));
        QCOMPARE(listed(window.ListView1()), (QStringList{u"bob"_s, u"carol"_s, u"dave"_s}));
        QCOMPARE(window.ListView1()->currentItem()->text(), u"dave"_s);
    }

    // The editor's own checks keep it open with the offending field focused.
    void editorRefusesBadInput_data() { engines(); }
    void editorRefusesBadInput()
    {
        QFETCH(QString, engine);
        openWithOperators(engine);
        TRecordingNotifier notifier;
        TOperatorsFrm window;
        window.show();
        TModalScript script;
        script
            .Then(u"OperatorEditorFrm"_s,
                  [&](QWidget* w) {
                      TOperatorEditorFrm* editor = editorOf(w);
                      type(editor->edtUserId1(), u"  "_s);
                      editor->OkBtn1()->click();
                      QVERIFY(editor->isVisible());
                      QCOMPARE(notifier.LastText(), u"必须填写登陆名."_s);
                      QCOMPARE(editor->focusWidget(), editor->edtUserId1());

                      type(editor->edtUserId1(), u"erin"_s);
                      type(editor->edtPassword1(), u"one"_s);
                      type(editor->edtPassword2(), u"two"_s);
                      editor->OkBtn1()->click();
                  })
            .Then(u"OperatorEditorFrm"_s, [&](QWidget* w) {
                TOperatorEditorFrm* editor = editorOf(w);
                QCOMPARE(notifier.LastText(), u"两次输入的密码不一样,请重新输入."_s);
                QVERIFY(editor->edtPassword1()->text().isEmpty());
                QVERIFY(editor->edtPassword2()->text().isEmpty());
                QCOMPARE(editor->focusWidget(), editor->edtPassword1());
                QCOMPARE(editor->edtUserId1()->text(), u"erin"_s);
                type(editor->edtPassword1(), u"two"_s);
                type(editor->edtPassword2(), u"two"_s);
                editor->OkBtn1()->click();
            });
        window.btnAdd1()->click();
        QVERIFY(script.Finished());
        QCOMPARE(notifier.Messages().size(), 2);
        QVERIFY(passwordIs(u"erin"_s, u"two"_s));
    }

    // A name already taken, in whatever letter case, is explained; the editor comes back with what
    // was typed, and cancelling it writes nothing.
    void addTakenName_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("login");
        for (const QString& engine : TTestDatabase::Engines()) {
            QTest::addRow("%s other case", qPrintable(engine)) << engine << u"BOB"_s;
            QTest::addRow("%s sa", qPrintable(engine)) << engine << u"sa"_s;
        }
    }
    void addTakenName()
    {
        QFETCH(QString, engine);
        QFETCH(QString, login);
        openWithOperators(engine);
        TRecordingNotifier notifier;
        TOperatorsFrm window;
        window.show();
        TModalScript script;
        script
            .Then(u"OperatorEditorFrm"_s,
                  [&](QWidget* w) {
                      TOperatorEditorFrm* editor = editorOf(w);
                      type(editor->edtUserId1(), login);
                      type(editor->edtName1(), u"冒名"_s);
                      doubleClickRight(editor, TRight::Operators);
                      editor->OkBtn1()->click();
                  })
            .Then(u"OperatorEditorFrm"_s, [&](QWidget* w) {
                TOperatorEditorFrm* editor = editorOf(w);
                QCOMPARE(notifier.LastText(), u"登陆名 \"%1\" 已经存在, 请换一个登陆名."_s.arg(login));
                QCOMPARE(editor->edtUserId1()->text(), login);
                QCOMPARE(editor->edtName1()->text(), u"冒名"_s);
                QCOMPARE(ticked(editor), QList<int>{TRight::Operators});
                editor->CancelBtn1()->click();
            });
        window.btnAdd1()->click();
        QVERIFY(script.Finished());
        QCOMPARE(notifier.Messages().size(), 1);
        QCOMPARE(tableRow(u"bob"_s), u"bob||||,10002,"_s);
        QVERIFY(passwordIs(u"sa"_s, QString()));
        QCOMPARE(listed(window.ListView1()), (QStringList{u"bob"_s, u"carol"_s}));
    }

    // The editor shows the operator without his password; leaving it empty keeps it.
    void editOperator_data() { engines(); }
    void editOperator()
    {
        QFETCH(QString, engine);
        openWithOperators(engine);
        Database().Execute(u"update operator set Name='卡罗尔',Contact='c',Note='n',Rights=',100,,10006,,10003,' "
                           u"where LoginId='carol'"_s);
        TRecordingNotifier notifier;
        TOperatorsFrm window;
        window.show();
        select(window, u"carol"_s);

        TModalScript script;
        script.Then(u"OperatorEditorFrm"_s, [](QWidget* w) {
            TOperatorEditorFrm* editor = editorOf(w);
            QCOMPARE(editor->edtUserId1()->text(), u"carol"_s);
            QVERIFY(!editor->edtUserId1()->isEnabled());
            QCOMPARE(editor->edtName1()->text(), u"卡罗尔"_s);
            QCOMPARE(editor->edtContact1()->text(), u"c"_s);
            QCOMPARE(editor->edtNote1()->text(), u"n"_s);
            QVERIFY(editor->edtPassword1()->text().isEmpty());
            QVERIFY(editor->edtPassword2()->text().isEmpty());
            QCOMPARE(ticked(editor), (QList<int>{100, 10003, 10006}));

            type(editor->edtName1(), u"卡萝"_s);
            doubleClickRight(editor, TRight::DesignReport);
            doubleClickRight(editor, TRight::Company);
            editor->OkBtn1()->click();
        });
        window.btnProp1()->click();
        QVERIFY(script.Finished());
        QCOMPARE(tableRow(u"carol"_s), u"carol|卡萝|c|n|,100,,10000,,10006,"_s);
        QVERIFY(passwordIs(u"carol"_s, u"cpw"_s));

        // a double click on the icon opens the editor too; a new password replaces the old one
        TModalScript again;
        again.Then(u"OperatorEditorFrm"_s, [](QWidget* w) {
            TOperatorEditorFrm* editor = editorOf(w);
            QCOMPARE(editor->edtName1()->text(), u"卡萝"_s);
            QVERIFY(editor->edtPassword1()->text().isEmpty());
            QCOMPARE(ticked(editor), (QList<int>{100, 10000, 10006}));
            type(editor->edtPassword1(), u"新密码"_s);
            type(editor->edtPassword2(), u"新密码"_s);
            editor->OkBtn1()->click();
        });
        QListWidgetItem* item = window.ListView1()->findItems(u"carol"_s, Qt::MatchExactly).first();
        const QRect rect = window.ListView1()->visualItemRect(item);
        doubleClick(window.ListView1()->viewport(), rect.center());
        QTRY_VERIFY(again.Finished());
        QVERIFY(passwordIs(u"carol"_s, u"新密码"_s));
        QVERIFY(!passwordIs(u"carol"_s, u"cpw"_s));
        QVERIFY(notifier.Messages().isEmpty());

        // cancelling changes nothing
        const QString before = storedPassword(u"carol"_s);
        TModalScript cancelled;
        cancelled.Then(u"OperatorEditorFrm"_s, [](QWidget* w) {
            TOperatorEditorFrm* editor = editorOf(w);
            type(editor->edtName1(), u"别人"_s);
            editor->CancelBtn1()->click();
        });
        window.btnProp1()->click();
        QVERIFY(cancelled.Finished());
        QCOMPARE(tableRow(u"carol"_s), u"carol|卡萝|c|n|,100,,10000,,10006,"_s);
        QCOMPARE(storedPassword(u"carol"_s), before);
    }

    // An operator removed by another workstation meanwhile: the update is reported, nothing is created.
    void editVanishedOperator_data() { engines(); }
    void editVanishedOperator()
    {
        QFETCH(QString, engine);
        openWithOperators(engine);
        TRecordingNotifier notifier;
        TOperatorsFrm window;
        window.show();
        select(window, u"bob"_s);
        Database().Execute(u"delete from operator where LoginId='bob'"_s);
        TModalScript script;
        script.Then(u"OperatorEditorFrm"_s, [](QWidget* w) { editorOf(w)->OkBtn1()->click(); });
        window.btnProp1()->click();
        QVERIFY(script.Finished());
        QCOMPARE(notifier.LastText(), u"操作员 \"bob\" 已不存在, 可能已被其他工作站删除."_s);
        QCOMPARE(tableRow(u"bob"_s), u"<no row>"_s);
    }

    void deleteOperator_data() { engines(); }
    void deleteOperator()
    {
        QFETCH(QString, engine);
        openWithOperators(engine);
        TRecordingNotifier notifier;
        TOperatorsFrm window;
        window.show();
        select(window, u"bob"_s);

        notifier.SetConfirmAnswer(false);
        window.btnDelete1()->click();
        QCOMPARE(notifier.Messages().size(), 1);
        QCOMPARE(notifier.Messages().at(0).Kind, u"confirm"_s);
        QCOMPARE(notifier.LastText(), u"\r您确定要删除 bob 吗?\t\t"_s);
        QCOMPARE(tableRow(u"bob"_s), u"bob||||,10002,"_s);
        QCOMPARE(listed(window.ListView1()), (QStringList{u"bob"_s, u"carol"_s}));

        notifier.SetConfirmAnswer(true);
        window.btnDelete1()->click();
        QCOMPARE(tableRow(u"bob"_s), u"<no row>"_s);
        QCOMPARE(listed(window.ListView1()), QStringList{u"carol"_s});
        QCOMPARE(TOperatorSet::ListLoginIds(), u"carol"_s);
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
        QVERIFY(set.AddOperator(u"carol"_s, u"cpw"_s, u",100001,"_s, QString(), QString(), QString()));
    }
};

QTEST_MAIN(tst_OperatorsFrm)
#include "tst_operatorsfrm.moc"
