#pragma once

#include "app/aFrm.h"

class QCheckBox;
class QPushButton;
class QTabWidget;
class TlwEdit;

// The system settings "系统设置": the overdue fines per day, saved with "保存", and the two prompt
// switches, stored as soon as they are ticked.
class TSysEditFrm : public TaFrm
{
    Q_OBJECT

public:
    explicit TSysEditFrm(QWidget* parent = nullptr);

    // "保存": stores both fines; each one stored becomes the process-wide rate at once.
    void Save();

    TlwEdit* edtBookFine1() const { return m_bookFine; }
    TlwEdit* edtJourFine1() const { return m_jourFine; }
    QCheckBox* chkDailyTip1() const { return m_dailyTip; }
    QCheckBox* chkFeedback1() const { return m_feedback; }
    QPushButton* BitBtn1() const { return m_save; }
    QPushButton* BitBtn2() const { return m_exit; }

    // The command "选项设置": the window, modal.
    static void Execute(QWidget* parent = nullptr);

private:
    void storeSwitch(QCheckBox* box, int index, bool value);

    QTabWidget* m_pages = nullptr;
    TlwEdit* m_bookFine = nullptr;
    TlwEdit* m_jourFine = nullptr;
    QCheckBox* m_dailyTip = nullptr;
    QCheckBox* m_feedback = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_exit = nullptr;
};
