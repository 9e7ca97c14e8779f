#pragma once

#include "holdings/BookSet.h"
#include "holdings/HoldingEditFrm.h"

#include <functional>

// The book dialog "图书资料": every field of one title, saved through the caller's callback.
class TBookEditFrm : public THoldingEditFrm
{
    Q_OBJECT

public:
    // Stores the entered book; returns whether it was stored (the dialog stays open otherwise).
    using TSaveCallback = std::function<bool(RBook& record)>;

    TBookEditFrm(const RBook& record, TSaveCallback save, QWidget* parent = nullptr);

    // The record as the fields hold it; raises EConvertError for a counter that is not a number.
    RBook Record() const;

protected:
    bool CloseQuery() override;

private:
    RBook m_record;
    TSaveCallback m_save;
};

// Opens the book dialog modally on `record`; without a callback the book is saved with
// TBookSet::Save. True when it closed with OK; `record` then holds what was stored.
bool EditBook(RBook& record, TBookEditFrm::TSaveCallback save = {}, QWidget* parent = nullptr);
