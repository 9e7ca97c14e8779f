#pragma once

#include "app/Commands.h"
#include "app/MessageHelpers.h"
#include "data/LwDataSet.h"
#include "data/Notifier.h"
#include "holdings/HoldingSet.h"
#include "holdings/InfoLists.h"
#include "holdings/ViewList.h"

#include <functional>

class QWidget;

// A list of titles as the list windows drive it: the set with its search, and the commands on its
// rows. The window needs only this face; THoldingList below fills it in for books or journals.
class THoldingListBase : public IViewList
{
public:
    virtual THoldingSet& HoldingSet() = 0;
    virtual const THoldingSet& HoldingSet() const = 0;
    TLwDataSet* DataSet() const override { return HoldingSet().DataSet(); }
};

// The list over one kind of title. `S` is the set (TBookSet, TJournalSet) and `R` its record; the
// edit dialog is given as a function so one body serves both kinds.
template <typename S, typename R> class THoldingList : public THoldingListBase
{
public:
    static QString SaveFailedText() { return QStringLiteral("保存失败: 该记录已不存在, 可能已被其他工作站删除."); }
    static QString GoneText() { return QStringLiteral("该记录已不存在, 可能已被其他工作站删除."); }

    using TSave = std::function<bool(R& record)>;
    using TEditor = std::function<bool(R& record, TSave save, QWidget* parent)>;
    using TPickCallback = std::function<bool(const R& record)>;

    explicit THoldingList(TEditor editor) : m_editor(std::move(editor)) {}

    S& Set() { return m_set; }
    THoldingSet& HoldingSet() override { return m_set; }
    const THoldingSet& HoldingSet() const override { return m_set; }
    void SetOnPick(TPickCallback pick) { m_pick = std::move(pick); }

    // A new title starts with one copy in the library.
    void Add(QWidget* parent) override
    {
        R record;
        record.QtyLib = 1;
        record.QtyTotal = 1;
        edit(record, parent);
    }

    // With no row to change the dialog opens empty and its OK adds a title.
    void Edit(QWidget* parent) override
    {
        const TLwDataSet* rows = DataSet();
        edit(rows->Active() && !rows->IsEmpty() ? m_set.AsData() : R(), parent);
    }

    // Copies still out are named in the question, so nobody removes a lent title unawares; the
    // delete itself goes ahead on OK and the loans keep the removed Id.
    void Delete(QWidget*) override
    {
        TLwDataSet* rows = DataSet();
        if (!rows->Active() || rows->IsEmpty())
            return;
        const int id = rows->AsInteger(QStringLiteral("Id"));
        const int out = S::OpenLoans(id);
        const QString question = out > 0 ? S::OpenLoansQuestion(out) : QStringLiteral("\r\n确定要删除记录吗?\t");
        if (!Notifier().Confirm(question))
            return;
        // a title already removed elsewhere goes from the list too, with a word about it
        const bool deleted = S::Delete(id);
        if (rows->Locate(QStringLiteral("Id"), id))
            rows->Delete();
        if (!deleted)
            InfoBox(GoneText());
    }

    void Refresh() override { m_set.Requery(); }

    // Printing and importing arrive with the report templates and the importers.
    void Print(QWidget*) override { InfoBox(LaterText()); }
    bool Import(QWidget*) override
    {
        InfoBox(LaterText());
        return false;
    }

    bool Pick() override
    {
        const TLwDataSet* rows = DataSet();
        if (!m_pick || !rows->Active() || rows->IsEmpty())
            return false;
        return m_pick(m_set.AsData());
    }

private:
    void edit(R record, QWidget* parent)
    {
        m_editor(
            record,
            [this](R& saved) {
                // no row changed: the title went from another workstation while the dialog was open
                if (!S::Save(saved)) {
                    InfoBox(SaveFailedText());
                    return false;
                }
                TLwDataSet* rows = DataSet();
                // rows not yet searched have nothing to show the title in
                if (rows->Active())
                    MirrorRow(*rows, saved.Id, [&] { m_set.AsData(withTotal(saved)); });
                return true;
            },
            parent);
    }

    static R withTotal(R record)
    {
        record.QtyTotal = record.QtyLib + record.QtyLoan + record.QtyOff;
        return record;
    }

    S m_set;
    TEditor m_editor;
    TPickCallback m_pick;
};
