#include "app/MessageHelpers.h"

#include "data/LwDataSet.h"
#include "data/Notifier.h"

using namespace Qt::StringLiterals;

void InfoBox(const QString& text)
{
    Notifier().Info(text);
}

bool ConfirmDelete(const QString& what)
{
    return Notifier().Confirm(u"\r您确定要删除 %1 吗?\t\t"_s.arg(what.isEmpty() ? u"当前记录"_s : what));
}

bool RequireActive(const TLwDataSet* dataSet)
{
    if (dataSet && dataSet->Active())
        return true;
    InfoBox(u"\r\n系统提示：请先打开数据集再操作."_s);
    return false;
}
