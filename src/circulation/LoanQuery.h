#pragma once

#include "circulation/LoanWhere.h"
#include "data/QuerySet.h"

#include <QDateTime>
#include <memory>

// One row of the book loan query, as the return, renewal and write-off steps take it.
struct RBookLoan
{
    int Id = 0;
    QDateTime LoanDate;
    int ReaderId = 0;
    QString ReaderName;
    QString ReaderSex;
    QString ReaderKindName;
    QString ReaderDept;
    QString ReaderState;
    QString ReaderTel;
    double ReaderDeposit = 0;
    QDateTime ReaderAdddate;
    int BookId = 0;
    QString BookCode;
    QString BookName;
    QString BookISBN;
    double BookPrice = 0;
    QString BookAppendix;
    QString BookAuthor;
    QString BookPublisher;
    QString Loanman;
    QDateTime RenewDate;
    QString Renewman;
    QDateTime ShldretDate;
    QDateTime ReturnDate;
    QString Returnman;
    int Overdays = 0;
    double Overfund = 0;
};

// The journal twin of RBookLoan.
struct RJourLoan
{
    int Id = 0;
    QDateTime LoanDate;
    int ReaderId = 0;
    QString ReaderName;
    QString ReaderSex;
    QString ReaderKindName;
    QString ReaderDept;
    QString ReaderState;
    QString ReaderTel;
    double ReaderDeposit = 0;
    QDateTime ReaderAdddate;
    int JourId = 0;
    QString JourCode;
    QString JourName;
    QString JourISSN;
    double JourPrice = 0;
    QString JourAppendix;
    QString JourYearNo;
    QString Loanman;
    QDateTime RenewDate;
    QString Renewman;
    QDateTime ShldretDate;
    QDateTime ReturnDate;
    QString Returnman;
    int Overdays = 0;
    double Overfund = 0;
};

// The quick panel of the loan query window as values: what the operator chose, null where nothing.
struct RLoanQuickConditions
{
    QVariant LoanDate1;
    QVariant LoanDate2;
    QVariant ReaderId;
    QVariant IsReturn;
    QVariant IsWriteoff;
    QVariant Overdays1;
    QVariant Overfund1;
    QString Code; // the book's or the journal's code, as part of it
    bool IsOver = false;
    QVariant TodayBiz;
};

// What the book and the journal loan query share: the loans joined to their readers, items and
// write-offs, filtered by one condition row, with the running overdue days and the loan's state
// computed for each row.
class TLoanQuery : public TQuerySet
{
public:
    // The states a loan shows.
    static inline const QString StateReturned = QStringLiteral("已还");
    static inline const QString StateWrittenOff = QStringLiteral("注销");
    static inline const QString StateOpen = QStringLiteral("未还");

    ~TLoanQuery() override;

    TLoanKind Kind() const { return m_kind; }
    TLoanWhere* Where() const { return m_where.get(); }
    // Opens the loans that meet every condition of Where, judged against the business clock.
    void Search();
    // Replaces the conditions with the quick panel's.
    void SetQuickConditions(const RLoanQuickConditions& panel);
    // Copies every condition of `other`, field by field in row order, over this query's conditions.
    void CopyConditions(const TLoanWhere& other);
    // The statement Search runs before its conditions.
    QString BaseSql() const;

    // The calculated columns of the current row, judged at the moment of the last search:
    // OverdaysCalc and LoanState.
    void CalcFields(TLwDataSet& set) const;
    // Whole days by which `now` passes `due`; 0 when it does not (or there is no due date).
    static int OverdueDays(const QDateTime& due, const QDateTime& now);

protected:
    explicit TLoanQuery(TLoanKind kind);

    // Reads the columns both records share.
    template <typename R> void readCommon(R& row) const;

private:
    TLoanKind m_kind;
    QDateTime m_now; // the business clock when the rows were read
    // Positions of the columns CalcFields reads and writes, found once.
    int m_overdays = -1, m_returnDate = -1, m_offId = -1, m_shldretDate = -1, m_overdaysCalc = -1, m_loanState = -1;
    std::unique_ptr<TLoanWhere> m_where;
};

// The book loans.
class TBookLoanQuery : public TLoanQuery
{
public:
    TBookLoanQuery();
    void GetRow(RBookLoan& row) const;
};

// The journal loans.
class TJourLoanQuery : public TLoanQuery
{
public:
    TJourLoanQuery();
    void GetRow(RJourLoan& row) const;
};
