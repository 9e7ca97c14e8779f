#include "circulation/JourRenewSet.h"

#include "holdings/ReaderSet.h"

using namespace Qt::StringLiterals;

TJourRenewSet::TJourRenewSet()
{
    DataSet()->ClearFields();
    AddFieldDef(TFieldType::Integer, u"Id"_s, 0, false, QString());
    AddFieldDef(TFieldType::DateTime, u"LoanDate"_s, 0, true, u"借阅日期"_s);
    AddFieldDef(TFieldType::WideString, u"Loanman"_s, 50, true, u"借阅经手"_s);
    AddFieldDef(TFieldType::Integer, u"JourId"_s, 0, false, QString());
    AddFieldDef(TFieldType::WideString, u"JourCode"_s, 50, true, u"期刊编号"_s);
    AddFieldDef(TFieldType::WideString, u"JourName"_s, 50, true, u"期刊名称"_s);
    AddFieldDef(TFieldType::WideString, u"JourISSN"_s, 50, true, u"ISSN号"_s);
    AddFieldDef(TFieldType::Float, u"JourPrice"_s, 0, true, u"价格"_s).DisplayFormat = u"0.00"_s;
    AddFieldDef(TFieldType::WideString, u"JourAppendix"_s, 50, true, u"附件"_s);
    AddFieldDef(TFieldType::DateTime, u"RenewDate"_s, 0, true, u"续借日期"_s);
    AddFieldDef(TFieldType::DateTime, u"ShldretDate"_s, 0, true, u"应还日期"_s);
    AddFieldDef(TFieldType::Integer, u"Overdays"_s, 0, true, u"超期天数"_s);
    CreateDataSet();
}

void TJourRenewSet::AddLoan(const Circulation::ROpenLoan& loan)
{
    TLwDataSet* set = DataSet();
    set->Append();
    Circulation::FillRenewRow(*set, loan, u"ShldretDate"_s);
    set->SetValue(u"JourId"_s, loan.ItemId);
    set->SetValue(u"JourCode"_s, loan.ItemCode);
    set->SetValue(u"JourName"_s, loan.ItemName);
    set->SetValue(u"JourISSN"_s, loan.ItemISBN);
    set->SetValue(u"JourPrice"_s, loan.ItemPrice);
    set->SetValue(u"JourAppendix"_s, loan.ItemAppendix);
    set->Post();
}

void TJourRenewSet::GetRows(RJourRenews& rows) const
{
    rows.clear();
    TLwDataSet* set = DataSet();
    rows.reserve(set->RecordCount());
    const QString renewman = CurrentOperator().LoginId;
    Circulation::ForEachRow(*set, [&] {
        RJourRenew row;
        row.Id = set->AsInteger(u"Id"_s);
        row.JourId = set->AsInteger(u"JourId"_s);
        row.JourCode = set->AsString(u"JourCode"_s);
        row.JourName = set->AsString(u"JourName"_s);
        row.JourISSN = set->AsString(u"JourISSN"_s);
        row.JourPrice = set->Value(u"JourPrice"_s);
        row.JourAppendix = set->AsString(u"JourAppendix"_s);
        row.LoanDate = set->Value(u"LoanDate"_s).toDateTime();
        row.RenewDate = set->Value(u"RenewDate"_s).toDateTime();
        row.ShldretDate = set->Value(u"ShldretDate"_s).toDateTime();
        row.Overdays = set->AsInteger(u"Overdays"_s);
        row.Renewman = renewman;
        rows.append(row);
    });
}

void TJourRenewSet::Redate(RJourRenews& rows, const QDate& renewDate, const RReader& reader)
{
    Circulation::Redate(rows, renewDate, reader.JourRelet);
}

bool TJourRenewSet::SaveRows(const RJourRenews& rows, QString& message)
{
    return Circulation::SaveRenewals(Circulation::RenewalsOf(rows), message);
}
