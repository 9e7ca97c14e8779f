#pragma once

#include "holdings/JournalSet.h"
#include "holdings/HoldingEditFrm.h"

#include <functional>

// The journal dialog "书刊资料": every field of one title, saved through the caller's callback.
class TJournalEditFrm : public THoldingEditFrm
{
    Q_OBJECT

public:
    // Stores the entered journal; returns whether it was stored (the dialog stays open otherwise).
    using TSaveCallback = std::function<bool(RJournal& record)>;

    TJournalEditFrm(const RJournal& record, TSaveCallback save, QWidget* parent = nullptr);

    // The record as the fields hold it; raises EConvertError for a counter that is not a number.
    RJournal Record() const;

protected:
    bool CloseQuery() override;

private:
    RJournal m_record;
    TSaveCallback m_save;
};

// Opens the journal dialog modally on `record`; without a callback the journal is saved with
// TJournalSet::Save. True when it closed with OK; `record` then holds what was stored.
bool EditJournal(RJournal& record, TJournalEditFrm::TSaveCallback save = {}, QWidget* parent = nullptr);
