#include "holdings/ReaderstateSet.h"

using namespace Qt::StringLiterals;

TReaderstateSet::TReaderstateSet()
{
    AddField(TFieldType::Integer, u"Id"_s, -1, false, QString());
    AddField(TFieldType::WideString, u"Name"_s, 50, true, QString());
}

void TReaderstateSet::OpenAll()
{
    Open(u"select * from readerstate order by Id"_s);
}

RReaderstate TReaderstateSet::AsData() const
{
    return RReaderstate{DataSet()->AsInteger(u"Id"_s), DataSet()->AsString(u"Name"_s)};
}

QList<RReaderstate> TReaderstateSet::LoadAll()
{
    TReaderstateSet set;
    set.OpenAll();
    QList<RReaderstate> states;
    for (set.DataSet()->First(); !set.DataSet()->Eof(); set.DataSet()->Next())
        states.append(set.AsData());
    return states;
}
