#include "circulation/JourLoanSet.h"

#include "circulation/Circulation.h"
#include "holdings/JournalSet.h"
#include "holdings/ReaderSet.h"
#include "project/Operator.h"

using namespace Qt::StringLiterals;

TJourLoanSet::TJourLoanSet()
{
    DataSet()->ClearFields();
    AddFieldDef(TFieldType::Integer, u"Id"_s, 0, false, QString());
    AddFieldDef(TFieldType::Integer, u"JourId"_s, 0, false, QString());
    AddFieldDef(TFieldType::WideString, u"JourCode"_s, 50, true, u"期刊编号"_s);
    AddFieldDef(TFieldType::WideString, u"JourName"_s, 50, true, u"期刊名称"_s);
    AddFieldDef(TFieldType::WideString, u"JourISSN"_s, 50, true, u"ISSN号"_s);
    AddFieldDef(TFieldType::WideString, u"JourYearNo"_s, 50, true, u"年度期号"_s);
    AddFieldDef(TFieldType::Float, u"JourPrice"_s, 0, true, u"价格"_s).DisplayFormat = u"0.00"_s;
    AddFieldDef(TFieldType::WideString, u"JourAppendix"_s, 50, true, u"附件"_s);
    AddFieldDef(TFieldType::DateTime, u"ShldretDate"_s, 0, true, u"应还日期"_s);
    AddFieldDef(TFieldType::Integer, u"ReaderId"_s, 0, false, QString());
    AddFieldDef(TFieldType::DateTime, u"LoanDate"_s, 0, false, u"借阅日期"_s);
    CreateDataSet();
}

void TJourLoanSet::AddItem(const RJournal& journal, const RReader& reader, const QDate& loanDate)
{
    TLwDataSet* set = DataSet();
    set->Append();
    set->SetValue(u"Id"_s, 0);
    set->SetValue(u"JourId"_s, journal.Id);
    set->SetValue(u"JourCode"_s, journal.Code);
    set->SetValue(u"JourName"_s, journal.Name);
    set->SetValue(u"JourISSN"_s, journal.ISSN);
    set->SetValue(u"JourYearNo"_s, journal.YearNo);
    set->SetValue(u"JourPrice"_s, journal.Price);
    set->SetValue(u"JourAppendix"_s, journal.Appendix);
    set->SetValue(u"LoanDate"_s, loanDate.startOfDay());
    set->SetValue(u"ShldretDate"_s, loanDate.addDays(reader.JourDays).startOfDay());
    set->SetValue(u"ReaderId"_s, reader.Id);
    set->Post();
}

void TJourLoanSet::GetRows(RJourLoanEdits& rows) const
{
    rows.clear();
    TLwDataSet* set = DataSet();
    rows.reserve(set->RecordCount());
    const QString loanman = CurrentOperator().LoginId;
    Circulation::ForEachRow(*set, [&] {
        RJourLoanEdit row;
        row.Id = set->AsInteger(u"Id"_s);
        row.JourId = set->AsInteger(u"JourId"_s);
        row.LoanDate = set->Value(u"LoanDate"_s).toDateTime();
        row.ShldretDate = set->Value(u"ShldretDate"_s).toDateTime();
        row.ReaderId = set->AsInteger(u"ReaderId"_s);
        row.Loanman = loanman;
        rows.append(row);
    });
}

void TJourLoanSet::Redate(RJourLoanEdits& rows, const QDate& loanDate, const RReader& reader)
{
    for (RJourLoanEdit& row : rows) {
        row.LoanDate = loanDate.startOfDay();
        row.ShldretDate = loanDate.addDays(reader.JourDays).startOfDay();
    }
}

bool TJourLoanSet::SaveRows(const RJourLoanEdits& rows, QString& message)
{
    QList<Circulation::TNewLoan> loans;
    loans.reserve(rows.size());
    for (const RJourLoanEdit& row : rows)
        loans.append({row.LoanDate, row.ReaderId, row.JourId, row.Loanman, row.ShldretDate});
    return Circulation::SaveLoans(Circulation::TItemKind::Journal, loans, message);
}
