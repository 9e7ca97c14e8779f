#include "app/LwComboBox.h"
#include "app/LwEdit.h"
#include "app/MainFrm.h"
#include "app/SplashFrm.h"
#include "app/StartUp.h"
#include "data/AppPaths.h"
#include "data/Configer.h"
#include "data/DBConfigFrm.h"
#include "data/Database.h"
#include "holdings/Schema.h"
#include "project/LoginFrm.h"
#include "project/Operator.h"
#include "support/RecordingNotifier.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Runs `act` on the first modal TDBConfigFrm that appears, from inside its event loop, for as long
// as the script lives.
class TDialogScript
{
public:
    explicit TDialogScript(std::function<void(TDBConfigFrm*)> act) : m_act(std::move(act))
    {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<TDBConfigFrm*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            m_timer.stop();
            ++m_shown;
            m_act(dialog);
        });
        m_timer.start();
    }
    int Shown() const { return m_shown; }

private:
    QTimer m_timer;
    std::function<void(TDBConfigFrm*)> m_act;
    int m_shown = 0;
};

// cfg.ini for a database file, written the way the dialog writes it.
void writeFileConfig(const QString& configPath, const QString& databaseFile)
{
    TConfiger configer(configPath);
    configer.providerIdx = TConfiger::FileKind;
    configer.defaultCon = false;
    configer.jetfile = databaseFile;
    QVERIFY(configer.SaveConfig());
}

} // namespace

class TestStartUp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { Database().Release(); }

    void splashTextsInOrderWithWorkingSettings()
    {
        QTemporaryDir folder;
        const QString file = folder.filePath(u"library.db"_s);
        {
            TDatabase maker;
            QString error;
            QVERIFY2(TSchema::CreateDatabase(maker, TConfiger::FileConnectionString(file), &error), qPrintable(error));
        }
        const QString config = folder.filePath(u"cfg.ini"_s);
        writeFileConfig(config, file);

        TRecordingNotifier notes;
        TDialogScript script([](TDBConfigFrm* dialog) { dialog->reject(); });
        TStartUp startUp({config, folder.path()});
        TmainFrm* main = startUp.Start({u"sa"_s, QString(), u"x"_s});
        QVERIFY(main);
        QCOMPARE(startUp.SplashHistory(),
                 QStringList({u"正在连接数据库,请稍候..."_s, u"正在创建公共对象,请稍候..."_s,
                              u"正在创建公共对象,请稍候...."_s, u"正在创建主程序,请稍候..."_s}));
        QCOMPARE(script.Shown(), 0);
        // "sa" of a new database has no password yet, and is told so once
        QCOMPARE(notes.Messages().size(), 1);
        QCOMPARE(notes.LastText(), TOperator::EmptyPasswordNotice());
        QCOMPARE(CurrentOperator().LoginId, u"sa"_s);
        QVERIFY(Database().Connected());
        QCOMPARE(Database().DataSourceName(), file);
        QCOMPARE(main->windowTitle(), u"澄岳图书管理系统 - 网络版 2013.1.11.0326"_s);
        QVERIFY(!main->isVisible());
    }

    void cancelledConnectionEndsStartUp()
    {
        QTemporaryDir folder;
        const QString config = folder.filePath(u"cfg.ini"_s);
        writeFileConfig(config, folder.filePath(u"missing.db"_s));

        TRecordingNotifier notes;
        TDialogScript script([](TDBConfigFrm* dialog) { QTest::mouseClick(dialog->Button2(), Qt::LeftButton); });
        TStartUp startUp({config, folder.path()});
        QVERIFY(!startUp.Start({}));
        QCOMPARE(script.Shown(), 1);
        // the failed attempt was reported, and nothing after the cancel
        QCOMPARE(notes.Messages().size(), 1);
        QVERIFY(notes.LastText().startsWith(u"连接时失败,提示如下:\r\n"_s));
        QCOMPARE(startUp.SplashHistory(), QStringList{u"正在连接数据库,请稍候..."_s});
        QVERIFY(!Database().Connected());
    }

    void okSavesAndRetries()
    {
        QTemporaryDir folder;
        const QString good = folder.filePath(u"good.db"_s);
        {
            TDatabase maker;
            QVERIFY(TSchema::CreateDatabase(maker, TConfiger::FileConnectionString(good), nullptr));
        }
        const QString config = folder.filePath(u"cfg.ini"_s);
        writeFileConfig(config, folder.filePath(u"missing.db"_s));

        TRecordingNotifier notes;
        TDialogScript script([good](TDBConfigFrm* dialog) {
            dialog->jetfileEdit1()->setText(good);
            QTest::mouseClick(dialog->Button1(), Qt::LeftButton);
        });
        QVERIFY2(ConnectDatabase(config), qPrintable(notes.LastText()));
        QCOMPARE(Database().DataSourceName(), good);
        // the choice was saved before the attempt that succeeded
        QCOMPARE(TConfiger(config).jetfile, good);
    }

    void databaseWithoutOurTablesIsRefused()
    {
        QTemporaryDir folder;
        const QString empty = folder.filePath(u"empty.db"_s);
        {
            TDatabase maker;
            QVERIFY(maker.TryConnect(TConfiger::FileConnectionString(empty), nullptr, true));
            maker.Execute(u"create table other (Id integer)"_s);
        }
        const QString config = folder.filePath(u"cfg.ini"_s);
        writeFileConfig(config, empty);
        TRecordingNotifier notes;
        TDialogScript script([](TDBConfigFrm* dialog) { dialog->reject(); });
        QVERIFY(!ConnectDatabase(config));
        QVERIFY2(notes.LastText().contains(u"没有本程序的数据表"_s), qPrintable(notes.LastText()));
        QCOMPARE(notes.Messages().size(), 1);
    }

    void firstStartCreatesTheEmbeddedDatabase()
    {
        QTemporaryDir folder;
        const QString config = folder.filePath(u"cfg.ini"_s);
        QFile::remove(AppPaths::DefaultDatabasePath());
        TRecordingNotifier notes;
        QVERIFY(ConnectDatabase(config));
        QVERIFY(notes.Messages().isEmpty());
        QCOMPARE(Database().DataSourceName(), AppPaths::DefaultDatabasePath());
        QCOMPARE(TSchema::StoredVersion(Database()), TSchema::CurrentVersion());
        const TConfiger saved(config);
        QCOMPARE(saved.providerIdx, TConfiger::FileKind);
        QVERIFY(saved.defaultCon);
        // the next start finds it as it is
        Database().Release();
        QVERIFY(ConnectDatabase(config));
        Database().Release();
        QFile::remove(AppPaths::DefaultDatabasePath());
    }

    void cancelledLoginEndsStartUp()
    {
        QTemporaryDir folder;
        const QString file = folder.filePath(u"library.db"_s);
        {
            TDatabase maker;
            QVERIFY(TSchema::CreateDatabase(maker, TConfiger::FileConnectionString(file), nullptr));
        }
        const QString config = folder.filePath(u"cfg.ini"_s);
        writeFileConfig(config, file);
        TRecordingNotifier notes;
        int logins = 0;
        QTimer timer;
        timer.setInterval(20);
        connect(&timer, &QTimer::timeout, this, [&] {
            if (auto* login = qobject_cast<TLoginFrm*>(QApplication::activeModalWidget())) {
                ++logins;
                login->reject();
            }
        });
        timer.start();
        TStartUp startUp({config, folder.path()});
        // a wrong password on the command line leads to the dialog
        QVERIFY(!startUp.Start({u"sa"_s, u"wrong"_s, u"x"_s}));
        QCOMPARE(logins, 1);
        // the close sequence ran: the connection is closed
        QVERIFY(!Database().Connected());
        QVERIFY(notes.Messages().isEmpty());
    }

    void dialogShowsAndSavesSettings()
    {
        QTemporaryDir folder;
        const QString config = folder.filePath(u"cfg.ini"_s);
        {
            TConfiger configer(config);
            configer.providerIdx = TConfiger::ServerKind;
            configer.mssqlServer = u"db.example"_s;
            configer.mssqlPort = 6543;
            configer.mssqlDb = u"lib"_s;
            configer.mssqlUser = u"librarian"_s;
            configer.mssqlPw = u"秘密"_s;
            configer.defaultCon = true;
            QVERIFY(configer.SaveConfig());
        }
        TDBConfigFrm dialog(nullptr, config);
        QCOMPARE(dialog.ComboBox1()->currentIndex(), 0);
        QCOMPARE(dialog.Notebook1()->currentWidget()->objectName(), u"mssql"_s);
        QCOMPARE(dialog.mssqlPortEdit1()->text(), u"6543"_s);
        QCOMPARE(dialog.mssqlPwEdit1()->text(), u"秘密"_s);
        QVERIFY(!dialog.CheckBox1()->isChecked());
        // the default-file box disables the file, its button, user and password
        QVERIFY(dialog.jetDefaultCheckBox1()->isChecked());
        for (QWidget* control : std::initializer_list<QWidget*>{dialog.jetfileEdit1(), dialog.jetFileButton1(),
                                                               dialog.jetUserEdit1(), dialog.jetPwEdit1()})
            QVERIFY(!control->isEnabled());
        dialog.jetDefaultCheckBox1()->setChecked(false);
        QVERIFY(dialog.jetfileEdit1()->isEnabled() && dialog.jetPwEdit1()->isEnabled());

        dialog.ComboBox1()->setCurrentIndex(2);
        QCOMPARE(dialog.Notebook1()->currentWidget()->objectName(), u"lwdip"_s);
        dialog.ComboBox1()->setCurrentIndex(0);
        dialog.mssqlServerEdit1()->setText(u"127.0.0.1"_s);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const TConfiger saved(config);
        QCOMPARE(saved.mssqlServer, u"127.0.0.1"_s);
        QCOMPARE(saved.mssqlPort, 6543);
        QVERIFY(!saved.defaultCon);
        QCOMPARE(dialog.ConnectionString(),
                 TConfiger::ServerConnectionString(u"127.0.0.1"_s, u"6543"_s, u"lib"_s, u"librarian"_s, u"秘密"_s));
    }

    void badPortSavesNothing()
    {
        QTemporaryDir folder;
        const QString config = folder.filePath(u"cfg.ini"_s);
        TRecordingNotifier notes;
        TDBConfigFrm dialog(nullptr, config);
        dialog.mssqlPortEdit1()->setText(u"54x"_s);
        dialog.mssqlServerEdit1()->setText(u"host"_s);
        dialog.accept();
        QCOMPARE(notes.LastText(), TConfiger::PortError());
        QVERIFY(!QFile::exists(config));
        QVERIFY(dialog.result() != QDialog::Accepted);
    }

    void createDatabaseButtonMakesTheFile()
    {
        QTemporaryDir folder;
        const QString file = folder.filePath(u"new/library.db"_s);
        TRecordingNotifier notes;
        TDBConfigFrm dialog(nullptr, folder.filePath(u"cfg.ini"_s));
        dialog.ComboBox1()->setCurrentIndex(1);
        dialog.jetDefaultCheckBox1()->setChecked(false);
        dialog.jetfileEdit1()->setText(file);
        QTest::mouseClick(dialog.btnCreateDb1(), Qt::LeftButton);
        QVERIFY2(notes.LastText().startsWith(u"数据库已经就绪"_s), qPrintable(notes.LastText()));
        TDatabase check;
        QVERIFY(check.TryConnect(TConfiger::FileConnectionString(file)));
        QCOMPARE(TSchema::StoredVersion(check), TSchema::CurrentVersion());
        // pressed again, it keeps what is there
        QTest::mouseClick(dialog.btnCreateDb1(), Qt::LeftButton);
        QVERIFY(notes.LastText().startsWith(u"数据库已经就绪"_s));
        // the program's own connection was never touched
        QVERIFY(!Database().Connected());
    }

    void splashHintAddsDots()
    {
        TSplashFrm splash;
        QCOMPARE(splash.Hint(), u"正在创建数据连接..."_s);
        splash.ShowHint(QString());
        splash.ShowHint(QString());
        QCOMPARE(splash.Hint(), u"正在创建数据连接....."_s);
        splash.ShowHint(u"甲"_s);
        QCOMPARE(splash.History(), QStringList({u"正在创建数据连接...."_s, u"正在创建数据连接....."_s, u"甲"_s}));
    }
};

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
