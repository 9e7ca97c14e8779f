#pragma once

#include "app/ADlgFrm.h"
#include "holdings/ReaderSet.h"

#include <functional>

class QToolButton;
class TlwComboBox;
class TlwEdit;
class TlwLabel;

// The reader state window "读者状态设置": pick a reader, see what it has on loan, and report it lost,
// release it, disable or enable it.
class TReaderStateEditFrm : public TADlgFrm
{
    Q_OBJECT

public:
    // Lets the operator pick a reader into `reader`; true when one was picked.
    using TPickReader = std::function<bool(RReader& reader)>;

    explicit TReaderStateEditFrm(QWidget* parent = nullptr);

    void SetOnPickReader(TPickReader pick) { m_pick = std::move(pick); }
    // Shows `reader` and counts its open loans; a reader with Id 0 shows empty, with nothing on loan.
    void ShowReader(const RReader& reader);
    int ReaderId() const { return m_reader.Id; }

    TlwEdit* edtReader1() const { return m_readerEdit; }
    QToolButton* btnPick1() const { return m_pickBtn; }
    TlwComboBox* cbxState1() const { return m_op; }
    TlwLabel* txtCode1() const { return m_code; }
    TlwLabel* txtSex1() const { return m_sex; }
    TlwLabel* txtName1() const { return m_name; }
    TlwLabel* txtState1() const { return m_state; }
    TlwLabel* txtDept1() const { return m_dept; }
    TlwLabel* txtDeposit1() const { return m_deposit; }
    TlwLabel* txtLoaning1() const { return m_loaning; }

protected:
    bool CloseQuery() override;

private:
    void pickReader();

    TPickReader m_pick;
    RReader m_reader;
    TlwEdit* m_readerEdit = nullptr;
    QToolButton* m_pickBtn = nullptr;
    TlwComboBox* m_op = nullptr;
    TlwLabel* m_code = nullptr;
    TlwLabel* m_sex = nullptr;
    TlwLabel* m_name = nullptr;
    TlwLabel* m_state = nullptr;
    TlwLabel* m_dept = nullptr;
    TlwLabel* m_deposit = nullptr;
    TlwLabel* m_loaning = nullptr;
};

// Shows the reader state window modally; `pick` serves its "..." button. True when a state changed.
bool EditReaderState(const TReaderStateEditFrm::TPickReader& pick, QWidget* parent = nullptr);
