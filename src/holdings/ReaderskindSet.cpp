#include "holdings/ReaderskindSet.h"

#include "data/DBParameter.h"
#include "data/Database.h"
#include "data/RowWriter.h"

using namespace Qt::StringLiterals;

TReaderskindSet::TReaderskindSet(QObject* owner) : TRecordSet(owner)
{
    AddField(TFieldType::Integer, u"Id"_s, -1, false, QString());
    AddField(TFieldType::WideString, u"Name"_s, 30, true, u"名称"_s);
    AddField(TFieldType::Integer, u"BookTop"_s, -1, true, u"图书限借本数"_s);
    AddField(TFieldType::Integer, u"BookDays"_s, -1, true, u"图书限借天数"_s);
    AddField(TFieldType::Integer, u"BookRelet"_s, -1, true, u"图书续借天数"_s);
    AddField(TFieldType::Integer, u"JourTop"_s, -1, true, u"期刊限借本数"_s);
    AddField(TFieldType::Integer, u"JourDays"_s, -1, true, u"期刊限借天数"_s);
    AddField(TFieldType::Integer, u"JourRelet"_s, -1, true, u"期刊续借天数"_s);
}

void TReaderskindSet::OpenAll()
{
    Open(u"select * from readerskind order by Id"_s);
}

RReaderskind TReaderskindSet::AsData() const
{
    const TLwDataSet* ds = DataSet();
    RReaderskind kind;
    kind.Id = ds->AsInteger(u"Id"_s);
    kind.Name = ds->AsString(u"Name"_s);
    kind.BookTop = ds->AsInteger(u"BookTop"_s);
    kind.BookDays = ds->AsInteger(u"BookDays"_s);
    kind.BookRelet = ds->AsInteger(u"BookRelet"_s);
    kind.JourTop = ds->AsInteger(u"JourTop"_s);
    kind.JourDays = ds->AsInteger(u"JourDays"_s);
    kind.JourRelet = ds->AsInteger(u"JourRelet"_s);
    return kind;
}

void TReaderskindSet::SetAsData(const RReaderskind& kind)
{
    TLwDataSet* ds = DataSet();
    ds->SetValue(u"Id"_s, kind.Id);
    ds->SetValue(u"Name"_s, kind.Name);
    ds->SetValue(u"BookTop"_s, kind.BookTop);
    ds->SetValue(u"BookDays"_s, kind.BookDays);
    ds->SetValue(u"BookRelet"_s, kind.BookRelet);
    ds->SetValue(u"JourTop"_s, kind.JourTop);
    ds->SetValue(u"JourDays"_s, kind.JourDays);
    ds->SetValue(u"JourRelet"_s, kind.JourRelet);
}

bool TReaderskindSet::Save(RReaderskind& kind)
{
    return TRowWriter::Save(
        u"readerskind"_s, kind.Id,
        u"update readerskind set Name=:Name, BookTop=:BookTop, BookDays=:BookDays, BookRelet=:BookRelet, "
        u"JourTop=:JourTop, JourDays=:JourDays, JourRelet=:JourRelet where Id=:Id"_s,
        u"insert into readerskind(Name, BookTop, BookDays, BookRelet, JourTop, JourDays, JourRelet, Id)"
        u"values(:Name, :BookTop,:BookDays,:BookRelet,:JourTop,:JourDays,:JourRelet,:Id)"_s,
        {MakeParam(u"Name"_s, kind.Name), MakeParam(u"BookTop"_s, kind.BookTop),
         MakeParam(u"BookDays"_s, kind.BookDays), MakeParam(u"BookRelet"_s, kind.BookRelet),
         MakeParam(u"JourTop"_s, kind.JourTop), MakeParam(u"JourDays"_s, kind.JourDays),
         MakeParam(u"JourRelet"_s, kind.JourRelet)});
}

bool TReaderskindSet::Delete(int id)
{
    return Database().ExecSQL(u"delete from readerskind where Id=:Id"_s, {MakeParam(u"Id"_s, id)}) == 1;
}
