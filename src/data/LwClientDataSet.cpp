#include "data/LwClientDataSet.h"

#include <algorithm>

TLwClientDataSet::TLwClientDataSet() : m_dataSet(std::make_unique<TLwDataSet>()) {}

TLwClientDataSet::~TLwClientDataSet() = default;

TField& TLwClientDataSet::AddField(TFieldType type, const QString& name, bool visible, const QString& label)
{
    return m_dataSet->AddField(type, name, -1, visible, label);
}

TField& TLwClientDataSet::AddFieldDef(TFieldType type, const QString& name, int size, bool visible,
                                      const QString& label)
{
    TField& field = m_dataSet->AddField(type, name, -1, visible, label);
    if (size > 20)
        field.Size = std::min(size, 140);
    return field;
}

void TLwClientDataSet::CreateDataSet()
{
    m_dataSet->CreateDataSet();
}
