#pragma once

#include "holdings/ReaderSet.h"

#include <QWidget>

class QToolButton;
class TLookupEdit;
class TlwLabel;
class TPhotoImage;

// The reader part the loan, return and renewal windows share: the reader box, where Enter looks a
// reader up by code and then by name initials, its "..." picker, the reader's details and photo.
// It only shows the reader; nothing shown here refuses a loan.
class TReaderPart : public QWidget
{
    Q_OBJECT

public:
    explicit TReaderPart(QWidget* parent = nullptr);

    TLookupEdit* Edit() const { return m_edit; }
    QToolButton* PickButton() const { return m_pick; }
    // The reader shown now; a new reader record (id 0) when none is.
    RReader Reader() const;
    // Empties the reader box, the details and the photo.
    void Clear();
    // Looks the box text up; on success shows the reader and emits ReaderChosen, otherwise warns.
    bool LookUp();
    // The reader pick window; the picked reader is shown with its code in the box.
    bool Pick();

    // The one reader whose code is exactly `text`, or else the one whose name initials are; false
    // when neither gives exactly one reader.
    static bool FindReader(const QString& text, RReader& reader);

signals:
    void ReaderChosen(const RReader& reader);

private:
    void show(const RReader& reader);

    TLookupEdit* m_edit = nullptr;
    QToolButton* m_pick = nullptr;
    TlwLabel* m_name = nullptr;
    TlwLabel* m_kind = nullptr;
    TlwLabel* m_sex = nullptr;
    TlwLabel* m_dept = nullptr;
    TlwLabel* m_bookTop = nullptr;
    TlwLabel* m_state = nullptr;
    TlwLabel* m_deposit = nullptr;
    TPhotoImage* m_photo = nullptr;
};
