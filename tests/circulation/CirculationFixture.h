#pragma once

#include "CirculationInvariants.h"
#include "circulation/BookLoanSet.h"
#include "circulation/BookRenewSet.h"
#include "circulation/BookReturnSet.h"
#include "circulation/FineQuery.h"
#include "circulation/JourLoanSet.h"
#include "circulation/JourReturnSet.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "holdings/BookSet.h"
#include "holdings/JournalSet.h"
#include "holdings/ReaderSet.h"
#include "project/KeyValue2.h"
#include "project/Operator.h"
#include "support/TestDatabase.h"

#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

// A small library to lend from: one reader kind (books 15 days and renewed for 15, journals 10 and
// renewed for 5), readers 1 to 3 (reader 1 has topped up 10.00), books 1 to 5 with two copies
// each, journals 1 and 2 with one copy each. The clock stands on day 0 at 10 o'clock.
namespace CirculationFixture {

inline const QDate Day0(2026, 3, 2);
inline const QString Operator = u"op1"_s;

// Day `day` after day 0, at `hour` o'clock.
inline QDateTime At(int day, int hour = 10)
{
    return QDateTime(Day0.addDays(day), QTime(hour, 0));
}

inline void EngineRows()
{
    QTest::addColumn<QString>("engine");
    TTestDatabase::AddEngineRows();
}

inline void TopUp(int readerId, double amount)
{
    TDatabase& db = Database();
    QSqlQuery max = db.Select(u"select max(Id) from charges"_s);
    const int id = max.next() ? max.value(0).toInt() + 1 : 1;
    db.Execute(u"insert into charges(Id, Chardate, Charfund, ReaderId, Charman) values(:Id, :Chardate, :Charfund, "
               u":ReaderId, :Charman)"_s,
               {MakeParam(u"Id"_s, id), MakeParam(u"Chardate"_s, Day0), MakeParam(u"Charfund"_s, amount),
                MakeParam(u"ReaderId"_s, readerId), MakeParam(u"Charman"_s, Operator)});
    db.Execute(u"update readers set Deposit=Deposit+:Amount where Id=:Id"_s,
               {MakeParam(u"Amount"_s, amount), MakeParam(u"Id"_s, readerId)});
}

inline void AddReader(int id)
{
    Database().Execute(u"insert into readers(Id, Code, Name, Ping, KindId, StateId, Loaning, Loanall, Loanover, "
                       u"Deposit) values(:Id, :Code, :Name, :Ping, 1, 1, 0, 0, 0, 0)"_s,
                       {MakeParam(u"Id"_s, id), MakeParam(u"Code"_s, u"R%1"_s.arg(id, 3, 10, QChar(u'0'))),
                        MakeParam(u"Name"_s, u"读者%1"_s.arg(id)), MakeParam(u"Ping"_s, u"DZ%1"_s.arg(id))});
}

inline void AddBook(int id, int copies = 2)
{
    Database().Execute(u"insert into books(Id, Code, Name, ISBN, Author, Price, Appendix, Publisher, QtyLib, QtyLoan, "
                       u"QtyOff, TimesLoan) values(:Id, :Code, :Name, :ISBN, '作者', :Price, '', '出版社', :QtyLib, "
                       u"0, 0, 0)"_s,
                       {MakeParam(u"Id"_s, id), MakeParam(u"Code"_s, u"B%1"_s.arg(id, 3, 10, QChar(u'0'))),
                        MakeParam(u"Name"_s, u"图书%1"_s.arg(id)), MakeParam(u"ISBN"_s, u"978-%1"_s.arg(id)),
                        MakeParam(u"Price"_s, 10.0 + id), MakeParam(u"QtyLib"_s, copies)});
}

inline void AddJournal(int id, int copies = 1)
{
    Database().Execute(u"insert into journals(Id, Code, Name, ISSN, Editor, YearNo, Price, Appendix, Publisher, "
                       u"QtyLib, QtyLoan, QtyOff, TimesLoan) values(:Id, :Code, :Name, :ISSN, '编者', '2026-3', "
                       u":Price, '', '杂志社', :QtyLib, 0, 0, 0)"_s,
                       {MakeParam(u"Id"_s, id), MakeParam(u"Code"_s, u"J%1"_s.arg(id, 3, 10, QChar(u'0'))),
                        MakeParam(u"Name"_s, u"期刊%1"_s.arg(id)), MakeParam(u"ISSN"_s, u"1000-%1"_s.arg(id)),
                        MakeParam(u"Price"_s, 5.0 + id), MakeParam(u"QtyLib"_s, copies)});
}

// Opens a fresh database of `engine` with the library above; false when the database cannot be had.
inline bool Open(const QString& engine)
{
    if (!TTestDatabase::OpenWithSchema(engine))
        return false;
    Database().Execute(u"insert into readerskind(Id, Name, BookTop, BookDays, BookRelet, JourTop, JourDays, "
                       u"JourRelet) values(1, '学生', 3, 15, 15, 2, 10, 5)"_s);
    for (int id = 1; id <= 3; ++id)
        AddReader(id);
    TopUp(1, 10.0);
    for (int id = 1; id <= 5; ++id)
        AddBook(id);
    AddJournal(1);
    AddJournal(2);
    CurrentOperator().LoginId = Operator;
    FineRates::SetBook(FineRates::DefaultBook);
    FineRates::SetJournal(FineRates::DefaultJournal);
    Clock::SetFixed(At(0));
    return true;
}

// The records the windows hand over after a lookup.
inline RReader Reader(int id)
{
    RReader reader;
    reader.Id = id;
    reader.KindId = 1;
    reader.BookTop = 3;
    reader.BookDays = 15;
    reader.BookRelet = 15;
    reader.JourTop = 2;
    reader.JourDays = 10;
    reader.JourRelet = 5;
    return reader;
}

inline RBook Book(int id)
{
    RBook book;
    book.Id = id;
    book.Code = u"B%1"_s.arg(id, 3, 10, QChar(u'0'));
    book.Name = u"图书%1"_s.arg(id);
    book.ISBN = u"978-%1"_s.arg(id);
    book.Price = 10.0 + id;
    return book;
}

inline RJournal Journal(int id)
{
    RJournal journal;
    journal.Id = id;
    journal.Code = u"J%1"_s.arg(id, 3, 10, QChar(u'0'));
    journal.Name = u"期刊%1"_s.arg(id);
    journal.ISSN = u"1000-%1"_s.arg(id);
    journal.YearNo = u"2026-3"_s;
    journal.Price = 5.0 + id;
    return journal;
}

// Lends the books to the reader on `day` as the loan window does; the save's message lands in `message`.
inline bool LendBooks(const QList<int>& bookIds, int readerId, int day, QString* message = nullptr)
{
    TBookLoanSet list;
    for (int id : bookIds)
        list.AddItem(Book(id), Reader(readerId), Day0.addDays(day));
    RBookLoanXs rows;
    list.GetRows(rows);
    TBookLoanSet::Redate(rows, Day0.addDays(day), Reader(readerId));
    QString text;
    const bool saved = TBookLoanSet::SaveRows(rows, text);
    if (message)
        *message = text;
    return saved;
}

inline bool LendJournals(const QList<int>& journalIds, int readerId, int day)
{
    TJourLoanSet list;
    for (int id : journalIds)
        list.AddItem(Journal(id), Reader(readerId), Day0.addDays(day));
    RJourLoanEdits rows;
    list.GetRows(rows);
    QString message;
    return TJourLoanSet::SaveRows(rows, message);
}

// The reader's open book loans listed on the return list as the return window lists them.
inline void ListReturns(TBookReturnSet& list, int readerId)
{
    for (const Circulation::ROpenLoan& loan : Circulation::OpenLoans(Circulation::TItemKind::Book, readerId))
        list.AddLoan(loan);
}

// Takes back every open book loan of the reader now, paying the fines as `paytypeId` says.
inline bool ReturnBooks(int readerId, int paytypeId, const QString& note = QString(), QString* message = nullptr)
{
    TBookReturnSet list;
    ListReturns(list, readerId);
    RBookReturns rows;
    list.GetRows(rows);
    TBookReturnSet::SetPayment(rows, paytypeId, note);
    QString text;
    const bool saved = TBookReturnSet::SaveRows(rows, text);
    if (message)
        *message = text;
    return saved;
}

// Renews every open book loan of the reader today, as the renewal window does.
inline bool RenewBooks(int readerId, QString* message = nullptr)
{
    TBookRenewSet list;
    for (const Circulation::ROpenLoan& loan : Circulation::OpenLoans(Circulation::TItemKind::Book, readerId))
        list.AddLoan(loan);
    RBookRenews rows;
    list.GetRows(rows);
    TBookRenewSet::Redate(rows, Clock::Today(), Reader(readerId));
    QString text;
    const bool saved = TBookRenewSet::SaveRows(rows, text);
    if (message)
        *message = text;
    return saved;
}

inline QVariant Value(const QString& sql, const TDBParameters& params = {})
{
    QSqlQuery query = Database().Select(sql, params);
    return query.next() ? query.value(0) : QVariant();
}

inline int Count(const QString& table)
{
    return Value(u"select count(*) from %1"_s.arg(table)).toInt();
}

inline QVariant LoanValue(int loanId, const QString& column)
{
    return Value(u"select %1 from loans where Id=:Id"_s.arg(column), {MakeParam(u"Id"_s, loanId)});
}

inline QDate DateOf(const QVariant& value)
{
    return TLwDataSet::Convert(TFieldType::DateTime, value).toDateTime().date();
}

} // namespace CirculationFixture
