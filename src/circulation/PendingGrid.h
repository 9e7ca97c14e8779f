#pragma once

#include <QString>
#include <functional>

class QWidget;
class TLwDataSet;
class TLwGrid;
class TlwGridcx;

// What the loan, return and renewal windows share around their pending lists.

// A grid filling `panel` over a pending list, with its stored layout, the popup item "去除" that
// removes the current row of a non-empty list (then `removed` runs), and, when `footerField` is
// given, a footer total over that column.
TlwGridcx* CreatePendingGrid(QWidget* panel, TLwDataSet* rows, int layoutId, const QString& footerField = QString(),
                             std::function<void()> removed = {});

// Gives the grid's columns widths for what they hold rather than their 50-character size, so a list
// reads with every column in view; for grids whose operator has stored no layout of their own.
void FitGridColumns(TLwGrid& grid);

// The sum of a numeric column over every row of a list; empty values count as 0.
double ColumnTotal(const TLwDataSet& rows, const QString& field);

// Deletes every row of a pending list.
void EmptyList(TLwDataSet& rows);

// Runs a window's step: a database error is shown in an error box, and a step already reported to
// the operator (a failed select) ends quietly. False when the step did not finish.
bool RunGuarded(const std::function<void()>& step);

// Runs one list's save under the wait cursor; when it fails, its message (or the database error) is
// shown in an error box. True when the save wrote the list.
bool RunSave(const std::function<bool(QString& message)>& save);

// The wait cursor for as long as it lives.
class TWaitCursor
{
public:
    TWaitCursor();
    ~TWaitCursor();
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};
