#pragma once

#include "data/SqlSet.h"

#include <QObject>

// Base of the tables kept in memory as they are in the database; writes are mirrored into the
// open rows so the grids need no reread.
class TRecordSet : public QObject, public TSqlSet
{
    Q_OBJECT

public:
    // The owner is ignored: whoever creates a record set owns it.
    explicit TRecordSet(QObject* owner = nullptr);

    void Requery();
    // Client copy only: neither touches the database.
    virtual void DeleteCurrent();
    virtual void DeleteAll();
};

// The scratch set for one-off queries (highest identifiers, existence tests, single-row reads);
// each use closes the previous result.
TRecordSet& SharedRecordSet();
