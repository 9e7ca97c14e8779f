#include "project/Company.h"

#include "data/DBParameter.h"
#include "data/Database.h"
#include "data/RecordSet.h"
#include "data/RowWriter.h"

using namespace Qt::StringLiterals;

void TCompany::Load()
{
    TRecordSet& shared = SharedRecordSet();
    const int rows = shared.Open(
        u"select Id, CompanyName, Manager, Tel, Fax, Address, Zip, Profile, Updated from Company order by Id"_s);
    if (rows == 0) {
        shared.Close();
        Clear();
        return;
    }
    const TLwDataSet* row = shared.DataSet();
    Id = row->AsInteger(u"Id"_s);
    CompanyName = row->AsString(u"CompanyName"_s);
    Manager = row->AsString(u"Manager"_s);
    Tel = row->AsString(u"Tel"_s);
    Fax = row->AsString(u"Fax"_s);
    Address = row->AsString(u"Address"_s);
    Zip = row->AsString(u"Zip"_s);
    Profile = row->AsString(u"Profile"_s);
    Updated = row->AsBoolean(u"Updated"_s);
    shared.Close();
}

void TCompany::Clear()
{
    *this = TCompany();
}

int TCompany::CodePageLength(const QString& text)
{
    int bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        // a character outside the basic plane is two UTF-16 units but still one character
        if (c.isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate())
            continue;
        bytes += c.unicode() < 0x80 ? 1 : 2;
    }
    return bytes;
}

bool TCompany::HasName() const
{
    return CodePageLength(CompanyName) > 7;
}

bool TCompany::Exists() const
{
    TRecordSet& shared = SharedRecordSet();
    const int rows = shared.Open(u"select 1 from Company where Id=:Id"_s, {MakeParam(u"Id"_s, Id)});
    shared.Close();
    return rows == 1;
}

bool TCompany::Save()
{
    const TDBParameters params{
        MakeParam(u"CompanyName"_s, CompanyName),
        MakeParam(u"Manager"_s, Manager),
        MakeParam(u"Tel"_s, Tel),
        MakeParam(u"Fax"_s, Fax),
        MakeParam(u"Address"_s, Address),
        MakeParam(u"Zip"_s, Zip),
        MakeParam(u"Profile"_s, Profile),
        MakeParam(u"Updated"_s, Updated),
        MakeParam(u"Id"_s, Id),
    };
    const QString insert = u"insert into Company(Id, CompanyName, Manager, Tel, Fax, Address, Zip, Profile, Updated)"
                           u"values(:Id, :CompanyName, :Manager, :Tel, :Fax, :Address, :Zip, :Profile, :Updated)"_s;
    if (!Exists())
        return Database().ExecSQL(insert, params) == 1;
    // The row may have gone since Exists looked (another workstation): then it is written anew.
    return TRowWriter::UpdateOrInsert(u"update Company set CompanyName=:CompanyName,Manager=:Manager,Tel=:Tel,"
                                      u"Fax=:Fax,Address=:Address,Zip=:Zip,Profile=:Profile,Updated=:Updated "
                                      u"where Id=:Id"_s,
                                      insert, params);
}

TCompany& Company()
{
    static TCompany company;
    return company;
}
