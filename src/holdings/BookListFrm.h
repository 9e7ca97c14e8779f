#pragma once

#include "holdings/BookSet.h"
#include "holdings/HoldingList.h"
#include "holdings/HoldingListFrm.h"

// The books as the list windows show them.
using TBookList = THoldingList<TBookSet, RBook>;

// The book list window "图书资料".
class TBookListFrm : public THoldingListFrm
{
    Q_OBJECT

public:
    explicit TBookListFrm(QWidget* parent = nullptr);

    TBookList& BookList() const { return static_cast<TBookList&>(*List()); }

    // The main window's command: a new window, shown.
    static TBookListFrm* ShowBooks(QWidget* parent = nullptr);
};
