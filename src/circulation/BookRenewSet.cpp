#include "circulation/BookRenewSet.h"

#include "holdings/ReaderSet.h"

using namespace Qt::StringLiterals;

TBookRenewSet::TBookRenewSet()
{
    DataSet()->ClearFields();
    AddFieldDef(TFieldType::Integer, u"Id"_s, 0, false, QString());
    AddFieldDef(TFieldType::DateTime, u"LoanDate"_s, 0, true, u"借阅日期"_s);
    AddFieldDef(TFieldType::WideString, u"Loanman"_s, 50, true, u"借阅经手"_s);
    AddFieldDef(TFieldType::Integer, u"BookId"_s, 0, false, QString());
    AddFieldDef(TFieldType::WideString, u"BookName"_s, 50, true, u"图书名称"_s);
    AddFieldDef(TFieldType::WideString, u"BookISBN"_s, 50, true, u"ISBN"_s);
    AddFieldDef(TFieldType::WideString, u"BookAuthor"_s, 50, true, u"作者"_s);
    AddFieldDef(TFieldType::Float, u"BookPrice"_s, 0, true, u"价格"_s).DisplayFormat = u"0.00"_s;
    AddFieldDef(TFieldType::WideString, u"BookAppendix"_s, 50, true, u"附件"_s);
    AddFieldDef(TFieldType::WideString, u"BookPublisher"_s, 50, true, u"出版社"_s);
    AddFieldDef(TFieldType::DateTime, u"RenewDate"_s, 0, true, u"续借日期"_s);
    AddFieldDef(TFieldType::DateTime, u"ShldReturnDate"_s, 0, true, u"应还日期"_s);
    AddFieldDef(TFieldType::Integer, u"Overdays"_s, 0, true, u"超期天数"_s);
    CreateDataSet();
}

void TBookRenewSet::AddLoan(const Circulation::ROpenLoan& loan)
{
    TLwDataSet* set = DataSet();
    set->Append();
    Circulation::FillRenewRow(*set, loan, u"ShldReturnDate"_s);
    set->SetValue(u"BookId"_s, loan.ItemId);
    set->SetValue(u"BookName"_s, loan.ItemName);
    set->SetValue(u"BookISBN"_s, loan.ItemISBN);
    set->SetValue(u"BookAuthor"_s, loan.ItemAuthor);
    set->SetValue(u"BookPrice"_s, loan.ItemPrice);
    set->SetValue(u"BookAppendix"_s, loan.ItemAppendix);
    set->SetValue(u"BookPublisher"_s, loan.ItemPublisher);
    set->Post();
}

void TBookRenewSet::GetRows(RBookRenews& rows) const
{
    rows.clear();
    TLwDataSet* set = DataSet();
    rows.reserve(set->RecordCount());
    const QString renewman = CurrentOperator().LoginId;
    Circulation::ForEachRow(*set, [&] {
        RBookRenew row;
        row.Id = set->AsInteger(u"Id"_s);
        row.BookId = set->AsInteger(u"BookId"_s);
        row.BookName = set->AsString(u"BookName"_s);
        row.BookISBN = set->AsString(u"BookISBN"_s);
        row.BookAuthor = set->AsString(u"BookAuthor"_s);
        row.BookPrice = set->Value(u"BookPrice"_s);
        row.BookAppendix = set->AsString(u"BookAppendix"_s);
        row.BookPublisher = set->AsString(u"BookPublisher"_s);
        row.LoanDate = set->Value(u"LoanDate"_s).toDateTime();
        row.RenewDate = set->Value(u"RenewDate"_s).toDateTime();
        row.ShldretDate = set->Value(u"ShldReturnDate"_s).toDateTime();
        row.Overdays = set->AsInteger(u"Overdays"_s);
        row.Renewman = renewman;
        rows.append(row);
    });
}

void TBookRenewSet::Redate(RBookRenews& rows, const QDate& renewDate, const RReader& reader)
{
    Circulation::Redate(rows, renewDate, reader.BookRelet);
}

bool TBookRenewSet::SaveRows(const RBookRenews& rows, QString& message)
{
    return Circulation::SaveRenewals(Circulation::RenewalsOf(rows), message);
}
