#include "data/RecordSet.h"

TRecordSet::TRecordSet(QObject* /*owner*/) : QObject(nullptr) {}

void TRecordSet::Requery()
{
    if (Active())
        reopen();
}

void TRecordSet::DeleteCurrent()
{
    if (Active() && !DataSet()->IsEmpty())
        DataSet()->Delete();
}

void TRecordSet::DeleteAll()
{
    if (!Active())
        return;
    DataSet()->DisableControls();
    while (!DataSet()->IsEmpty()) {
        DataSet()->First();
        DataSet()->Delete();
    }
    DataSet()->EnableControls();
}

TRecordSet& SharedRecordSet()
{
    static TRecordSet shared;
    return shared;
}
