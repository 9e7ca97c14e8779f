#pragma once

#include "app/ADlgFrm.h"
#include "circulation/LoanWhere.h"

#include <QHash>
#include <QPair>
#include <memory>

class QComboBox;
class QWidget;

// The advanced find "高级查找" of the loan query, for books or for journals: every condition of the
// condition row in one dialog, read into the dialog's own condition row when it closes with OK.
class TLoanQueryAdvFrm : public TADlgFrm
{
    Q_OBJECT

public:
    explicit TLoanQueryAdvFrm(TLoanKind kind, QWidget* parent = nullptr);
    ~TLoanQueryAdvFrm() override;

    TLoanKind Kind() const { return m_kind; }
    // The conditions as the dialog last read them.
    const TLoanWhere& Where() const { return *m_where; }
    // The control that fills condition `field` ("BookCode", "Overdays2", ...); nullptr when none does.
    QWidget* Control(const QString& field) const { return m_controls.value(field); }

protected:
    bool CloseQuery() override;

private:
    TLoanKind m_kind;
    std::unique_ptr<TLoanWhere> m_where;
    QHash<QString, QWidget*> m_controls;
};
