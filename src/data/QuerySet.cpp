#include "data/QuerySet.h"

TQuerySet::TQuerySet() = default;

TField& TQuerySet::AddField(TFieldType type, const QString& name, int size, bool visible, const QString& label)
{
    TField& field = TSqlSet::AddField(type, name, size, visible, label);
    field.DisplayWidth = 75;
    return field;
}

void TQuerySet::Requery(const QString& keyField)
{
    if (!Active())
        return;
    const QVariant key = keyField.isEmpty() ? QVariant() : DataSet()->Value(keyField);
    reopen();
    if (!keyField.isEmpty() && !key.isNull())
        DataSet()->Locate(keyField, key);
}
