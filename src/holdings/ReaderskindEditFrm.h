#pragma once

#include "app/ADlgFrm.h"
#include "holdings/ReaderskindSet.h"

#include <functional>

class TlwEdit;

// The reader kind dialog "读者类别": the kind's name and its six loan limits.
class TReaderskindEditFrm : public TADlgFrm
{
    Q_OBJECT

public:
    // Stores the kind built from the dialog (writing a new Id into it); true when it was stored.
    using TSaveEvent = std::function<bool(RReaderskind& kind)>;

    explicit TReaderskindEditFrm(QWidget* parent = nullptr);

    void SetData(const RReaderskind& kind);
    // The kind as the dialog shows it, with the Id it was given; an empty number counts as 0.
    RReaderskind Data() const;
    void SetOnSave(TSaveEvent onSave) { m_onSave = std::move(onSave); }

    TlwEdit* edtName1() const { return m_name; }
    TlwEdit* edtBookTop1() const { return m_bookTop; }
    TlwEdit* edtBookDays1() const { return m_bookDays; }
    TlwEdit* edtBookRelet1() const { return m_bookRelet; }
    TlwEdit* edtJourTop1() const { return m_jourTop; }
    TlwEdit* edtJourDays1() const { return m_jourDays; }
    TlwEdit* edtJourRelet1() const { return m_jourRelet; }

protected:
    bool CloseQuery() override;

private:
    TSaveEvent m_onSave;
    int m_id = 0;
    TlwEdit* m_name = nullptr;
    TlwEdit* m_bookTop = nullptr;
    TlwEdit* m_bookDays = nullptr;
    TlwEdit* m_bookRelet = nullptr;
    TlwEdit* m_jourTop = nullptr;
    TlwEdit* m_jourDays = nullptr;
    TlwEdit* m_jourRelet = nullptr;
};

// Shows the dialog on `kind`; on OK `save` has stored it and `kind` holds what was stored.
bool EditReaderskind(RReaderskind& kind, const TReaderskindEditFrm::TSaveEvent& save, QWidget* parent = nullptr);
