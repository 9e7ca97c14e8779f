#include "holdings/BookSet.h"

#include "data/RowWriter.h"

using namespace Qt::StringLiterals;

namespace {

const THoldingSet::TTable& bookTable()
{
    static const THoldingSet::TTable table{
        u"books"_s,
        u"BookId"_s,
        u"select b.*, a.Mark as CataMark, a.Name as CataName from (books b left join catalogs a on a.Id=b.CataId) "_s,
        {u"Code"_s, u"Name"_s, u"Ping"_s, u"ISBN"_s},
    };
    return table;
}

} // namespace

TBookSet::TBookSet()
    : THoldingSet(bookTable(), std::make_unique<TBookWhere>(),
                  {
                      {TFieldType::Integer, u"Id", -1, u""},
                      {TFieldType::WideString, u"Code", 50, u"图书编号"},
                      {TFieldType::WideString, u"Name", 50, u"图书名称"},
                      {TFieldType::WideString, u"Ping", 50, u"拼音简码"},
                      {TFieldType::WideString, u"Author", 50, u"作者"},
                      {TFieldType::WideString, u"ISBN", 50, u"ISBN号"},
                      {TFieldType::Integer, u"CataId", -1, u""},
                      {TFieldType::WideString, u"CataMark", 50, u"中图分类号"},
                      {TFieldType::WideString, u"CataName", 250, u"中图分类"},
                      {TFieldType::WideString, u"Zhong", 50, u"种次号"},
                      {TFieldType::WideString, u"Shou", 50, u"索书号"},
                      {TFieldType::WideString, u"Publisher", 50, u"出版社"},
                      {TFieldType::WideString, u"Pubdate", 50, u"出版日期"},
                      {TFieldType::WideString, u"Kai", 50, u"图书开本"},
                      {TFieldType::WideString, u"Binding", 50, u"装订版面"},
                      {TFieldType::WideString, u"Language", 50, u"图书语种"},
                      {TFieldType::WideString, u"Belongs", 250, u"所属丛书"},
                      {TFieldType::WideString, u"Pages", 50, u"总页数"},
                      {TFieldType::WideString, u"Appendix", 50, u"附件"},
                      {TFieldType::WideString, u"Location", 50, u"存放位置"},
                      {TFieldType::Float, u"Price", -1, u"价格"},
                      {TFieldType::DateTime, u"Getdate", -1, u"入馆日期"},
                      {TFieldType::Memo, u"Contents", -1, u"内容简介"},
                      {TFieldType::WideString, u"Notes", 250, u"备注"},
                      {TFieldType::Integer, u"QtyLoan", -1, u""},
                      {TFieldType::Integer, u"QtyOff", -1, u""},
                      {TFieldType::Integer, u"QtyLib", -1, u"馆存数量"},
                      {TFieldType::Integer, u"TimesLoan", -1, u""},
                  })
{
}

RBook TBookSet::AsData() const
{
    RBook record;
    readCommon(record);
    const TLwDataSet* set = DataSet();
    record.Author = set->AsString(u"Author"_s);
    record.ISBN = set->AsString(u"ISBN"_s);
    record.Zhong = set->AsString(u"Zhong"_s);
    record.Shou = set->AsString(u"Shou"_s);
    record.Pubdate = set->AsString(u"Pubdate"_s);
    record.Binding = set->AsString(u"Binding"_s);
    record.Language = set->AsString(u"Language"_s);
    record.Belongs = set->AsString(u"Belongs"_s);
    record.Pages = set->AsString(u"Pages"_s);
    record.Notes = set->AsString(u"Notes"_s);
    return record;
}

void TBookSet::AsData(const RBook& record)
{
    writeCommon(record);
    TLwDataSet* set = DataSet();
    set->SetValue(u"Author"_s, record.Author);
    set->SetValue(u"ISBN"_s, record.ISBN);
    set->SetValue(u"Zhong"_s, record.Zhong);
    set->SetValue(u"Shou"_s, record.Shou);
    set->SetValue(u"Pubdate"_s, record.Pubdate);
    set->SetValue(u"Binding"_s, record.Binding);
    set->SetValue(u"Language"_s, record.Language);
    set->SetValue(u"Belongs"_s, record.Belongs);
    set->SetValue(u"Pages"_s, record.Pages);
    set->SetValue(u"Notes"_s, record.Notes);
}

bool TBookSet::Save(RBook& record)
{
    const TDBParameters params{
        MakeParam(u"Code"_s, record.Code),
        MakeParam(u"Name"_s, record.Name),
        MakeParam(u"Ping"_s, record.Ping),
        MakeParam(u"Author"_s, record.Author),
        MakeParam(u"ISBN"_s, record.ISBN),
        MakeParam(u"CataId"_s, record.CataId.isNull() ? QVariant() : QVariant(record.CataId.toInt())),
        MakeParam(u"Zhong"_s, record.Zhong),
        MakeParam(u"Shou"_s, record.Shou),
        MakeParam(u"Publisher"_s, record.Publisher),
        MakeParam(u"Pubdate"_s, record.Pubdate),
        MakeParam(u"Kai"_s, record.Kai),
        MakeParam(u"Binding"_s, record.Binding),
        MakeParam(u"Language"_s, record.Language),
        MakeParam(u"Belongs"_s, record.Belongs),
        MakeParam(u"Pages"_s, record.Pages),
        MakeParam(u"Appendix"_s, record.Appendix),
        MakeParam(u"Location"_s, record.Location),
        MakeParam(u"Price"_s, priceParam(record.Price)),
        MakeParam(u"Getdate"_s, dateParam(record.Getdate)),
        MakeParam(u"Contents"_s, record.Contents),
        MakeParam(u"Notes"_s, record.Notes),
        MakeParam(u"QtyLib"_s, record.QtyLib),
    };
    return TRowWriter::Save(
        u"books"_s, record.Id,
        u"update books set Code=:Code, Name=:Name, Ping=:Ping, Author=:Author, ISBN=:ISBN, CataId=:CataId, "
        u"Zhong=:Zhong, Shou=:Shou, Publisher=:Publisher, Pubdate=:Pubdate, Kai=:Kai, Binding=:Binding, "
        u"Language=:Language, Belongs=:Belongs, Pages=:Pages, Appendix=:Appendix, Location=:Location, "
        u"Price=:Price, Getdate=:Getdate, Contents=:Contents, Notes=:Notes, QtyLib=:QtyLib where Id=:Id"_s,
        u"insert into books(Code, Name, Ping, Author, ISBN, CataId, Zhong, Shou, Publisher, Pubdate, Kai, Binding, "
        u"Language, Belongs, Pages, Appendix, Location, Price, Getdate, Contents, Notes, QtyLib, QtyOff, QtyLoan, "
        u"TimesLoan, Id)values(:Code,:Name,:Ping,:Author,:ISBN,:CataId,:Zhong,:Shou,:Publisher,:Pubdate,:Kai,"
        u":Binding,:Language,:Belongs,:Pages,:Appendix,:Location,:Price,:Getdate,:Contents,:Notes, :QtyLib, 0, 0, "
        u"0,:Id)"_s,
        params);
}

bool TBookSet::Delete(int id)
{
    return deleteRow(bookTable(), id);
}

bool TBookSet::IncLoan(int id)
{
    return incLoan(bookTable(), id);
}

bool TBookSet::DecLoan(int id)
{
    return decLoan(bookTable(), id);
}

bool TBookSet::SetOff(int id, bool off)
{
    return setOff(bookTable(), id, off);
}

int TBookSet::OpenLoans(int id)
{
    return openLoans(bookTable(), id);
}

QString TBookSet::OpenLoansQuestion(int count)
{
    return u"\r\n该图书尚有 %1 册未归还, 确定要删除吗?\t"_s.arg(count);
}
