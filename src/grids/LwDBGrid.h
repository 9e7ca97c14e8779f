#pragma once

#include "grids/LwGrid.h"

// The list face of the enhanced grid: whole rows selected (several at once), a marker at the
// current row, the four arrow keys as its only keys, and menus for the window's toolbar buttons.
class TlwDBGrid : public TLwGrid
{
    Q_OBJECT

public:
    explicit TlwDBGrid(QWidget* parent = nullptr);

    // The id the layout is stored under; setting it loads that layout at once. Up to 0 the Tag
    // is used instead.
    int LayoutId() const { return m_layoutId; }
    void SetLayoutId(int id);

    // A new menu (owned by the grid's window) with the two direct exports, for an export button.
    QMenu* NewExportMenu();
    // A new menu (owned by the grid's window) with column choice and layout saving, for a settings button.
    QMenu* NewSettingsMenu();

protected:
    int layoutStoreId() const override { return m_layoutId > 0 ? m_layoutId : Tag(); }

private:
    int m_layoutId = 0;
};
