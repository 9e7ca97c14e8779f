#include "circulation/LoanQuery.h"

#include "data/Clock.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace {

const QString BookSelect =
    u"select l.*, w.Id as OffId, r.Code as ReaderCode, r.Name as ReaderName, r.Sex as ReaderSex, r.Dept as ReaderDept, "
    u"r.Tel as ReaderTel, r.Adddate as ReaderAdddate, r.Deposit as ReaderDeposit, k.Name as ReaderKindName, "
    u"t.Name as ReaderState, b.Code as BookCode, b.Name as BookName, b.ISBN as BookISBN, b.Author as BookAuthor, "
    u"b.Price as BookPrice, b.Appendix as BookAppendix, b.Publisher as BookPublisher "
    u"from (((((loans l left join readers r on r.Id=l.ReaderId) left join readerskind k on k.Id=r.KindId) "
    u"left join books b on b.Id=l.BookId) left join readerstate t on t.Id=r.StateId) "
    u"left join writeoffs w on w.LoanId=l.Id) where (not (l.BookId is null)) "_s;

const QString JourSelect =
    u"select l.*, w.Id as OffId, r.Code as ReaderCode, r.Name as ReaderName, r.Sex as ReaderSex, r.Dept as ReaderDept, "
    u"r.Adddate as ReaderAdddate, r.Tel as ReaderTel, r.Deposit as ReaderDeposit, k.Name as ReaderKindName, "
    u"t.Name as ReaderState, b.Code as JourCode, b.Name as JourName, b.ISSN as JourISSN, b.Price as JourPrice, "
    u"b.Appendix as JourAppendix, b.YearNo as JourYearNo "
    u"from (((((loans l left join readers r on r.Id=l.ReaderId) left join readerskind k on k.Id=r.KindId) "
    u"left join journals b on b.Id=l.JourId) left join readerstate t on t.Id=r.StateId) "
    u"left join writeoffs w on w.LoanId=l.Id) where (not (l.JourId is null)) "_s;

struct TColumn
{
    TFieldType Type;
    const char16_t* Name;
    int Size;
    const char16_t* Label; // empty: hidden
    bool Calculated = false;
};

// How wide the grids show a column at first, in characters; a stored layout overrides it.
int displayWidth(const QString& name)
{
    static const QHash<QString, int> widths = {
        {u"LoanDate"_s, 10},    {u"Loanman"_s, 8},        {u"ReaderCode"_s, 10},    {u"ReaderName"_s, 8},
        {u"ReaderSex"_s, 4},    {u"ReaderKindName"_s, 8}, {u"ReaderTel"_s, 12},     {u"ReaderDept"_s, 10},
        {u"ReaderState"_s, 8},  {u"ReaderDeposit"_s, 8},  {u"ReaderAdddate"_s, 10}, {u"BookCode"_s, 10},
        {u"BookName"_s, 20},    {u"BookISBN"_s, 16},      {u"BookAuthor"_s, 10},    {u"BookPrice"_s, 7},
        {u"BookAppendix"_s, 8}, {u"BookPublisher"_s, 16}, {u"JourCode"_s, 10},      {u"JourName"_s, 20},
        {u"JourISSN"_s, 12},    {u"JourPrice"_s, 7},      {u"JourAppendix"_s, 8},   {u"JourYearNo"_s, 8},
        {u"ShldretDate"_s, 10}, {u"RenewDate"_s, 10},     {u"Renewman"_s, 8},       {u"ReturnDate"_s, 10},
        {u"Returnman"_s, 8},    {u"OverdaysCalc"_s, 8},   {u"Overfund"_s, 8},       {u"LoanState"_s, 8},
        {u"Overdays"_s, 8},
    };
    return widths.value(name, 10);
}

// The columns of either query, the seven item columns of its kind in the middle.
QList<TColumn> columnsOf(TLoanKind kind)
{
    using enum TFieldType;
    QList<TColumn> columns = {
        {Integer, u"Id", -1, u""},
        {DateTime, u"LoanDate", -1, u"借阅日期"},
        {WideString, u"Loanman", 50, u"借出经手"},
        {Integer, u"ReaderId", -1, u""},
        {WideString, u"ReaderCode", 50, u"读者编号"},
        {WideString, u"ReaderName", 50, u"读者姓名"},
        {WideString, u"ReaderSex", 50, u"性别"},
        {WideString, u"ReaderKindName", 50, u"读者类别"},
        {WideString, u"ReaderTel", 50, u"联系电话"},
        {WideString, u"ReaderDept", 50, u"部门"},
        {WideString, u"ReaderState", 30, u"读者状态"},
        {Float, u"ReaderDeposit", -1, u"押金余额"},
        {DateTime, u"ReaderAdddate", -1, u"登记日期"},
    };
    if (kind == TLoanKind::Book) {
        columns << TColumn{Integer, u"BookId", -1, u""} << TColumn{WideString, u"BookCode", 50, u"图书编号"}
                << TColumn{WideString, u"BookName", 50, u"图书名称"} << TColumn{WideString, u"BookISBN", 50, u"ISBN"}
                << TColumn{WideString, u"BookAuthor", 50, u"作者"} << TColumn{Float, u"BookPrice", -1, u"价格"}
                << TColumn{WideString, u"BookAppendix", 50, u"附件"}
                << TColumn{WideString, u"BookPublisher", 50, u"出版社"};
    } else {
        columns << TColumn{Integer, u"JourId", -1, u""} << TColumn{WideString, u"JourCode", 50, u"期刊编号"}
                << TColumn{WideString, u"JourName", 50, u"期刊名称"} << TColumn{WideString, u"JourISSN", 50, u"ISSN号"}
                << TColumn{Float, u"JourPrice", -1, u"价格"} << TColumn{WideString, u"JourAppendix", 50, u"附件"}
                << TColumn{WideString, u"JourYearNo", 50, u"年度编号"};
    }
    columns << TColumn{DateTime, u"ShldretDate", -1, u"应还日期"} << TColumn{DateTime, u"RenewDate", -1, u"续借日期"}
            << TColumn{WideString, u"Renewman", 50, u"续借经手"} << TColumn{DateTime, u"ReturnDate", -1, u"归还日期"}
            << TColumn{WideString, u"Returnman", 50, u"归还经手"} << TColumn{Integer, u"Overdays", -1, u""}
            << TColumn{Integer, u"OverdaysCalc", -1, u"逾期天数", true} << TColumn{Float, u"Overfund", -1, u"逾期罚款"}
            << TColumn{Integer, u"OffId", -1, u""}
            << TColumn{WideString, u"LoanState", 20, kind == TLoanKind::Book ? u"图书状态" : u"书刊状态", true};
    return columns;
}

} // namespace

TLoanQuery::TLoanQuery(TLoanKind kind) : m_kind(kind), m_where(std::make_unique<TLoanWhere>())
{
    for (const TColumn& column : columnsOf(kind)) {
        const QString label = QString::fromUtf16(column.Label);
        TField& field = AddField(column.Type, QString::fromUtf16(column.Name), column.Size, !label.isEmpty(), label);
        field.Calculated = column.Calculated;
        field.DisplayWidth = displayWidth(field.Name);
        if (column.Type == TFieldType::Float) {
            field.DisplayFormat = u"0.00"_s;
            field.Alignment = Qt::AlignRight | Qt::AlignVCenter;
        } else if (column.Type == TFieldType::DateTime) {
            field.DisplayFormat = u"yyyy-MM-dd"_s;
        }
    }
    // The stored overdue days keep their label so a layout can show them; the grid shows the
    // calculated column by default.
    DataSet()->FindField(u"Overdays"_s)->DisplayLabel = u"逾期天数"_s;
    const TLwDataSet* set = DataSet();
    m_overdays = set->FieldIndex(u"Overdays"_s);
    m_returnDate = set->FieldIndex(u"ReturnDate"_s);
    m_offId = set->FieldIndex(u"OffId"_s);
    m_shldretDate = set->FieldIndex(u"ShldretDate"_s);
    m_overdaysCalc = set->FieldIndex(u"OverdaysCalc"_s);
    m_loanState = set->FieldIndex(u"LoanState"_s);
    DataSet()->SetOnCalcFields([this](TLwDataSet& rows) { CalcFields(rows); });
}

TLoanQuery::~TLoanQuery() = default;

QString TLoanQuery::BaseSql() const
{
    return m_kind == TLoanKind::Book ? BookSelect : JourSelect;
}

void TLoanQuery::Search()
{
    m_now = Clock::Now();
    const TSearchText search = m_where->BuildFor(m_kind, m_now);
    // The conditions already start with " where "; the base statement holds the first condition.
    QString conditions = search.Where;
    if (conditions.startsWith(u" where "_s))
        conditions = u" and "_s + conditions.mid(7);
    Open(BaseSql() + conditions, search.Params);
}

void TLoanQuery::SetQuickConditions(const RLoanQuickConditions& panel)
{
    TLoanWhere* where = m_where.get();
    where->Clear();
    where->SetCondition(u"LoanDate1"_s, panel.LoanDate1);
    where->SetCondition(u"LoanDate2"_s, panel.LoanDate2);
    where->SetCondition(u"ReaderId"_s, panel.ReaderId);
    where->SetCondition(u"IsReturn"_s, panel.IsReturn);
    where->SetCondition(u"IsWriteoff"_s, panel.IsWriteoff);
    where->SetCondition(u"Overdays1"_s, panel.Overdays1);
    where->SetCondition(u"Overfund1"_s, panel.Overfund1);
    where->SetCondition(m_kind == TLoanKind::Book ? u"BookCode"_s : u"JourCode"_s, panel.Code.trimmed());
    where->SetCondition(u"IsOver"_s, panel.IsOver);
    where->SetCondition(u"TodayBiz"_s, panel.TodayBiz);
}

void TLoanQuery::CopyConditions(const TLoanWhere& other)
{
    m_where->Clear();
    const TLwDataSet* from = other.DataSet();
    TLwDataSet* to = m_where->DataSet();
    for (int field = 0; field < from->FieldCount() && field < to->FieldCount(); ++field)
        to->SetValue(field, from->Value(field));
}

int TLoanQuery::OverdueDays(const QDateTime& due, const QDateTime& now)
{
    if (!due.isValid() || !now.isValid() || now <= due)
        return 0;
    return int(due.secsTo(now) / 86400);
}

void TLoanQuery::CalcFields(TLwDataSet& set) const
{
    const QVariant stored = set.Value(m_overdays);
    const bool returned = !set.Value(m_returnDate).isNull();
    const bool writtenOff = !set.Value(m_offId).isNull();
    QVariant overdays;
    if (!stored.isNull() && stored.toInt() >= 1) {
        overdays = stored.toInt();
    } else if (!returned && !writtenOff) {
        // A loan still out counts the days it is late so far; one written off stopped counting.
        const int days = OverdueDays(set.Value(m_shldretDate).toDateTime(), m_now.isValid() ? m_now : Clock::Now());
        if (days >= 1)
            overdays = days;
    }
    set.SetValue(m_overdaysCalc, overdays);
    set.SetValue(m_loanState, returned ? StateReturned : writtenOff ? StateWrittenOff : StateOpen);
}

template <typename R> void TLoanQuery::readCommon(R& row) const
{
    const TLwDataSet* set = DataSet();
    row.Id = set->AsInteger(u"Id"_s);
    row.LoanDate = set->AsDateTime(u"LoanDate"_s);
    row.ReaderId = set->AsInteger(u"ReaderId"_s);
    row.ReaderName = set->AsString(u"ReaderName"_s);
    row.ReaderSex = set->AsString(u"ReaderSex"_s);
    row.ReaderKindName = set->AsString(u"ReaderKindName"_s);
    row.ReaderDept = set->AsString(u"ReaderDept"_s);
    row.ReaderState = set->AsString(u"ReaderState"_s);
    row.ReaderTel = set->AsString(u"ReaderTel"_s);
    row.ReaderDeposit = set->AsFloat(u"ReaderDeposit"_s);
    row.ReaderAdddate = set->AsDateTime(u"ReaderAdddate"_s);
    row.Loanman = set->AsString(u"Loanman"_s);
    row.RenewDate = set->AsDateTime(u"RenewDate"_s);
    row.Renewman = set->AsString(u"Renewman"_s);
    row.ShldretDate = set->AsDateTime(u"ShldretDate"_s);
    row.ReturnDate = set->AsDateTime(u"ReturnDate"_s);
    row.Returnman = set->AsString(u"Returnman"_s);
    row.Overdays = set->AsInteger(u"Overdays"_s);
    row.Overfund = set->AsFloat(u"Overfund"_s);
}

TBookLoanQuery::TBookLoanQuery() : TLoanQuery(TLoanKind::Book) {}

void TBookLoanQuery::GetRow(RBookLoan& row) const
{
    row = RBookLoan();
    readCommon(row);
    const TLwDataSet* set = DataSet();
    row.BookId = set->AsInteger(u"BookId"_s);
    row.BookCode = set->AsString(u"BookCode"_s);
    row.BookName = set->AsString(u"BookName"_s);
    row.BookISBN = set->AsString(u"BookISBN"_s);
    row.BookPrice = set->AsFloat(u"BookPrice"_s);
    row.BookAppendix = set->AsString(u"BookAppendix"_s);
    row.BookAuthor = set->AsString(u"BookAuthor"_s);
    row.BookPublisher = set->AsString(u"BookPublisher"_s);
}

TJourLoanQuery::TJourLoanQuery() : TLoanQuery(TLoanKind::Journal) {}

void TJourLoanQuery::GetRow(RJourLoan& row) const
{
    row = RJourLoan();
    readCommon(row);
    const TLwDataSet* set = DataSet();
    row.JourId = set->AsInteger(u"JourId"_s);
    row.JourCode = set->AsString(u"JourCode"_s);
    row.JourName = set->AsString(u"JourName"_s);
    row.JourISSN = set->AsString(u"JourISSN"_s);
    row.JourPrice = set->AsFloat(u"JourPrice"_s);
    row.JourAppendix = set->AsString(u"JourAppendix"_s);
    row.JourYearNo = set->AsString(u"JourYearNo"_s);
}
