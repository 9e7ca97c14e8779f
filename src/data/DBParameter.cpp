#include "data/DBParameter.h"

TDBParameter MakeParam(const QString& name, const QVariant& value)
{
    return TDBParameter{name, value};
}

TDBParameter MakeNullParam(const QString& name)
{
    return TDBParameter{name, QVariant()};
}
