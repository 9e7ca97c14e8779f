#pragma once

#include "app/WinFrm.h"
#include "circulation/LoanQuery.h"

#include <array>
#include <memory>

class QCheckBox;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QToolButton;
class TLookupComboBox;
class TLookupEdit;
class TlwDateTimePicker;
class TlwDBGrid;
class TlwEdit;

// The loan query window "借阅查询": book loans and journal loans on two tabs, searched by the quick
// panel both tabs share or by the advanced dialog of the current tab.
class TLoanQueryFrm : public TWinFrm
{
    Q_OBJECT

public:
    explicit TLoanQueryFrm(QWidget* parent = nullptr);
    ~TLoanQueryFrm() override;

    // The main window's command: the window opened maximized, nothing searched yet.
    static TLoanQueryFrm* ShowLoanQuery(QWidget* parent = nullptr);

    TLoanKind CurrentKind() const;
    TLoanQuery* CurrentQuery() const;
    TBookLoanQuery* BookQuery() const { return m_books.get(); }
    TJourLoanQuery* JourQuery() const { return m_jours.get(); }
    TlwDBGrid* Grid(TLoanKind kind) const;

    // The controls, by role.
    QTabBar* TabControl1() const { return m_tabs; }
    TlwDateTimePicker* dtpLoanDate1() const { return m_loanDate1; }
    TlwDateTimePicker* dtpLoanDate2() const { return m_loanDate2; }
    TLookupComboBox* cmbIsReturn1() const { return m_isReturn; }
    TLookupComboBox* cmbIsWriteoff1() const { return m_isWriteoff; }
    TLookupComboBox* cmbOverdays1() const { return m_overdays; }
    TLookupComboBox* cmbOverfund1() const { return m_overfund; }
    TlwEdit* edtCode1() const { return m_code; }
    TLookupEdit* edtReader1() const { return m_reader; }
    QCheckBox* chkIsOver1() const { return m_isOver; }
    TlwDateTimePicker* dtpTodayBiz1() const { return m_todayBiz; }
    QPushButton* Button1() const { return m_find; }
    QPushButton* btnClear1() const { return m_clear; }
    QPushButton* Button2() const { return m_advanced; }
    QPushButton* btnWareClass1() const { return m_functions; }
    QPushButton* BitBtn1() const { return m_print; }

    // The buttons' work.
    void Button1Click();      // 查找
    void btnClear1Click();    // 重置
    void Button2Click();      // 高级...
    void BitBtn1Click();      // 打印...
    void SpeedButton1Click(); // the reader's "..."

private:
    QWidget* buildPanel();
    void TabControl1Change(int index);
    // Reads the quick panel; overdue values not yet offered are remembered on the way.
    RLoanQuickConditions quickConditions();
    void search(TLoanQuery& query);

    std::unique_ptr<TBookLoanQuery> m_books;
    std::unique_ptr<TJourLoanQuery> m_jours;
    std::array<TlwDBGrid*, 2> m_grids{};
    QTabBar* m_tabs = nullptr;
    QStackedWidget* m_pages = nullptr;
    TlwDateTimePicker* m_loanDate1 = nullptr;
    TlwDateTimePicker* m_loanDate2 = nullptr;
    TLookupComboBox* m_isReturn = nullptr;
    TLookupComboBox* m_isWriteoff = nullptr;
    TLookupComboBox* m_overdays = nullptr;
    TLookupComboBox* m_overfund = nullptr;
    TlwEdit* m_code = nullptr;
    TLookupEdit* m_reader = nullptr;
    QCheckBox* m_isOver = nullptr;
    TlwDateTimePicker* m_todayBiz = nullptr;
    QPushButton* m_find = nullptr;
    QPushButton* m_clear = nullptr;
    QPushButton* m_advanced = nullptr;
    QPushButton* m_functions = nullptr;
    QPushButton* m_print = nullptr;
};
