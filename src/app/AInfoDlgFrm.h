#pragma once

#include "app/aFrm.h"

class QPushButton;

// Base of information windows shown modally: content above, "关闭" (also Escape) and "帮助" below,
// centred on the main window the first time.
class TAInfoDlgFrm : public TaFrm
{
    Q_OBJECT

public:
    explicit TAInfoDlgFrm(QWidget* parent = nullptr);

    QWidget* Body() const { return m_body; }
    QPushButton* CloseBtn1() const { return m_close; }
    QPushButton* HelpBtn1() const { return m_help; }

private:
    QWidget* m_body = nullptr;
    QPushButton* m_close = nullptr;
    QPushButton* m_help = nullptr;
};
