#include "circulation/JourReturnSet.h"

#include "project/Operator.h"

using namespace Qt::StringLiterals;

TJourReturnSet::TJourReturnSet()
{
    DataSet()->ClearFields();
    AddFieldDef(TFieldType::Integer, u"Id"_s, 0, false, QString());
    AddFieldDef(TFieldType::DateTime, u"LoanDate"_s, 0, true, u"借阅日期"_s);
    AddFieldDef(TFieldType::WideString, u"Loanman"_s, 50, true, u"借阅经手"_s);
    AddFieldDef(TFieldType::Integer, u"ReaderId"_s, 0, false, QString());
    AddFieldDef(TFieldType::Integer, u"JourId"_s, 0, false, QString());
    AddFieldDef(TFieldType::WideString, u"JourCode"_s, 50, true, u"期刊编号"_s);
    AddFieldDef(TFieldType::WideString, u"JourName"_s, 50, true, u"期刊名称"_s);
    AddFieldDef(TFieldType::WideString, u"BookISSN"_s, 50, true, u"ISSN"_s);
    AddFieldDef(TFieldType::Float, u"JourPrice"_s, 0, true, u"价格"_s).DisplayFormat = u"0.00"_s;
    AddFieldDef(TFieldType::WideString, u"JourAppendix"_s, 50, true, u"附件"_s);
    AddFieldDef(TFieldType::DateTime, u"ShldRetDate"_s, 0, true, u"应还日期"_s);
    AddFieldDef(TFieldType::DateTime, u"ReturnDate"_s, 0, false, u"归还日期"_s);
    AddFieldDef(TFieldType::Integer, u"Overdays"_s, 0, true, u"超期天数"_s);
    AddFieldDef(TFieldType::Float, u"Overfund"_s, 0, true, u"超期罚款"_s).DisplayFormat = u"0.00"_s;
    CreateDataSet();
}

void TJourReturnSet::AddLoan(const Circulation::ROpenLoan& loan)
{
    TLwDataSet* set = DataSet();
    set->Append();
    Circulation::FillReturnRow(*set, loan, Circulation::TItemKind::Journal, u"ShldRetDate"_s);
    set->SetValue(u"JourId"_s, loan.ItemId);
    set->SetValue(u"JourCode"_s, loan.ItemCode);
    set->SetValue(u"JourName"_s, loan.ItemName);
    set->SetValue(u"BookISSN"_s, loan.ItemISBN);
    set->SetValue(u"JourPrice"_s, loan.ItemPrice);
    set->SetValue(u"JourAppendix"_s, loan.ItemAppendix);
    set->Post();
}

void TJourReturnSet::GetRows(RJourReturns& rows) const
{
    rows.clear();
    TLwDataSet* set = DataSet();
    rows.reserve(set->RecordCount());
    const QString returnman = CurrentOperator().LoginId;
    Circulation::ForEachRow(*set, [&] {
        RJourReturn row;
        row.Id = set->AsInteger(u"Id"_s);
        row.LoanDate = set->Value(u"LoanDate"_s).toDateTime();
        row.ReaderId = set->AsInteger(u"ReaderId"_s);
        row.JourId = set->AsInteger(u"JourId"_s);
        row.JourCode = set->AsString(u"JourCode"_s);
        row.JourName = set->AsString(u"JourName"_s);
        row.JourISSN = set->AsString(u"BookISSN"_s);
        row.JourPrice = set->Value(u"JourPrice"_s);
        row.JourAppendix = set->AsString(u"JourAppendix"_s);
        row.ReturnDate = set->Value(u"ReturnDate"_s).toDateTime();
        row.Returnman = returnman;
        row.OverDays = set->AsInteger(u"Overdays"_s);
        row.Overfund = set->AsFloat(u"Overfund"_s);
        rows.append(row);
    });
}

void TJourReturnSet::SetPayment(RJourReturns& rows, int paytypeId, const QString& note)
{
    Circulation::SetPayment(rows, paytypeId, note);
}

bool TJourReturnSet::SaveRows(const RJourReturns& rows, QString& message)
{
    QList<Circulation::TReturn> returns;
    returns.reserve(rows.size());
    for (const RJourReturn& row : rows)
        returns.append(Circulation::ReturnOf(row, row.JourId));
    return Circulation::SaveReturns(Circulation::TItemKind::Journal, returns, message);
}
