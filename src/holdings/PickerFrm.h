#pragma once

#include "app/ADlgFrm.h"

#include <functional>

class IViewList;
class QPushButton;
class TLwDataSet;
class TlwDBGrid;
class TlwEdit;

// The pick window "选择": a list's rows in a grid, narrowed by typing into "搜索一下"; OK or a double
// click picks the current row. Given the list itself, the window also offers its add, edit and
// delete: "新增", and the grid's popup menu (also under "设置 ▼") extended with them.
class TPickerFrm : public TADlgFrm
{
    Q_OBJECT

public:
    // Called with the data set on the row to pick; false keeps the window open.
    using TPick = std::function<bool(TLwDataSet& dataSet)>;

    TPickerFrm(TLwDataSet* dataSet, int layoutId, QWidget* parent = nullptr);
    // Over `list`'s rows (dataSet is the set the list shows); the list's Pick decides the pick.
    TPickerFrm(IViewList* list, TLwDataSet* dataSet, int layoutId, QWidget* parent = nullptr);
    ~TPickerFrm() override;

    void SetOnPick(TPick pick) { m_pick = std::move(pick); }
    QPushButton* NewBtn1() const { return m_new; }
    QPushButton* SetupBtn1() const { return m_setup; }
    TlwEdit* edtSearch1() const { return m_search; }
    TlwDBGrid* DBGrid1() const { return m_grid; }

    // Keeps the rows where some text field contains `text` (letter case ignored); blank shows all.
    static void FilterByKeyword(TLwDataSet& dataSet, const QString& text);

protected:
    bool CloseQuery() override;

private:
    void addListCommands();

    IViewList* m_list = nullptr;
    TLwDataSet* m_dataSet = nullptr;
    QPushButton* m_new = nullptr;
    QPushButton* m_setup = nullptr;
    TlwDBGrid* m_grid = nullptr;
    TlwEdit* m_search = nullptr;
    TPick m_pick;
};

// Shows the pick window on `dataSet` with the grid layout `layoutId`; true when a row was picked, the
// data set then standing on it. `pick`, when given, decides whether the current row may be picked.
bool PickFromList(TLwDataSet* dataSet, int layoutId, const TPickerFrm::TPick& pick = {}, QWidget* parent = nullptr);
// Shows the pick window over `list` (its rows `dataSet`); true when the list's Pick accepted a row.
// A list without a pick callback keeps the window open until it is cancelled.
bool PickFromList(IViewList* list, TLwDataSet* dataSet, int layoutId, QWidget* parent = nullptr);
