#pragma once

#include "data/QuerySet.h"

#include <QList>
#include <QString>

// One reader state: 1 normal, 2 reported lost, 3 disabled; the names come from the table.
struct RReaderstate
{
    int Id = 0;
    QString Name;
};

// The fixed rows of table readerstate, for the state drop-downs.
class TReaderstateSet : public TQuerySet
{
public:
    TReaderstateSet();

    // Every state, by Id.
    void OpenAll();
    RReaderstate AsData() const;

    // Every state as records, by Id.
    static QList<RReaderstate> LoadAll();
};
