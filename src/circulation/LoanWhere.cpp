#include "circulation/LoanWhere.h"

#include "data/Clock.h"
#include "holdings/HoldingWhere.h"
#include "project/KeyValue2.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Day counts far beyond any loan stay within what a date can hold.
constexpr double MaxDays = 1000000.0;

// The loans still out: neither returned nor written off.
const QString OpenLoan = u"(w.LoanId is null) and (l.ReturnDate is null)"_s;

// A clause that binds one moment `days` whole days before now.
QString dueBound(const QString& sql, const QDateTime& now, double days, TSearchText& search)
{
    const qint64 d = qint64(std::clamp(days, -MaxDays, MaxDays));
    QString out = sql;
    return out.replace(u'?', search.Bind(now.addDays(-d)));
}

// A quotient of two amounts as the operator reads them: 0.3 / 0.1 is 3, not 2.9999999999999996.
double steadyQuotient(double amount, double rate)
{
    const double q = amount / rate;
    const double near = std::round(q);
    return std::abs(q - near) < 1e-9 ? near : q;
}

double fineRate(TLoanKind kind)
{
    return kind == TLoanKind::Book ? FineRates::Book() : FineRates::Journal();
}

// Every condition field, in the order of the condition row. A loan's overdue days are the whole days
// by which now passes its due date; the day and fine bounds below are written as bounds on the due
// date itself, which keeps them exact on both engines and lets the due-date index serve them.
QList<TWhereClause> loanClauses(TLoanKind kind, const QDateTime& now)
{
    using C = TWhereClause;
    const auto like = &THoldingWhere::Like;
    const auto contains = [like](const QString& field, const QString& column) {
        return THoldingWhere::Contains(field, like(column));
    };
    return {
        C::Integer(u"Id"_s, u"l.Id=?"_s),
        C::Integer(u"ReaderId"_s, u"l.ReaderId=?"_s),
        C::Flag(u"IsReturn"_s, u"not (l.ReturnDate is null)"_s, u"l.ReturnDate is null"_s),
        C::DateFrom(u"LoanDate1"_s, u"l.LoanDate>=?"_s),
        C::DateTo(u"LoanDate2"_s, u"l.LoanDate<?"_s),
        C::Flag(u"IsWriteoff"_s, u"not (w.LoanId is null)"_s, u"w.LoanId is null"_s),
        // Due dates are stored as midnight, so a loan due today is already past due.
        C::MakeCustom(u"IsOver"_s, TFieldType::Boolean,
                      [now](const QVariant& value, TSearchText& search) {
                          if (!value.toBool())
                              return QString();
                          return u"(l.ReturnDate is null) and (w.Id is null) and (l.ShldretDate<%1)"_s.arg(
                              search.Bind(now));
                      }),
        C::Integer(u"BookId"_s, u"l.BookId=?"_s),
        C::Integer(u"JourId"_s, u"l.JourId=?"_s),
        C::DateFrom(u"RenewDate1"_s, u"l.RenewDate>=?"_s),
        C::DateTo(u"RenewDate2"_s, u"l.RenewDate<?"_s),
        C::DateFrom(u"ShldretDate1"_s, u"l.ShldretDate>=?"_s),
        C::DateTo(u"ShldretDate2"_s, u"l.ShldretDate<?"_s),
        C::DateFrom(u"ReturnDate1"_s, u"l.ReturnDate>=?"_s),
        C::DateTo(u"ReturnDate2"_s, u"l.ReturnDate<?"_s),
        // At least n overdue days: the due date lies n whole days or more before now.
        C::MakeCustom(u"Overdays1"_s, TFieldType::Float,
                      [now](const QVariant& value, TSearchText& search) {
                          return dueBound(OpenLoan + u" and l.ShldretDate<=?"_s, now, std::trunc(value.toDouble()),
                                          search);
                      }),
        // At most m overdue days, the partner of the lower bound: fewer than m + 1 whole days past due,
        // loans not yet due included.
        C::MakeCustom(u"Overdays2"_s, TFieldType::Float,
                      [now](const QVariant& value, TSearchText& search) {
                          return dueBound(OpenLoan + u" and l.ShldretDate>?"_s, now, std::trunc(value.toDouble()) + 1,
                                          search);
                      }),
        // The running fine is the overdue days times the rate of the query's kind, and only loans still
        // out run one (a returned loan keeps the fine it was charged); an amount bound turns into a
        // bound on the overdue days.
        C::MakeCustom(u"Overfund1"_s, TFieldType::Float,
                      [now, kind](const QVariant& value, TSearchText& search) {
                          const double rate = fineRate(kind), amount = value.toDouble();
                          if (rate <= 0)
                              return amount <= 0 ? OpenLoan + u" and not (l.ShldretDate is null)"_s : u"(1=0)"_s;
                          return dueBound(OpenLoan + u" and l.ShldretDate<=?"_s, now,
                                          std::ceil(steadyQuotient(amount, rate)), search);
                      }),
        C::MakeCustom(u"Overfund2"_s, TFieldType::Float,
                      [now, kind](const QVariant& value, TSearchText& search) {
                          const double rate = fineRate(kind), amount = value.toDouble();
                          if (rate <= 0)
                              return amount >= 0 ? OpenLoan + u" and not (l.ShldretDate is null)"_s : u"(1=0)"_s;
                          return dueBound(OpenLoan + u" and l.ShldretDate>?"_s, now,
                                          std::floor(steadyQuotient(amount, rate)) + 1, search);
                      }),
        C::Text(u"Loanman"_s, u"l.Loanman=?"_s),
        C::Text(u"Renewman"_s, u"l.Renewman=?"_s),
        C::Text(u"Returnman"_s, u"l.Returnman=?"_s),
        contains(u"BookCode"_s, u"b.Code"_s),
        contains(u"BookName"_s, u"b.Name"_s),
        contains(u"BookISBN"_s, u"b.ISBN"_s),
        contains(u"BookPublisher"_s, u"b.Publisher"_s),
        THoldingWhere::Price(u"BookPrice1"_s, u"b.Price>=?"_s),
        THoldingWhere::Price(u"BookPrice2"_s, u"b.Price<=?"_s),
        contains(u"ReaderCode"_s, u"r.Code"_s),
        contains(u"ReaderName"_s, u"r.Name"_s),
        C::Integer(u"ReaderKindId"_s, u"r.KindId=?"_s),
        contains(u"ReaderDept"_s, u"r.Dept"_s),
        contains(u"JourCode"_s, u"b.Code"_s),
        contains(u"JourName"_s, u"b.Name"_s),
        contains(u"JourISSN"_s, u"b.ISSN"_s),
        C::Text(u"JourPeriod"_s, u"b.PubPeriod=?"_s),
        // Lent, returned or renewed on that whole day.
        C::MakeCustom(u"TodayBiz"_s, TFieldType::DateTime,
                      [](const QVariant& value, TSearchText& search) {
                          const QDate day = value.toDateTime().date();
                          if (!day.isValid())
                              return QString();
                          QStringList parts;
                          for (const QString& column : {u"l.LoanDate"_s, u"l.ReturnDate"_s, u"l.RenewDate"_s})
                              parts << u"(%1>=%2 and %1<%3)"_s.arg(column, search.Bind(day),
                                                                   search.Bind(day.addDays(1)));
                          return u"("_s + parts.join(u" or "_s) + u")"_s;
                      }),
    };
}

// The checks of each query, by position in the condition row (1-based, as the row is numbered).
const QList<int>& checkOrder(TLoanKind kind)
{
    static const QList<int> book = {1,  2,  3,  6,  7,  4,  5,  16, 17, 18, 19, 8,  10, 11, 12, 13,
                                    14, 15, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 37};
    static const QList<int> journal = {1,  2,  3,  6,  7,  4,  5,  16, 17, 18, 19, 9,  10, 11, 12, 13,
                                       14, 15, 20, 21, 22, 33, 34, 35, 36, 27, 28, 29, 30, 31, 32, 37};
    return kind == TLoanKind::Book ? book : journal;
}

} // namespace

TLoanWhere::TLoanWhere() : TCustomWhere(loanClauses(TLoanKind::Book, QDateTime())) {}

TSearchText TLoanWhere::BuildFor(TLoanKind kind) const
{
    return BuildFor(kind, Clock::Now());
}

TSearchText TLoanWhere::BuildFor(TLoanKind kind, const QDateTime& now) const
{
    const QList<TWhereClause> all = loanClauses(kind, now);
    QList<TWhereClause> ordered;
    for (const int position : checkOrder(kind))
        ordered.append(all.at(position - 1));
    // A condition row of the query's own order, holding this row's values.
    TCustomWhere checks(ordered);
    for (const TWhereClause& clause : std::as_const(ordered))
        checks.SetCondition(clause.Field, Condition(clause.Field));
    return checks.Build();
}
