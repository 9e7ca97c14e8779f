#pragma once

#include "data/Clock.h"
#include "project/Operator.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>
#include <functional>

class TLwDataSet;

// What lending, taking back and renewing do alike for books and journals. The twins differ only in
// the loans column, the holdings table, the periods of the reader's kind, the fine rate and the
// texts of the loan save; the pending-list classes hand their rows to the steps here.
namespace Circulation {

enum class TItemKind {
    Book,
    Journal,
};

// The texts a failed save hands back.
inline const QString ReturnFailedText = QStringLiteral("\r\n数据更新失败, 可能没有找到该借阅记录, 请确认后重试");
inline const QString RenewFailedText = QStringLiteral("\r\n续借失败, 该借阅记录已归还或已注销, 请刷新后重试\t");

// One pending loan as the loan save writes it.
struct TNewLoan
{
    QDateTime LoanDate;
    int ReaderId = 0;
    int ItemId = 0;
    QString Loanman;
    QDateTime ShldretDate;
};

// One loan being taken back, with what is known of its fine.
struct TReturn
{
    int Id = 0;
    int ReaderId = 0;
    int ItemId = 0;
    QDateTime ReturnDate;
    QString Returnman;
    int OverDays = 0;
    double Overfund = 0;
    QVariant Finedate; // null: not paid (yet)
    QString Fineman;
    int PaytypeId = 0;
    QString Finenote;
};

// One loan being renewed.
struct TRenewal
{
    int Id = 0;
    QDateTime RenewDate;
    QString Renewman;
    QDateTime ShldretDate;
};

// One loan of a reader that is neither returned nor written off, with its book or journal, as the
// return and renewal windows list it. For a journal, ISBN holds the ISSN and Author the editor.
struct ROpenLoan
{
    int Id = 0;
    QDateTime LoanDate;
    int ReaderId = 0;
    int ItemId = 0;
    QString ItemCode;
    QString ItemName;
    QString ItemISBN;
    QString ItemAuthor;
    QVariant ItemPrice; // null when the title has none
    QString ItemAppendix;
    QString ItemPublisher;
    QString ItemYearNo; // journals only
    QString Loanman;
    QDateTime RenewDate; // invalid when never renewed
    QString Renewman;
    QDateTime ShldretDate;
    int OverDays = 0; // as stored; 0 for a loan not yet returned
};

// The reader's open book or journal loans, oldest loan first.
QList<ROpenLoan> OpenLoans(TItemKind kind, int readerId);

// Whole days by which `now` has passed the due date; 0 while it has not. The due date is the one
// the reader was told when lending or renewing, so the fine follows what was promised.
int OverdueDays(const QDateTime& due, const QDateTime& now);
// The overdue fine per day of the kind (process-wide setting).
double FineRate(TItemKind kind);

// The three saves. Each runs in one transaction and either writes every row or nothing; on failure
// `message` holds the text to show (the database's own text when a statement failed).
bool SaveLoans(TItemKind kind, const QList<TNewLoan>& rows, QString& message);
bool SaveReturns(TItemKind kind, const QList<TReturn>& rows, QString& message);
bool SaveRenewals(const QList<TRenewal>& rows, QString& message);

// Fills the columns the book and journal return lists share into the row being appended: the
// loan, today as its return date, and the overdue days and fine as of now (empty when not overdue).
void FillReturnRow(TLwDataSet& set, const ROpenLoan& loan, TItemKind kind, const QString& dueField);

// Fills the columns the book and journal renewal lists share into the row being appended: the
// loan, today as its renewal date, its current due date and its stored overdue days.
void FillRenewRow(TLwDataSet& set, const ROpenLoan& loan, const QString& dueField);

// Renewal rows of either kind renewed on `renewDate` for `days` days.
template <typename R> void Redate(QList<R>& rows, const QDate& renewDate, int days)
{
    for (R& row : rows) {
        row.RenewDate = renewDate.startOfDay();
        row.ShldretDate = renewDate.addDays(days).startOfDay();
    }
}

// What the renewal save needs of renewal rows of either kind.
template <typename R> QList<TRenewal> RenewalsOf(const QList<R>& rows)
{
    QList<TRenewal> renewals;
    renewals.reserve(rows.size());
    for (const R& row : rows)
        renewals.append({row.Id, row.RenewDate, row.Renewman, row.ShldretDate});
    return renewals;
}

// Records on return rows of either kind how their fines are paid: today, by the logged-in
// operator, with the pay type (0 when none was chosen) and the note.
template <typename R> void SetPayment(QList<R>& rows, int paytypeId, const QString& note)
{
    const QDateTime today = Clock::Today().startOfDay();
    const QString fineman = CurrentOperator().LoginId;
    for (R& row : rows) {
        row.Finedate = today;
        row.Fineman = fineman;
        row.PaytypeId = paytypeId;
        row.Finenote = note;
    }
}

// The part of a return row of either kind that the save needs.
template <typename R> TReturn ReturnOf(const R& row, int itemId)
{
    return {row.Id,       row.ReaderId, itemId,      row.ReturnDate, row.Returnman, row.OverDays,
            row.Overfund, row.Finedate, row.Fineman, row.PaytypeId,  row.Finenote};
}

// Visits every row of a pending list with the grid held still, then returns to the row that was
// current.
void ForEachRow(TLwDataSet& set, const std::function<void()>& visit);

} // namespace Circulation
