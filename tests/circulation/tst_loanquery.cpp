#include "circulation/LoanQuery.h"
#include "project/KeyValue2.h"
#include "support/RecordingNotifier.h"
#include "support/TestDatabase.h"
#include "tst_loanquery_fixture.h"

#include <QtTest>
#include <algorithm>

using namespace Qt::StringLiterals;
using namespace LoanQueryFixture;

namespace {

std::unique_ptr<TLoanQuery> queryOf(TLoanKind kind)
{
    if (kind == TLoanKind::Book)
        return std::make_unique<TBookLoanQuery>();
    return std::make_unique<TJourLoanQuery>();
}

QList<int> loanIds(const TLwDataSet* set)
{
    QList<int> ids;
    for (int row = 0; row < set->RecordCount(); ++row)
        ids.append(set->CellValue(row, set->FieldIndex(u"Id"_s)).toInt());
    std::sort(ids.begin(), ids.end());
    return ids;
}

// One value per loan id, in id order: the text the grid shows in `field`.
QMap<int, QString> columnText(const TLwDataSet* set, const QString& field)
{
    QMap<int, QString> texts;
    for (int row = 0; row < set->RecordCount(); ++row)
        texts.insert(set->CellValue(row, set->FieldIndex(u"Id"_s)).toInt(), set->CellText(row, set->FieldIndex(field)));
    return texts;
}

} // namespace

class tst_LoanQuery : public QObject
{
    Q_OBJECT

private slots:
    void init() { FineRates::SetBook(0.5), FineRates::SetJournal(0.8); }
    void cleanup() { Clock::SetFixed(QDateTime()); }

    void conditions_data();
    void conditions();
    void calculatedColumns_data() { QTest::addColumn<QString>("engine"), TTestDatabase::AddEngineRows(); }
    void calculatedColumns();
    void rows_data() { QTest::addColumn<QString>("engine"), TTestDatabase::AddEngineRows(); }
    void rows();
    void emptyConditionsAddNothing();
};

void tst_LoanQuery::conditions_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QVariantMap>("conditions");
    QTest::addColumn<QList<int>>("expected");

    const int book = int(TLoanKind::Book), jour = int(TLoanKind::Journal);
    const auto on = [](const char* text) { return day(text); };
    struct Case
    {
        const char* name;
        int kind;
        QVariantMap conditions;
        QList<int> expected;
    };
    const QList<Case> cases = {
        {"no condition", book, {}, {1, 2, 3, 4, 5, 6, 7, 8}},
        // a loan due today is past due from midnight on
        {"overdue includes due today", book, {{u"IsOver"_s, true}}, {1, 2}},
        {"overdue off adds nothing", book, {{u"IsOver"_s, false}}, {1, 2, 3, 4, 5, 6, 7, 8}},
        {"overdue journals", jour, {{u"IsOver"_s, true}}, {9}},
        {"returned", book, {{u"IsReturn"_s, true}}, {4, 5}},
        {"not returned", book, {{u"IsReturn"_s, false}}, {1, 2, 3, 6, 7, 8}},
        {"written off", book, {{u"IsWriteoff"_s, true}}, {6}},
        {"not written off", book, {{u"IsWriteoff"_s, false}}, {1, 2, 3, 4, 5, 7, 8}},
        {"overdue days from 3", book, {{u"Overdays1"_s, 3}}, {2}},
        {"overdue days from 4", book, {{u"Overdays1"_s, 4}}, {}},
        {"overdue days from 0", book, {{u"Overdays1"_s, 0}}, {1, 2}},
        {"overdue days up to 2", book, {{u"Overdays2"_s, 2}}, {1, 3, 7, 8}},
        {"overdue days up to 3", book, {{u"Overdays2"_s, 3}}, {1, 2, 3, 7, 8}},
        {"overdue days 1 to 3", book, {{u"Overdays1"_s, 1}, {u"Overdays2"_s, 3}}, {2}},
        {"journal overdue days from 9", jour, {{u"Overdays1"_s, 9}}, {9}},
        // 1.5 at 0.5 a day is three days; 1.6 needs four
        {"fine from 1.5", book, {{u"Overfund1"_s, 1.5}}, {2}},
        {"fine from 1.6", book, {{u"Overfund1"_s, 1.6}}, {}},
        {"fine up to 1.0", book, {{u"Overfund2"_s, 1.0}}, {1, 3, 7, 8}},
        // 7.2 at 0.8 a day is nine days exactly, not a hair more
        {"journal fine from 7.2", jour, {{u"Overfund1"_s, 7.2}}, {9}},
        {"happened today", book, {{u"TodayBiz"_s, on("2024-05-10")}}, {5, 7, 8}},
        {"happened on a lending day", book, {{u"TodayBiz"_s, on("2024-04-10")}}, {1}},
        {"journals happened today", jour, {{u"TodayBiz"_s, on("2024-05-10")}}, {11}},
        {"lent up to a whole day", book, {{u"LoanDate2"_s, on("2024-04-09")}}, {2, 4, 6, 8}},
        {"lent within", book, {{u"LoanDate1"_s, on("2024-04-07")}, {u"LoanDate2"_s, on("2024-04-10")}}, {1, 2, 8}},
        {"due up to today", book, {{u"ShldretDate2"_s, on("2024-05-10")}}, {1, 2, 4, 6}},
        {"returned on", book, {{u"ReturnDate1"_s, on("2024-05-10")}, {u"ReturnDate2"_s, on("2024-05-10")}}, {5}},
        {"renewed from", book, {{u"RenewDate1"_s, on("2024-05-01")}}, {8}},
        {"reader", book, {{u"ReaderId"_s, 2}}, {3, 4, 6, 7}},
        {"book", book, {{u"BookId"_s, 1}}, {1, 4, 7}},
        {"book code any case", book, {{u"BookCode"_s, u"b00"_s}}, {1, 2, 4, 6, 7, 8}},
        {"book code underscore is text", book, {{u"BookCode"_s, u"X_"_s}}, {3, 5}},
        {"quote is only text", book, {{u"BookName"_s, u"' or 1=1 --"_s}}, {}},
        {"book price from", book, {{u"BookPrice1"_s, 30}}, {2, 6, 8}},
        {"reader name", book, {{u"ReaderName"_s, u"李"_s}}, {1, 2, 5, 8}},
        {"reader kind", book, {{u"ReaderKindId"_s, 2}}, {3, 4, 6, 7}},
        {"reader dept", book, {{u"ReaderDept"_s, u"数学"_s}}, {3, 4, 6, 7}},
        {"reader code underscore", book, {{u"ReaderCode"_s, u"T_"_s}}, {3, 4, 6, 7}},
        {"lending operator", book, {{u"Loanman"_s, u"SA"_s}, {u"ReaderId"_s, 1}}, {1, 2, 5, 8}},
        {"journal code", jour, {{u"JourCode"_s, u"J002"_s}}, {10}},
        {"journal period exact", jour, {{u"JourPeriod"_s, u"半月刊"_s}}, {9, 11}},
        {"journal period not a part", jour, {{u"JourPeriod"_s, u"月刊"_s}}, {}},
        {"journal query ignores book fields", jour, {{u"BookCode"_s, u"J002"_s}, {u"BookId"_s, 1}}, {9, 10, 11}},
        {"book query ignores journal fields",
         book,
         {{u"JourCode"_s, u"B001"_s}, {u"JourId"_s, 1}},
         {1, 2, 3, 4, 5, 6, 7, 8}},
    };
    for (const QString& engine : TTestDatabase::Engines())
        for (const Case& c : cases)
            QTest::addRow("%s: %s", qPrintable(engine), c.name) << engine << c.kind << c.conditions << c.expected;
}

void tst_LoanQuery::conditions()
{
    QFETCH(QString, engine);
    QFETCH(int, kind);
    QFETCH(QVariantMap, conditions);
    QFETCH(QList<int>, expected);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    Build();

    TRecordingNotifier notifier;
    const auto query = queryOf(TLoanKind(kind));
    query->Where()->Clear();
    for (auto it = conditions.cbegin(); it != conditions.cend(); ++it)
        query->Where()->SetCondition(it.key(), it.value());
    query->Search();
    QCOMPARE(loanIds(query->DataSet()), expected);
    QVERIFY(notifier.Messages().isEmpty());
}

void tst_LoanQuery::calculatedColumns()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    Build();

    TBookLoanQuery books;
    books.Where()->Clear();
    books.Search();
    // the running count for loans still out, the stored one for loans returned late
    const QMap<int, QString> overdays{{1, u""_s}, {2, u"3"_s}, {3, u""_s}, {4, u"4"_s},
                                      {5, u""_s}, {6, u""_s},  {7, u""_s}, {8, u""_s}};
    const QMap<int, QString> states{{1, u"未还"_s}, {2, u"未还"_s}, {3, u"未还"_s}, {4, u"已还"_s},
                                    {5, u"已还"_s}, {6, u"注销"_s}, {7, u"未还"_s}, {8, u"未还"_s}};
    QCOMPARE(columnText(books.DataSet(), u"OverdaysCalc"_s), overdays);
    QCOMPARE(columnText(books.DataSet(), u"LoanState"_s), states);

    // the write-off cancelled, the loan is out again and late since its due date
    Database().Execute(u"delete from writeoffs where LoanId=6"_s);
    books.Search();
    QCOMPARE(columnText(books.DataSet(), u"LoanState"_s).value(6), u"未还"_s);
    QCOMPARE(columnText(books.DataSet(), u"OverdaysCalc"_s).value(6), u"10"_s);

    // a day later every open loan is one day later
    Clock::SetFixed(Now.addDays(1));
    books.Search();
    QCOMPARE(columnText(books.DataSet(), u"OverdaysCalc"_s).value(1), u"1"_s);
    QCOMPARE(columnText(books.DataSet(), u"OverdaysCalc"_s).value(2), u"4"_s);
    QCOMPARE(columnText(books.DataSet(), u"OverdaysCalc"_s).value(4), u"4"_s);

    TJourLoanQuery journals;
    journals.Where()->Clear();
    journals.Search();
    QCOMPARE(columnText(journals.DataSet(), u"OverdaysCalc"_s),
             (QMap<int, QString>{{9, u"10"_s}, {10, u""_s}, {11, u"29"_s}}));
    QCOMPARE(columnText(journals.DataSet(), u"LoanState"_s),
             (QMap<int, QString>{{9, u"未还"_s}, {10, u"未还"_s}, {11, u"已还"_s}}));
    QCOMPARE(journals.DataSet()->FindField(u"LoanState"_s)->DisplayLabel, u"书刊状态"_s);
}

void tst_LoanQuery::rows()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    Build();

    TBookLoanQuery books;
    books.Where()->Clear();
    books.Where()->SetCondition(u"Id"_s, 2);
    books.Search();
    QCOMPARE(books.DataSet()->RecordCount(), 1);
    RBookLoan loan;
    books.GetRow(loan);
    QCOMPARE(loan.Id, 2);
    QCOMPARE(loan.LoanDate, QDateTime(QDate(2024, 4, 7), QTime(0, 0)));
    QCOMPARE(loan.ReaderId, 1);
    QCOMPARE(loan.ReaderName, u"李娜"_s);
    QCOMPARE(loan.ReaderSex, u"女"_s);
    QCOMPARE(loan.ReaderKindName, u"学生"_s);
    QCOMPARE(loan.ReaderDept, u"计算机系"_s);
    QCOMPARE(loan.ReaderState, u"正常"_s);
    QCOMPARE(loan.ReaderTel, u"5550123"_s);
    QCOMPARE(loan.ReaderDeposit, 20.0);
    QCOMPARE(loan.ReaderAdddate, QDateTime(QDate(2023, 9, 1), QTime(0, 0)));
    QCOMPARE(loan.BookId, 2);
    QCOMPARE(loan.BookCode, u"B002"_s);
    QCOMPARE(loan.BookName, u"彷徨"_s);
    QCOMPARE(loan.BookISBN, u"978-7-2"_s);
    QCOMPARE(loan.BookPrice, 35.5);
    QCOMPARE(loan.BookAppendix, u"光盘"_s);
    QCOMPARE(loan.BookAuthor, u"鲁迅"_s);
    QCOMPARE(loan.BookPublisher, u"人民文学出版社"_s);
    QCOMPARE(loan.Loanman, u"sa"_s);
    QCOMPARE(loan.ShldretDate, QDateTime(QDate(2024, 5, 7), QTime(0, 0)));
    QVERIFY(!loan.ReturnDate.isValid());
    QVERIFY(!loan.RenewDate.isValid());
    QCOMPARE(loan.Overdays, 0); // empty reads as 0
    QCOMPARE(loan.Overfund, 0.0);

    books.Where()->SetCondition(u"Id"_s, 4);
    books.Search();
    books.GetRow(loan);
    QCOMPARE(loan.ReturnDate, QDateTime(QDate(2024, 5, 5), QTime(0, 0)));
    QCOMPARE(loan.Returnman, u"sa"_s);
    QCOMPARE(loan.Overdays, 4);
    QCOMPARE(loan.Overfund, 2.0);

    TJourLoanQuery journals;
    journals.Where()->Clear();
    journals.Where()->SetCondition(u"Id"_s, 9);
    journals.Search();
    RJourLoan jour;
    journals.GetRow(jour);
    QCOMPARE(jour.Id, 9);
    QCOMPARE(jour.JourId, 1);
    QCOMPARE(jour.JourCode, u"J001"_s);
    QCOMPARE(jour.JourName, u"读者"_s);
    QCOMPARE(jour.JourISSN, u"1000-1"_s);
    QCOMPARE(jour.JourPrice, 12.5);
    QCOMPARE(jour.JourYearNo, u"2024-5"_s);
    QCOMPARE(jour.ReaderName, u"李娜"_s);
}

// Every condition row left empty builds no condition at all, so a cleared row lists every loan.
void tst_LoanQuery::emptyConditionsAddNothing()
{
    TLoanWhere where;
    where.Clear();
    for (const TWhereClause& clause : where.Clauses()) {
        if (clause.Kind == TClauseKind::Text || clause.Kind == TClauseKind::Custom)
            where.SetCondition(clause.Field,
                               clause.CustomType == TFieldType::WideString ? QVariant(QString()) : QVariant());
    }
    QCOMPARE(where.BuildFor(TLoanKind::Book, Now).Where, QString());
    QCOMPARE(where.BuildFor(TLoanKind::Journal, Now).Where, QString());
}

QTEST_GUILESS_MAIN(tst_LoanQuery)
#include "tst_loanquery.moc"
