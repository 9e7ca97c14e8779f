#include "holdings/ReaderList.h"

#include "app/Commands.h"
#include "app/MessageHelpers.h"
#include "data/LwDataSet.h"
#include "data/Notifier.h"
#include "holdings/InfoLists.h"
#include "holdings/PickerFrm.h"
#include "holdings/ReaderEditFrm.h"

using namespace Qt::StringLiterals;

TReaderList::TReaderList() = default;

bool TReaderList::SaveReader(RReader& reader)
{
    if (!TReaderSet::Save(reader))
        return false;
    if (m_set.DataSet()->Active())
        MirrorRow(*m_set.DataSet(), reader.Id, [&] { m_set.SetAsData(reader); });
    return true;
}

void TReaderList::edit(const RReader& reader, QWidget* parent)
{
    RReader record = reader;
    EditReader(
        record, [this](RReader& saved) { return SaveReader(saved); }, parent);
}

void TReaderList::Add(QWidget* parent)
{
    edit(RReader::New(), parent);
}

void TReaderList::Edit(QWidget* parent)
{
    if (RequireActive(m_set.DataSet()) && !m_set.DataSet()->IsEmpty())
        edit(m_set.AsData(), parent);
}

void TReaderList::Delete(QWidget*)
{
    TLwDataSet* rows = m_set.DataSet();
    if (!rows || !rows->Active() || rows->IsEmpty())
        return;
    const int id = m_set.AsData().Id;
    // A reader who still has books out or fines to pay is named with both, so the operator does not
    // lose track of them by accident; one who owes nothing gets the plain question.
    QString question = TReaderSet::DeleteQuestion(id);
    if (question.isEmpty())
        question = u"\r\n确定要删除记录吗?\t"_s;
    if (!Notifier().Confirm(question))
        return;
    if (TReaderSet::Delete(id))
        rows->Delete();
}

void TReaderList::Refresh()
{
    m_set.Requery();
}

void TReaderList::Print(QWidget*)
{
    // Printing arrives with the report templates.
    InfoBox(LaterText());
}

bool TReaderList::Import(QWidget*)
{
    // The reader importer arrives with the data import.
    InfoBox(LaterText());
    return false;
}

bool TReaderList::Pick()
{
    if (!m_pick || !m_set.DataSet()->Active() || m_set.DataSet()->IsEmpty())
        return false;
    return m_pick(m_set.AsData());
}

bool PickReader(RReader& reader, QWidget* parent)
{
    TReaderList list;
    list.SetOnPick([&reader](const RReader& picked) {
        reader = picked;
        return true;
    });
    list.Search();
    return PickFromList(
        list.DataSet(), 1010, [&list](TLwDataSet&) { return list.Pick(); }, parent);
}
