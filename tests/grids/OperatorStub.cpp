// TEMPORARY: the little of the operator class the grid tests use, until src/project/Operator.cpp
// lands; CMake compiles this file only while that one is missing.
#include "project/Operator.h"

#include "data/DbError.h"
#include "data/Notifier.h"

using namespace Qt::StringLiterals;

bool TOperator::LoadByLoginId(const QString&)
{
    return false;
}

bool TOperator::CheckPassword(const QString&)
{
    return false;
}

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

void TOperator::StorePassword(const QString&) {}

QString TOperator::RightsText(const QList<int>& rights)
{
    QString text;
    for (const int right : rights)
        text += u",%1,"_s.arg(right);
    return text;
}

TOperator& CurrentOperator()
{
    static TOperator current;
    return current;
}
