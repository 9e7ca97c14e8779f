#pragma once

#include "holdings/PublisherSet.h"
#include "holdings/ReaderskindSet.h"
#include "holdings/ViewList.h"

#include <functional>

// The publishers as a list window shows them.
class TPublisherList : public IViewList
{
public:
    TPublisherList();
    TPublisherSet& Set() { return m_set; }
    // Called by Pick with the current publisher; without one nothing can be picked.
    void SetOnPick(std::function<bool(const RPublisher&)> pick) { m_pick = std::move(pick); }

    TLwDataSet* DataSet() const override { return m_set.DataSet(); }
    void Add(QWidget* parent) override;
    void Edit(QWidget* parent) override;
    void Delete(QWidget* parent) override;
    void Refresh() override {}
    void Print(QWidget*) override {}
    bool Import(QWidget*) override { return false; }
    bool Pick() override;

private:
    void edit(RPublisher record, QWidget* parent);
    TPublisherSet m_set;
    std::function<bool(const RPublisher&)> m_pick;
};

// The reader kinds as a list window shows them.
class TReaderskindList : public IViewList
{
public:
    TReaderskindList();
    TReaderskindSet& Set() { return m_set; }
    // Called by Pick with the current kind; without one nothing can be picked.
    void SetOnPick(std::function<bool(const RReaderskind&)> pick) { m_pick = std::move(pick); }

    TLwDataSet* DataSet() const override { return m_set.DataSet(); }
    void Add(QWidget* parent) override;
    void Edit(QWidget* parent) override;
    void Delete(QWidget* parent) override;
    void Refresh() override;
    void Print(QWidget* parent) override;
    bool Import(QWidget* parent) override;
    bool Pick() override;

private:
    void edit(RReaderskind record, QWidget* parent);
    TReaderskindSet m_set;
    std::function<bool(const RReaderskind&)> m_pick;
};

// Puts `id`'s row into the open rows: the row with that Id is edited, or a new one appended; `write`
// then fills it. Only the client rows change.
void MirrorRow(TLwDataSet& rows, int id, const std::function<void()>& write);
