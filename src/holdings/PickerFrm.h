#pragma once

#include "app/ADlgFrm.h"

#include <functional>

class QPushButton;
class TLwDataSet;
class TlwDBGrid;
class TlwEdit;

// The pick window "选择": a list's rows in a grid, narrowed by typing into "搜索一下"; OK or a double
// click picks the current row.
class TPickerFrm : public TADlgFrm
{
    Q_OBJECT

public:
    // Called with the data set on the row to pick; false keeps the window open.
    using TPick = std::function<bool(TLwDataSet& dataSet)>;

    TPickerFrm(TLwDataSet* dataSet, int layoutId, QWidget* parent = nullptr);
    ~TPickerFrm() override;

    void SetOnPick(TPick pick) { m_pick = std::move(pick); }
    TlwEdit* edtSearch1() const { return m_search; }
    TlwDBGrid* DBGrid1() const { return m_grid; }

    // Keeps the rows where some text field contains `text` (letter case ignored); blank shows all.
    static void FilterByKeyword(TLwDataSet& dataSet, const QString& text);

protected:
    bool CloseQuery() override;

private:
    TLwDataSet* m_dataSet = nullptr;
    TlwDBGrid* m_grid = nullptr;
    TlwEdit* m_search = nullptr;
    TPick m_pick;
};

// Shows the pick window on `dataSet` with the grid layout `layoutId`; true when a row was picked, the
// data set then standing on it. `pick`, when given, decides whether the current row may be picked.
bool PickFromList(TLwDataSet* dataSet, int layoutId, const TPickerFrm::TPick& pick = {}, QWidget* parent = nullptr);
