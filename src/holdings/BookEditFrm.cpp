#include "holdings/BookEditFrm.h"

#include "data/DbError.h"

using namespace Qt::StringLiterals;

namespace {

using K = THoldingEditFrm::TKind;

const QList<THoldingEditFrm::TRow>& bookRows()
{
    static const QList<THoldingEditFrm::TRow> rows{
        {u"图书编号"_s, u"Code"_s},
        {u"书籍名称"_s, u"Name"_s},
        {u"拼音简码"_s, u"Ping"_s},
        {u"作者"_s, u"Author"_s},
        {u"ISBN号"_s, u"ISBN"_s},
        {u"中图分类"_s, u"CataName"_s, K::Class},
        {u"种次号"_s, u"Zhong"_s},
        {u"索书号"_s, u"Shou"_s},
        {u"出版社"_s, u"Publisher"_s, K::Publisher},
        {u"出版日期"_s, u"Pubdate"_s},
        {u"图书开本"_s, u"Kai"_s, K::PickList, 0, u"图书开本"_s},
        {u"装订版面"_s, u"Binding"_s, K::PickList, 1, u"装订版面"_s},
        {u"语种"_s, u"Language"_s, K::PickList, 2, u"语种"_s},
        {u"所属从书"_s, u"Belongs"_s},
        {u"总页数"_s, u"Pages"_s},
        {u"附件"_s, u"Appendix"_s},
        {u"存放位置"_s, u"Location"_s, K::PickList, 3, u"存放位置"_s},
        {u"图书价格"_s, u"Price"_s, K::Price},
        {u"入馆日期"_s, u"Getdate"_s, K::Date},
        {u"备注"_s, u"Notes"_s},
        {u"内容简介"_s, u"Contents"_s, K::Memo},
        {u"馆存数量"_s, u"QtyLib"_s, K::QtyLib},
        {u"借出数量"_s, u"QtyLoan"_s, K::Counter},
        {u"注销数量"_s, u"QtyOff"_s, K::Counter},
        {u"图书总数"_s, u"QtyTotal"_s, K::Counter},
        {u"借出次数"_s, u"TimesLoan"_s, K::Counter},
    };
    return rows;
}

} // namespace

TBookEditFrm::TBookEditFrm(const RBook& record, TSaveCallback save, QWidget* parent)
    : THoldingEditFrm(u"BookEditFrm"_s, u"图书资料"_s, bookRows(), parent), m_record(record), m_save(std::move(save))
{
    const RBook& r = record;
    setValues({
        {u"Code"_s, r.Code},
        {u"Name"_s, r.Name},
        {u"Ping"_s, r.Ping},
        {u"Author"_s, r.Author},
        {u"ISBN"_s, r.ISBN},
        {u"CataId"_s, r.CataId},
        {u"CataMark"_s, r.CataMark},
        {u"CataName"_s, r.CataName},
        {u"Zhong"_s, r.Zhong},
        {u"Shou"_s, r.Shou},
        {u"Publisher"_s, r.Publisher},
        {u"Pubdate"_s, r.Pubdate},
        {u"Kai"_s, r.Kai},
        {u"Binding"_s, r.Binding},
        {u"Language"_s, r.Language},
        {u"Belongs"_s, r.Belongs},
        {u"Pages"_s, r.Pages},
        {u"Appendix"_s, r.Appendix},
        {u"Location"_s, r.Location},
        {u"Price"_s, r.Price},
        {u"Getdate"_s, r.Getdate},
        {u"Contents"_s, r.Contents},
        {u"Notes"_s, r.Notes},
        {u"QtyLib"_s, r.QtyLib},
        {u"QtyLoan"_s, r.QtyLoan},
        {u"QtyOff"_s, r.QtyOff},
        {u"QtyTotal"_s, r.QtyTotal},
        {u"TimesLoan"_s, r.TimesLoan},
    });
}

RBook TBookEditFrm::Record() const
{
    const QVariantMap v = values();
    RBook r;
    r.Id = m_record.Id;
    r.Code = v.value(u"Code"_s).toString();
    r.Name = v.value(u"Name"_s).toString();
    r.Ping = v.value(u"Ping"_s).toString();
    r.Author = v.value(u"Author"_s).toString();
    r.ISBN = v.value(u"ISBN"_s).toString();
    r.CataId = v.value(u"CataId"_s);
    r.CataMark = v.value(u"CataMark"_s).toString();
    r.CataName = v.value(u"CataName"_s).toString();
    r.Zhong = v.value(u"Zhong"_s).toString();
    r.Shou = v.value(u"Shou"_s).toString();
    r.Publisher = v.value(u"Publisher"_s).toString();
    r.Pubdate = v.value(u"Pubdate"_s).toString();
    r.Kai = v.value(u"Kai"_s).toString();
    r.Binding = v.value(u"Binding"_s).toString();
    r.Language = v.value(u"Language"_s).toString();
    r.Belongs = v.value(u"Belongs"_s).toString();
    r.Pages = v.value(u"Pages"_s).toString();
    r.Appendix = v.value(u"Appendix"_s).toString();
    r.Location = v.value(u"Location"_s).toString();
    r.Price = v.value(u"Price"_s);
    r.Getdate = v.value(u"Getdate"_s);
    r.Contents = v.value(u"Contents"_s).toString();
    r.Notes = v.value(u"Notes"_s).toString();
    r.QtyLib = v.value(u"QtyLib"_s).toInt();
    r.QtyLoan = v.value(u"QtyLoan"_s).toInt();
    r.QtyOff = v.value(u"QtyOff"_s).toInt();
    r.QtyTotal = v.value(u"QtyTotal"_s).toInt();
    r.TimesLoan = v.value(u"TimesLoan"_s).toInt();
    return r;
}

bool TBookEditFrm::CloseQuery()
{
    return saveShowingErrors([this] {
        RBook record = Record();
        const bool saved = m_save ? m_save(record) : TBookSet::Save(record);
        if (saved)
            m_record = record;
        return saved;
    });
}

bool EditBook(RBook& record, TBookEditFrm::TSaveCallback save, QWidget* parent)
{
    TBookEditFrm frm(record, std::move(save), parent);
    if (frm.exec() != QDialog::Accepted)
        return false;
    record = frm.Record();
    return true;
}
