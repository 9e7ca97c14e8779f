#include "holdings/PublisherSet.h"

#include "data/Database.h"
#include "data/RowWriter.h"

using namespace Qt::StringLiterals;

TPublisherSet::TPublisherSet(QObject* owner) : TRecordSet(owner)
{
    AddField(TFieldType::Integer, u"Id"_s, -1, false, QString());
    AddField(TFieldType::WideString, u"Name"_s, 50, true, u"出版社名称"_s);
    AddField(TFieldType::WideString, u"ISBN"_s, 50, true, u"ISBN号"_s);
    AddField(TFieldType::WideString, u"Addr"_s, 50, true, u"出版地点"_s);
}

void TPublisherSet::OpenAll()
{
    Open(u"select * from publishers order by Id"_s);
}

RPublisher TPublisherSet::AsData() const
{
    const TLwDataSet* set = DataSet();
    RPublisher record;
    record.Id = set->AsInteger(u"Id"_s);
    record.Name = set->AsString(u"Name"_s);
    record.ISBN = set->AsString(u"ISBN"_s);
    record.Addr = set->AsString(u"Addr"_s);
    return record;
}

void TPublisherSet::AsData(const RPublisher& record)
{
    TLwDataSet* set = DataSet();
    set->SetValue(u"Id"_s, record.Id);
    set->SetValue(u"Name"_s, record.Name);
    set->SetValue(u"ISBN"_s, record.ISBN);
    set->SetValue(u"Addr"_s, record.Addr);
}

bool TPublisherSet::Save(RPublisher& record)
{
    return TRowWriter::Save(
        u"publishers"_s, record.Id, u"update publishers set Name=:Name, ISBN=:ISBN, Addr=:Addr where Id=:Id"_s,
        u"insert into publishers(Name, ISBN, Addr, Id)values(:Name, :ISBN, :Addr, :Id)"_s,
        {MakeParam(u"Name"_s, record.Name), MakeParam(u"ISBN"_s, record.ISBN), MakeParam(u"Addr"_s, record.Addr)});
}

bool TPublisherSet::Delete(int id)
{
    return Database().ExecSQL(u"delete from publishers where Id=:Id"_s, {MakeParam(u"Id"_s, id)}) == 1;
}

QStringList TPublisherSet::Names()
{
    QStringList names;
    QSqlQuery query = Database().Select(u"select Name from publishers order by Id"_s);
    while (query.next())
        names.append(query.value(0).toString());
    return names;
}
