#pragma once

#include "data/Clock.h"
#include "data/Database.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

using namespace Qt::StringLiterals;

// A small library written straight into the tables: two readers, three books, two journals and a
// loan of every shape the loan query tells apart, all seen from 2024-05-10 10:30.
namespace LoanQueryFixture {

inline const QDateTime Now(QDate(2024, 5, 10), QTime(10, 30));

inline QVariant day(const char* text)
{
    return text ? QVariant(QDateTime(QDate::fromString(QString::fromLatin1(text), u"yyyy-MM-dd"_s), QTime(0, 0)))
                : QVariant();
}

struct TLoan
{
    int Id;
    int ReaderId;
    int BookId; // 0: a journal loan
    int JourId; // 0: a book loan
    const char* LoanDate;
    const char* ShldretDate;
    const char* ReturnDate = nullptr;
    int Overdays = -1; // -1: null
    const char* RenewDate = nullptr;
};

inline void AddLoan(const TLoan& loan)
{
    Database().Execute(
        u"insert into loans(Id, LoanDate, ReaderId, BookId, JourId, Loanman, ShldretDate, ReturnDate, Returnman, "
        u"OverDays, Overfund, RenewDate, Renewman) values(:Id, :LoanDate, :ReaderId, :BookId, :JourId, 'sa', "
        u":ShldretDate, :ReturnDate, :Returnman, :OverDays, :Overfund, :RenewDate, :Renewman)"_s,
        {MakeParam(u"Id"_s, loan.Id), MakeParam(u"LoanDate"_s, day(loan.LoanDate)),
         MakeParam(u"ReaderId"_s, loan.ReaderId),
         MakeParam(u"BookId"_s, loan.BookId ? QVariant(loan.BookId) : QVariant()),
         MakeParam(u"JourId"_s, loan.JourId ? QVariant(loan.JourId) : QVariant()),
         MakeParam(u"ShldretDate"_s, day(loan.ShldretDate)), MakeParam(u"ReturnDate"_s, day(loan.ReturnDate)),
         MakeParam(u"Returnman"_s, loan.ReturnDate ? QVariant(u"sa"_s) : QVariant()),
         MakeParam(u"OverDays"_s, loan.Overdays >= 0 ? QVariant(loan.Overdays) : QVariant()),
         MakeParam(u"Overfund"_s, loan.Overdays >= 0 ? QVariant(loan.Overdays * 0.5) : QVariant()),
         MakeParam(u"RenewDate"_s, day(loan.RenewDate)),
         MakeParam(u"Renewman"_s, loan.RenewDate ? QVariant(u"sa"_s) : QVariant())});
}

inline void AddWriteoff(int id, int loanId, int bookId, int jourId)
{
    Database().Execute(u"insert into writeoffs(Id, Offdate, Offman, BookId, JourId, LoanId, Reason) "
                       u"values(:Id, :Offdate, 'sa', :BookId, :JourId, :LoanId, '遗失')"_s,
                       {MakeParam(u"Id"_s, id), MakeParam(u"Offdate"_s, day("2024-05-08")),
                        MakeParam(u"BookId"_s, bookId ? QVariant(bookId) : QVariant()),
                        MakeParam(u"JourId"_s, jourId ? QVariant(jourId) : QVariant()),
                        MakeParam(u"LoanId"_s, loanId)});
}

inline void AddBook(int id, const QString& code, const QString& name, double price)
{
    Database().Execute(u"insert into books(Id, Code, Name, ISBN, Author, Publisher, Appendix, Price, QtyLib) "
                       u"values(:Id, :Code, :Name, :ISBN, '鲁迅', '人民文学出版社', '光盘', :Price, 1)"_s,
                       {MakeParam(u"Id"_s, id), MakeParam(u"Code"_s, code), MakeParam(u"Name"_s, name),
                        MakeParam(u"ISBN"_s, u"978-7-%1"_s.arg(id)), MakeParam(u"Price"_s, price)});
}

inline void AddJournal(int id, const QString& code, const QString& name, const QString& period)
{
    Database().Execute(u"insert into journals(Id, Code, Name, ISSN, PubPeriod, YearNo, Price, QtyLib) "
                       u"values(:Id, :Code, :Name, :ISSN, :PubPeriod, '2024-5', 12.5, 1)"_s,
                       {MakeParam(u"Id"_s, id), MakeParam(u"Code"_s, code), MakeParam(u"Name"_s, name),
                        MakeParam(u"ISSN"_s, u"1000-%1"_s.arg(id)), MakeParam(u"PubPeriod"_s, period)});
}

inline void AddReader(int id, const QString& code, const QString& name, int kindId, const QString& dept)
{
    Database().Execute(u"insert into readers(Id, Code, Name, Sex, KindId, Tel, Dept, Adddate, StateId, Deposit) "
                       u"values(:Id, :Code, :Name, '女', :KindId, '5550123', :Dept, :Adddate, 1, 20)"_s,
                       {MakeParam(u"Id"_s, id), MakeParam(u"Code"_s, code), MakeParam(u"Name"_s, name),
                        MakeParam(u"KindId"_s, kindId), MakeParam(u"Dept"_s, dept),
                        MakeParam(u"Adddate"_s, day("2023-09-01"))});
}

// The library as every loan query test sees it.
inline void Build()
{
    for (const auto& [id, name] : {std::pair{1, u"学生"_s}, std::pair{2, u"教师"_s}})
        Database().Execute(u"insert into readerskind(Id, Name, BookTop, BookDays, BookRelet, JourTop, JourDays, "
                           u"JourRelet) values(:Id, :Name, 5, 30, 15, 2, 10, 5)"_s,
                           {MakeParam(u"Id"_s, id), MakeParam(u"Name"_s, name)});
    AddReader(1, u"R001"_s, u"李娜"_s, 1, u"计算机系"_s);
    AddReader(2, u"T_01"_s, u"王强"_s, 2, u"数学系"_s);
    AddBook(1, u"B001"_s, u"呐喊"_s, 20);
    AddBook(2, u"B002"_s, u"彷徨"_s, 35.5);
    AddBook(3, u"X_1"_s, u"朝花夕拾"_s, 18);
    AddJournal(1, u"J001"_s, u"读者"_s, u"半月刊"_s);
    AddJournal(2, u"J002"_s, u"收获"_s, u"双月刊"_s);

    const TLoan loans[] = {
        {1, 1, 1, 0, "2024-04-10", "2024-05-10"},                            // due today: past due, not a whole day yet
        {2, 1, 2, 0, "2024-04-07", "2024-05-07"},                            // three whole days late
        {3, 2, 3, 0, "2024-04-20", "2024-05-20"},                            // not due yet
        {4, 2, 1, 0, "2024-04-01", "2024-05-01", "2024-05-05", 4},           // returned four days late
        {5, 1, 3, 0, "2024-04-15", "2024-05-15", "2024-05-10", 0},           // returned today, on time
        {6, 2, 2, 0, "2024-03-31", "2024-04-30"},                            // written off
        {7, 2, 1, 0, "2024-05-10", "2024-06-09"},                            // lent today
        {8, 1, 2, 0, "2024-04-09", "2024-05-25", nullptr, -1, "2024-05-10"}, // renewed today
        {9, 1, 0, 1, "2024-04-21", "2024-05-01"},                            // journal, nine whole days late
        {10, 2, 0, 2, "2024-05-02", "2024-05-12"},                           // journal, not due yet
        {11, 2, 0, 1, "2024-04-01", "2024-04-11", "2024-05-10", 29},         // journal returned today
    };
    for (const TLoan& loan : loans)
        AddLoan(loan);
    AddWriteoff(1, 6, 2, 0);
    Clock::SetFixed(Now);
}

} // namespace LoanQueryFixture
