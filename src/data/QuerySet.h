#pragma once

#include "data/SqlSet.h"

// Base of read-only result sets of joins and searches.
class TQuerySet : public TSqlSet
{
public:
    TQuerySet();

    // Declared fields of a query show 75 characters wide unless a layout says otherwise.
    TField& AddField(TFieldType type, const QString& name, int size, bool visible, const QString& label) override;
    // Reopens and goes back to the row whose `keyField` had the current value; with no key field
    // the first row becomes current.
    void Requery(const QString& keyField = QString());
};
