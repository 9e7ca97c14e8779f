#include "project/Operator.h"

#include "app/MessageHelpers.h"
#include "data/Database.h"
#include "data/DbError.h"
#include "data/RecordSet.h"
#include "project/PasswordHash.h"

using namespace Qt::StringLiterals;

namespace {

// What goes into the Password column for `text`: nothing for the empty password, so "not set yet"
// stays visible in the table and at login; the hash otherwise.
QString storedForm(const QString& text)
{
    return text.isEmpty() ? u""_s : TPasswordHash::Hash(text);
}

} // namespace

bool TOperator::LoadByLoginId(const QString& loginId)
{
    TRecordSet& rs = SharedRecordSet();
    rs.Open(u"select LoginId,Password,Name,Contact,Note,Rights from operator where LoginId=:LoginId"_s,
            {MakeParam(u"LoginId"_s, loginId)});
    TLwDataSet* ds = rs.DataSet();
    // A name held by two rows (possible in a table made by hand without the key) identifies nobody.
    const bool found = ds->RecordCount() == 1;
    if (found) {
        ds->First();
        LoginId = ds->AsString(u"LoginId"_s);
        Password = ds->AsString(u"Password"_s);
        Name = ds->AsString(u"Name"_s);
        Contact = ds->AsString(u"Contact"_s);
        Note = ds->AsString(u"Note"_s);
        Rights = ds->AsString(u"Rights"_s);
    }
    rs.Close();
    return found;
}

bool TOperator::CheckPassword(const QString& text)
{
    if (LoginId.isEmpty())
        return false;
    if (Password.isEmpty())
        return text.isEmpty();
    if (TPasswordHash::IsHash(Password)) {
        if (!TPasswordHash::Verify(Password, text))
            return false;
        if (TPasswordHash::NeedsRehash(Password)) {
            try {
                StorePassword(text);
            } catch (const EDatabaseError&) {
                // the old hash still works; the next login tries again
            }
        }
        return true;
    }
    if (Password != text)
        return false;
    // A password kept as typed by an older version: the operator proved it, so hash it now. When the
    // table cannot be written (a read-only copy) the login still succeeds and the next one retries.
    try {
        StorePassword(text);
    } catch (const EDatabaseError&) {
    }
    return true;
}

bool TOperator::HasRight(int number) const
{
    // Case matters here although the table compares names without it: only the row really named "sa"
    // is the super user.
    if (LoginId == SuperUser)
        return true;
    return Rights.contains(u",%1,"_s.arg(number));
}

bool TOperator::RequireRight(int number, bool abort) const
{
    if (HasRight(number))
        return true;
    InfoBox(RefusalText(number));
    if (abort)
        throw EAbort();
    return false;
}

void TOperator::StorePassword(const QString& text)
{
    const QString stored = storedForm(text);
    const int affected = Database().ExecSQL(u"update operator set Password=:Password where LoginId=:LoginId"_s,
                                            {MakeParam(u"Password"_s, stored), MakeParam(u"LoginId"_s, LoginId)});
    // Reporting success for a row that is not there would leave the operator believing in a password
    // that nothing holds.
    if (affected != 1)
        throw EDatabaseError(u"操作员 \"%1\" 不存在, 密码没有保存."_s.arg(LoginId));
    Password = stored;
}

QString TOperator::RightsText(const QList<int>& rights)
{
    QString text;
    for (int number : rights)
        text += u",%1,"_s.arg(number);
    return text;
}

QString TOperator::EmptyPasswordNotice()
{
    return u"当前操作员尚未设置密码, 请通过 \"文件 - 更改密码\" 设置密码."_s;
}

QString TOperator::RefusalText(int number)
{
    return u"对不起,您没有该功能的操作权限,请与管理员联系(%1)."_s.arg(number);
}

TOperator& CurrentOperator()
{
    static TOperator current;
    return current;
}

bool LoginFromCommandLine(const QStringList& arguments)
{
    if (arguments.size() != 3)
        return false;
    // A private object, so a wrong password leaves nobody's rights behind in CurrentOperator.
    TOperator candidate;
    if (!candidate.LoadByLoginId(arguments.at(0)) || !candidate.CheckPassword(arguments.at(1)))
        return false;
    CurrentOperator() = candidate;
    return true;
}
