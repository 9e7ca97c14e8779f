#include "CompanyFixture.h"
#include "WindowChecks.h"
#include "app/LwEdit.h"
#include "data/DbError.h"
#include "project/Company.h"
#include "project/CompanyInfoFrm.h"
#include "project/Operator.h"
#include "support/RecordingNotifier.h"
#include "support/TestDatabase.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString storedColumn(const QString& column)
{
    QSqlQuery query = Database().Select(u"select %1 from Company order by Id"_s.arg(column));
    return query.next() ? query.value(0).toString() : u"<no row>"_s;
}

void logIn(const QString& loginId, const QString& rights)
{
    CurrentOperator().LoginId = loginId;
    CurrentOperator().Rights = rights;
}

} // namespace

class TestCompanyInfoFrm : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_notifier.Clear();
        logIn(u"lib"_s, u",10000,"_s);
    }

    void showsTheRecord_data()
    {
        QTest::addColumn<QString>("engine");
        TTestDatabase::AddEngineRows();
    }
    void showsTheRecord()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        TCompany company;
        company.CompanyName = u"第一中学图书馆"_s;
        company.Manager = u"王主任"_s;
        company.Tel = u"010-1"_s;
        company.Fax = u"010-2"_s;
        company.Address = u"学院路 1 号"_s;
        company.Zip = u"100083"_s;
        company.Profile = u"一行\n两行"_s;

        TCompanyInfoFrm form(company);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.objectName(), u"CompanyInfoFrm"_s);
        QCOMPARE(form.windowTitle(), u"公司信息"_s);
        QCOMPARE(form.EdtCompany1()->text(), company.CompanyName);
        QCOMPARE(form.EdtLawMan1()->text(), company.Manager);
        QCOMPARE(form.EdtTel1()->text(), company.Tel);
        QCOMPARE(form.EdtFax1()->text(), company.Fax);
        QCOMPARE(form.EdtAddress1()->text(), company.Address);
        QCOMPARE(form.edtZip1()->text(), company.Zip);
        QCOMPARE(form.MemIntrol1()->toPlainText(), company.Profile);
        QCOMPARE(form.MemIntrol1()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(form.OkBtn1()->text(), u"确定(&O)"_s);
        QCOMPARE(form.CancelBtn1()->text(), u"取消"_s);
        QCOMPARE(form.HelpBtn1()->text(), u"帮助"_s);

        // labels name their controls, and Tab runs through them in the record's order
        QStringList captions;
        for (QWidget* control : QList<QWidget*>{form.EdtCompany1(), form.EdtLawMan1(), form.EdtTel1(), form.EdtFax1(),
                                                form.EdtAddress1(), form.edtZip1(), form.MemIntrol1()})
            for (QLabel* label : form.findChildren<QLabel*>())
                if (label->buddy() == control)
                    captions.append(label->text());
        QCOMPARE(captions, (QStringList{u"企业名称"_s, u"负责人"_s, u"联系电话"_s, u"传真号码"_s, u"地址"_s, u"邮编"_s,
                                        u"公司简介"_s}));
        QWidget* at = form.EdtCompany1();
        QStringList order;
        for (int i = 0; i < 7; ++i, at = at->nextInFocusChain())
            order.append(at->objectName());
        QCOMPARE(order, (QStringList{u"EdtCompany1"_s, u"EdtLawMan1"_s, u"EdtTel1"_s, u"EdtFax1"_s, u"EdtAddress1"_s,
                                     u"edtZip1"_s, u"MemIntrol1"_s}));
        QCOMPARE(WindowChecks::ClippedTexts(&form), QStringList());
    }

    void okStores_data()
    {
        QTest::addColumn<QString>("engine");
        TTestDatabase::AddEngineRows();
    }
    void okStores()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        Company().Load();

        TCompanyInfoFrm form(Company());
        form.open();
        WindowChecks::TypeText(form.EdtCompany1(), u"第一中学图书馆"_s);
        QTest::keyClicks(form.EdtTel1(), u"010-62345678"_s);
        form.MemIntrol1()->setPlainText(u"建于 1952 年"_s);
        QTest::mouseClick(form.OkBtn1(), Qt::LeftButton);

        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(storedColumn(u"CompanyName"_s), u"第一中学图书馆"_s);
        QCOMPARE(storedColumn(u"Tel"_s), u"010-62345678"_s);
        QCOMPARE(storedColumn(u"Profile"_s), u"建于 1952 年"_s);
        QVERIFY(Company().HasName());
        QVERIFY(m_notifier.Messages().isEmpty());
    }

    void failedSaveReloadsAndStaysOpen_data()
    {
        QTest::addColumn<QString>("engine");
        TTestDatabase::AddEngineRows();
    }
    void failedSaveReloadsAndStaysOpen()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        RefuseLongCompanyTel();
        Company().Load();

        TCompanyInfoFrm form(Company());
        form.open();
        form.EdtCompany1()->setText(u"新名字图书馆"_s);
        const QString longTel = QString(25, u'9');
        form.EdtTel1()->setText(longTel);
        QTest::mouseClick(form.OkBtn1(), Qt::LeftButton);

        // the database's refusal is shown and the dialog is there again with what was typed
        QCOMPARE(m_notifier.Messages().size(), 1);
        QVERIFY2(m_notifier.LastText().contains(u"update Company set"_s), qPrintable(m_notifier.LastText()));
        QVERIFY(form.isVisible());
        QCOMPARE(form.EdtCompany1()->text(), u"新名字图书馆"_s);
        QCOMPARE(form.EdtTel1()->text(), longTel);
        // while the record is what the table holds
        QCOMPARE(Company().CompanyName, u"第一中学图书馆"_s);
        QCOMPARE(Company().Tel, u"123"_s);
        QVERIFY(Company().Updated);

        form.EdtTel1()->setText(u"010-62345678"_s);
        QTest::mouseClick(form.OkBtn1(), Qt::LeftButton);
        QVERIFY(!form.isVisible());
        QCOMPARE(storedColumn(u"CompanyName"_s), u"新名字图书馆"_s);
        QCOMPARE(storedColumn(u"Tel"_s), u"010-62345678"_s);
        QCOMPARE(Company().CompanyName, u"新名字图书馆"_s);
    }

    void readOnlyCanOnlyBeCancelled_data()
    {
        QTest::addColumn<QString>("engine");
        TTestDatabase::AddEngineRows();
    }
    void readOnlyCanOnlyBeCancelled()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        Database().Execute(u"update Company set CompanyName='第一中学图书馆'"_s);
        Company().Load();

        bool okEnabled = true;
        const WindowChecks::TModalWatch watch([&okEnabled](QDialog* dialog) {
            auto* form = qobject_cast<TCompanyInfoFrm*>(dialog);
            QVERIFY(form);
            okEnabled = form->OkBtn1()->isEnabled();
            form->EdtCompany1()->setText(u"改过的名字"_s);
            // OK cannot close it, even when pressed another way
            form->accept();
            QVERIFY(form->isVisible());
            QTest::mouseClick(form->CancelBtn1(), Qt::LeftButton);
        });
        QVERIFY(!TCompanyInfoFrm::Edit(true));
        QVERIFY(!okEnabled);
        QCOMPARE(Company().CompanyName, u"第一中学图书馆"_s);
        QCOMPARE(storedColumn(u"CompanyName"_s), u"第一中学图书馆"_s);
    }

    void commandNeedsRight_data()
    {
        QTest::addColumn<QString>("loginId");
        QTest::addColumn<QString>("rights");
        QTest::addColumn<bool>("opens");
        QTest::newRow("right held") << u"lib"_s << u",1001,,10000,"_s << true;
        QTest::newRow("super user") << u"sa"_s << QString() << true;
        QTest::newRow("right missing") << u"lib"_s << u",1001,,100001,"_s << false;
    }
    void commandNeedsRight()
    {
        QFETCH(QString, loginId);
        QFETCH(QString, rights);
        QFETCH(bool, opens);
        QVERIFY(TTestDatabase::OpenWithSchema(TTestDatabase::SQLite));
        Company().Load();
        logIn(loginId, rights);

        bool opened = false;
        const WindowChecks::TModalWatch watch([&opened](QDialog* dialog) {
            opened = qobject_cast<TCompanyInfoFrm*>(dialog) != nullptr;
            QVERIFY(dialog->findChild<QPushButton*>(u"OkBtn1"_s)->isEnabled());
            dialog->reject();
        });
        if (opens) {
            QVERIFY(!TCompanyInfoFrm::CompanyCommand());
            QVERIFY(opened);
            QVERIFY(m_notifier.Messages().isEmpty());
        } else {
            QVERIFY_THROWS_EXCEPTION(EAbort, TCompanyInfoFrm::CompanyCommand());
            QVERIFY(m_notifier.LastText().contains(u"对不起,您没有该功能的操作权限,请与管理员联系(10000)."_s));
            QVERIFY(!watch.Fired());
        }
    }

    void promptAtStart_data()
    {
        QTest::addColumn<QString>("rights");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("prompted");
        QTest::newRow("no name") << u",10000,"_s << QString() << true;
        QTest::newRow("7 bytes: three characters and a letter") << u",10000,"_s << u"图书馆A"_s << true;
        QTest::newRow("8 bytes: four characters") << u",10000,"_s << u"市图书馆"_s << false;
        QTest::newRow("no right, no name") << u",1001,"_s << QString() << false;
    }
    void promptAtStart()
    {
        QFETCH(QString, rights);
        QFETCH(QString, name);
        QFETCH(bool, prompted);
        QVERIFY(TTestDatabase::OpenWithSchema(TTestDatabase::SQLite));
        Database().Execute(u"update Company set CompanyName=:Name"_s, {MakeParam(u"Name"_s, name)});
        Company().Load();
        logIn(u"lib"_s, rights);

        bool shown = false;
        const WindowChecks::TModalWatch watch([&shown](QDialog* dialog) {
            auto* form = qobject_cast<TCompanyInfoFrm*>(dialog);
            shown = form != nullptr;
            QVERIFY(form);
            form->EdtCompany1()->setText(u"第一中学图书馆"_s);
            QTest::mouseClick(form->OkBtn1(), Qt::LeftButton);
        });
        QCOMPARE(TCompanyInfoFrm::PromptAtStart(), prompted);
        QCOMPARE(watch.Fired(), prompted);
        QCOMPARE(shown, prompted);
        QCOMPARE(storedColumn(u"CompanyName"_s), prompted ? u"第一中学图书馆"_s : name);
    }

private:
    TRecordingNotifier m_notifier;
};

QTEST_MAIN(TestCompanyInfoFrm)
#include "tst_companyinfofrm.moc"
