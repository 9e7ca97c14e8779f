#pragma once

#include "app/ADlgFrm.h"

#include <QStringList>

class QLabel;
class TlwComboBox;
class TlwEdit;

// The login dialog: a login name from the drop-down (the last one used, or "sa") and a password.
// OK closes only for a name and password that match; CurrentOperator is then that operator.
class TLoginFrm : public TADlgFrm
{
    Q_OBJECT

public:
    explicit TLoginFrm(QWidget* parent = nullptr);

    TlwComboBox* edtLoginId1() const { return m_loginId; }
    TlwEdit* edtPassword1() const { return m_password; }

    // Decides who works with the program. At the first login, three command-line arguments (the
    // program's name not counted) are tried as login name and password first; otherwise, or when
    // they do not match, the dialog asks. After a login with an empty password the operator is
    // reminded to set one. False when the dialog was cancelled: CurrentOperator is then unchanged.
    static bool Login(bool first, const QStringList& arguments, QWidget* parent = nullptr);
    // The same with the program's own command line.
    static bool Login(bool first, QWidget* parent = nullptr);

protected:
    bool CloseQuery() override;

private:
    TlwComboBox* m_loginId = nullptr;
    TlwEdit* m_password = nullptr;
};
