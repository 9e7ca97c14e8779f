#include "circulation/Circulation.h"

#include "circulation/FineQuery.h"
#include "data/Database.h"
#include "data/DbError.h"
#include "data/LwDataSet.h"
#include "data/Transaction.h"
#include "holdings/BookSet.h"
#include "holdings/JournalSet.h"
#include "holdings/ReaderSet.h"
#include "project/KeyValue2.h"

#include <QSqlQuery>
#include <QTime>

using namespace Qt::StringLiterals;

namespace Circulation {

namespace {

// What differs between lending books and lending journals.
struct TItemRules
{
    QString InsertSql;
    bool (*IncLoan)(int id);
    bool (*DecLoan)(int id);
    QString InsertFailed;
    QString CountFailed;
    QString ReaderFailed; // "%1": the reader id
    QString OpenLoansSql;
};

const TItemRules& rules(TItemKind kind)
{
    // A loan is open while it has no return date and no write-off points at it.
    static const TItemRules book{
        u"insert into loans(LoanDate, ReaderId, BookId, Loanman, ShldretDate, Id)values(:LoanDate, :ReaderId, "
        u":BookId, :Loanman, :ShldretDate, :Id)"_s,
        &TBookSet::IncLoan,
        &TBookSet::DecLoan,
        u"\r\n 图书借出保存失败!\t"_s,
        u"\r\n 图书数量更新失败!\t"_s,
        u"\r\n 读者 %1 数据更新失败!\t"_s,
        u"select l.Id, l.LoanDate, l.ReaderId, l.BookId as ItemId, b.Code, b.Name, b.ISBN, b.Author, b.Price, "
        u"b.Appendix, b.Publisher, '' as YearNo, l.Loanman, l.RenewDate, l.Renewman, l.ShldretDate, l.OverDays "
        u"from ((loans l left join books b on b.Id=l.BookId) left join writeoffs w on w.LoanId=l.Id) "
        u"where l.ReaderId=:ReaderId and not (l.BookId is null) and l.ReturnDate is null and w.LoanId is null "
        u"order by l.Id"_s,
    };
    static const TItemRules journal{
        u"insert into loans(LoanDate, ReaderId, BookId, JourId, Loanman, ShldretDate, Id)values(:LoanDate, "
        u":ReaderId, null, :JourId, :Loanman, :ShldretDate, :Id)"_s,
        &TJournalSet::IncLoan,
        &TJournalSet::DecLoan,
        u"\r\n 期刊借出保存失败!\t"_s,
        u"\r\n 期刊数量更新失败!\t"_s,
        u"\r\n 读者 %1 数据更新失败!\t"_s,
        u"select l.Id, l.LoanDate, l.ReaderId, l.JourId as ItemId, b.Code, b.Name, b.ISSN, b.Editor, b.Price, "
        u"b.Appendix, b.Publisher, b.YearNo, l.Loanman, l.RenewDate, l.Renewman, l.ShldretDate, l.OverDays "
        u"from ((loans l left join journals b on b.Id=l.JourId) left join writeoffs w on w.LoanId=l.Id) "
        u"where l.ReaderId=:ReaderId and not (l.JourId is null) and l.ReturnDate is null and w.LoanId is null "
        u"order by l.Id"_s,
    };
    return kind == TItemKind::Book ? book : journal;
}

// Circulation saves of all workstations take their turn on the loans lock (the one the loan save
// allocates its ids under). A return and a loan for the same reader would otherwise lock the same
// book and reader rows in opposite orders, and the server would end one of them as a deadlock.
void lockCirculation(TDatabase& db)
{
    db.LockTable(u"loans"_s);
}

QDateTime dateTimeOf(const QVariant& value)
{
    return TLwDataSet::Convert(TFieldType::DateTime, value).toDateTime();
}

} // namespace

QList<ROpenLoan> OpenLoans(TItemKind kind, int readerId)
{
    QList<ROpenLoan> loans;
    QSqlQuery query = Database().Select(rules(kind).OpenLoansSql, {MakeParam(u"ReaderId"_s, readerId)});
    while (query.next()) {
        ROpenLoan loan;
        loan.Id = query.value(0).toInt();
        loan.LoanDate = dateTimeOf(query.value(1));
        loan.ReaderId = query.value(2).toInt();
        loan.ItemId = query.value(3).toInt();
        loan.ItemCode = query.value(4).toString();
        loan.ItemName = query.value(5).toString();
        loan.ItemISBN = query.value(6).toString();
        loan.ItemAuthor = query.value(7).toString();
        loan.ItemPrice = TLwDataSet::Convert(TFieldType::Float, query.value(8));
        loan.ItemAppendix = query.value(9).toString();
        loan.ItemPublisher = query.value(10).toString();
        loan.ItemYearNo = query.value(11).toString();
        loan.Loanman = query.value(12).toString();
        loan.RenewDate = dateTimeOf(query.value(13));
        loan.Renewman = query.value(14).toString();
        loan.ShldretDate = dateTimeOf(query.value(15));
        loan.OverDays = query.value(16).toInt();
        loans.append(loan);
    }
    return loans;
}

int OverdueDays(const QDateTime& due, const QDateTime& now)
{
    if (!due.isValid() || !now.isValid() || now <= due)
        return 0;
    // Count calendar days rather than seconds, so a day that is shorter or longer by a clock change
    // still counts as one; a day only counts once it has fully passed.
    qint64 days = due.date().daysTo(now.date());
    if (now.time() < due.time())
        --days;
    return int(std::max<qint64>(days, 0));
}

double FineRate(TItemKind kind)
{
    return kind == TItemKind::Book ? FineRates::Book() : FineRates::Journal();
}

bool SaveLoans(TItemKind kind, const QList<TNewLoan>& rows, QString& message)
{
    const TItemRules& item = rules(kind);
    const QString itemColumn = kind == TItemKind::Book ? u"BookId"_s : u"JourId"_s;
    TDatabase& db = Database();
    try {
        TTransaction transaction(db);
        // The highest id is read once, under the lock, so workstations lending at once queue here.
        int lastId = db.NextId(u"loans"_s) - 1;
        for (const TNewLoan& row : rows) {
            const int id = ++lastId;
            const int inserted = db.ExecSQL(
                item.InsertSql, {MakeParam(u"LoanDate"_s, row.LoanDate), MakeParam(u"ReaderId"_s, row.ReaderId),
                                 MakeParam(itemColumn, row.ItemId), MakeParam(u"Loanman"_s, row.Loanman),
                                 MakeParam(u"ShldretDate"_s, row.ShldretDate), MakeParam(u"Id"_s, id)});
            if (inserted != 1) {
                message = item.InsertFailed;
                return false;
            }
            if (!item.IncLoan(row.ItemId)) {
                message = item.CountFailed;
                return false;
            }
            if (!TReaderSet::IncLoan(row.ReaderId)) {
                message = item.ReaderFailed.arg(row.ReaderId);
                return false;
            }
        }
        transaction.Commit();
        return true;
    } catch (const EDatabaseError& error) {
        message = error.Message();
        return false;
    }
}

bool SaveReturns(TItemKind kind, const QList<TReturn>& rows, QString& message)
{
    const TItemRules& item = rules(kind);
    TDatabase& db = Database();
    try {
        TTransaction transaction(db);
        lockCirculation(db);
        for (TReturn row : rows) {
            // A fine left for later, or no fine at all, carries no payment details.
            if (row.PaytypeId == PayLater || row.OverDays < 1) {
                row.Finenote.clear();
                row.Finedate = QVariant();
                row.Fineman.clear();
            }
            // Only a loan still open is closed: one returned or written off meanwhile on another
            // workstation fails the save instead of moving its counters a second time.
            bool done =
                db.ExecSQL(u"update loans set ReturnDate=:ReturnDate, Returnman=:Returnman, "
                           u"OverDays=:OverDays, Overfund=:Overfund where Id=:Id and ReturnDate is null "
                           u"and not exists (select 1 from writeoffs w where w.LoanId=:LoanId)"_s,
                           {MakeParam(u"ReturnDate"_s, row.ReturnDate), MakeParam(u"Returnman"_s, row.Returnman),
                            MakeParam(u"OverDays"_s, row.OverDays), MakeParam(u"Overfund"_s, row.Overfund),
                            MakeParam(u"Id"_s, row.Id), MakeParam(u"LoanId"_s, row.Id)}) == 1;
            if (done && row.OverDays > 0) {
                RFine fine;
                fine.LoanId = row.Id;
                fine.ReaderId = row.ReaderId;
                fine.Finedate = row.Finedate;
                fine.PaytypeId = row.PaytypeId;
                fine.Finefund = row.Overfund;
                fine.Fineman = row.Fineman;
                fine.Finenote = row.Finenote;
                QString fineMessage;
                done = TFineQuery::SaveFine(fine, fineMessage);
            }
            done = done && item.DecLoan(row.ItemId) && TReaderSet::DecLoan(row.ReaderId, row.OverDays > 0);
            if (!done) {
                message = ReturnFailedText;
                return false;
            }
        }
        transaction.Commit();
        return true;
    } catch (const EDatabaseError& error) {
        message = error.Message();
        return false;
    }
}

bool SaveRenewals(const QList<TRenewal>& rows, QString& message)
{
    TDatabase& db = Database();
    try {
        TTransaction transaction(db);
        lockCirculation(db);
        for (const TRenewal& row : rows) {
            // A loan returned or written off meanwhile keeps its closing; renewing it would hand the
            // reader a due date for an item the library already has back.
            const int renewed = db.ExecSQL(
                u"update loans set RenewDate=:RenewDate, Renewman=:Renewman, ShldretDate=:ShldretDate where Id=:Id "
                u"and ReturnDate is null and not exists (select 1 from writeoffs w where w.LoanId=:LoanId)"_s,
                {MakeParam(u"RenewDate"_s, row.RenewDate), MakeParam(u"Renewman"_s, row.Renewman),
                 MakeParam(u"ShldretDate"_s, row.ShldretDate), MakeParam(u"Id"_s, row.Id),
                 MakeParam(u"LoanId"_s, row.Id)});
            if (renewed != 1) {
                message = RenewFailedText;
                return false;
            }
        }
        transaction.Commit();
        return true;
    } catch (const EDatabaseError& error) {
        message = error.Message();
        return false;
    }
}

void FillReturnRow(TLwDataSet& set, const ROpenLoan& loan, TItemKind kind, const QString& dueField)
{
    set.SetValue(u"Id"_s, loan.Id);
    set.SetValue(u"LoanDate"_s, loan.LoanDate);
    set.SetValue(u"Loanman"_s, loan.Loanman);
    set.SetValue(u"ReaderId"_s, loan.ReaderId);
    set.SetValue(dueField, loan.ShldretDate);
    set.SetValue(u"ReturnDate"_s, Clock::Today().startOfDay());
    const int overdue = OverdueDays(loan.ShldretDate, Clock::Now());
    if (overdue > 0) {
        set.SetValue(u"Overdays"_s, overdue);
        // Fines are not rounded.
        set.SetValue(u"Overfund"_s, overdue * FineRate(kind));
    }
}

void FillRenewRow(TLwDataSet& set, const ROpenLoan& loan, const QString& dueField)
{
    set.SetValue(u"Id"_s, loan.Id);
    set.SetValue(u"LoanDate"_s, loan.LoanDate);
    set.SetValue(u"Loanman"_s, loan.Loanman);
    set.SetValue(u"RenewDate"_s, Clock::Today().startOfDay());
    set.SetValue(dueField, loan.ShldretDate);
    set.SetValue(u"Overdays"_s, loan.OverDays);
}

void ForEachRow(TLwDataSet& set, const std::function<void()>& visit)
{
    set.DisableControls();
    const int current = set.RecNo();
    set.First();
    while (!set.Eof()) {
        visit();
        set.Next();
    }
    if (current > 0)
        set.SetRecNo(current);
    set.EnableControls();
}

} // namespace Circulation
