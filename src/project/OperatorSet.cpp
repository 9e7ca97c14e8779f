#include "project/OperatorSet.h"

#include "data/Database.h"
#include "data/DbError.h"
#include "project/Operator.h"
#include "project/PasswordHash.h"

using namespace Qt::StringLiterals;

namespace {

const QString LoginIdName = u"LoginId"_s;
const QString PasswordName = u"Password"_s;
const QString NameName = u"Name"_s;
const QString ContactName = u"Contact"_s;
const QString NoteName = u"Note"_s;
const QString RightsName = u"Rights"_s;

QString storedForm(const QString& text)
{
    return text.isEmpty() ? u""_s : TPasswordHash::Hash(text);
}

} // namespace

TOperatorSet::TOperatorSet(QObject* owner) : TRecordSet(owner)
{
    auto add = [this](TFieldType type, const QString& name, const QString& label) {
        AddField(type, name, -1, true, label);
        return DataSet()->FieldIndex(name);
    };
    m_userId = add(TFieldType::WideString, LoginIdName, u"登陆名"_s);
    m_passwd = add(TFieldType::WideString, PasswordName, u"密码"_s);
    m_name = add(TFieldType::WideString, NameName, u"姓名"_s);
    m_contact = add(TFieldType::WideString, ContactName, u"联系方式"_s);
    m_note = add(TFieldType::WideString, NoteName, u"备注"_s);
    m_rights = add(TFieldType::Memo, RightsName, u"权限"_s);
    // The stored form of a password is of no use on screen.
    DataSet()->Field(m_passwd).Visible = false;
    Open(u"select LoginId,Password,Name,Contact,Note,Rights from operator where LoginId<>'sa' order by LoginId"_s);
}

bool TOperatorSet::AddOperator(const QString& login, const QString& password, const QString& rights,
                               const QString& note, const QString& contact, const QString& name)
{
    // The key compares without letter case, so "Bob" beside "bob" (or "SA") would only fail with the
    // driver's key-violation text; say it in the operator's words instead.
    QSqlQuery taken =
        Database().Select(u"select count(*) from operator where LoginId=:LoginId"_s, {MakeParam(LoginIdName, login)});
    if (taken.next() && taken.value(0).toInt() > 0)
        throw EDatabaseError(u"登陆名 \"%1\" 已经存在, 请换一个登陆名."_s.arg(login));

    const QString stored = storedForm(password);
    const int affected =
        Database().ExecSQL(u"insert into operator(LoginId,Password,Name,Contact,Note,Rights)"
                           u"values(:LoginId,:Password,:Name,:Contact,:Note,:Rights)"_s,
                           {MakeParam(LoginIdName, login), MakeParam(PasswordName, stored), MakeParam(NameName, name),
                            MakeParam(ContactName, contact), MakeParam(NoteName, note), MakeParam(RightsName, rights)});
    if (affected != 1)
        return false;
    if (Active()) {
        DataSet()->Append();
        DataSet()->SetValue(m_userId, login);
        setRow(stored, rights, note, contact, name, true);
    }
    return true;
}

bool TOperatorSet::UpdateOperator(const QString& login, const std::optional<QString>& password, const QString& rights,
                                  const QString& note, const QString& contact, const QString& name)
{
    TDBParameters params{MakeParam(NameName, name), MakeParam(ContactName, contact), MakeParam(NoteName, note),
                         MakeParam(RightsName, rights), MakeParam(LoginIdName, login)};
    QString sql;
    QString stored;
    if (password) {
        stored = storedForm(*password);
        params.append(MakeParam(PasswordName, stored));
        sql = u"update operator set Password=:Password,Name=:Name,Contact=:Contact,Note=:Note,Rights=:Rights "
              u"where LoginId=:LoginId"_s;
    } else {
        sql = u"update operator set Name=:Name,Contact=:Contact,Note=:Note,Rights=:Rights where LoginId=:LoginId"_s;
    }
    if (Database().ExecSQL(sql, params) != 1)
        return false;
    if (locate(login)) {
        DataSet()->Edit();
        setRow(stored, rights, note, contact, name, password.has_value());
    }
    return true;
}

bool TOperatorSet::DeleteOperator(const QString& login)
{
    const int affected =
        Database().ExecSQL(u"delete from operator where LoginId=:LoginId"_s, {MakeParam(LoginIdName, login)});
    if (locate(login))
        DataSet()->Delete();
    return affected == 1;
}

QString TOperatorSet::ListLoginIds()
{
    TOperatorSet set;
    return set.JoinField(LoginIdName, u"\r\n"_s);
}

bool TOperatorSet::locate(const QString& login)
{
    return Active() && DataSet()->Locate(LoginIdName, login, TLwDataSet::CaseInsensitive);
}

void TOperatorSet::setRow(const QString& password, const QString& rights, const QString& note, const QString& contact,
                          const QString& name, bool withPassword)
{
    TLwDataSet* ds = DataSet();
    if (withPassword)
        ds->SetValue(m_passwd, password);
    ds->SetValue(m_name, name);
    ds->SetValue(m_contact, contact);
    ds->SetValue(m_note, note);
    ds->SetValue(m_rights, rights);
    ds->Post();
}
