// TEMPORARY stand-in for the operator's implementation, linked only while src/project/Operator.cpp
// is missing (see CMakeLists.txt). Only what the company window needs.
#include "data/DbError.h"
#include "data/Notifier.h"
#include "project/Operator.h"

using namespace Qt::StringLiterals;

bool TOperator::HasRight(int number) const
{
    return LoginId == SuperUser || Rights.contains(u",%1,"_s.arg(number));
}

bool TOperator::RequireRight(int number, bool abort) const
{
    if (HasRight(number))
        return true;
    Notifier().Info(u"对不起,您没有该功能的操作权限,请与管理员联系(%1)."_s.arg(number));
    if (abort)
        throw EAbort();
    return false;
}

TOperator& CurrentOperator()
{
    static TOperator current;
    return current;
}
