#pragma once

#include "data/CustomWhere.h"

#include <QDateTime>

// Which loans a loan query reads: the book loans or the journal loans.
enum class TLoanKind {
    Book,
    Journal,
};

// The conditions of the loan queries: one condition row shared by the book and the journal query
// (so the advanced dialog's row copies into the window's row field by field), built in the order
// the chosen query checks them.
class TLoanWhere : public TCustomWhere
{
    Q_OBJECT

public:
    TLoanWhere();

    // The " where ..." text and its values for the book or the journal query. "Now" is read once from
    // the business clock and bound, so every day bound of one search stands on the same moment.
    TSearchText BuildFor(TLoanKind kind) const;
    TSearchText BuildFor(TLoanKind kind, const QDateTime& now) const;
};
