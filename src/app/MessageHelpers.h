#pragma once

#include <QString>

class TLwDataSet;

// The message helpers every window uses. They reach the operator through Notifier(), so core code
// may call them too and tests read the exact texts.

// An information box with OK. The box itself adds the spacing (a blank first line, a trailing tab).
void InfoBox(const QString& text);
// "您确定要删除 <what> 吗?" with OK and Cancel ("当前记录" when `what` is empty); true for OK.
bool ConfirmDelete(const QString& what = QString());
// False, after telling the operator to open the data first, when `dataSet` is closed or missing.
bool RequireActive(const TLwDataSet* dataSet);
