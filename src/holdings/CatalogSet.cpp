#include "holdings/CatalogSet.h"

#include "data/Database.h"
#include "data/Transaction.h"

using namespace Qt::StringLiterals;

TCatalogSet::TCatalogSet()
{
    AddField(TFieldType::Integer, u"Id"_s, -1, false, QString());
    AddField(TFieldType::WideString, u"Code"_s, 50, true, QString());
    AddField(TFieldType::WideString, u"Mark"_s, 50, true, u"中图分类号"_s);
    AddField(TFieldType::WideString, u"Name"_s, 50, true, u"分类名称"_s);
    AddField(TFieldType::WideString, u"Note"_s, 50, true, u"备注"_s);
    AddField(TFieldType::WideString, u"Path"_s, 500, true, QString());
    AddField(TFieldType::Integer, u"SlfId"_s, -1, false, QString());
    AddField(TFieldType::Integer, u"PrtId"_s, -1, false, QString());
}

void TCatalogSet::OpenAll()
{
    Open(u"select Id, Code, Mark, Name, Note, SlfId, PrtId, Name as Path from catalogs order by SlfId"_s);
}

RCatalog TCatalogSet::AsData() const
{
    const TLwDataSet* set = DataSet();
    RCatalog record;
    record.Id = set->AsInteger(u"Id"_s);
    record.Code = set->AsString(u"Code"_s);
    record.Mark = set->AsString(u"Mark"_s);
    record.Name = set->AsString(u"Name"_s);
    record.Note = set->AsString(u"Note"_s);
    record.SlfId = set->AsInteger(u"SlfId"_s);
    record.PrtId = set->AsInteger(u"PrtId"_s);
    record.Path = set->AsString(u"Path"_s);
    return record;
}

QList<RCatalog> TCatalogSet::Children(int slfId) const
{
    QList<RCatalog> children;
    const TLwDataSet* set = DataSet();
    if (!Active())
        return children;
    const int prt = set->FieldIndex(u"PrtId"_s);
    const auto value = [set](int row, const char16_t* name) {
        return set->CellValue(row, set->FieldIndex(QString::fromUtf16(name)));
    };
    for (int row = 0; row < set->RecordCount(); ++row) {
        if (set->CellValue(row, prt).toInt() != slfId)
            continue;
        RCatalog record;
        record.Id = value(row, u"Id").toInt();
        record.Code = value(row, u"Code").toString();
        record.Mark = value(row, u"Mark").toString();
        record.Name = value(row, u"Name").toString();
        record.Note = value(row, u"Note").toString();
        record.SlfId = value(row, u"SlfId").toInt();
        record.PrtId = slfId;
        record.Path = value(row, u"Path").toString();
        children.append(record);
    }
    return children;
}

bool TCatalogSet::HasChildren(int slfId) const
{
    const TLwDataSet* set = DataSet();
    if (!Active())
        return false;
    const int prt = set->FieldIndex(u"PrtId"_s);
    for (int row = 0; row < set->RecordCount(); ++row) {
        if (set->CellValue(row, prt).toInt() == slfId)
            return true;
    }
    return false;
}

bool TCatalogSet::AppendNode(RCatalog& record)
{
    TDatabase& db = Database();
    TTransaction transaction(db);
    // Id and SlfId are allocated together under the table's lock, so two workstations adding a
    // class at once queue instead of taking the same numbers.
    db.LockTable(u"catalogs"_s);
    QSqlQuery maxima = db.Select(u"select max(Id), max(SlfId) from catalogs"_s);
    int id = 1;
    int slfId = 1;
    if (maxima.next()) {
        id = maxima.value(0).toInt() + 1;
        slfId = maxima.value(1).toInt() + 1;
    }
    QString parentCode;
    QSqlQuery parent =
        db.Select(u"select Code from catalogs where SlfId=:SlfId"_s, {MakeParam(u"SlfId"_s, record.PrtId)});
    if (parent.next())
        parentCode = parent.value(0).toString();
    const QString code = u"%1%2."_s.arg(parentCode).arg(slfId);
    const int affected = db.ExecSQL(
        u"insert into catalogs(Code, Mark, Name, Note, SlfId, PrtId, Id)values(:Code, :Mark, :Name, :Note, :SlfId, :PrtId, :Id)"_s,
        {MakeParam(u"Code"_s, code), MakeParam(u"Mark"_s, record.Mark), MakeParam(u"Name"_s, record.Name),
         MakeParam(u"Note"_s, record.Note), MakeParam(u"SlfId"_s, slfId), MakeParam(u"PrtId"_s, record.PrtId),
         MakeParam(u"Id"_s, id)});
    if (affected != 1)
        return false;
    transaction.Commit();
    record.Id = id;
    record.SlfId = slfId;
    record.Code = code;
    return true;
}

bool TCatalogSet::UpdateNode(const RCatalog& record)
{
    return Database().ExecSQL(u"update catalogs set Mark=:Mark, Name=:Name, Note=:Note where Id=:Id"_s,
                              {MakeParam(u"Mark"_s, record.Mark), MakeParam(u"Name"_s, record.Name),
                               MakeParam(u"Note"_s, record.Note), MakeParam(u"Id"_s, record.Id)}) == 1;
}

bool TCatalogSet::DeleteNode(int id)
{
    TDatabase& db = Database();
    TTransaction transaction(db);
    // Subclasses point at the class's SlfId. The program keeps it equal to Id, but a catalogue
    // brought in from elsewhere may not, so the class's own number is read rather than assumed.
    QSqlQuery self = db.Select(u"select SlfId from catalogs where Id=:Id"_s, {MakeParam(u"Id"_s, id)});
    if (!self.next())
        return false;
    const int slfId = self.value(0).toInt();
    if (db.ExecSQL(u"delete from catalogs where Id=:Id"_s, {MakeParam(u"Id"_s, id)}) != 1)
        return false;
    QSqlQuery children = db.Select(u"select Id from catalogs where PrtId=:PrtId"_s, {MakeParam(u"PrtId"_s, slfId)});
    if (children.next())
        return false; // the guard rolls the delete back
    transaction.Commit();
    return true;
}

bool TCatalogSet::IsEmpty()
{
    QSqlQuery query = Database().Select(u"select count(*) from catalogs"_s);
    return !query.next() || query.value(0).toInt() == 0;
}
