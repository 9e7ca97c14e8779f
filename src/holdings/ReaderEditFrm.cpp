#include "holdings/ReaderEditFrm.h"

#include "app/LwComboBox.h"
#include "app/LwDateTimePicker.h"
#include "app/LwEdit.h"
#include "app/MessageHelpers.h"
#include "data/DbError.h"
#include "data/Notifier.h"
#include "holdings/PicapFrm.h"
#include "holdings/Uis.h"

#include <QFileDialog>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// The formats a photo is stored in.
bool storableFormat(const QByteArray& format)
{
    const QByteArray f = format.toLower();
    return f == "jpeg" || f == "jpg" || f == "bmp" || f == "ico";
}

QString counterText(int value)
{
    return value == 0 ? QString() : QString::number(value);
}

} // namespace

TReaderEditFrm::TReaderEditFrm(QWidget* parent) : TADlgFrm(parent)
{
    setObjectName(u"ReaderEditFrm"_s);
    setWindowTitle(u"读者资料"_s);

    QWidget* body = Body();
    auto* outer = new QHBoxLayout(body);
    outer->setContentsMargins(12, 12, 12, 8);
    outer->setSpacing(14);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    outer->addLayout(grid, 1);

    const auto place = [&](const QString& caption, QWidget* control, int row, int column, QWidget* extra = nullptr) {
        auto* label = new QLabel(caption, body);
        label->setBuddy(control);
        grid->addWidget(label, row, column);
        if (extra) {
            auto* line = new QHBoxLayout;
            line->setSpacing(2);
            line->addWidget(control, 1);
            line->addWidget(extra);
            grid->addLayout(line, row, column + 1);
        } else {
            grid->addWidget(control, row, column + 1);
        }
    };
    const auto newEdit = [&](const QString& name, int maxLength) {
        auto* edit = new TlwEdit(body);
        edit->setObjectName(name);
        edit->setMaxLength(maxLength);
        return edit;
    };
    const auto newReadOnly = [&](const QString& name) {
        auto* edit = new TlwEdit(body);
        edit->setObjectName(name);
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        edit->SetAlignment(Qt::AlignRight);
        return edit;
    };
    const auto newDots = [&](const QString& name) {
        auto* button = new QToolButton(body);
        button->setObjectName(name);
        button->setText(u"..."_s);
        return button;
    };

    m_name = newEdit(u"edtName1"_s, 50);
    m_code = newEdit(u"edtCode1"_s, 50);
    m_ping = newEdit(u"edtPing1"_s, 50);
    m_kind = new TLookupComboBox(body);
    m_kind->setObjectName(u"cbxKind1"_s);
    m_kindBtn = newDots(u"btnKind1"_s);
    m_sex = new TlwComboBox(body);
    m_sex->setObjectName(u"cbxSex1"_s);
    static_cast<TlwComboBox*>(m_sex)->SetEditable(true);
    m_sex->addItems({u"男"_s, u"女"_s});
    m_tel = newEdit(u"edtTel1"_s, 50);
    m_dept = new TLookupComboBox(body);
    m_dept->setObjectName(u"cbxDept1"_s);
    m_dept->SetEditable(true);
    m_deptBtn = newDots(u"btnDept1"_s);
    m_address = newEdit(u"edtAddress1"_s, 50);
    m_idCode = newEdit(u"edtIDCode1"_s, 50);
    m_adddate = new TlwDateTimePicker(body);
    m_adddate->setObjectName(u"dtpAdddate1"_s);
    m_notes = newEdit(u"edtNotes1"_s, 50);
    m_state = newReadOnly(u"edtState1"_s);
    m_state->SetAlignment(Qt::AlignLeft);
    m_deposit = newReadOnly(u"edtDeposit1"_s);
    m_loaning = newReadOnly(u"edtLoaning1"_s);
    m_loanall = newReadOnly(u"edtLoanall1"_s);
    m_loanover = newReadOnly(u"edtLoanover1"_s);

    place(u"姓名"_s, m_name, 0, 0);
    place(u"读者编号"_s, m_code, 0, 2);
    place(u"拼音简码"_s, m_ping, 1, 0);
    place(u"读者类别"_s, m_kind, 1, 2, m_kindBtn);
    place(u"性别"_s, m_sex, 2, 0);
    place(u"联系电话"_s, m_tel, 2, 2);
    place(u"部门"_s, m_dept, 3, 0, m_deptBtn);
    place(u"身份证号"_s, m_idCode, 3, 2);
    place(u"联系地址"_s, m_address, 4, 0);
    grid->removeWidget(m_address);
    grid->addWidget(m_address, 4, 1, 1, 3);
    place(u"登记日期"_s, m_adddate, 5, 0);
    place(u"读者状态"_s, m_state, 5, 2);
    place(u"押金余额"_s, m_deposit, 6, 0);
    place(u"本次借书"_s, m_loaning, 6, 2);
    place(u"累计借书"_s, m_loanall, 7, 0);
    place(u"超期次数"_s, m_loanover, 7, 2);
    place(u"备注"_s, m_notes, 8, 0);
    grid->removeWidget(m_notes);
    grid->addWidget(m_notes, 8, 1, 1, 3);
    grid->setColumnMinimumWidth(1, 150);
    grid->setColumnMinimumWidth(3, 150);
    grid->setRowStretch(9, 1);

    auto* photoBox = new QGroupBox(u"照   片"_s, body);
    photoBox->setObjectName(u"GroupBox1"_s);
    auto* photoLayout = new QVBoxLayout(photoBox);
    m_photo = new TPhotoImage(photoBox);
    m_photo->setObjectName(u"imgPhoto1"_s);
    m_photo->setFixedSize(150, 190);
    photoLayout->addWidget(m_photo, 0, Qt::AlignHCenter);
    auto* buttons = new QGridLayout;
    const auto newButton = [&](const QString& caption, const QString& name, int row, int column) {
        auto* button = new QPushButton(caption, photoBox);
        button->setObjectName(name);
        button->setAutoDefault(false);
        buttons->addWidget(button, row, column);
        return button;
    };
    m_cameraBtn = newButton(u"照相..."_s, u"btnCamera1"_s, 0, 0);
    m_fileBtn = newButton(u"选择..."_s, u"btnFile1"_s, 0, 1);
    m_clearBtn = newButton(u"清除"_s, u"btnClear1"_s, 1, 0);
    m_bigBtn = newButton(u"大图"_s, u"btnBig1"_s, 1, 1);
    photoLayout->addLayout(buttons);
    photoLayout->addStretch(1);
    outer->addWidget(photoBox);

    connect(m_kindBtn, &QToolButton::clicked, this, [this] {
        try {
            m_kind->PickKind();
        } catch (const EDatabaseError& error) {
            Notifier().Error(error.Message());
        }
    });
    connect(m_deptBtn, &QToolButton::clicked, this, [this] {
        try {
            m_dept->EditList(TLookupComboBox::plDepartments);
        } catch (const EDatabaseError& error) {
            Notifier().Error(error.Message());
        }
    });
    connect(m_cameraBtn, &QPushButton::clicked, this, &TReaderEditFrm::TakePhoto);
    connect(m_fileBtn, &QPushButton::clicked, this, &TReaderEditFrm::choosePhotoFile);
    connect(m_clearBtn, &QPushButton::clicked, this, &TReaderEditFrm::ClearPhoto);
    connect(m_bigBtn, &QPushButton::clicked, m_photo, &TPhotoImage::ShowBig);

    m_kind->LoadKinds();
    m_dept->LoadList(TLookupComboBox::plDepartments);
    SetData(RReader::New());
}

void TReaderEditFrm::SetData(const RReader& reader)
{
    m_reader = reader;
    m_name->setText(reader.Name);
    m_code->setText(reader.Code);
    m_ping->setText(reader.Ping);
    m_kind->SelectKind(reader.KindId ? QVariant(*reader.KindId) : QVariant());
    m_sex->setEditText(reader.Sex);
    m_tel->setText(reader.Tel);
    m_dept->setEditText(reader.Dept);
    m_address->setText(reader.Address);
    m_idCode->setText(reader.IDCode);
    m_adddate->SetAsDateTime(reader.Adddate.isValid() ? QVariant(reader.Adddate)
                                                      : QVariant(QDateTime::currentDateTime()));
    m_notes->setText(reader.Notes);
    m_state->setText(reader.StateName);
    m_deposit->setText(QString::number(reader.Deposit, 'f', 2));
    m_loaning->setText(counterText(reader.Loaning));
    m_loanall->setText(counterText(reader.Loanall));
    m_loanover->setText(counterText(reader.Loanover));
    m_photo->ShowReaderPhoto(reader.Id);
    m_photoChanged = false;
}

RReader TReaderEditFrm::Data() const
{
    // the counters, deposit and state are kept as they came: the dialog only shows them
    RReader reader = m_reader;
    reader.Name = m_name->text().trimmed();
    reader.Code = m_code->text().trimmed();
    reader.Ping = m_ping->text().trimmed();
    reader.Sex = m_sex->currentText().trimmed();
    reader.Tel = m_tel->text().trimmed();
    reader.Dept = m_dept->currentText().trimmed();
    reader.Address = m_address->text().trimmed();
    reader.IDCode = m_idCode->text().trimmed();
    reader.Notes = m_notes->text().trimmed();
    const QVariant adddate = m_adddate->AsDateTime();
    reader.Adddate = adddate.isNull() ? QDateTime() : adddate.toDateTime();
    const QVariant kindId = m_kind->KindId();
    const RReaderskind kind = m_kind->Kind();
    if (kindId.isNull()) {
        reader.KindId.reset();
        reader.KindName.clear();
        reader.BookTop = reader.BookDays = reader.BookRelet = 0;
        reader.JourTop = reader.JourDays = reader.JourRelet = 0;
    } else {
        reader.KindId = kindId.toInt();
        reader.KindName = kind.Name;
        reader.BookTop = kind.BookTop;
        reader.BookDays = kind.BookDays;
        reader.BookRelet = kind.BookRelet;
        reader.JourTop = kind.JourTop;
        reader.JourDays = kind.JourDays;
        reader.JourRelet = kind.JourRelet;
    }
    return reader;
}

void TReaderEditFrm::setPhoto(const RReaderPhoto& photo)
{
    m_photo->SetPhoto(photo);
    m_photoChanged = true;
}

bool TReaderEditFrm::LoadPhotoFile(const QString& path)
{
    const QFileInfo info(path);
    // Told now rather than after the reader is stored, so nothing is left half saved.
    if (info.size() > TReadersPhotoSet::MaxPhotoBytes) {
        InfoBox(u"照片文件太大 (%1 MB), 最多只能保存 %2 MB 的照片!"_s
                    .arg(QString::number(double(info.size()) / (1024 * 1024), 'f', 1))
                    .arg(TReadersPhotoSet::MaxPhotoBytes / (1024 * 1024)));
        return false;
    }
    // a camera's full-size picture takes a moment to read
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const RReaderPhoto photo = RReaderPhoto::FromFile(path);
    QApplication::restoreOverrideCursor();
    return takePhotoFile(path, photo);
}

bool TReaderEditFrm::takePhotoFile(const QString& path, const RReaderPhoto& photo)
{
    if (photo.IsEmpty()) {
        InfoBox(u"无法读取图片文件 %1, 它不是位图或 JPEG 图片!"_s.arg(QDir::toNativeSeparators(path)));
        return false;
    }
    if (!storableFormat(photo.Format)) {
        InfoBox(u"未知的图片格式!"_s);
        return false;
    }
    setPhoto(photo);
    return true;
}

void TReaderEditFrm::choosePhotoFile()
{
    const QString path =
        QFileDialog::getOpenFileName(this, u"选择照片"_s, QString(), u"图片文件(*.bmp *.jpg *.jpeg)"_s);
    if (!path.isEmpty())
        LoadPhotoFile(path);
}

void TReaderEditFrm::TakePhoto()
{
    QImage image;
    const bool taken = m_takePicture ? m_takePicture(image) : TakePicture(image, this);
    if (taken && !image.isNull())
        setPhoto(RReaderPhoto::FromBitmap(image));
}

void TReaderEditFrm::ClearPhoto()
{
    setPhoto(RReaderPhoto());
}

bool TReaderEditFrm::CloseQuery()
{
    RReader reader = Data();
    // a reader nobody can recognise is of no use at the counter
    if (reader.Name.isEmpty()) {
        InfoBox(u"请输入读者姓名!"_s);
        m_name->setFocus();
        return false;
    }
    if (!m_onSave)
        return true;
    try {
        if (!m_onSave(reader))
            return false;
    } catch (const EDatabaseError& error) {
        Notifier().Error(error.Message());
        return false;
    }
    // A new reader is stored now: should storing its photo fail, another OK updates this reader
    // instead of adding it a second time.
    m_reader = reader;
    if (!m_photoChanged)
        return true;
    try {
        if (!TReadersPhotoSet::SavePhoto(reader.Id, m_photo->Photo())) {
            Notifier().Error(u"\r\n读者资料已保存, 但照片没有保存成功, 请重试!"_s);
            return false;
        }
    } catch (const EDatabaseError& error) {
        Notifier().Error(error.Message());
        return false;
    }
    m_photoChanged = false;
    return true;
}

bool EditReader(RReader& reader, const TReaderEditFrm::TSaveEvent& save, QWidget* parent)
{
    TReaderEditFrm form(parent);
    form.SetData(reader);
    form.SetOnSave(save);
    if (form.exec() != QDialog::Accepted)
        return false;
    reader = form.Data();
    return true;
}
