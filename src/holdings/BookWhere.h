#pragma once

#include "holdings/HoldingWhere.h"

// The conditions of a book search, in the order the search applies them.
class TBookWhere : public THoldingWhere
{
    Q_OBJECT

public:
    TBookWhere();
};
