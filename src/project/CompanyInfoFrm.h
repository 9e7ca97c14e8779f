#pragma once

#include "app/ADlgFrm.h"

class QPlainTextEdit;
class TCompany;
class TlwEdit;

// The company dialog "公司信息". OK stores what the dialog shows; a save that fails is reported, the
// record is read again from the table, and the dialog stays open with what the operator typed.
class TCompanyInfoFrm : public TADlgFrm
{
    Q_OBJECT

public:
    explicit TCompanyInfoFrm(TCompany& company, QWidget* parent = nullptr);

    // Read-only use (the about box): OK is disabled, so the dialog can only be cancelled.
    void SetReadOnly(bool readOnly);
    bool ReadOnly() const { return m_readOnly; }
    // Shows the record in the seven controls.
    void ShowCompany();

    TlwEdit* EdtCompany1() const { return m_company1; }
    TlwEdit* EdtLawMan1() const { return m_lawMan1; }
    TlwEdit* EdtTel1() const { return m_tel1; }
    TlwEdit* EdtFax1() const { return m_fax1; }
    TlwEdit* EdtAddress1() const { return m_address1; }
    TlwEdit* edtZip1() const { return m_zip1; }
    QPlainTextEdit* MemIntrol1() const { return m_introl1; }

    // The dialog over `company`, modal; true when it was stored.
    static bool Edit(TCompany& company, bool readOnly, QWidget* parent = nullptr);
    // The same over the process-wide record.
    static bool Edit(bool readOnly, QWidget* parent = nullptr);
    // The command "公司信息": needs right 10000 (refused with EAbort after telling the operator), then
    // edits the process-wide record. True when it was stored.
    static bool CompanyCommand(QWidget* parent = nullptr);
    // After login: an operator holding right 10000 is asked for the company while it has no usable
    // name. True when the dialog was shown.
    static bool PromptAtStart(QWidget* parent = nullptr);

protected:
    bool CloseQuery() override;

private:
    void readControls();

    TCompany& m_company;
    bool m_readOnly = false;
    TlwEdit* m_company1 = nullptr;
    TlwEdit* m_lawMan1 = nullptr;
    TlwEdit* m_tel1 = nullptr;
    TlwEdit* m_fax1 = nullptr;
    TlwEdit* m_address1 = nullptr;
    TlwEdit* m_zip1 = nullptr;
    QPlainTextEdit* m_introl1 = nullptr;
};
