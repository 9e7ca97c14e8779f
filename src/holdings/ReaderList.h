#pragma once

#include "holdings/ReaderSet.h"
#include "holdings/ViewList.h"

#include <functional>

// The readers as the reader list window and the reader pick window show them, with the commands on
// them: the reader dialog for adding and editing, deleting with the reader's debts named, refreshing.
class TReaderList : public IViewList
{
public:
    // Given the picked reader; false refuses the pick.
    using TPickReader = std::function<bool(const RReader& reader)>;

    TReaderList();

    TReaderSet& Set() { return m_set; }
    TReaderWhere& Where() const { return m_set.Where(); }
    // Opens the readers that meet Where().
    void Search() { m_set.Search(); }
    void SetOnPick(TPickReader pick) { m_pick = std::move(pick); }

    TLwDataSet* DataSet() const override { return m_set.DataSet(); }
    void Add(QWidget* parent) override;
    void Edit(QWidget* parent) override;
    // Asks first, naming open loans and unpaid fines when the reader still has any; removes the row
    // once the reader is deleted.
    void Delete(QWidget* parent) override;
    void Refresh() override;
    void Print(QWidget* parent) override;
    bool Import(QWidget* parent) override;
    // Hands the current reader to the pick callback; without one nothing is picked.
    bool Pick() override;

    // What the reader dialog calls on OK: stores the reader and shows it in the open rows.
    bool SaveReader(RReader& reader);

private:
    void edit(const RReader& reader, QWidget* parent);

    TReaderSet m_set;
    TPickReader m_pick;
};

// The reader pick window (layout 1010) over every reader; true when one was picked into `reader`.
bool PickReader(RReader& reader, QWidget* parent = nullptr);
