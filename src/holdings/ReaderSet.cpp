#include "holdings/ReaderSet.h"

#include "data/DBParameter.h"
#include "data/Database.h"
#include "data/RowWriter.h"
#include "data/Transaction.h"
#include "holdings/ReaderWhere.h"
#include "holdings/ReadersPhotoSet.h"

using namespace Qt::StringLiterals;

namespace {

const QString kSelect =
    u"select r.*, k.Name as KindName, k.BookTop, k.BookDays, k.BookRelet, k.JourTop, k.JourDays, "
    u"k.JourRelet, t.Name as StateName  from ((readers r left join readerskind k on k.Id=r.KindId)  "
    u"left join readerstate t on t.Id=r.StateId) "_s;

struct TStateOpText
{
    const char16_t* Sql;
    const char16_t* FailText;
};

// Ops 0 and 2 apply from any state; releasing and enabling only undo their own state.
const TStateOpText kStateOps[] = {
    {u"update readers set StateId=2 where Id=:Id", u"\r\n挂失操作失败, 没有找到该读者资料或刷新重试!"},
    {u"update readers set StateId=1 where Id=:Id and StateId=2", u"\r\n解除挂失失败, 没有找到读者资料或不在挂失状态!"},
    {u"update readers set StateId=3 where Id=:Id", u"\r\n停用操作失败, 没有找到该读者资料或刷新重试!"},
    {u"update readers set StateId=1 where Id=:Id and StateId=3",
     u"\r\n启用操作失败, 没有找到读者资料或者不在停用状态!"},
};

bool execOne(const QString& sql, int id)
{
    return Database().ExecSQL(sql, {MakeParam(u"Id"_s, id)}) == 1;
}

int countOf(const QString& sql, int id)
{
    QSqlQuery query = Database().Select(sql, {MakeParam(u"ReaderId"_s, id)});
    return query.next() ? query.value(0).toInt() : 0;
}

} // namespace

RReader RReader::New()
{
    RReader reader;
    reader.Adddate = QDateTime::currentDateTime();
    return reader;
}

TReaderSet::TReaderSet(QObject* owner) : TRecordSet(owner), m_where(std::make_unique<TReaderWhere>())
{
    auto add = [this](TFieldType type, const QString& name, int size, bool visible, const QString& label) {
        AddField(type, name, size, visible, label);
        return DataSet()->FieldIndex(name);
    };
    m_id = add(TFieldType::Integer, u"Id"_s, -1, false, QString());
    m_code = add(TFieldType::WideString, u"Code"_s, 50, true, u"读者编号"_s);
    m_name = add(TFieldType::WideString, u"Name"_s, 50, true, u"姓名"_s);
    m_ping = add(TFieldType::WideString, u"Ping"_s, 50, true, u"姓名首拼"_s);
    m_sex = add(TFieldType::WideString, u"Sex"_s, 50, true, u"性别"_s);
    m_kindId = add(TFieldType::Integer, u"KindId"_s, -1, false, QString());
    m_kindName = add(TFieldType::WideString, u"KindName"_s, 50, true, u"读者类别"_s);
    m_tel = add(TFieldType::WideString, u"Tel"_s, 50, true, u"联系电话"_s);
    m_dept = add(TFieldType::WideString, u"Dept"_s, 50, true, u"部门"_s);
    m_adddate = add(TFieldType::DateTime, u"Adddate"_s, -1, true, u"登记日期"_s);
    m_address = add(TFieldType::WideString, u"Address"_s, 50, true, u"联系地址"_s);
    m_idCode = add(TFieldType::WideString, u"IDCode"_s, 50, true, u"身份证号"_s);
    m_notes = add(TFieldType::WideString, u"Notes"_s, 50, true, u"备注"_s);
    m_bookTop = add(TFieldType::Integer, u"BookTop"_s, -1, false, QString());
    m_bookDays = add(TFieldType::Integer, u"BookDays"_s, -1, false, QString());
    m_bookRelet = add(TFieldType::Integer, u"BookRelet"_s, -1, false, QString());
    m_jourTop = add(TFieldType::Integer, u"JourTop"_s, -1, false, QString());
    m_jourDays = add(TFieldType::Integer, u"JourDays"_s, -1, false, QString());
    m_jourRelet = add(TFieldType::Integer, u"JourRelet"_s, -1, false, QString());
    m_loaning = add(TFieldType::Integer, u"Loaning"_s, -1, false, QString());
    m_loanall = add(TFieldType::Integer, u"Loanall"_s, -1, false, QString());
    m_loanover = add(TFieldType::Integer, u"Loanover"_s, -1, false, QString());
    m_stateName = add(TFieldType::WideString, u"StateName"_s, 10, true, u"状态"_s);
    m_deposit = add(TFieldType::Float, u"Deposit"_s, -1, true, u"剩余押金"_s);
}

TReaderSet::~TReaderSet() = default;

void TReaderSet::Search()
{
    const TSearchText where = m_where->Build();
    Open(kSelect + where.Where, where.Params);
}

RReader TReaderSet::AsData() const
{
    const TLwDataSet* ds = DataSet();
    RReader r;
    r.Id = ds->Value(m_id).toInt();
    r.Code = ds->Value(m_code).toString();
    r.Name = ds->Value(m_name).toString();
    r.Ping = ds->Value(m_ping).toString();
    r.Sex = ds->Value(m_sex).toString();
    const QVariant kindId = ds->Value(m_kindId);
    if (!kindId.isNull())
        r.KindId = kindId.toInt();
    r.KindName = ds->Value(m_kindName).toString();
    r.Tel = ds->Value(m_tel).toString();
    r.Dept = ds->Value(m_dept).toString();
    r.Adddate = ds->Value(m_adddate).toDateTime();
    r.Address = ds->Value(m_address).toString();
    r.IDCode = ds->Value(m_idCode).toString();
    r.Notes = ds->Value(m_notes).toString();
    r.BookTop = ds->Value(m_bookTop).toInt();
    r.BookDays = ds->Value(m_bookDays).toInt();
    r.BookRelet = ds->Value(m_bookRelet).toInt();
    r.JourTop = ds->Value(m_jourTop).toInt();
    r.JourDays = ds->Value(m_jourDays).toInt();
    r.JourRelet = ds->Value(m_jourRelet).toInt();
    r.StateName = ds->Value(m_stateName).toString();
    r.Deposit = ds->Value(m_deposit).toDouble();
    r.Loaning = ds->Value(m_loaning).toInt();
    r.Loanall = ds->Value(m_loanall).toInt();
    r.Loanover = ds->Value(m_loanover).toInt();
    return r;
}

void TReaderSet::SetAsData(const RReader& r)
{
    TLwDataSet* ds = DataSet();
    ds->SetValue(m_id, r.Id);
    ds->SetValue(m_code, r.Code);
    ds->SetValue(m_name, r.Name);
    ds->SetValue(m_ping, r.Ping);
    ds->SetValue(m_sex, r.Sex);
    ds->SetValue(m_kindId, r.KindId ? QVariant(*r.KindId) : QVariant());
    ds->SetValue(m_kindName, r.KindName);
    ds->SetValue(m_tel, r.Tel);
    ds->SetValue(m_dept, r.Dept);
    ds->SetValue(m_adddate, r.Adddate.isValid() ? QVariant(r.Adddate) : QVariant());
    ds->SetValue(m_address, r.Address);
    ds->SetValue(m_idCode, r.IDCode);
    ds->SetValue(m_notes, r.Notes);
    ds->SetValue(m_bookTop, r.BookTop);
    ds->SetValue(m_bookDays, r.BookDays);
    ds->SetValue(m_bookRelet, r.BookRelet);
    ds->SetValue(m_jourTop, r.JourTop);
    ds->SetValue(m_jourDays, r.JourDays);
    ds->SetValue(m_jourRelet, r.JourRelet);
    ds->SetValue(m_stateName, r.StateName);
    ds->SetValue(m_deposit, r.Deposit);
    ds->SetValue(m_loaning, r.Loaning);
    ds->SetValue(m_loanall, r.Loanall);
    ds->SetValue(m_loanover, r.Loanover);
}

void TReaderSet::PostData(const RReader& reader)
{
    if (!Active())
        return;
    TLwDataSet* ds = DataSet();
    if (ds->Locate(u"Id"_s, reader.Id, 0))
        ds->Edit();
    else
        ds->Append();
    SetAsData(reader);
    ds->Post();
}

bool TReaderSet::Save(RReader& r)
{
    return TRowWriter::Save(
        u"readers"_s, r.Id,
        u"update readers set Code=:Code, Name=:Name, Ping=:Ping, Sex=:Sex, KindId=:KindId, Tel=:Tel, Dept=:Dept, "
        u"Adddate=:Adddate, Address=:Address, IDCode=:IDCode, Notes=:Notes where Id=:Id"_s,
        u"insert into readers(Code, Name, Ping, Sex, KindId, Tel, Dept, Adddate, Address, IDCode, Notes, Id, StateId, "
        u"Loaning, Loanall, Loanover)values(:Code,:Name,:Ping,:Sex,:KindId,:Tel,:Dept,:Adddate,:Address,:IDCode,:Notes,"
        u":Id, 1, 0, 0, 0)"_s,
        {MakeParam(u"Code"_s, r.Code), MakeParam(u"Name"_s, r.Name), MakeParam(u"Ping"_s, r.Ping),
         MakeParam(u"Sex"_s, r.Sex), r.KindId ? MakeParam(u"KindId"_s, *r.KindId) : MakeNullParam(u"KindId"_s),
         MakeParam(u"Tel"_s, r.Tel), MakeParam(u"Dept"_s, r.Dept),
         r.Adddate.isValid() ? MakeParam(u"Adddate"_s, r.Adddate) : MakeNullParam(u"Adddate"_s),
         MakeParam(u"Address"_s, r.Address), MakeParam(u"IDCode"_s, r.IDCode), MakeParam(u"Notes"_s, r.Notes)});
}

bool TReaderSet::Delete(int id)
{
    // The photo goes with the reader, and neither goes alone.
    TTransaction transaction;
    const bool deleted = execOne(u"delete from readers where Id=:Id"_s, id);
    TReadersPhotoSet::DeletePhoto(id);
    transaction.Commit();
    return deleted;
}

bool TReaderSet::ChangeState(int id, int op, QString& failText)
{
    if (op < 0 || op >= int(std::size(kStateOps))) {
        failText = u"\r\n无效的状态操作口令"_s;
        return false;
    }
    failText = QString::fromUtf16(kStateOps[op].FailText);
    return execOne(QString::fromUtf16(kStateOps[op].Sql), id);
}

bool TReaderSet::AddDeposit(int id, double amount, double& balance)
{
    // One statement, so two workstations changing the same balance cannot lose either change.
    TDatabase& db = Database();
    const bool done = db.ExecSQL(u"update readers set Deposit=coalesce(Deposit,0)+:Amount where Id=:Id"_s,
                                 {MakeParam(u"Amount"_s, amount), MakeParam(u"Id"_s, id)}) == 1;
    balance = amount;
    QSqlQuery query = db.Select(u"select Deposit from readers where Id=:Id"_s, {MakeParam(u"Id"_s, id)});
    if (query.next())
        balance = query.value(0).toDouble();
    return done;
}

bool TReaderSet::IncLoan(int id)
{
    return execOne(u"update readers set Loaning=Loaning+1, Loanall=Loanall+1 where Id=:Id"_s, id);
}

bool TReaderSet::DecLoan(int id, bool overdue)
{
    return execOne(overdue ? u"update readers set Loaning=Loaning-1, Loanover=Loanover+1 where Id=:Id"_s
                           : u"update readers set Loaning=Loaning-1 where Id=:Id"_s,
                   id);
}

bool TReaderSet::SetOff(int id, bool off)
{
    return execOne(off ? u"update readers set Loaning=Loaning-1, Loanover=Loanover+1 where Id=:Id"_s
                       : u"update readers set Loaning=Loaning+1, Loanover=Loanover-1 where Id=:Id"_s,
                   id);
}

RReaderDebts TReaderSet::Debts(int id)
{
    // Open means neither returned nor written off, as the loan queries count it.
    RReaderDebts debts;
    debts.OpenBooks = countOf(u"select count(*) from (loans l left join writeoffs w on w.LoanId=l.Id) "
                              u"where (not (l.BookId is null)) and l.ReaderId=:ReaderId "
                              u"and l.ReturnDate is null and w.LoanId is null"_s,
                              id);
    debts.OpenJournals = countOf(u"select count(*) from (loans l left join writeoffs w on w.LoanId=l.Id) "
                                 u"where (not (l.JourId is null)) and l.ReaderId=:ReaderId "
                                 u"and l.ReturnDate is null and w.LoanId is null"_s,
                                 id);
    // An overdue fine belongs to its loan, a compensation fine to the loan its write-off closed;
    // a fine is unpaid while it has no date.
    QSqlQuery fines = Database().Select(
        u"select sum(f.Finefund) from ((fines f left join writeoffs w on w.Id=f.OffId) "
        u"left join loans l on l.Id=coalesce(f.LoanId, w.LoanId)) where f.Finedate is null and l.ReaderId=:ReaderId"_s,
        {MakeParam(u"ReaderId"_s, id)});
    if (fines.next())
        debts.UnpaidFines = fines.value(0).toDouble();
    return debts;
}

QString TReaderSet::DeleteQuestion(int id)
{
    const RReaderDebts debts = Debts(id);
    if (debts.OpenLoans() == 0 && debts.UnpaidFines == 0)
        return QString();
    return u"\r\n该读者尚有 %1 本未还, 未付罚款 %2 元, 确定要删除吗?\t"_s.arg(debts.OpenLoans())
        .arg(QString::number(debts.UnpaidFines, 'f', 2));
}
