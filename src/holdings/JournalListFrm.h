#pragma once

#include "holdings/HoldingList.h"
#include "holdings/HoldingListFrm.h"
#include "holdings/JournalSet.h"

// The journals as the list windows show them.
using TJournalList = THoldingList<TJournalSet, RJournal>;

// The journal list window "期刊资料".
class TJournalListFrm : public THoldingListFrm
{
    Q_OBJECT

public:
    explicit TJournalListFrm(QWidget* parent = nullptr);

    TJournalList& JournalList() const { return static_cast<TJournalList&>(*List()); }

    // The main window's command: a new window, shown.
    static TJournalListFrm* ShowJournals(QWidget* parent = nullptr);
};
