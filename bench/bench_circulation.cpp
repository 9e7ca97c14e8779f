// Circulation figures on a library of 100,000 books, 20,000 readers and 500,000 loans (SQLite):
// saving a five-book loan list, listing one reader's open loans for the return window, and taking
// back five overdue loans with their fines paid from the deposit. Each figure is the median of
// several runs, set beside the same statements run on the engine directly through QSqlQuery.
//
//   bench_circulation [--books N] [--readers N] [--loans N] [--runs N] [--wal]
//   --wal measures the database file in write-ahead-log mode (one sync per commit instead of the
//   rollback journal's several), to show how much of a save is the disk's.

#include "circulation/BookLoanSet.h"
#include "circulation/BookReturnSet.h"
#include "circulation/Circulation.h"
#include "circulation/FineQuery.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "data/LocalTime.h"
#include "data/DbError.h"
#include "holdings/BookSet.h"
#include "holdings/ReaderSet.h"
#include "holdings/Schema.h"
#include "project/Operator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>
#include <algorithm>
#include <cstdio>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

const QDate kToday(2026, 6, 1);

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void check(QSqlQuery& query, bool ok)
{
    if (!ok) {
        std::fprintf(stderr, "%s\n%s\n", qPrintable(query.lastError().text()), qPrintable(query.lastQuery()));
        std::exit(1);
    }
}

QString stamp(const QDate& date)
{
    return date.toString(u"yyyy-MM-dd 00:00:00"_s);
}

// The library, written straight through the engine in one transaction.
void fill(int books, int readers, int loans)
{
    QSqlDatabase db = Database().Connection();
    QSqlQuery q(db);
    check(q, q.exec(u"begin"_s));
    check(q, q.exec(u"insert into readerskind(Id, Name, BookTop, BookDays, BookRelet, JourTop, JourDays, JourRelet) "
                    u"values(1, '学生', 5, 15, 15, 2, 10, 5)"_s));
    check(q, q.prepare(u"insert into readers(Id, Code, Name, Ping, KindId, StateId, Loaning, Loanall, Loanover, "
                       u"Deposit) values(?, ?, ?, ?, 1, 1, 0, 0, 0, 1000)"_s));
    for (int id = 1; id <= readers; ++id) {
        q.addBindValue(id);
        q.addBindValue(u"R%1"_s.arg(id, 6, 10, QChar(u'0')));
        q.addBindValue(u"读者%1"_s.arg(id));
        q.addBindValue(u"DZ%1"_s.arg(id));
        check(q, q.exec());
    }
    check(q, q.prepare(u"insert into books(Id, Code, Name, ISBN, Author, Price, Publisher, QtyLib, QtyLoan, QtyOff, "
                       u"TimesLoan) values(?, ?, ?, ?, '作者', 20.5, '出版社', 1000, 0, 0, 0)"_s));
    for (int id = 1; id <= books; ++id) {
        q.addBindValue(id);
        q.addBindValue(u"B%1"_s.arg(id, 7, 10, QChar(u'0')));
        q.addBindValue(u"图书%1"_s.arg(id));
        q.addBindValue(u"978-%1"_s.arg(id));
        check(q, q.exec());
    }
    // Nine loans in ten are back; the rest are open. Counters are set from the rows afterwards.
    QRandomGenerator random(42);
    check(q, q.prepare(u"insert into loans(Id, LoanDate, ReaderId, BookId, Loanman, ShldretDate, ReturnDate, "
                       u"Returnman, OverDays, Overfund) values(?, ?, ?, ?, 'op', ?, ?, ?, ?, ?)"_s));
    for (int id = 1; id <= loans; ++id) {
        const QDate loanDate = kToday.addDays(-random.bounded(1, 700));
        const bool open = random.bounded(10) == 0;
        q.addBindValue(id);
        q.addBindValue(stamp(loanDate));
        q.addBindValue(random.bounded(1, readers + 1));
        q.addBindValue(random.bounded(1, books + 1));
        q.addBindValue(stamp(loanDate.addDays(15)));
        q.addBindValue(open ? QVariant() : QVariant(stamp(loanDate.addDays(10))));
        q.addBindValue(open ? QVariant() : QVariant(u"op"_s));
        q.addBindValue(open ? QVariant() : QVariant(0));
        q.addBindValue(open ? QVariant() : QVariant(0.0));
        check(q, q.exec());
    }
    check(q, q.exec(u"update books set QtyLoan=(select count(*) from loans l where l.BookId=books.Id and "
                    u"l.ReturnDate is null)"_s));
    check(q, q.exec(u"update readers set Loaning=(select count(*) from loans l where l.ReaderId=readers.Id and "
                    u"l.ReturnDate is null)"_s));
    check(q, q.exec(u"commit"_s));
    check(q, q.exec(u"analyze"_s));
}

// The loan save's statements straight through the engine.
void lendDirectly(int readerId, const QList<int>& bookIds)
{
    QSqlQuery q(Database().Connection());
    check(q, q.exec(u"begin immediate"_s));
    check(q, q.exec(u"select max(Id) from loans"_s));
    int id = q.next() ? q.value(0).toInt() : 0;
    q.finish();
    for (int bookId : bookIds) {
        check(q, q.prepare(u"insert into loans(LoanDate, ReaderId, BookId, Loanman, ShldretDate, Id)values(?, ?, ?, "
                           u"?, ?, ?)"_s));
        q.addBindValue(stamp(kToday));
        q.addBindValue(readerId);
        q.addBindValue(bookId);
        q.addBindValue(u"op"_s);
        q.addBindValue(stamp(kToday.addDays(15)));
        q.addBindValue(++id);
        check(q, q.exec());
        check(q, q.prepare(u"update books set QtyLoan=QtyLoan+1, TimesLoan=TimesLoan+1, QtyLib=QtyLib-1 where Id=?"_s));
        q.addBindValue(bookId);
        check(q, q.exec());
        check(q, q.prepare(u"update readers set Loaning=Loaning+1, Loanall=Loanall+1 where Id=?"_s));
        q.addBindValue(readerId);
        check(q, q.exec());
    }
    check(q, q.exec(u"commit"_s));
}

// The return save's statements (five overdue loans, fines from the deposit) straight through the engine.
void returnDirectly(const QList<Circulation::ROpenLoan>& loans)
{
    QSqlQuery q(Database().Connection());
    check(q, q.exec(u"begin immediate"_s));
    for (const Circulation::ROpenLoan& loan : loans) {
        check(q, q.prepare(u"update loans set ReturnDate=?, Returnman=?, OverDays=?, Overfund=? where Id=? and "
                           u"ReturnDate is null and not exists (select 1 from writeoffs w where w.LoanId=?)"_s));
        for (const QVariant& v : {QVariant(stamp(kToday.addDays(20))), QVariant(u"op"_s), QVariant(5), QVariant(2.5),
                                  QVariant(loan.Id), QVariant(loan.Id)})
            q.addBindValue(v);
        check(q, q.exec());
        check(q, q.exec(u"select max(Id) from fines"_s));
        const int fineId = q.next() ? q.value(0).toInt() + 1 : 1;
        q.finish();
        check(q, q.prepare(u"insert into fines(OffId, LoanId, Finedate, Fineman, Finefund, Finenote, PaytypeId, Id)"
                           u"values(?, ?, ?, ?, ?, ?, ?, ?)"_s));
        for (const QVariant& v : {QVariant(), QVariant(loan.Id), QVariant(stamp(kToday.addDays(20))), QVariant(u"op"_s),
                                  QVariant(2.5), QVariant(QString()), QVariant(2), QVariant(fineId)})
            q.addBindValue(v);
        check(q, q.exec());
        check(q, q.prepare(u"update readers set Deposit=coalesce(Deposit,0)+? where Id=?"_s));
        q.addBindValue(-2.5);
        q.addBindValue(loan.ReaderId);
        check(q, q.exec());
        check(q, q.prepare(u"select Deposit from readers where Id=?"_s));
        q.addBindValue(loan.ReaderId);
        check(q, q.exec());
        q.next();
        q.finish();
        check(q, q.prepare(u"update books set QtyLoan=QtyLoan-1, QtyLib=QtyLib+1 where Id=?"_s));
        q.addBindValue(loan.ItemId);
        check(q, q.exec());
        check(q, q.prepare(u"update readers set Loaning=Loaning-1, Loanover=Loanover+1 where Id=?"_s));
        q.addBindValue(loan.ReaderId);
        check(q, q.exec());
    }
    check(q, q.exec(u"commit"_s));
}

QList<Circulation::ROpenLoan> openLoansDirectly(int readerId)
{
    // The same statement the listing runs, read into the same records.
    QSqlQuery q(Database().Connection());
    q.setForwardOnly(true);
    check(q, q.prepare(u"select l.Id, l.LoanDate, l.ReaderId, l.BookId as ItemId, b.Code, b.Name, b.ISBN, b.Author, "
                       u"b.Price, b.Appendix, b.Publisher, '' as YearNo, l.Loanman, l.RenewDate, l.Renewman, "
                       u"l.ShldretDate, l.OverDays from ((loans l left join books b on b.Id=l.BookId) left join "
                       u"writeoffs w on w.LoanId=l.Id) where l.ReaderId=? and not (l.BookId is null) and "
                       u"l.ReturnDate is null and w.LoanId is null order by l.Id"_s));
    q.addBindValue(readerId);
    check(q, q.exec());
    QList<Circulation::ROpenLoan> loans;
    while (q.next()) {
        Circulation::ROpenLoan loan;
        loan.Id = q.value(0).toInt();
        loan.ReaderId = q.value(2).toInt();
        loan.ItemId = q.value(3).toInt();
        loan.ItemName = q.value(5).toString();
        loans.append(loan);
    }
    return loans;
}

void report(const QString& what, const QList<double>& ours, const QList<double>& direct)
{
    const double a = median(ours);
    const double b = median(direct);
    std::printf("  %-44s %8.2f ms   engine directly %8.2f ms   ratio %5.2f\n", qPrintable(what), a, b,
                b > 0 ? a / b : 0.0);
}

} // namespace

int main(int argc, char** argv)
{
    // as the program does at start: every date read asks for the zone offset
    LocalTime::CacheSystemZone();
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption booksOption(u"books"_s, u"Books in the library."_s, u"n"_s, u"100000"_s);
    const QCommandLineOption readersOption(u"readers"_s, u"Readers."_s, u"n"_s, u"20000"_s);
    const QCommandLineOption loansOption(u"loans"_s, u"Loans."_s, u"n"_s, u"500000"_s);
    const QCommandLineOption runsOption(u"runs"_s, u"Runs per figure."_s, u"n"_s, u"21"_s);
    const QCommandLineOption walOption(u"wal"_s, u"Write-ahead-log mode."_s);
    parser.addOptions({booksOption, readersOption, loansOption, runsOption, walOption});
    parser.process(app);
    const int books = parser.value(booksOption).toInt();
    const int readers = parser.value(readersOption).toInt();
    const int loans = parser.value(loansOption).toInt();
    const int runs = std::max(1, parser.value(runsOption).toInt());

    QTemporaryDir dir;
    QString error;
    if (!Database().TryConnect(u"Provider=QSQLITE;Data Source="_s + dir.filePath(u"bench.db"_s), &error, true)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    try {
        if (parser.isSet(walOption))
            Database().Select(u"pragma journal_mode=wal"_s);
        TSchema::Create(Database());
        QElapsedTimer filling;
        filling.start();
        fill(books, readers, loans);
        std::printf("SQLite%s, %d books, %d readers, %d loans (filled in %.1f s), median of %d runs\n",
                    parser.isSet(walOption) ? " (write-ahead log)" : "", books, readers,
                    loans, filling.elapsed() / 1000.0, runs);

        CurrentOperator().LoginId = u"op"_s;
        QRandomGenerator random(7);
        QElapsedTimer timer;
        QList<double> lendOurs, lendDirect, listOurs, listDirect, returnOurs, returnDirect;
        RReader reader;
        reader.BookDays = 15;
        for (int run = 0; run < runs; ++run) {
            // Two readers per run, one for our code and one for the engine directly.
            const int ours = random.bounded(1, readers + 1);
            int direct = random.bounded(1, readers + 1);
            while (direct == ours)
                direct = random.bounded(1, readers + 1);
            QList<int> bookIds;
            for (int i = 0; i < 5; ++i)
                bookIds.append(random.bounded(1, books + 1));

            Clock::SetFixed(QDateTime(kToday, QTime(10, 0)));
            TBookLoanSet list;
            reader.Id = ours;
            for (int id : bookIds) {
                RBook book;
                book.Id = id;
                list.AddItem(book, reader, kToday);
            }
            RBookLoanXs rows;
            list.GetRows(rows);
            QString message;
            timer.start();
            if (!TBookLoanSet::SaveRows(rows, message)) {
                std::fprintf(stderr, "loan save: %s\n", qPrintable(message));
                return 1;
            }
            lendOurs.append(timer.nsecsElapsed() / 1e6);
            timer.start();
            lendDirectly(direct, bookIds);
            lendDirect.append(timer.nsecsElapsed() / 1e6);

            timer.start();
            const QList<Circulation::ROpenLoan> open = Circulation::OpenLoans(Circulation::TItemKind::Book, ours);
            listOurs.append(timer.nsecsElapsed() / 1e6);
            timer.start();
            const QList<Circulation::ROpenLoan> openDirect = openLoansDirectly(direct);
            listDirect.append(timer.nsecsElapsed() / 1e6);

            // Twenty days on, the five new loans come back five days late.
            Clock::SetFixed(QDateTime(kToday.addDays(20), QTime(10, 0)));
            TBookReturnSet returns;
            for (const Circulation::ROpenLoan& loan : open)
                if (bookIds.contains(loan.ItemId) && loan.LoanDate.date() == kToday)
                    returns.AddLoan(loan);
            RBookReturns returnRows;
            returns.GetRows(returnRows);
            TBookReturnSet::SetPayment(returnRows, PayFromDeposit, QString());
            timer.start();
            if (!TBookReturnSet::SaveRows(returnRows, message)) {
                std::fprintf(stderr, "return save: %s\n", qPrintable(message));
                return 1;
            }
            returnOurs.append(timer.nsecsElapsed() / 1e6);
            QList<Circulation::ROpenLoan> fresh;
            for (const Circulation::ROpenLoan& loan : openDirect)
                if (loan.Id > loans)
                    fresh.append(loan);
            timer.start();
            returnDirectly(fresh.mid(std::max<qsizetype>(0, fresh.size() - 5)));
            returnDirect.append(timer.nsecsElapsed() / 1e6);
        }
        report(u"Loan save, 5 books"_s, lendOurs, lendDirect);
        report(u"One reader's open loans"_s, listOurs, listDirect);
        report(u"Return save, 5 overdue loans with fines"_s, returnOurs, returnDirect);
    } catch (const EDatabaseError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.Message()));
        return 1;
    }
    return 0;
}
