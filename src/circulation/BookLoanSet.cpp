#include "circulation/BookLoanSet.h"

#include "circulation/Circulation.h"
#include "holdings/BookSet.h"
#include "holdings/ReaderSet.h"
#include "project/Operator.h"

using namespace Qt::StringLiterals;

TBookLoanSet::TBookLoanSet()
{
    DataSet()->ClearFields();
    AddFieldDef(TFieldType::Integer, u"Id"_s, 0, false, QString());
    AddFieldDef(TFieldType::Integer, u"BookId"_s, 0, false, QString());
    AddFieldDef(TFieldType::WideString, u"BookCode"_s, 50, true, u"图书编号"_s);
    AddFieldDef(TFieldType::WideString, u"BookName"_s, 50, true, u"图书名称"_s);
    AddFieldDef(TFieldType::WideString, u"BookISBN"_s, 50, true, u"ISBN"_s);
    AddFieldDef(TFieldType::WideString, u"BookAuthor"_s, 50, true, u"作者"_s);
    AddFieldDef(TFieldType::Float, u"BookPrice"_s, 0, true, u"价格"_s).DisplayFormat = u"0.00"_s;
    AddFieldDef(TFieldType::WideString, u"BookAppendix"_s, 50, true, u"附件"_s);
    AddFieldDef(TFieldType::WideString, u"BookPublisher"_s, 50, true, u"出版社"_s);
    AddFieldDef(TFieldType::DateTime, u"ShldretDate"_s, 0, true, u"应还日期"_s);
    AddFieldDef(TFieldType::Integer, u"ReaderId"_s, 0, false, QString());
    AddFieldDef(TFieldType::DateTime, u"LoanDate"_s, 0, false, u"借阅日期"_s);
    CreateDataSet();
}

void TBookLoanSet::AddItem(const RBook& book, const RReader& reader, const QDate& loanDate)
{
    TLwDataSet* set = DataSet();
    set->Append();
    set->SetValue(u"Id"_s, 0);
    set->SetValue(u"BookId"_s, book.Id);
    set->SetValue(u"BookCode"_s, book.Code);
    set->SetValue(u"BookName"_s, book.Name);
    set->SetValue(u"BookISBN"_s, book.ISBN);
    set->SetValue(u"BookAuthor"_s, book.Author);
    set->SetValue(u"BookPrice"_s, book.Price);
    set->SetValue(u"BookAppendix"_s, book.Appendix);
    set->SetValue(u"BookPublisher"_s, book.Publisher);
    set->SetValue(u"LoanDate"_s, loanDate.startOfDay());
    set->SetValue(u"ShldretDate"_s, loanDate.addDays(reader.BookDays).startOfDay());
    set->SetValue(u"ReaderId"_s, reader.Id);
    set->Post();
}

void TBookLoanSet::GetRows(RBookLoanXs& rows) const
{
    rows.clear();
    TLwDataSet* set = DataSet();
    rows.reserve(set->RecordCount());
    const QString loanman = CurrentOperator().LoginId;
    Circulation::ForEachRow(*set, [&] {
        RBookLoanX row;
        row.Id = set->AsInteger(u"Id"_s);
        row.BookId = set->AsInteger(u"BookId"_s);
        row.LoanDate = set->Value(u"LoanDate"_s).toDateTime();
        row.ShldretDate = set->Value(u"ShldretDate"_s).toDateTime();
        row.ReaderId = set->AsInteger(u"ReaderId"_s);
        row.Loanman = loanman;
        rows.append(row);
    });
}

void TBookLoanSet::Redate(RBookLoanXs& rows, const QDate& loanDate, const RReader& reader)
{
    for (RBookLoanX& row : rows) {
        row.LoanDate = loanDate.startOfDay();
        row.ShldretDate = loanDate.addDays(reader.BookDays).startOfDay();
    }
}

bool TBookLoanSet::SaveRows(const RBookLoanXs& rows, QString& message)
{
    QList<Circulation::TNewLoan> loans;
    loans.reserve(rows.size());
    for (const RBookLoanX& row : rows)
        loans.append({row.LoanDate, row.ReaderId, row.BookId, row.Loanman, row.ShldretDate});
    return Circulation::SaveLoans(Circulation::TItemKind::Book, loans, message);
}
