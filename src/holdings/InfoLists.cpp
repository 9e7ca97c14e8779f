#include "holdings/InfoLists.h"

#include "app/Commands.h"
#include "app/MessageHelpers.h"
#include "data/LwDataSet.h"
#include "data/Notifier.h"
#include "holdings/PublisherEditFrm.h"
#include "holdings/ReaderskindEditFrm.h"

using namespace Qt::StringLiterals;

namespace {

// Asked before a row goes, and only when there is one.
bool confirmRowDelete(TLwDataSet* rows)
{
    if (!rows || !rows->Active() || rows->IsEmpty())
        return false;
    return Notifier().Confirm(u"\r\n确定要删除记录吗?\t"_s);
}

} // namespace

void MirrorRow(TLwDataSet& rows, int id, const std::function<void()>& write)
{
    if (rows.Locate(u"Id"_s, id))
        rows.Edit();
    else
        rows.Append();
    write();
    rows.Post();
}

TPublisherList::TPublisherList()
{
    m_set.OpenAll();
}

void TPublisherList::edit(RPublisher record, QWidget* parent)
{
    EditPublisher(
        record,
        [this](RPublisher& saved) {
            if (!TPublisherSet::Save(saved))
                return false;
            MirrorRow(*m_set.DataSet(), saved.Id, [&] { m_set.AsData(saved); });
            return true;
        },
        parent);
}

void TPublisherList::Add(QWidget* parent)
{
    edit(RPublisher(), parent);
}

void TPublisherList::Edit(QWidget* parent)
{
    if (RequireActive(m_set.DataSet()) && !m_set.DataSet()->IsEmpty())
        edit(m_set.AsData(), parent);
}

void TPublisherList::Delete(QWidget*)
{
    if (!confirmRowDelete(m_set.DataSet()))
        return;
    if (TPublisherSet::Delete(m_set.AsData().Id))
        m_set.DataSet()->Delete();
}

bool TPublisherList::Pick()
{
    const TLwDataSet* rows = m_set.DataSet();
    return m_pick && rows->Active() && !rows->IsEmpty() && m_pick(m_set.AsData());
}

TReaderskindList::TReaderskindList()
{
    m_set.OpenAll();
}

void TReaderskindList::edit(RReaderskind record, QWidget* parent)
{
    EditReaderskind(
        record,
        [this](RReaderskind& saved) {
            if (!TReaderskindSet::Save(saved))
                return false;
            MirrorRow(*m_set.DataSet(), saved.Id, [&] { m_set.SetAsData(saved); });
            return true;
        },
        parent);
}

void TReaderskindList::Add(QWidget* parent)
{
    edit(RReaderskind(), parent);
}

void TReaderskindList::Edit(QWidget* parent)
{
    if (RequireActive(m_set.DataSet()) && !m_set.DataSet()->IsEmpty())
        edit(m_set.AsData(), parent);
}

void TReaderskindList::Delete(QWidget*)
{
    if (!confirmRowDelete(m_set.DataSet()))
        return;
    if (TReaderskindSet::Delete(m_set.AsData().Id))
        m_set.DataSet()->Delete();
}

bool TReaderskindList::Pick()
{
    const TLwDataSet* rows = m_set.DataSet();
    return m_pick && rows->Active() && !rows->IsEmpty() && m_pick(m_set.AsData());
}

void TReaderskindList::Refresh()
{
    m_set.Requery();
}

void TReaderskindList::Print(QWidget*)
{
    // Printing arrives with the report templates.
    InfoBox(LaterText());
}

bool TReaderskindList::Import(QWidget*)
{
    InfoBox(u"不支持数据导入功能, 请添加录入"_s);
    return false;
}
