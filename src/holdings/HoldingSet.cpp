#include "holdings/HoldingSet.h"

#include "data/Database.h"
#include "data/DbError.h"

using namespace Qt::StringLiterals;

THoldingSet::THoldingSet(const TTable& table, std::unique_ptr<THoldingWhere> where, const QList<TColumn>& columns)
    : m_table(table), m_where(std::move(where))
{
    for (const TColumn& column : columns) {
        const QString label = QString::fromUtf16(column.Label);
        AddField(column.Type, QString::fromUtf16(column.Name), column.Size, !label.isEmpty(), label);
    }
}

QVariant THoldingSet::priceParam(const QVariant& price)
{
    if (price.isNull())
        return QVariant();
    if (price.typeId() != QMetaType::QString)
        return price.toDouble();
    const QString text = price.toString().trimmed();
    if (text.isEmpty())
        return QVariant();
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok)
        throw EDatabaseError(u"\"%1\" 不是有效的浮点数."_s.arg(price.toString()));
    return value;
}

QVariant THoldingSet::dateParam(const QVariant& date)
{
    if (date.isNull() || !date.isValid())
        return QVariant();
    const QDate day = date.typeId() == QMetaType::QDate ? date.toDate() : date.toDateTime().date();
    return day.isValid() ? QVariant(day) : QVariant();
}

THoldingSet::~THoldingSet() = default;

void THoldingSet::Search()
{
    const TSearchText search = m_where->Build();
    DataSet()->ClearFilter();
    Open(m_table.Select + search.Where, search.Params);
}

void THoldingSet::QuickFilter(const QString& keyword)
{
    TLwDataSet* set = DataSet();
    if (!set->Active())
        return;
    if (keyword.isEmpty()) {
        set->ClearFilter();
        return;
    }
    QList<int> fields;
    for (const QString& name : m_table.QuickFields)
        fields.append(set->FieldIndex(name));
    set->SetFilter([fields, keyword](const TLwDataSet&, const QVariantList& values) {
        for (const int field : fields) {
            if (field >= 0 && values.at(field).toString().contains(keyword, Qt::CaseInsensitive))
                return true;
        }
        return false;
    });
}

bool THoldingSet::deleteRow(const TTable& table, int id)
{
    return Database().ExecSQL(u"delete from %1 where Id=:Id"_s.arg(table.Name), {MakeParam(u"Id"_s, id)}) == 1;
}

// The counters move in single statements, so two workstations lending the same title at once
// cannot lose a change; none of them looks for a lower bound.
bool THoldingSet::incLoan(const TTable& table, int id)
{
    return Database().ExecSQL(
               u"update %1 set QtyLoan=QtyLoan+1, TimesLoan=TimesLoan+1, QtyLib=QtyLib-1 where Id=:Id"_s.arg(
                   table.Name),
               {MakeParam(u"Id"_s, id)}) == 1;
}

bool THoldingSet::decLoan(const TTable& table, int id)
{
    return Database().ExecSQL(u"update %1 set QtyLoan=QtyLoan-1, QtyLib=QtyLib+1 where Id=:Id"_s.arg(table.Name),
                              {MakeParam(u"Id"_s, id)}) == 1;
}

bool THoldingSet::setOff(const TTable& table, int id, bool off)
{
    const QString sql = off ? u"update %1 set QtyOff=QtyOff+1, QtyLib=QtyLib-1 where Id=:Id"_s
                            : u"update %1 set QtyOff=QtyOff-1, QtyLib=QtyLib+1 where Id=:Id"_s;
    return Database().ExecSQL(sql.arg(table.Name), {MakeParam(u"Id"_s, id)}) == 1;
}

int THoldingSet::openLoans(const TTable& table, int id)
{
    // A loan with a write-off row is closed even though it was never returned.
    QSqlQuery query =
        Database().Select(u"select count(*) from (loans l left join writeoffs w on w.LoanId=l.Id) "
                          u"where l.%1=:Id and l.ReturnDate is null and w.Id is null"_s.arg(table.LoanColumn),
                          {MakeParam(u"Id"_s, id)});
    return query.next() ? query.value(0).toInt() : 0;
}
