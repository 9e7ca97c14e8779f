#pragma once

#include "holdings/HoldingWhere.h"

// The conditions of a journal search, in the order the search applies them.
class TJournalWhere : public THoldingWhere
{
    Q_OBJECT

public:
    TJournalWhere();
};
