#include "circulation/ReaderPart.h"

#include "app/LwLabel.h"
#include "circulation/PendingGrid.h"
#include "data/Notifier.h"
#include "holdings/Uis.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

using namespace Qt::StringLiterals;

TReaderPart::TReaderPart(QWidget* parent) : QWidget(parent)
{
    setObjectName(u"ReaderPart1"_s);
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);

    auto* group = new QGroupBox(u"读者"_s, this);
    group->setObjectName(u"GroupBox1"_s);
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);

    auto* boxLabel = new QLabel(u"读者编号/首拼"_s, group);
    m_edit = new TLookupEdit(group);
    m_edit->setObjectName(u"edtReader1"_s);
    // Enter here looks the reader up instead of moving on
    m_edit->SetTabOnEnter(false);
    m_edit->setMinimumWidth(160);
    boxLabel->setBuddy(m_edit);
    m_pick = new QToolButton(group);
    m_pick->setObjectName(u"Button1"_s);
    m_pick->setText(u"..."_s);
    m_pick->setToolTip(u"从读者列表中选择"_s);
    auto* boxRow = new QHBoxLayout;
    boxRow->setSpacing(2);
    boxRow->addWidget(m_edit, 1);
    boxRow->addWidget(m_pick);
    grid->addWidget(boxLabel, 0, 0);
    grid->addLayout(boxRow, 0, 1, 1, 3);

    const auto value = [&](const QString& caption, const QString& name, int row, int column, bool alert) {
        auto* label = new QLabel(caption, group);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(label, row, column);
        auto* shown = new TlwLabel(group);
        shown->setObjectName(name);
        shown->setMinimumWidth(120);
        if (alert) {
            QPalette palette = shown->palette();
            palette.setColor(QPalette::WindowText, Qt::red);
            shown->setPalette(palette);
            QFont font = shown->font();
            font.setBold(true);
            shown->setFont(font);
        }
        grid->addWidget(shown, row, column + 1);
        return shown;
    };
    m_name = value(u"姓名:"_s, u"txtReaderName1"_s, 1, 0, false);
    m_kind = value(u"读者类别:"_s, u"txtKindName1"_s, 1, 2, false);
    m_sex = value(u"性别:"_s, u"txtSex1"_s, 2, 0, false);
    m_dept = value(u"部门:"_s, u"txtDept1"_s, 2, 2, false);
    m_bookTop = value(u"限借图书"_s, u"txtBookTop1"_s, 3, 0, false);
    m_state = value(u"读者状态:"_s, u"txtReaderState1"_s, 3, 2, true);
    m_deposit = value(u"押金余额:"_s, u"txtDeposit1"_s, 4, 0, true);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    outer->addWidget(group, 1);

    m_photo = new TPhotoImage(this);
    m_photo->setObjectName(u"Image1"_s);
    m_photo->setFixedSize(110, 136);
    m_photo->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_photo->setFrameShape(QFrame::StyledPanel);
    m_photo->SetEmptyText(u"照片"_s);
    outer->addWidget(m_photo);

    connect(m_edit, &QLineEdit::returnPressed, this, [this] { LookUp(); });
    connect(m_pick, &QToolButton::clicked, this, [this] { Pick(); });
    Clear();
}

RReader TReaderPart::Reader() const
{
    return m_edit->HoldsReader() ? m_edit->Reader() : RReader();
}

void TReaderPart::Clear()
{
    m_edit->Clear();
    for (TlwLabel* label : {m_name, m_kind, m_sex, m_dept, m_bookTop, m_state, m_deposit})
        label->Clear();
    m_photo->ClearPhoto();
}

bool TReaderPart::FindReader(const QString& text, RReader& reader)
{
    TReaderSet readers;
    readers.Where().SetCondition(u"Code"_s, text);
    readers.Search();
    if (readers.DataSet()->RecordCount() != 1) {
        readers.Where().Clear();
        readers.Where().SetCondition(u"Ping"_s, text);
        readers.Search();
    }
    if (readers.DataSet()->RecordCount() != 1)
        return false;
    readers.DataSet()->First();
    reader = readers.AsData();
    return true;
}

bool TReaderPart::LookUp()
{
    const QString text = m_edit->text().trimmed();
    RReader reader;
    bool found = false;
    if (!RunGuarded([&] {
            const TWaitCursor wait;
            found = !text.isEmpty() && FindReader(text, reader);
        }))
        return false;
    if (!found) {
        Notifier().Warning(u"\r\n没有找到编号或首拼为 %1 的读者记录!\t"_s.arg(text));
        m_edit->selectAll();
        return false;
    }
    show(reader);
    m_edit->selectAll();
    return true;
}

bool TReaderPart::Pick()
{
    bool picked = false;
    RunGuarded([&] { picked = m_edit->PickReader(); });
    if (!picked)
        return false;
    show(m_edit->Reader());
    return true;
}

void TReaderPart::show(const RReader& reader)
{
    m_edit->SetReader(reader);
    m_edit->setText(reader.Code);
    m_name->SetText(reader.Name);
    m_kind->SetText(reader.KindName);
    m_sex->SetText(reader.Sex);
    m_dept->SetText(reader.Dept);
    m_bookTop->SetText(QString::number(reader.BookTop));
    m_state->SetText(reader.StateName);
    m_deposit->SetText(QString::number(reader.Deposit, 'f', 2));
    m_photo->ShowReaderPhoto(reader.Id);
    emit ReaderChosen(reader);
}
