#include "circulation/BookReturnSet.h"

#include "project/Operator.h"

using namespace Qt::StringLiterals;

TBookReturnSet::TBookReturnSet()
{
    DataSet()->ClearFields();
    AddFieldDef(TFieldType::Integer, u"Id"_s, 0, false, QString());
    AddFieldDef(TFieldType::DateTime, u"LoanDate"_s, 0, true, u"借阅日期"_s);
    AddFieldDef(TFieldType::WideString, u"Loanman"_s, 50, true, u"借阅经手"_s);
    AddFieldDef(TFieldType::Integer, u"ReaderId"_s, 0, false, QString());
    AddFieldDef(TFieldType::Integer, u"BookId"_s, 0, false, QString());
    AddFieldDef(TFieldType::WideString, u"BookName"_s, 50, true, u"图书名称"_s);
    AddFieldDef(TFieldType::WideString, u"BookISBN"_s, 50, true, u"ISBN"_s);
    AddFieldDef(TFieldType::WideString, u"BookAuthor"_s, 50, true, u"作者"_s);
    AddFieldDef(TFieldType::Float, u"BookPrice"_s, 0, true, u"价格"_s).DisplayFormat = u"0.00"_s;
    AddFieldDef(TFieldType::WideString, u"BookAppendix"_s, 50, true, u"附件"_s);
    AddFieldDef(TFieldType::WideString, u"BookPublisher"_s, 50, true, u"出版社"_s);
    AddFieldDef(TFieldType::DateTime, u"ShldReturnDate"_s, 0, true, u"应还日期"_s);
    AddFieldDef(TFieldType::DateTime, u"ReturnDate"_s, 0, false, u"归还日期"_s);
    AddFieldDef(TFieldType::Integer, u"Overdays"_s, 0, true, u"超期天数"_s);
    AddFieldDef(TFieldType::Float, u"Overfund"_s, 0, true, u"超期罚款"_s).DisplayFormat = u"0.00"_s;
    CreateDataSet();
}

void TBookReturnSet::AddLoan(const Circulation::ROpenLoan& loan)
{
    TLwDataSet* set = DataSet();
    set->Append();
    Circulation::FillReturnRow(*set, loan, Circulation::TItemKind::Book, u"ShldReturnDate"_s);
    set->SetValue(u"BookId"_s, loan.ItemId);
    set->SetValue(u"BookName"_s, loan.ItemName);
    set->SetValue(u"BookISBN"_s, loan.ItemISBN);
    set->SetValue(u"BookAuthor"_s, loan.ItemAuthor);
    set->SetValue(u"BookPrice"_s, loan.ItemPrice);
    set->SetValue(u"BookAppendix"_s, loan.ItemAppendix);
    set->SetValue(u"BookPublisher"_s, loan.ItemPublisher);
    set->Post();
}

void TBookReturnSet::GetRows(RBookReturns& rows) const
{
    rows.clear();
    TLwDataSet* set = DataSet();
    rows.reserve(set->RecordCount());
    const QString returnman = CurrentOperator().LoginId;
    Circulation::ForEachRow(*set, [&] {
        RBookReturn row;
        row.Id = set->AsInteger(u"Id"_s);
        row.LoanDate = set->Value(u"LoanDate"_s).toDateTime();
        row.ReaderId = set->AsInteger(u"ReaderId"_s);
        row.BookId = set->AsInteger(u"BookId"_s);
        row.BookName = set->AsString(u"BookName"_s);
        row.BookISBN = set->AsString(u"BookISBN"_s);
        row.BookPrice = set->Value(u"BookPrice"_s);
        row.BookAppendix = set->AsString(u"BookAppendix"_s);
        row.BookAuthor = set->AsString(u"BookAuthor"_s);
        row.BookPublisher = set->AsString(u"BookPublisher"_s);
        row.ReturnDate = set->Value(u"ReturnDate"_s).toDateTime();
        row.Returnman = returnman;
        row.OverDays = set->AsInteger(u"Overdays"_s);
        row.Overfund = set->AsFloat(u"Overfund"_s);
        rows.append(row);
    });
}

void TBookReturnSet::SetPayment(RBookReturns& rows, int paytypeId, const QString& note)
{
    Circulation::SetPayment(rows, paytypeId, note);
}

bool TBookReturnSet::SaveRows(const RBookReturns& rows, QString& message)
{
    QList<Circulation::TReturn> returns;
    returns.reserve(rows.size());
    for (const RBookReturn& row : rows)
        returns.append(Circulation::ReturnOf(row, row.BookId));
    return Circulation::SaveReturns(Circulation::TItemKind::Book, returns, message);
}
