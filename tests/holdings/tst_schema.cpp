#include "data/Database.h"
#include "data/DbError.h"
#include "holdings/Schema.h"
#include "support/TestDatabase.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QtSql/QSqlRecord>
#include <QtTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(TDBParameters)

namespace {

// A cell as text, the same on both engines: PostgreSQL hands flags back as bool, SQLite as 0/1.
QString cellText(const QVariant& value)
{
    if (value.isNull())
        return u"<null>"_s;
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? u"1"_s : u"0"_s;
    if (value.typeId() == QMetaType::Double)
        return QString::number(value.toDouble());
    return value.toString();
}

QList<QStringList> fetchAll(const QString& sql, const TDBParameters& params = {})
{
    QSqlQuery query = Database().Select(sql, params);
    QList<QStringList> rows;
    while (query.next()) {
        QStringList row;
        for (int i = 0; i < query.record().count(); ++i)
            row.append(cellText(query.value(i)));
        rows.append(row);
    }
    return rows;
}

qsizetype rowCount(const QString& sql, const TDBParameters& params = {})
{
    return fetchAll(sql, params).size();
}

// A date column as the program reads it: PostgreSQL returns a date-time, SQLite the stored text,
// which must be "yyyy-MM-dd hh:mm:ss" (never the ISO "T" form) for ranges to compare correctly.
QDateTime storedDateTime(const QVariant& value)
{
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime();
    return QDateTime::fromString(value.toString(), u"yyyy-MM-dd hh:mm:ss"_s);
}

// Checks the named columns of the single row `sql` returns; columns are found without regard to
// letter case, as PostgreSQL reports them in lower case.
void verifyRow(const QString& sql, const TDBParameters& params, const QVariantMap& expected)
{
    QSqlQuery query = Database().Select(sql, params);
    QVERIFY2(query.next(), qPrintable(sql));
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        const QVariant actual = query.value(it.key());
        const QByteArray where = it.key().toUtf8();
        switch (it.value().typeId()) {
        case QMetaType::QDate:
        case QMetaType::QDateTime:
            QVERIFY2(storedDateTime(actual).isValid(), where + " holds " + actual.toString().toUtf8());
            QCOMPARE(storedDateTime(actual), it.value().toDateTime());
            break;
        case QMetaType::Double:
            QVERIFY2(qFuzzyCompare(actual.toDouble(), it.value().toDouble()), where);
            break;
        case QMetaType::Int:
            QVERIFY2(!actual.isNull(), where);
            QCOMPARE(actual.toInt(), it.value().toInt());
            break;
        default:
            QVERIFY2(!actual.isNull(), where);
            QCOMPARE(actual.toString(), it.value().toString());
        }
    }
    QVERIFY2(!query.next(), qPrintable(sql));
}

TDBParameters toParams(const QVariantMap& values)
{
    TDBParameters params;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        params.append(MakeParam(it.key(), it.value()));
    return params;
}

QString raisedMessage(const std::function<void()>& action)
{
    try {
        action();
    } catch (const EDatabaseError& e) {
        return e.Message();
    }
    return QString();
}

const QString kBookInsert =
    u"insert into books(Code, Name, Ping, Author, ISBN, CataId, Zhong, Shou, Publisher, Pubdate, Kai, Binding, "
    u"Language, Belongs, Pages, Appendix, Location, Price, Getdate, Contents, Notes, QtyLib, QtyOff, QtyLoan, "
    u"TimesLoan, Id)values(:Code,:Name,:Ping,:Author,:ISBN,:CataId,:Zhong,:Shou,:Publisher,:Pubdate,:Kai,:Binding,"
    u":Language,:Belongs,:Pages,:Appendix,:Location,:Price,:Getdate,:Contents,:Notes, :QtyLib, 0, 0, 0,:Id)"_s;
const QString kBookUpdate =
    u"update books set Code=:Code, Name=:Name, Ping=:Ping, Author=:Author, ISBN=:ISBN, CataId=:CataId, "
    u"Zhong=:Zhong, Shou=:Shou, Publisher=:Publisher, Pubdate=:Pubdate, Kai=:Kai, Binding=:Binding, "
    u"Language=:Language, Belongs=:Belongs, Pages=:Pages, Appendix=:Appendix, Location=:Location, Price=:Price, "
    u"Getdate=:Getdate, Contents=:Contents, Notes=:Notes, QtyLib=:QtyLib where Id=:Id"_s;

QVariantMap sampleBook()
{
    return {
        {u"Id"_s, 1},
        {u"Code"_s, u"TS-0001"_s},
        {u"Name"_s, u"小型图书馆的编目实践"_s},
        {u"Ping"_s, u"XXTSGDBMSJ"_s},
        {u"Author"_s, u"王晓明"_s},
        {u"ISBN"_s, u"978-7-5013-0000-1"_s},
        {u"CataId"_s, 3},
        {u"Zhong"_s, u"12"_s},
        {u"Shou"_s, u"G254/12"_s},
        {u"Publisher"_s, u"图书馆出版社"_s},
        {u"Pubdate"_s, u"2014年9月"_s},
        {u"Kai"_s, u"16开"_s},
        {u"Binding"_s, u"平装"_s},
        {u"Language"_s, u"中文"_s},
        // the widest values the edit window accepts
        {u"Belongs"_s, QString(250, QChar(0x4E1B))},
        {u"Pages"_s, u"445页"_s},
        {u"Appendix"_s, u"光盘1张"_s},
        {u"Location"_s, u"书库"_s},
        {u"Price"_s, 39.6},
        {u"Getdate"_s, QDate(2023, 9, 1)},
        // a memo far longer than any text field
        {u"Contents"_s, u"本书介绍分类、编目与流通。\n"_s.repeated(400)},
        {u"Notes"_s, QString(250, QChar(0x6CE8))},
        {u"QtyLib"_s, 2},
    };
}

} // namespace

class tst_Schema : public QObject
{
    Q_OBJECT

private slots:
    void everyColumnExists_data();
    void everyColumnExists();
    void fixedRows_data();
    void fixedRows();
    void bookInsertAndUpdate_data();
    void bookInsertAndUpdate();
    void keywordNamesWorkPlain_data();
    void keywordNamesWorkPlain();
    void textIgnoresLetterCase_data();
    void textIgnoresLetterCase();
    void duplicateKeysRefused_data();
    void duplicateKeysRefused();
    void databaseFillsDefaults_data();
    void databaseFillsDefaults();
    void versionIsStored_data();
    void versionIsStored();
    void failedCreateLeavesNothing_data();
    void failedCreateLeavesNothing();
    void secondCreateLeavesFirstIntact_data();
    void secondCreateLeavesFirstIntact();
    void createDatabaseCreatesOnceThenKeeps_data();
    void createDatabaseCreatesOnceThenKeeps();
    void createDatabaseMakesMissingSqliteFile();
    void createDatabaseRefusesNewerVersion_data();
    void createDatabaseRefusesNewerVersion();
};

void tst_Schema::everyColumnExists_data()
{
    const QList<std::pair<QString, QString>> tables{
        {u"publishers"_s, u"Id, Name, ISBN, Addr"_s},
        {u"catalogs"_s, u"Id, Code, Mark, Name, Note, SlfId, PrtId"_s},
        {u"books"_s,
         u"Id, Code, Name, Ping, Author, ISBN, CataId, Zhong, Shou, Publisher, Pubdate, Kai, Binding, Language, "
         u"Belongs, Pages, Appendix, Location, Price, Getdate, Contents, Notes, QtyLib, QtyLoan, QtyOff, TimesLoan"_s},
        {u"journals"_s,
         u"Id, Code, Name, Ping, Editor, ISSN, CataId, Publisher, PubPeriod, YearNo, TotalNo, Lang, Kai, Location, "
         u"Appendix, Price, Getdate, Contents, QtyLib, QtyLoan, QtyOff, TimesLoan"_s},
        {u"readerskind"_s, u"Id, Name, BookTop, BookDays, BookRelet, JourTop, JourDays, JourRelet"_s},
        {u"readers"_s,
         u"Id, Code, Name, Ping, Sex, KindId, Tel, Dept, Adddate, Address, IDCode, Notes, StateId, Loaning, "
         u"Loanall, Loanover, Deposit"_s},
        {u"readerstate"_s, u"Id, Name"_s},
        {u"readersphoto"_s, u"ReaderId, Ext, Photo"_s},
        {u"loans"_s, u"Id, LoanDate, ReaderId, BookId, JourId, Loanman, ShldretDate, ReturnDate, Returnman, OverDays, "
                     u"Overfund, RenewDate, Renewman"_s},
        {u"writeoffs"_s, u"Id, Offdate, Offman, BookId, JourId, LoanId, Reason"_s},
        {u"fines"_s, u"Id, OffId, LoanId, Finedate, Fineman, Finefund, Finenote, PaytypeId"_s},
        {u"finetypes"_s, u"Id, Name"_s},
        {u"charges"_s, u"Id, Chardate, Charfund, ReaderId, Charman"_s},
        {u"operator"_s, u"LoginId, Password, Name, Contact, Note, Rights, Menus"_s},
        {u"options"_s, u"Key, Label, List"_s},
        {u"keyvalue"_s, u"KeyId, Vstr, Vint, Vfloat, Vbool"_s},
        {u"Company"_s, u"Id, CompanyName, Manager, Tel, Fax, Address, Zip, Profile, Updated"_s},
        {u"report"_s, u"Id, GrpId, Title, Fr3File"_s},
        {u"link"_s, u"Id, GroupId, Title, lpFile, lpParameters, Note"_s},
        {u"syscols"_s, u"F02, F06"_s},
        {u"backup"_s, u"TypeId, BackDir"_s},
    };
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("columns");
    for (const QString& engine : TTestDatabase::Engines())
        for (const auto& [table, columns] : tables)
            QTest::addRow("%s/%s", qPrintable(engine), qPrintable(table)) << engine << table << columns;
}

void tst_Schema::everyColumnExists()
{
    QFETCH(QString, engine);
    QFETCH(QString, table);
    QFETCH(QString, columns);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));

    QSqlQuery query = Database().Select(u"select %1 from %2 where 1=0"_s.arg(columns, table));
    QCOMPARE(query.record().count(), columns.split(u',').size());
}

void tst_Schema::fixedRows_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QList<QStringList>>("expected");
    for (const QString& engine : TTestDatabase::Engines()) {
        const QByteArray e = engine.toUtf8();
        QTest::addRow("%s/reader states", e.constData())
            << engine << u"select Id, Name from readerstate order by Id"_s
            << QList<QStringList>{{u"1"_s, u"正常"_s}, {u"2"_s, u"挂失"_s}, {u"3"_s, u"停用"_s}};
        QTest::addRow("%s/payment types", e.constData())
            << engine << u"select Id, Name from finetypes order by Id"_s
            << QList<QStringList>{{u"1"_s, u"以后再罚"_s}, {u"2"_s, u"从押金中支付"_s}, {u"3"_s, u"现金支付"_s}};
        QTest::addRow("%s/super user", e.constData())
            << engine << u"select LoginId, Password, Name, Rights from operator"_s
            << QList<QStringList>{{u"sa"_s, u""_s, u"系统管理员"_s, u""_s}};
        QTest::addRow("%s/switches and fine rates", e.constData())
            << engine << u"select KeyId, Vbool, Vfloat from keyvalue order by KeyId"_s
            << QList<QStringList>{{u"0"_s, u"0"_s, u"0.5"_s}, {u"1"_s, u"1"_s, u"0.8"_s}};
        QTest::addRow("%s/company", e.constData())
            << engine << u"select Id, CompanyName, Manager, Profile, Updated from Company"_s
            << QList<QStringList>{{u"1"_s, u""_s, u""_s, u""_s, u"0"_s}};
        QTest::addRow("%s/backup", e.constData())
            << engine << u"select TypeId, BackDir from backup"_s << QList<QStringList>{{u"0"_s, u""_s}};
        QTest::addRow("%s/pick lists", e.constData())
            << engine << u"select Key, Label, List from options order by Key"_s
            << QList<QStringList>{
                   {u"0"_s, u" "_s, u"16开,32开,大32开,64开,A4"_s},
                   {u"1"_s, u" "_s, u"平装,精装,线装"_s},
                   {u"2"_s, u" "_s, u"中文,英文,日文,俄文"_s},
                   {u"3"_s, u" "_s, u"书库,阅览室"_s},
                   {u"4"_s, u" "_s, u""_s},
                   {u"5"_s, u" "_s, u"周刊,半月刊,月刊,双月刊,季刊,年刊"_s},
               };
        QTest::addRow("%s/empty classification", e.constData())
            << engine << u"select Id from catalogs"_s << QList<QStringList>{};
    }
}

void tst_Schema::fixedRows()
{
    QFETCH(QString, engine);
    QFETCH(QString, sql);
    QFETCH(QList<QStringList>, expected);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));

    QCOMPARE(fetchAll(sql), expected);
}

void tst_Schema::bookInsertAndUpdate_data()
{
    QTest::addColumn<QString>("engine");
    TTestDatabase::AddEngineRows();
}

void tst_Schema::bookInsertAndUpdate()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    const QString select = u"select * from books where Id=:Id"_s;
    const TDBParameters byId{MakeParam(u"Id"_s, 1)};

    QVariantMap book = sampleBook();
    QCOMPARE(Database().ExecSQL(kBookInsert, toParams(book)), 1);
    QVariantMap expected = book;
    expected.insert({{u"QtyLoan"_s, 0}, {u"QtyOff"_s, 0}, {u"TimesLoan"_s, 0}});
    verifyRow(select, byId, expected);
    if (QTest::currentTestFailed())
        return;

    book.insert({
        {u"Name"_s, u"小型图书馆的编目实践(第二版)"_s},
        {u"Language"_s, u"英文"_s},
        {u"Binding"_s, u"精装"_s},
        {u"Pages"_s, u"512"_s},
        {u"Price"_s, 42.25},
        {u"Getdate"_s, QDateTime(QDate(2024, 2, 29), QTime(0, 0))},
        {u"Contents"_s, u"修订版增加了期刊管理。"_s},
        {u"QtyLib"_s, 5},
    });
    QCOMPARE(Database().ExecSQL(kBookUpdate, toParams(book)), 1);
    expected = book;
    // the edit window never touches the circulation counters
    expected.insert({{u"QtyLoan"_s, 0}, {u"QtyOff"_s, 0}, {u"TimesLoan"_s, 0}});
    verifyRow(select, byId, expected);
}

void tst_Schema::keywordNamesWorkPlain_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<TDBParameters>("params");
    // rows affected for a change, rows returned for a select
    QTest::addColumn<int>("rows");
    for (const QString& engine : TTestDatabase::Engines()) {
        const QByteArray e = engine.toUtf8();
        QTest::addRow("%s/operator read", e.constData())
            << engine << u"select LoginId,Password,Name,Contact,Note,Rights from operator where LoginId=:LoginId"_s
            << TDBParameters{MakeParam(u"LoginId"_s, u"sa"_s)} << 1;
        QTest::addRow("%s/operator write", e.constData())
            << engine << u"update operator set Password=:Password, Note=:Note, Menus=:Menus where LoginId=:LoginId"_s
            << TDBParameters{MakeParam(u"Password"_s, u"x"_s), MakeParam(u"Note"_s, u"n"_s),
                             MakeParam(u"Menus"_s, u"m"_s), MakeParam(u"LoginId"_s, u"sa"_s)}
            << 1;
        QTest::addRow("%s/pick list read", e.constData())
            << engine << u"select Key, Label, List from options where Key=:Key"_s
            << TDBParameters{MakeParam(u"Key"_s, 1)} << 1;
        QTest::addRow("%s/pick list update", e.constData())
            << engine << u"update options set Label=:Label, List=:List where Key=:Key"_s
            << TDBParameters{MakeParam(u"Label"_s, u" "_s), MakeParam(u"List"_s, u"平装,精装"_s),
                             MakeParam(u"Key"_s, 1)}
            << 1;
        QTest::addRow("%s/pick list insert", e.constData())
            << engine << u"insert into options(Label, List, Key)values(:Label, :List, :Key)"_s
            << TDBParameters{MakeParam(u"Label"_s, u" "_s), MakeParam(u"List"_s, u"7,15,30"_s), MakeParam(u"Key"_s, 6)}
            << 1;
        QTest::addRow("%s/switches", e.constData())
            << engine
            << u"update keyvalue set Vstr=:Vstr, Vint=:Vint, Vfloat=:Vfloat, Vbool=:Vbool where KeyId=:KeyId"_s
            << TDBParameters{MakeParam(u"Vstr"_s, u""_s), MakeParam(u"Vint"_s, 0), MakeParam(u"Vfloat"_s, 0.6),
                             MakeParam(u"Vbool"_s, true), MakeParam(u"KeyId"_s, 0)}
            << 1;
        QTest::addRow("%s/backup read", e.constData()) << engine << u"select * from backup"_s << TDBParameters{} << 1;
        QTest::addRow("%s/backup write", e.constData())
            << engine << u"update backup set TypeId=:TypeId, BackDir=:BackDir"_s
            << TDBParameters{MakeParam(u"TypeId"_s, 1), MakeParam(u"BackDir"_s, u"/srv/备份"_s)} << 1;
        QTest::addRow("%s/class note", e.constData())
            << engine
            << u"insert into catalogs(Id, Code, Mark, Name, Note, SlfId, PrtId)values(:Id, :Code, :Mark, :Name, :Note, :SlfId, :PrtId)"_s
            << TDBParameters{MakeParam(u"Id"_s, 1),        MakeParam(u"Code"_s, u"1."_s),
                             MakeParam(u"Mark"_s, u"G"_s), MakeParam(u"Name"_s, u"文化、科学、教育、体育"_s),
                             MakeParam(u"Note"_s, u""_s),  MakeParam(u"SlfId"_s, 1),
                             MakeParam(u"PrtId"_s, 0)}
            << 1;
        QTest::addRow("%s/journal language and format", e.constData())
            << engine
            << u"insert into journals(Id, Code, Name, Lang, Kai, QtyLib, QtyLoan, QtyOff, TimesLoan)values(:Id, :Code, :Name, :Lang, :Kai, 1, 0, 0, 0)"_s
            << TDBParameters{MakeParam(u"Id"_s, 1), MakeParam(u"Code"_s, u"QK-1"_s), MakeParam(u"Name"_s, u"读书"_s),
                             MakeParam(u"Lang"_s, u"中文"_s), MakeParam(u"Kai"_s, u"16开"_s)}
            << 1;
        QTest::addRow("%s/tool link note", e.constData())
            << engine
            << u"insert into link(GroupId, Title, lpFile, lpParameters, Note)values(:GroupId, :Title, :lpFile, :lpParameters, :Note)"_s
            << TDBParameters{MakeParam(u"GroupId"_s, 0), MakeParam(u"Title"_s, u"计算器"_s),
                             MakeParam(u"lpFile"_s, u"calc"_s), MakeParam(u"lpParameters"_s, u""_s),
                             MakeParam(u"Note"_s, u""_s)}
            << 1;
    }
}

void tst_Schema::keywordNamesWorkPlain()
{
    QFETCH(QString, engine);
    QFETCH(QString, sql);
    QFETCH(TDBParameters, params);
    QFETCH(int, rows);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));

    if (sql.startsWith(u"select"_s))
        QCOMPARE(rowCount(sql, params), rows);
    else
        QCOMPARE(Database().ExecSQL(sql, params), rows);
}

void tst_Schema::textIgnoresLetterCase_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("rows");
    for (const QString& engine : TTestDatabase::Engines()) {
        const QByteArray e = engine.toUtf8();
        QTest::addRow("%s/equal", e.constData()) << engine << u"select Id from books where Code=:V"_s << u"abc"_s << 1;
        QTest::addRow("%s/not equal", e.constData())
            << engine << u"select Id from books where Code<>:V"_s << u"abc"_s << 0;
        QTest::addRow("%s/in list", e.constData())
            << engine << u"select Id from books where Code in (:V)"_s << u"Abc"_s << 1;
        QTest::addRow("%s/prefix", e.constData())
            << engine << u"select Id from books where Code like :V"_s << u"ab%"_s << 1;
        QTest::addRow("%s/keyword", e.constData())
            << engine << u"select Id from books where Name like :V"_s << u"%handbook%"_s << 1;
        QTest::addRow("%s/memo", e.constData())
            << engine << u"select Id from books where Contents like :V"_s << u"%small LIBRARIES%"_s << 1;
        QTest::addRow("%s/pinyin", e.constData())
            << engine << u"select Id from books where Ping=:V"_s << u"qrhb"_s << 1;
        QTest::addRow("%s/other text differs", e.constData())
            << engine << u"select Id from books where Code=:V"_s << u"abd"_s << 0;
        QTest::addRow("%s/login name", e.constData())
            << engine << u"select LoginId from operator where LoginId=:V"_s << u"SA"_s << 1;
    }
}

void tst_Schema::textIgnoresLetterCase()
{
    QFETCH(QString, engine);
    QFETCH(QString, sql);
    QFETCH(QString, value);
    QFETCH(int, rows);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    Database().Execute(u"insert into books(Id, Code, Name, Ping, Contents) values(1, :Code, :Name, :Ping, :Contents)"_s,
                       {MakeParam(u"Code"_s, u"ABC"_s), MakeParam(u"Name"_s, u"The Quorin Handbook"_s),
                        MakeParam(u"Ping"_s, u"QRHB"_s), MakeParam(u"Contents"_s, u"For Small Libraries."_s)});

    QCOMPARE(rowCount(sql, {MakeParam(u"V"_s, value)}), rows);
}

void tst_Schema::duplicateKeysRefused_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("sql");
    for (const QString& engine : TTestDatabase::Engines()) {
        const QByteArray e = engine.toUtf8();
        QTest::addRow("%s/book id", e.constData()) << engine << u"insert into books(Id, Code) values(1, 'B')"_s;
        QTest::addRow("%s/class number", e.constData())
            << engine << u"insert into catalogs(Id, Code, SlfId, PrtId) values(2, '1.', 1, 0)"_s;
        QTest::addRow("%s/login name in other case", e.constData())
            << engine << u"insert into operator(LoginId, Name) values('SA', 'x')"_s;
        QTest::addRow("%s/photo of one reader", e.constData())
            << engine << u"insert into readersphoto(ReaderId, Ext) values(1, '.jpg')"_s;
        QTest::addRow("%s/pick list", e.constData())
            << engine << u"insert into options(Key, Label, List) values(0, ' ', '')"_s;
    }
}

void tst_Schema::duplicateKeysRefused()
{
    QFETCH(QString, engine);
    QFETCH(QString, sql);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    Database().Execute(u"insert into books(Id, Code) values(1, 'A')"_s);
    Database().Execute(u"insert into catalogs(Id, Code, SlfId, PrtId) values(1, '1.', 1, 0)"_s);
    Database().Execute(u"insert into readersphoto(ReaderId, Ext) values(1, '.bmp')"_s);

    QVERIFY_THROWS_EXCEPTION(EDatabaseError, Database().Execute(sql));
}

void tst_Schema::databaseFillsDefaults_data()
{
    QTest::addColumn<QString>("engine");
    TTestDatabase::AddEngineRows();
}

void tst_Schema::databaseFillsDefaults()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));

    // the reader insert leaves the deposit to the database
    Database().Execute(u"insert into readers(Id, Code, Name, StateId, Loaning, Loanall, Loanover) "
                       u"values(1, 'R1', '张三', 1, 0, 0, 0)"_s);
    QCOMPARE(fetchAll(u"select Deposit from readers where Id=1"_s), QList<QStringList>{{u"0"_s}});
    QCOMPARE(Database().ExecSQL(u"update readers set Deposit=coalesce(Deposit,0)+:Amount where Id=:Id"_s,
                                {MakeParam(u"Amount"_s, 50.5), MakeParam(u"Id"_s, 1)}),
             1);
    QCOMPARE(fetchAll(u"select Deposit from readers where Id=1"_s), QList<QStringList>{{u"50.5"_s}});

    // tool links are numbered by the database
    const QString addLink =
        u"insert into link(GroupId, Title, lpFile, lpParameters, Note) values(0, :Title, '', '', '')"_s;
    Database().Execute(addLink, {MakeParam(u"Title"_s, u"a"_s)});
    Database().Execute(addLink, {MakeParam(u"Title"_s, u"b"_s)});
    const QList<QStringList> links = fetchAll(u"select Id, Title from link order by Id"_s);
    QCOMPARE(links.size(), 2);
    QCOMPARE(links.at(0).at(1), u"a"_s);
    QCOMPARE(links.at(1).at(1), u"b"_s);
    QVERIFY(links.at(0).at(0) != u"<null>"_s);
    QVERIFY(links.at(0).at(0).toInt() < links.at(1).at(0).toInt());
}

void tst_Schema::versionIsStored_data()
{
    QTest::addColumn<QString>("engine");
    TTestDatabase::AddEngineRows();
}

void tst_Schema::versionIsStored()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenEmpty(engine));
    QCOMPARE(TSchema::StoredVersion(Database()), 0);

    TSchema::Create(Database());
    QCOMPARE(TSchema::CurrentVersion(), 1);
    QCOMPARE(TSchema::StoredVersion(Database()), TSchema::CurrentVersion());
    // nothing to bring forward at the current version
    TSchema::Migrate(Database());
    QCOMPARE(TSchema::StoredVersion(Database()), TSchema::CurrentVersion());
}

void tst_Schema::failedCreateLeavesNothing_data()
{
    QTest::addColumn<QString>("engine");
    TTestDatabase::AddEngineRows();
}

void tst_Schema::failedCreateLeavesNothing()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenEmpty(engine));
    // a table in the way late in the script makes the creation fail after most tables were made
    Database().Execute(u"create table backup (Note integer)"_s);

    QVERIFY(!raisedMessage([] { TSchema::Create(Database()); }).isEmpty());
    QCOMPARE(TSchema::StoredVersion(Database()), 0);
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, Database().Select(u"select Id from publishers"_s));
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, Database().Select(u"select Id from readerstate"_s));

    // with the obstacle gone the creation runs from the start again
    Database().Execute(u"drop table backup"_s);
    TSchema::Create(Database());
    QCOMPARE(rowCount(u"select Id from readerstate"_s), 3);
}

void tst_Schema::secondCreateLeavesFirstIntact_data()
{
    QTest::addColumn<QString>("engine");
    TTestDatabase::AddEngineRows();
}

void tst_Schema::secondCreateLeavesFirstIntact()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    Database().Execute(u"insert into readers(Id, Code, Name) values(1, 'R1', '李四')"_s);

    QVERIFY(!raisedMessage([] { TSchema::Create(Database()); }).isEmpty());
    QVERIFY(!Database().InTransaction());
    QCOMPARE(TSchema::StoredVersion(Database()), TSchema::CurrentVersion());
    QCOMPARE(rowCount(u"select Id from readerstate"_s), 3);
    QCOMPARE(rowCount(u"select LoginId from operator"_s), 1);
    QCOMPARE(fetchAll(u"select Name from readers"_s), QList<QStringList>{{u"李四"_s}});
}

void tst_Schema::createDatabaseCreatesOnceThenKeeps_data()
{
    QTest::addColumn<QString>("engine");
    TTestDatabase::AddEngineRows();
}

void tst_Schema::createDatabaseCreatesOnceThenKeeps()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenEmpty(engine));
    const QString connection = TTestDatabase::LastConnectionString();
    Database().SetConnected(false);

    QString error;
    QVERIFY2(TSchema::CreateDatabase(Database(), connection, &error), qPrintable(error));
    QVERIFY(Database().Connected());
    QCOMPARE(TSchema::StoredVersion(Database()), TSchema::CurrentVersion());
    Database().Execute(u"insert into readers(Id, Code, Name) values(1, 'R1', '王五')"_s);

    QVERIFY2(TSchema::CreateDatabase(Database(), connection, &error), qPrintable(error));
    QCOMPARE(fetchAll(u"select Name from readers"_s), QList<QStringList>{{u"王五"_s}});
    QCOMPARE(rowCount(u"select Id from readerstate"_s), 3);
}

void tst_Schema::createDatabaseMakesMissingSqliteFile()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString file = folder.filePath(u"首次/数据/quorin.db"_s);
    QVERIFY(!QFileInfo::exists(file));

    QString error;
    QVERIFY2(TSchema::CreateDatabase(Database(), u"Provider=QSQLITE;Data Source=%1"_s.arg(file), &error),
             qPrintable(error));
    QVERIFY(QFileInfo::exists(file));
    QCOMPARE(TSchema::StoredVersion(Database()), TSchema::CurrentVersion());
    Database().SetConnected(false);
}

void tst_Schema::createDatabaseRefusesNewerVersion_data()
{
    QTest::addColumn<QString>("engine");
    TTestDatabase::AddEngineRows();
}

void tst_Schema::createDatabaseRefusesNewerVersion()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    Database().Execute(u"update schemaversion set Version=:Version"_s,
                       {MakeParam(u"Version"_s, TSchema::CurrentVersion() + 1)});

    QString error;
    QVERIFY(!TSchema::CreateDatabase(Database(), TTestDatabase::LastConnectionString(), &error));
    QCOMPARE(error, u"数据库版本 2 高于本程序支持的版本 1, 请升级程序."_s);
    QCOMPARE(raisedMessage([] { TSchema::Migrate(Database()); }), error);
}

QTEST_GUILESS_MAIN(tst_Schema)
#include "tst_schema.moc"
