#pragma once

#include "app/aFrm.h"

class QPushButton;
class QVBoxLayout;

// Base of modal dialogs: the content above a line, "确定(&O)", "取消" (also Escape) and "帮助" below.
// Derived dialogs check their input in CloseQuery, which keeps the dialog open while it is wrong.
class TADlgFrm : public TaFrm
{
    Q_OBJECT

public:
    explicit TADlgFrm(QWidget* parent = nullptr);

    // The area above the line; derived dialogs give it their layout.
    QWidget* Body() const { return m_body; }
    QPushButton* OkBtn1() const { return m_ok; }
    QPushButton* CancelBtn1() const { return m_cancel; }
    QPushButton* HelpBtn1() const { return m_help; }

    // Closes with OK when CloseQuery allows it.
    void accept() override;

protected:
    // Asked before the dialog closes with OK; show what is wrong, focus it and return false to stay.
    virtual bool CloseQuery() { return true; }

private:
    QWidget* m_body = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_help = nullptr;
};
