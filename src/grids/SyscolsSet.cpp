#include "grids/SyscolsSet.h"

#include "data/RecordSet.h"
#include "data/RowWriter.h"

using namespace Qt::StringLiterals;

QString TSyscolsSet::Load(int id, bool* found)
{
    TRecordSet& shared = SharedRecordSet();
    const int rows = shared.Open(u"select F06 from syscols where F02=:KeyId"_s, {MakeParam(u"KeyId"_s, id)});
    if (found)
        *found = rows > 0;
    if (rows == 0)
        return QString();
    shared.DataSet()->First();
    return shared.DataSet()->AsString(u"F06"_s);
}

bool TSyscolsSet::Store(int id, const QString& text)
{
    return TRowWriter::UpdateOrInsert(u"update syscols set F06=:Value where F02=:Id"_s,
                                      u"insert into syscols (F02,F06) values (:Id, :Value)"_s,
                                      {MakeParam(u"Id"_s, id), MakeParam(u"Value"_s, text)});
}
