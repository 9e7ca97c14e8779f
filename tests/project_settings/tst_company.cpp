#include "data/Database.h"
#include "data/DbError.h"
#include "project/Company.h"
#include "CompanyFixture.h"
#include "support/RecordingNotifier.h"
#include "support/TestDatabase.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

int companyRows()
{
    QSqlQuery query = Database().Select(u"select count(*) from Company"_s);
    return query.next() ? query.value(0).toInt() : -1;
}

QStringList storedRow(int id)
{
    QSqlQuery query = Database().Select(
        u"select CompanyName, Manager, Tel, Fax, Address, Zip, Profile, Updated from Company where Id=:Id"_s,
        {MakeParam(u"Id"_s, id)});
    if (!query.next())
        return {u"<no row>"_s};
    QStringList values;
    for (int c = 0; c < 7; ++c)
        values.append(query.value(c).toString());
    values.append(query.value(7).toBool() ? u"true"_s : u"false"_s);
    return values;
}

TCompany filled(const QString& name)
{
    TCompany company;
    company.CompanyName = name;
    company.Manager = u"李老师"_s;
    company.Tel = u"010-12345678"_s;
    company.Fax = u"010-87654321"_s;
    company.Address = u"北京市海淀区学院路 1 号"_s;
    company.Zip = u"100083"_s;
    company.Profile = u"第一行\n第二行, 含\"引号\""_s;
    return company;
}

} // namespace

class TestCompany : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_notifier.Clear(); }

    void hasName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("bytes");
        QTest::addColumn<bool>("hasName");
        QTest::newRow("empty") << QString() << 0 << false;
        QTest::newRow("three characters and a letter") << u"图书馆A"_s << 7 << false;
        QTest::newRow("four characters") << u"市图书馆"_s << 8 << true;
        QTest::newRow("seven letters") << u"Library"_s << 7 << false;
        QTest::newRow("eight letters") << u"Library1"_s << 8 << true;
        QTest::newRow("two characters and four letters") << u"二中ABCD"_s << 8 << true;
        QTest::newRow("full-width letters count two") << u"ＡＢＣＤ"_s << 8 << true;
        QTest::newRow("characters beyond the basic plane count once each") << u"𠀀𠀀𠀀A"_s << 7 << false;
    }
    void hasName()
    {
        QFETCH(QString, name);
        QFETCH(int, bytes);
        QFETCH(bool, hasName);
        QCOMPARE(TCompany::CodePageLength(name), bytes);
        TCompany company;
        company.CompanyName = name;
        QCOMPARE(company.HasName(), hasName);
    }

    void loadFirstRow_data()
    {
        QTest::addColumn<QString>("engine");
        TTestDatabase::AddEngineRows();
    }
    void loadFirstRow()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        Database().Execute(u"update Company set CompanyName='第一中学图书馆', Manager=null, Tel='123', Profile=null, "
                           u"Updated=:Updated where Id=1"_s,
                           {MakeParam(u"Updated"_s, true)});
        Database().Execute(u"insert into Company(Id, CompanyName) values (2, '另一个')"_s);

        TCompany company = filled(u"旧的内容"_s);
        company.Load();
        QCOMPARE(company.Id, 1);
        QCOMPARE(company.CompanyName, u"第一中学图书馆"_s);
        QCOMPARE(company.Manager, QString());
        QCOMPARE(company.Tel, u"123"_s);
        QCOMPARE(company.Fax, QString());
        QCOMPARE(company.Profile, QString());
        QVERIFY(company.Updated);
        QVERIFY(company.HasName());
    }

    void loadEmptyTable_data()
    {
        QTest::addColumn<QString>("engine");
        TTestDatabase::AddEngineRows();
    }
    void loadEmptyTable()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        Database().Execute(u"delete from Company"_s);

        TCompany company = filled(u"旧的内容"_s);
        company.Id = 4;
        company.Updated = true;
        company.Load();
        QCOMPARE(company.Id, 0);
        QCOMPARE(company.CompanyName, QString());
        QCOMPARE(company.Profile, QString());
        QVERIFY(!company.Updated);
        QVERIFY(!company.HasName());
        QVERIFY(!company.Exists());
    }

    void saveInsertsThenUpdates_data()
    {
        QTest::addColumn<QString>("engine");
        TTestDatabase::AddEngineRows();
    }
    void saveInsertsThenUpdates()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        Database().Execute(u"delete from Company"_s);
        TCompany& company = Company();
        company.Load();

        company = filled(u"实验小学图书室"_s);
        QVERIFY(!company.Exists());
        QVERIFY(company.Save());
        QCOMPARE(companyRows(), 1);
        QCOMPARE(storedRow(0),
                 (QStringList{u"实验小学图书室"_s, u"李老师"_s, u"010-12345678"_s, u"010-87654321"_s,
                              u"北京市海淀区学院路 1 号"_s, u"100083"_s, u"第一行\n第二行, 含\"引号\""_s, u"false"_s}));
        QVERIFY(company.Exists());

        company.CompanyName = u"实验小学图书馆"_s;
        company.Zip = QString();
        QVERIFY(company.Save());
        QCOMPARE(companyRows(), 1);
        QCOMPARE(storedRow(0).at(0), u"实验小学图书馆"_s);
        QCOMPARE(storedRow(0).at(5), QString());

        TCompany reread;
        reread.Load();
        QCOMPARE(reread.Id, 0);
        QCOMPARE(reread.CompanyName, u"实验小学图书馆"_s);
        QCOMPARE(reread.Profile, company.Profile);
    }

    void updatedFlagSurvivesSaves_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<bool>("updated");
        for (const QString& engine : TTestDatabase::Engines()) {
            QTest::addRow("%s/set", qPrintable(engine)) << engine << true;
            QTest::addRow("%s/clear", qPrintable(engine)) << engine << false;
        }
    }
    void updatedFlagSurvivesSaves()
    {
        QFETCH(QString, engine);
        QFETCH(bool, updated);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        Database().Execute(u"update Company set Updated=:Updated"_s, {MakeParam(u"Updated"_s, updated)});

        TCompany company;
        company.Load();
        for (int i = 0; i < 3; ++i) {
            company.CompanyName = u"第%1次保存的图书馆"_s.arg(i);
            QVERIFY(company.Save());
            company.Load();
            QCOMPARE(company.Updated, updated);
        }
        QCOMPARE(storedRow(1).last(), updated ? u"true"_s : u"false"_s);
    }

    void failingSaveRaises_data()
    {
        QTest::addColumn<QString>("engine");
        TTestDatabase::AddEngineRows();
    }
    void failingSaveRaises()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        RefuseLongCompanyTel();

        TCompany company;
        company.Load();
        company.Tel = QString(21, u'8');
        try {
            company.Save();
            QFAIL("a refused update must raise");
        } catch (const EDatabaseError& error) {
            QVERIFY2(error.Sql().startsWith(u"update Company set"_s), qPrintable(error.Message()));
        }
        QCOMPARE(storedRow(1).at(2), u"123"_s);
    }

    void missingTableEndsTheSave_data()
    {
        QTest::addColumn<QString>("engine");
        TTestDatabase::AddEngineRows();
    }
    void missingTableEndsTheSave()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        Database().Execute(u"drop table Company"_s);

        TCompany company = filled(u"第一中学图书馆"_s);
        // the existence test fails first: its select error is shown and the action ends
        QVERIFY_THROWS_EXCEPTION(EAbort, company.Save());
        QVERIFY(m_notifier.LastText().startsWith(u"SQL语句错误,原文如下:"_s));
    }

private:
    TRecordingNotifier m_notifier;
};

QTEST_GUILESS_MAIN(TestCompany)
#include "tst_company.moc"
