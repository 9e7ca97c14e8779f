#pragma once

#include "circulation/BookPickFrm.h"
#include "holdings/JournalListFrm.h"

// The journal picker of the loan and write-off windows.
class TJourPickFrm : public TTitlePickFrm
{
    Q_OBJECT

public:
    using TOnPick = std::function<bool(const RJournal& journal)>;

    TJourPickFrm(TOnPick onPick, QWidget* parent = nullptr);

    TJournalList& List() const { return static_cast<TJournalList&>(list()); }
    // As TBookPickFrm::Pick, for journals.
    static bool Pick(TOnPick onPick, QWidget* parent = nullptr);
};
