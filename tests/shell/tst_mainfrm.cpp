#include "app/Commands.h"
#include "app/LwComboBox.h"
#include "app/LwEdit.h"
#include "app/LwListView.h"
#include "app/MainFrm.h"
#include "app/Product.h"
#include "data/Database.h"
#include "project/CompanyInfoFrm.h"
#include "project/LoginFrm.h"
#include "project/Operator.h"
#include "support/RecordingNotifier.h"
#include "support/TestDatabase.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

void addOperator(const QString& login, const QString& rights)
{
    Database().ExecSQL(u"insert into operator (LoginId, Password, Name, Rights) values (:LoginId, '', :LoginId, :Rights)"_s,
                       {MakeParam(u"LoginId"_s, login), MakeParam(u"Rights"_s, rights)});
}

// A main window logged in from the command line as `login` (whose password is empty).
std::unique_ptr<TmainFrm> openAs(const QString& login)
{
    auto main = std::make_unique<TmainFrm>(QStringList{login, QString(), u"x"_s});
    if (!main->Login(true))
        return nullptr;
    return main;
}

QListWidgetItem* icon(TmainFrm& main, const QString& action)
{
    return main.ListView1()->FindAction(action);
}

QStringList captionsOf(const QMenu* menu)
{
    QStringList captions;
    for (QAction* action : menu->actions())
        if (!action->isSeparator())
            captions.append(action->text());
    return captions;
}

} // namespace

class TestMainFrm : public QObject
{
    Q_OBJECT

private slots:
    void init() { CurrentOperator() = TOperator(); }

    void menuStructure_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("file") << u"文件(&F)"_s
                              << QStringList{u"公司信息"_s, u"操作员及权限"_s, u"选项设置"_s, u"初始化数据..."_s,
                                             u"备份与恢复"_s, u"更改密码"_s, u"重新登陆"_s, u"退出系统"_s};
        QTest::newRow("data") << u"资料(&O)"_s
                              << QStringList{u"中图分类"_s, u"出版社"_s,       u"图书资料"_s,     u"期刊资料"_s,
                                             u"读者类别"_s, u"读者资料"_s,     u"读者状态设置"_s, u"读者押金充值"_s};
        QTest::newRow("loans") << u"借阅(&Z)"_s
                               << QStringList{u"图书期刊借阅"_s, u"图书期刊归还"_s, u"图书期刊续借"_s,
                                              u"图书注销"_s,     u"期刊注销"_s,     u"罚款管理"_s};
        QTest::newRow("queries") << u"查询(&V)"_s
                                 << QStringList{u"图书期刊借阅查询"_s, u"图书期刊注销查询"_s, u"读者充值记录查询"_s,
                                                u"图书借阅排名"_s,     u"期刊借阅排名"_s,     u"读者借阅排名"_s,
                                                u"读者部门借阅排名"_s, u"读者类别借阅排名"_s, u"图书分类统计"_s,
                                                u"期刊分类统计"_s,     u"读者分类统计"_s};
        QTest::newRow("today") << u"今日(D)"_s
                               << QStringList{u"今日借出图书"_s,   u"今日借出期刊"_s,   u"今日归还图书"_s,
                                              u"今日归还期刊"_s,   u"今日注销图书"_s,   u"今日注销期刊"_s,
                                              u"今日新增图书"_s,   u"今日新增期刊"_s,   u"今日新增读者"_s,
                                              u"今日到期图书"_s,   u"今日到期期刊"_s,   u"三日内到期图书"_s,
                                              u"三日内到期期刊"_s, u"今日罚款记录"_s,   u"今日充值记录"_s};
        QTest::newRow("tools") << u"工具(&T)"_s << QStringList{u"记事本"_s, u"计算器"_s, u"设置..."_s};
        QTest::newRow("help") << u"帮助(&H)"_s
                              << QStringList{u"帮助文件"_s, u"常见问题"_s,     u"每日一贴"_s, u"自述文件"_s,
                                             u"最新功能"_s, u"澄岳官方网站"_s, u"在线反馈"_s, u"关于..."_s};
    }
    void menuStructure()
    {
        QFETCH(QString, menu);
        QFETCH(QStringList, items);
        TmainFrm main;
        QMenu* found = nullptr;
        QStringList tops;
        for (QAction* action : main.menuBar()->actions()) {
            tops.append(action->text());
            if (action->text() == menu)
                found = action->menu();
        }
        QVERIFY2(found, qPrintable(tops.join(u' ')));
        QCOMPARE(captionsOf(found), items);
    }

    void captionAndDataDesktop()
    {
        TmainFrm main;
        QCOMPARE(main.windowTitle(), u"%1 - %2"_s.arg(Product::Name, Product::Edition));
        QStringList data;
        for (int row = 0; row < main.ListView2()->count(); ++row)
            data.append(main.ListView2()->item(row)->text());
        QCOMPARE(data, QStringList({u"图书资料"_s, u"期刊资料"_s, u"读者资料"_s, u"读者类别"_s, u"中图分类"_s}));
        // the circulation desktop waits for the first login
        QCOMPARE(main.ListView1()->count(), 0);
    }

    void commandsCheckTheirRight_data() { QTest::addColumn<QString>("engine"); TTestDatabase::AddEngineRows(); }
    void commandsCheckTheirRight()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        addOperator(u"clerk"_s, u",10002,"_s);
        TRecordingNotifier notes;
        auto main = openAs(u"clerk"_s);
        QVERIFY(main);
        notes.Clear();
        main->Action(u"N1"_s)->trigger();
        QCOMPARE(notes.LastText(), TOperator::RefusalText(TRight::Company));
        QCOMPARE(notes.Messages().size(), 1);
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget* window : windows)
            QVERIFY(!qobject_cast<TCompanyInfoFrm*>(window) || !window->isVisible());

        // a command whose window is still to come says so, from the menu and from the desktop alike
        notes.Clear();
        main->Action(u"TodayChargeAction1"_s)->trigger();
        emit main->ListView2()->actionActivated(u"TodayChargeAction1"_s);
        QCOMPARE(notes.Messages().size(), 2);
        QCOMPARE(notes.Messages().at(0).Text, LaterText());
        QCOMPARE(notes.Messages().at(1).Text, LaterText());
        main->close();
    }

    void welcomeAndSelectionHints_data() { QTest::addColumn<QString>("engine"); TTestDatabase::AddEngineRows(); }
    void welcomeAndSelectionHints()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        addOperator(u"clerk"_s, QString());
        TRecordingNotifier notes;
        auto main = openAs(u"clerk"_s);
        QVERIFY(main);
        QCOMPARE(main->lblHint1()->text(), u"clerk: 您好! 欢迎您使用本系统."_s);
        QCOMPARE(main->lblHint2()->text(), u"请从桌面或菜单中选择您要的操作."_s);
        QStringList desk;
        for (int row = 0; row < main->ListView1()->count(); ++row)
            desk.append(TlwListView::ActionName(main->ListView1()->item(row)));
        QCOMPARE(desk, CirculationDesktop());
        QListWidgetItem* loan = icon(*main, u"LoanAction1"_s);
        main->ListView1()->setCurrentItem(loan);
        QCOMPARE(main->lblHint1()->text(), u"图书期刊借阅"_s);
        main->ListView1()->clearSelection();
        QCOMPARE(main->lblHint1()->text(), u"clerk: 您好! 欢迎您使用本系统."_s);
        // aligning needs two icons: one selected moves nothing
        const QPoint before = main->ListView1()->ItemPosition(icon(*main, u"RenewEditAction1"_s));
        main->ListView1()->SetItemPosition(loan, QPoint(400, 300));
        main->ListView1()->setCurrentItem(loan);
        main->ListView1()->AlignTop();
        QCOMPARE(main->ListView1()->ItemPosition(loan), QPoint(400, 300));
        QCOMPARE(main->ListView1()->ItemPosition(icon(*main, u"RenewEditAction1"_s)), before);
        main->close();
    }

    void arrangementKeptPerOperator_data() { QTest::addColumn<QString>("engine"); TTestDatabase::AddEngineRows(); }
    void arrangementKeptPerOperator()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        const QString connection = TTestDatabase::LastConnectionString();
        addOperator(u"anna"_s, QString());
        addOperator(u"bert"_s, QString());
        TRecordingNotifier notes;

        // anna arranges two icons and closes
        {
            auto main = openAs(u"anna"_s);
            QVERIFY(main);
            main->ListView1()->SetItemPosition(icon(*main, u"LoanAction1"_s), QPoint(320, 160));
            main->ListView1()->SetItemPosition(icon(*main, u"FineQueryAction1"_s), QPoint(40, 260));
            main->close();
            QVERIFY(!Database().Connected());
        }
        QVERIFY(Database().TryConnect(connection));
        // she finds them where she left them; bert does not
        {
            auto main = openAs(u"anna"_s);
            QCOMPARE(main->ListView1()->ItemPosition(icon(*main, u"LoanAction1"_s)), QPoint(320, 160));
            QCOMPARE(main->ListView1()->ItemPosition(icon(*main, u"FineQueryAction1"_s)), QPoint(40, 260));
            QCOMPARE(main->Arrangement().Position(u"LoanAction1"_s), QPoint(320, 160));

            // a re-login as bert keeps the icons where they are and saves them as his at close
            QTimer timer;
            timer.setInterval(20);
            connect(&timer, &QTimer::timeout, this, [&timer] {
                if (auto* login = qobject_cast<TLoginFrm*>(QApplication::activeModalWidget())) {
                    timer.stop();
                    login->edtLoginId1()->setEditText(u"bert"_s);
                    login->edtPassword1()->clear();
                    login->accept();
                }
            });
            timer.start();
            QVERIFY(main->Action(u"N10"_s));
            main->Action(u"N10"_s)->trigger();
            QCOMPARE(CurrentOperator().LoginId, u"bert"_s);
            QCOMPARE(main->ListView1()->ItemPosition(icon(*main, u"LoanAction1"_s)), QPoint(320, 160));
            QCOMPARE(main->lblHint1()->text(), u"bert: 您好! 欢迎您使用本系统."_s);
            main->close();
        }
        QVERIFY(Database().TryConnect(connection));
        QSqlQuery stored = Database().Select(u"select Menus from operator where LoginId='bert'"_s);
        QVERIFY(stored.next());
        QVERIFY2(stored.value(0).toString().contains(u"LoanAction1=320,160"_s), qPrintable(stored.value(0).toString()));
        QVERIFY(stored.value(0).toString().contains(u"\r\n"_s));
    }

    void cancelledLoginKeepsNothing_data() { QTest::addColumn<QString>("engine"); TTestDatabase::AddEngineRows(); }
    void cancelledLoginKeepsNothing()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        TRecordingNotifier notes;
        TmainFrm main({u"sa"_s, u"wrong"_s, u"x"_s});
        QTimer::singleShot(50, this, [] {
            if (auto* login = qobject_cast<TLoginFrm*>(QApplication::activeModalWidget()))
                login->reject();
        });
        QVERIFY(!main.Login(true));
        QCOMPARE(main.ListView1()->count(), 0);
        QVERIFY(CurrentOperator().LoginId.isEmpty());
    }
};

QTEST_MAIN(TestMainFrm)
#include "tst_mainfrm.moc"
