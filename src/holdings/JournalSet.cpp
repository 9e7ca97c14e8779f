#include "holdings/JournalSet.h"

#include "data/RowWriter.h"

using namespace Qt::StringLiterals;

namespace {

const THoldingSet::TTable& journalTable()
{
    static const THoldingSet::TTable table{
        u"journals"_s,
        u"JourId"_s,
        u"select b.*, a.Mark as CataMark, a.Name as CataName  from (journals b left join catalogs a on a.Id=b.CataId) "_s,
        {u"Code"_s, u"Name"_s, u"Ping"_s, u"ISSN"_s},
    };
    return table;
}

} // namespace

TJournalSet::TJournalSet()
    : THoldingSet(journalTable(), std::make_unique<TJournalWhere>(),
                  {
                      {TFieldType::Integer, u"Id", -1, u""},
                      {TFieldType::WideString, u"Code", 50, u"期刊编号"},
                      {TFieldType::WideString, u"Name", 50, u"刊名"},
                      {TFieldType::WideString, u"Ping", 50, u"拼音简码"},
                      {TFieldType::WideString, u"Editor", 50, u"主编"},
                      {TFieldType::WideString, u"ISSN", 50, u"ISSN号"},
                      {TFieldType::Integer, u"CataId", -1, u""},
                      {TFieldType::WideString, u"CataMark", 50, u"中图分类号"},
                      {TFieldType::WideString, u"CataName", 50, u"中图分类"},
                      {TFieldType::WideString, u"Publisher", 50, u"出版社"},
                      {TFieldType::WideString, u"PubPeriod", 50, u"出版周期"},
                      {TFieldType::WideString, u"YearNo", 50, u"年度期号"},
                      {TFieldType::WideString, u"TotalNo", 50, u"总期号"},
                      {TFieldType::WideString, u"Lang", 50, u"期刊语种"},
                      {TFieldType::WideString, u"Kai", 50, u"期刊开本"},
                      {TFieldType::WideString, u"Location", 50, u"存放位置"},
                      {TFieldType::WideString, u"Appendix", 50, u"附件"},
                      {TFieldType::Float, u"Price", -1, u"价格"},
                      {TFieldType::DateTime, u"Getdate", -1, u"入馆日期"},
                      {TFieldType::Memo, u"Contents", -1, u"内容简介"},
                      {TFieldType::Integer, u"QtyLoan", -1, u""},
                      {TFieldType::Integer, u"QtyOff", -1, u""},
                      {TFieldType::Integer, u"QtyLib", -1, u"馆存数量"},
                      {TFieldType::Integer, u"TimesLoan", -1, u""},
                  })
{
}

RJournal TJournalSet::AsData() const
{
    RJournal record;
    readCommon(record);
    const TLwDataSet* set = DataSet();
    record.Editor = set->AsString(u"Editor"_s);
    record.ISSN = set->AsString(u"ISSN"_s);
    record.PubPeriod = set->AsString(u"PubPeriod"_s);
    record.YearNo = set->AsString(u"YearNo"_s);
    record.TotalNo = set->AsString(u"TotalNo"_s);
    record.Lang = set->AsString(u"Lang"_s);
    return record;
}

void TJournalSet::AsData(const RJournal& record)
{
    writeCommon(record);
    TLwDataSet* set = DataSet();
    set->SetValue(u"Editor"_s, record.Editor);
    set->SetValue(u"ISSN"_s, record.ISSN);
    set->SetValue(u"PubPeriod"_s, record.PubPeriod);
    set->SetValue(u"YearNo"_s, record.YearNo);
    set->SetValue(u"TotalNo"_s, record.TotalNo);
    set->SetValue(u"Lang"_s, record.Lang);
}

bool TJournalSet::Save(RJournal& record)
{
    const TDBParameters params{
        MakeParam(u"Code"_s, record.Code),
        MakeParam(u"Name"_s, record.Name),
        MakeParam(u"Ping"_s, record.Ping),
        MakeParam(u"Editor"_s, record.Editor),
        MakeParam(u"ISSN"_s, record.ISSN),
        MakeParam(u"CataId"_s, record.CataId.isNull() ? QVariant() : QVariant(record.CataId.toInt())),
        MakeParam(u"Publisher"_s, record.Publisher),
        MakeParam(u"PubPeriod"_s, record.PubPeriod),
        MakeParam(u"YearNo"_s, record.YearNo),
        MakeParam(u"TotalNo"_s, record.TotalNo),
        MakeParam(u"Lang"_s, record.Lang),
        MakeParam(u"Kai"_s, record.Kai),
        MakeParam(u"Location"_s, record.Location),
        MakeParam(u"Appendix"_s, record.Appendix),
        MakeParam(u"Price"_s, priceParam(record.Price)),
        MakeParam(u"Getdate"_s, dateParam(record.Getdate)),
        MakeParam(u"Contents"_s, record.Contents),
        MakeParam(u"QtyLib"_s, record.QtyLib),
    };
    return TRowWriter::Save(
        u"journals"_s, record.Id,
        u"update journals set Code=:Code, Name=:Name, Ping=:Ping, Editor=:Editor, ISSN=:ISSN, CataId=:CataId, "
        u"Publisher=:Publisher, PubPeriod=:PubPeriod, YearNo=:YearNo, TotalNo=:TotalNo, Lang=:Lang, Kai=:Kai, "
        u"Location=:Location, Appendix=:Appendix, Price=:Price, Getdate=:Getdate, Contents=:Contents, "
        u"QtyLib=:QtyLib where Id=:Id"_s,
        u"insert into journals(Code, Name, Ping, Editor, ISSN, CataId, Publisher, PubPeriod, YearNo, TotalNo, Lang, "
        u"Kai, Location, Appendix, Price, Getdate, Contents, QtyLib, QtyLoan, QtyOff, TimesLoan, Id)values(:Code,"
        u":Name,:Ping,:Editor,:ISSN,:CataId,:Publisher,:PubPeriod,:YearNo,:TotalNo,:Lang,:Kai,:Location,:Appendix,"
        u":Price,:Getdate,:Contents,:QtyLib, 0, 0, 0,:Id)"_s,
        params);
}

bool TJournalSet::Delete(int id)
{
    return deleteRow(journalTable(), id);
}

bool TJournalSet::IncLoan(int id)
{
    return incLoan(journalTable(), id);
}

bool TJournalSet::DecLoan(int id)
{
    return decLoan(journalTable(), id);
}

bool TJournalSet::SetOff(int id, bool off)
{
    return setOff(journalTable(), id, off);
}

int TJournalSet::OpenLoans(int id)
{
    return openLoans(journalTable(), id);
}

QString TJournalSet::OpenLoansQuestion(int count)
{
    return u"\r\n该期刊尚有 %1 册未归还, 确定要删除吗?\t"_s.arg(count);
}
