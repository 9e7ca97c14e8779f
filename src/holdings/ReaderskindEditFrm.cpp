#include "holdings/ReaderskindEditFrm.h"

#include "app/LwEdit.h"
#include "data/DbError.h"
#include "data/Notifier.h"

#include <QGridLayout>
#include <QLabel>

using namespace Qt::StringLiterals;

TReaderskindEditFrm::TReaderskindEditFrm(QWidget* parent) : TADlgFrm(parent)
{
    setObjectName(u"ReaderskindEditFrm"_s);
    setWindowTitle(u"读者类别"_s);

    QWidget* body = Body();
    auto* grid = new QGridLayout(body);
    grid->setContentsMargins(12, 12, 12, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    int row = 0;
    const auto addEdit = [&](const QString& caption, const QString& name, bool number) {
        auto* edit = new TlwEdit(body);
        edit->setObjectName(name);
        auto* label = new QLabel(caption, body);
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        ++row;
        if (number) {
            edit->SetEditType(TlwEdit::etInteger);
            edit->SetAlignment(Qt::AlignRight);
            edit->setMaxLength(6);
        }
        return edit;
    };
    m_name = addEdit(u"类别名称"_s, u"edtName1"_s, false);
    m_name->setMaxLength(30);
    m_name->setMinimumWidth(180);
    m_bookTop = addEdit(u"限借图书本数"_s, u"edtBookTop1"_s, true);
    m_bookDays = addEdit(u"图书限制天数"_s, u"edtBookDays1"_s, true);
    m_bookRelet = addEdit(u"图书续借天数"_s, u"edtBookRelet1"_s, true);
    m_jourTop = addEdit(u"限借期刊本数"_s, u"edtJourTop1"_s, true);
    m_jourDays = addEdit(u"期刊限借天数"_s, u"edtJourDays1"_s, true);
    m_jourRelet = addEdit(u"期刊续借天数"_s, u"edtJourRelet1"_s, true);

    SetData(RReaderskind());
}

void TReaderskindEditFrm::SetData(const RReaderskind& kind)
{
    m_id = kind.Id;
    m_name->setText(kind.Name);
    // a limit of 0 is shown as 0: an empty field would read as "not set"
    m_bookTop->setText(QString::number(kind.BookTop));
    m_bookDays->setText(QString::number(kind.BookDays));
    m_bookRelet->setText(QString::number(kind.BookRelet));
    m_jourTop->setText(QString::number(kind.JourTop));
    m_jourDays->setText(QString::number(kind.JourDays));
    m_jourRelet->setText(QString::number(kind.JourRelet));
}

RReaderskind TReaderskindEditFrm::Data() const
{
    RReaderskind kind;
    kind.Id = m_id;
    kind.Name = m_name->text();
    kind.BookTop = m_bookTop->AsInteger();
    kind.BookDays = m_bookDays->AsInteger();
    kind.BookRelet = m_bookRelet->AsInteger();
    kind.JourTop = m_jourTop->AsInteger();
    kind.JourDays = m_jourDays->AsInteger();
    kind.JourRelet = m_jourRelet->AsInteger();
    return kind;
}

bool TReaderskindEditFrm::CloseQuery()
{
    RReaderskind kind;
    try {
        kind = Data();
    } catch (const EConvertError& error) {
        Notifier().Warning(error.Message());
        return false;
    }
    if (!m_onSave)
        return true;
    try {
        if (!m_onSave(kind))
            return false;
    } catch (const EDatabaseError& error) {
        Notifier().Error(error.Message());
        return false;
    }
    m_id = kind.Id;
    return true;
}

bool EditReaderskind(RReaderskind& kind, const TReaderskindEditFrm::TSaveEvent& save, QWidget* parent)
{
    TReaderskindEditFrm form(parent);
    form.SetData(kind);
    form.SetOnSave(save);
    if (form.exec() != QDialog::Accepted)
        return false;
    kind = form.Data();
    return true;
}
