#include "holdings/JournalEditFrm.h"

#include "data/DbError.h"

using namespace Qt::StringLiterals;

namespace {

using K = THoldingEditFrm::TKind;

const QList<THoldingEditFrm::TRow>& journalRows()
{
    static const QList<THoldingEditFrm::TRow> rows{
        {u"期刊编号"_s, u"Code"_s},
        {u"刊    名"_s, u"Name"_s},
        {u"拼音简码"_s, u"Ping"_s},
        {u"主    编"_s, u"Editor"_s},
        {u"ISSN  号"_s, u"ISSN"_s},
        {u"中图分类"_s, u"CataName"_s, K::Class},
        {u"出版社"_s, u"Publisher"_s, K::PublisherByPick},
        {u"出版周期"_s, u"PubPeriod"_s, K::PickList, 5, u"出版周期"_s},
        {u"年度期号"_s, u"YearNo"_s},
        {u"总期号"_s, u"TotalNo"_s},
        {u"语种"_s, u"Lang"_s, K::PickList, 2, u"语种"_s},
        {u"期刊开本"_s, u"Kai"_s, K::PickList, 0, u"图书开本"_s},
        {u"存放位置"_s, u"Location"_s, K::PickList, 3, u"存放位置"_s},
        {u"附件"_s, u"Appendix"_s},
        {u"图书价格"_s, u"Price"_s, K::Price},
        {u"入馆日期"_s, u"Getdate"_s, K::Date},
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

TJournalEditFrm::TJournalEditFrm(const RJournal& record, TSaveCallback save, QWidget* parent)
    : THoldingEditFrm(u"JournalEditFrm"_s, u"书刊资料"_s, journalRows(), parent), m_record(record),
      m_save(std::move(save))
{
    const RJournal& r = record;
    setValues({
        {u"Code"_s, r.Code},           {u"Name"_s, r.Name},         {u"Ping"_s, r.Ping},
        {u"Editor"_s, r.Editor},       {u"ISSN"_s, r.ISSN},         {u"CataId"_s, r.CataId},
        {u"CataMark"_s, r.CataMark},   {u"CataName"_s, r.CataName}, {u"Publisher"_s, r.Publisher},
        {u"PubPeriod"_s, r.PubPeriod}, {u"YearNo"_s, r.YearNo},     {u"TotalNo"_s, r.TotalNo},
        {u"Lang"_s, r.Lang},           {u"Kai"_s, r.Kai},           {u"Location"_s, r.Location},
        {u"Appendix"_s, r.Appendix},   {u"Price"_s, r.Price},       {u"Getdate"_s, r.Getdate},
        {u"Contents"_s, r.Contents},   {u"QtyLib"_s, r.QtyLib},     {u"QtyLoan"_s, r.QtyLoan},
        {u"QtyOff"_s, r.QtyOff},       {u"QtyTotal"_s, r.QtyTotal}, {u"TimesLoan"_s, r.TimesLoan},
    });
}

RJournal TJournalEditFrm::Record() const
{
    const QVariantMap v = values();
    RJournal r;
    r.Id = m_record.Id;
    for (const auto& [field, target] : std::initializer_list<std::pair<const char16_t*, QString*>>{
             {u"Code", &r.Code},
             {u"Name", &r.Name},
             {u"Ping", &r.Ping},
             {u"Editor", &r.Editor},
             {u"ISSN", &r.ISSN},
             {u"CataMark", &r.CataMark},
             {u"CataName", &r.CataName},
             {u"Publisher", &r.Publisher},
             {u"PubPeriod", &r.PubPeriod},
             {u"YearNo", &r.YearNo},
             {u"TotalNo", &r.TotalNo},
             {u"Lang", &r.Lang},
             {u"Kai", &r.Kai},
             {u"Location", &r.Location},
             {u"Appendix", &r.Appendix},
             {u"Contents", &r.Contents},
         })
        *target = v.value(QString::fromUtf16(field)).toString();
    r.CataId = v.value(u"CataId"_s);
    r.Price = v.value(u"Price"_s);
    r.Getdate = v.value(u"Getdate"_s);
    r.QtyLib = v.value(u"QtyLib"_s).toInt();
    r.QtyLoan = v.value(u"QtyLoan"_s).toInt();
    r.QtyOff = v.value(u"QtyOff"_s).toInt();
    r.QtyTotal = v.value(u"QtyTotal"_s).toInt();
    r.TimesLoan = v.value(u"TimesLoan"_s).toInt();
    return r;
}

bool TJournalEditFrm::CloseQuery()
{
    return saveShowingErrors([this] {
        RJournal record = Record();
        const bool saved = m_save ? m_save(record) : TJournalSet::Save(record);
        if (saved)
            m_record = record;
        return saved;
    });
}

bool EditJournal(RJournal& record, TJournalEditFrm::TSaveCallback save, QWidget* parent)
{
    TJournalEditFrm frm(record, std::move(save), parent);
    if (frm.exec() != QDialog::Accepted)
        return false;
    record = frm.Record();
    return true;
}
