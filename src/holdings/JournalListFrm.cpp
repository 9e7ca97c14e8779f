#include "holdings/JournalListFrm.h"

#include "holdings/JournalEditFrm.h"

using namespace Qt::StringLiterals;

namespace {

using K = THoldingFindFrm::TKind;

QList<THoldingFindFrm::TRow> findRows()
{
    return {
        {u"书刊编号"_s, K::Text, u"Code"_s},
        {u"书刊名称"_s, K::Text, u"Name"_s},
        {u"ISSN号"_s, K::Text, u"ISSN"_s},
        {u"拼音简码"_s, K::Text, u"Ping"_s},
        {u"主    编"_s, K::Text, u"Editor"_s},
        {u"中图分类号"_s, K::Text, u"CataMark"_s},
        {u"分类名称"_s, K::Text, u"CataName"_s},
        {u"出版社"_s, K::Publisher, u"Publisher"_s},
        {u"存放位置"_s, K::PickList, u"Location"_s, {}, 3},
        {u"图书开本"_s, K::PickList, u"Kai"_s, {}, 0},
        {u"出版周期"_s, K::PickList, u"Pubperiod"_s, {}, 5},
        {u"年度期号"_s, K::Text, u"YearNo"_s},
        {u"总期号"_s, K::Text, u"TotalNo"_s},
        {u"语种"_s, K::PickList, u"Lang"_s, {}, 2},
        {u"图书价格"_s, K::Price, u"Price1"_s, u"Price2"_s},
        {u"图书总数"_s, K::Integer, u"QtyTotal1"_s, u"QtyTotal2"_s},
        {u"借出数量"_s, K::Integer, u"QtyLoan1"_s, u"QtyLoan2"_s},
        {u"注销数量"_s, K::Integer, u"QtyOff1"_s, u"QtyOff2"_s},
        {u"馆存数量"_s, K::Integer, u"QtyLib1"_s, u"QtyLib2"_s},
        {u"借出次数"_s, K::Integer, u"TimesLoan1"_s, u"TimesLoan2"_s},
        {u"入馆日期"_s, K::Date, u"Getdate1"_s, u"Getdate2"_s, -1, u"截止日期"_s},
    };
}

} // namespace

TJournalListFrm::TJournalListFrm(QWidget* parent)
    : THoldingListFrm(std::make_unique<TJournalList>([](RJournal& record, TJournalList::TSave save, QWidget* owner) {
                          return EditJournal(record, std::move(save), owner);
                      }),
                      {u"JournalListFrm"_s, u"期刊资料"_s, 1004, u"高级查找"_s, findRows(), true}, parent)
{
}

TJournalListFrm* TJournalListFrm::ShowJournals(QWidget* parent)
{
    Q_UNUSED(parent)
    auto* window = new TJournalListFrm;
    window->show();
    return window;
}
