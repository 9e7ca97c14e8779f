#pragma once

#include "app/WinFrm.h"

class TLwDataSet;
class TlwDBGrid;

// A work window that shows one data set in a list grid under a toolbar of the grid's commands
// (sort, filter, exports, column settings). Used wherever a plain list is all a window needs.
class TGridViewFrm : public TWinFrm
{
    Q_OBJECT

public:
    TGridViewFrm(TLwDataSet* dataSet, int layoutId, QWidget* parent = nullptr);

    // Opens a window titled `caption` on `dataSet` (not owned; it must outlive the window), with the
    // layout stored under `layoutId` when it is above 0. The window frees itself when closed.
    static TGridViewFrm* Open(TLwDataSet* dataSet, const QString& caption, int layoutId = 0, QWidget* parent = nullptr);

    TlwDBGrid* Grid1() const { return m_grid; }

private:
    TlwDBGrid* m_grid = nullptr;
};
