#pragma once

#include "app/ADlgFrm.h"

class TOperator;
class TlwEdit;

// The password change dialog: the operator's name, the current password and the new one twice.
// OK is refused while the two new passwords differ.
class TPasswordChangerFrm : public TADlgFrm
{
    Q_OBJECT

public:
    explicit TPasswordChangerFrm(QWidget* parent = nullptr);

    void SetLoginId(const QString& login);
    QString CurrentPassword() const;
    QString NewPassword() const;

    TlwEdit* edtLoginId1() const { return m_login; }
    TlwEdit* edtPassword1() const { return m_current; }
    TlwEdit* edtNewPassword1() const { return m_new1; }
    TlwEdit* edtNewPassword2() const { return m_new2; }

protected:
    bool CloseQuery() override;

private:
    TlwEdit* m_login = nullptr;
    TlwEdit* m_current = nullptr;
    TlwEdit* m_new1 = nullptr;
    TlwEdit* m_new2 = nullptr;
};

// The File menu's "更改密码" for `op`: asks until the current password is right and the new one is
// stored, or the operator cancels. True when the password was changed.
bool ChangePassword(TOperator& op, QWidget* parent = nullptr);
