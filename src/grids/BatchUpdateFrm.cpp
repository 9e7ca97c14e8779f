#include "grids/BatchUpdateFrm.h"

#include "app/LwComboBox.h"
#include "app/LwEdit.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TBatchUpdateFrm::TBatchUpdateFrm(QWidget* parent) : TADlgFrm(parent)
{
    setObjectName(u"BatchUpdateFrm"_s);
    setWindowTitle(u"修改"_s);
    SetPosition(TPosition::CenterMain);
    OkBtn1()->setText(u"确定"_s);
    CancelBtn1()->setText(u"取消"_s);
    HelpBtn1()->hide();

    auto* group = new QGroupBox(u"批量更新"_s, Body());
    m_items = new TlwComboBox(group);
    m_items->setObjectName(u"ItemCombo1"_s);
    m_items->setMinimumWidth(200);
    m_value = new TlwEdit(group);
    m_value->setObjectName(u"ValueEdit1"_s);
    auto* form = new QFormLayout(group);
    form->addRow(u"项目"_s, m_items);
    form->addRow(u"值为"_s, m_value);
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(group);
}

void TBatchUpdateFrm::AddItem(const QString& label, const QString& fieldName)
{
    m_items->addItem(label);
    m_fields.append(fieldName);
    m_items->setCurrentIndex(-1);
}

QString TBatchUpdateFrm::FieldName() const
{
    const int index = m_items->currentIndex();
    return index >= 0 && index < m_fields.size() ? m_fields.at(index) : QString();
}

QString TBatchUpdateFrm::Value() const
{
    return m_value->text();
}

bool TBatchUpdateFrm::CloseQuery()
{
    if (m_items->currentIndex() >= 0)
        return true;
    m_items->setFocus();
    return false;
}
