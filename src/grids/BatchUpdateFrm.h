#pragma once

#include "app/ADlgFrm.h"

#include <QStringList>

class TlwComboBox;
class TlwEdit;

// "修改" with the group "批量更新": the column to change ("项目", a fixed list) and the value
// ("值为"). OK stays refused until a column is chosen.
class TBatchUpdateFrm : public TADlgFrm
{
    Q_OBJECT

public:
    explicit TBatchUpdateFrm(QWidget* parent = nullptr);

    // Offers `label` for the field `fieldName`.
    void AddItem(const QString& label, const QString& fieldName);
    // The chosen field's name (empty when none) and the entered text.
    QString FieldName() const;
    QString Value() const;

    TlwComboBox* ItemCombo1() const { return m_items; }
    TlwEdit* ValueEdit1() const { return m_value; }

protected:
    bool CloseQuery() override;

private:
    TlwComboBox* m_items = nullptr;
    TlwEdit* m_value = nullptr;
    QStringList m_fields;
};
