#pragma once

#include "app/ADlgFrm.h"
#include "holdings/ReaderSet.h"
#include "holdings/ReadersPhotoSet.h"

#include <QImage>
#include <functional>

class QComboBox;
class QPushButton;
class QToolButton;
class TLookupComboBox;
class TPhotoImage;
class TlwDateTimePicker;
class TlwEdit;

// The reader dialog "读者资料": the reader's own data, its kind and department, the counters it has
// gathered, and its photo from a file or the camera.
class TReaderEditFrm : public TADlgFrm
{
    Q_OBJECT

public:
    // Stores the reader built from the dialog (writing a new Id into it); true when it was stored.
    using TSaveEvent = std::function<bool(RReader& reader)>;
    // Lets the operator take a picture; true with `image` holding it.
    using TTakePicture = std::function<bool(QImage& image)>;

    explicit TReaderEditFrm(QWidget* parent = nullptr);

    void SetData(const RReader& reader);
    // The reader as the dialog shows it, with the Id it holds.
    RReader Data() const;
    void SetOnSave(TSaveEvent onSave) { m_onSave = std::move(onSave); }
    // Replaces the camera window, for tests.
    void SetTakePicture(TTakePicture take) { m_takePicture = std::move(take); }

    // Whether the photo was loaded, taken or cleared since the dialog was filled: only then is it
    // stored on OK.
    bool PhotoChanged() const { return m_photoChanged; }
    // The photo buttons' work. LoadPhotoFile tells the operator and keeps the photo when the file is
    // not a picture we can store; true when it was taken.
    bool LoadPhotoFile(const QString& path);
    void TakePhoto();
    void ClearPhoto();

    TlwEdit* edtName1() const { return m_name; }
    TlwEdit* edtCode1() const { return m_code; }
    TlwEdit* edtPing1() const { return m_ping; }
    TLookupComboBox* cbxKind1() const { return m_kind; }
    QToolButton* btnKind1() const { return m_kindBtn; }
    QComboBox* cbxSex1() const { return m_sex; }
    TlwEdit* edtTel1() const { return m_tel; }
    TLookupComboBox* cbxDept1() const { return m_dept; }
    QToolButton* btnDept1() const { return m_deptBtn; }
    TlwEdit* edtAddress1() const { return m_address; }
    TlwEdit* edtIDCode1() const { return m_idCode; }
    TlwDateTimePicker* dtpAdddate1() const { return m_adddate; }
    TlwEdit* edtNotes1() const { return m_notes; }
    TlwEdit* edtState1() const { return m_state; }
    TlwEdit* edtDeposit1() const { return m_deposit; }
    TlwEdit* edtLoaning1() const { return m_loaning; }
    TlwEdit* edtLoanall1() const { return m_loanall; }
    TlwEdit* edtLoanover1() const { return m_loanover; }
    TPhotoImage* imgPhoto1() const { return m_photo; }
    QPushButton* btnCamera1() const { return m_cameraBtn; }
    QPushButton* btnFile1() const { return m_fileBtn; }
    QPushButton* btnClear1() const { return m_clearBtn; }
    QPushButton* btnBig1() const { return m_bigBtn; }

protected:
    bool CloseQuery() override;

private:
    void choosePhotoFile();
    bool takePhotoFile(const QString& path, const RReaderPhoto& photo);
    void setPhoto(const RReaderPhoto& photo);

    TSaveEvent m_onSave;
    TTakePicture m_takePicture;
    RReader m_reader;
    bool m_photoChanged = false;

    TlwEdit* m_name = nullptr;
    TlwEdit* m_code = nullptr;
    TlwEdit* m_ping = nullptr;
    TLookupComboBox* m_kind = nullptr;
    QToolButton* m_kindBtn = nullptr;
    QComboBox* m_sex = nullptr;
    TlwEdit* m_tel = nullptr;
    TLookupComboBox* m_dept = nullptr;
    QToolButton* m_deptBtn = nullptr;
    TlwEdit* m_address = nullptr;
    TlwEdit* m_idCode = nullptr;
    TlwDateTimePicker* m_adddate = nullptr;
    TlwEdit* m_notes = nullptr;
    TlwEdit* m_state = nullptr;
    TlwEdit* m_deposit = nullptr;
    TlwEdit* m_loaning = nullptr;
    TlwEdit* m_loanall = nullptr;
    TlwEdit* m_loanover = nullptr;
    TPhotoImage* m_photo = nullptr;
    QPushButton* m_cameraBtn = nullptr;
    QPushButton* m_fileBtn = nullptr;
    QPushButton* m_clearBtn = nullptr;
    QPushButton* m_bigBtn = nullptr;
};

// Shows the reader dialog on `reader`; on OK `save` has stored it (and its photo when changed) and
// `reader` holds what was stored.
bool EditReader(RReader& reader, const TReaderEditFrm::TSaveEvent& save, QWidget* parent = nullptr);
