#include "GridFixture.h"

using namespace Qt::StringLiterals;

namespace GridFixture {

std::unique_ptr<TLwDataSet> MakeAbc(const QList<QList<int>>& rows)
{
    auto set = std::make_unique<TLwDataSet>();
    set->AddField(TFieldType::Integer, u"A"_s, -1, true, u"甲"_s);
    set->AddField(TFieldType::Integer, u"B"_s, -1, true, u"乙"_s);
    set->AddField(TFieldType::Integer, u"C"_s, -1, true, u"丙"_s);
    set->CreateDataSet();
    for (const QList<int>& row : rows) {
        set->Append();
        for (int f = 0; f < row.size(); ++f)
            set->SetValue(f, row.at(f));
        set->Post();
    }
    set->First();
    return set;
}

std::unique_ptr<TLwDataSet> MakeSample()
{
    auto set = std::make_unique<TLwDataSet>();
    set->AddField(TFieldType::Integer, u"Id"_s, -1, false, QString());
    set->AddField(TFieldType::WideString, u"Code"_s, 20, true, u"编号"_s);
    set->AddField(TFieldType::WideString, u"Name"_s, 60, true, u"名称"_s);
    TField& price = set->AddField(TFieldType::Float, u"Price"_s, -1, true, u"价格"_s);
    price.DisplayFormat = u"0.00"_s;
    set->AddField(TFieldType::Integer, u"Qty"_s, -1, true, u"数量"_s);
    set->AddField(TFieldType::DateTime, u"Adddate"_s, -1, true, u"日期"_s);
    set->CreateDataSet();
    struct Row
    {
        int Id;
        QString Code, Name;
        QVariant Price, Qty, Date;
    };
    const QList<Row> rows = {
        {1, u"A001"_s, u"数据库原理"_s, 12.5, 3, QDate(2024, 1, 2)},
        {2, u"A002"_s, u"Say \"hi\", <b>&</b>"_s, 0.1 + 0.2, QVariant(),
         QDateTime(QDate(2024, 1, 3), QTime(10, 20, 30))},
        {3, u"A003"_s, u"tab\there\r\nnew line"_s, QVariant(), 0, QVariant()},
    };
    for (const Row& row : rows) {
        set->Append();
        set->SetValue(u"Id"_s, row.Id);
        set->SetValue(u"Code"_s, row.Code);
        set->SetValue(u"Name"_s, row.Name);
        set->SetValue(u"Price"_s, row.Price);
        set->SetValue(u"Qty"_s, row.Qty);
        set->SetValue(u"Adddate"_s, row.Date);
        set->Post();
    }
    set->First();
    return set;
}

std::unique_ptr<TLwDataSet> MakeBooks(int rows)
{
    auto set = std::make_unique<TLwDataSet>();
    set->AddField(TFieldType::Integer, u"Id"_s, -1, false, QString());
    set->AddField(TFieldType::WideString, u"Code"_s, 20, true, u"图书编号"_s);
    set->AddField(TFieldType::WideString, u"Title"_s, 40, true, u"图书名称"_s);
    TField& price = set->AddField(TFieldType::Float, u"Price"_s, -1, true, u"价格"_s);
    price.DisplayFormat = u"0.00"_s;
    set->AddField(TFieldType::Integer, u"Qty"_s, -1, true, u"馆存数量"_s);
    set->CreateDataSet();
    static const QString titles[] = {u"数据结构"_s, u"算法导论"_s, u"红楼梦"_s, u"三国演义"_s, u"水浒传"_s,
                                     u"西游记"_s,   u"围城"_s,     u"边城"_s,   u"骆驼祥子"_s, u"平凡的世界"_s};
    set->DisableControls();
    quint32 seed = 12345;
    for (int i = 1; i <= rows; ++i) {
        seed = seed * 1103515245u + 12345u;
        set->Append();
        set->SetValue(0, i);
        set->SetValue(1, u"B%1"_s.arg(i, 6, 10, QLatin1Char('0')));
        set->SetValue(2, u"%1 第%2卷"_s.arg(titles[i % 10]).arg(i));
        set->SetValue(3, double((seed >> 8) % 10000) / 100.0);
        set->SetValue(4, int((seed >> 4) % 7));
        set->Post();
    }
    set->EnableControls();
    set->First();
    return set;
}

} // namespace GridFixture
