#include "holdings/ReaderSearchFrm.h"

#include "app/LwComboBox.h"
#include "app/LwDateTimePicker.h"
#include "app/LwEdit.h"
#include "data/DbError.h"
#include "data/Notifier.h"
#include "holdings/ReaderWhere.h"
#include "holdings/Uis.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace {

enum class TKind {
    Text,
    Sex,
    State,
    Kind,
    Dept,
    Money,   // a decimal range
    Counter, // a range of whole numbers
    Date,
};

struct TRow
{
    QString Label;
    TKind Kind;
    QString Field;  // the condition, or the lower bound of a range
    QString Field2; // the upper bound of a range
    QString Label2; // the caption between the bounds
};

// The panel, top to bottom; each row sets the condition fields it names.
const QList<TRow>& searchRows()
{
    static const QList<TRow> rows = {
        {u"读者编号"_s, TKind::Text, u"Code"_s, {}, {}},
        {u"读者姓名"_s, TKind::Text, u"Name"_s, {}, {}},
        {u"读者首拼"_s, TKind::Text, u"Ping"_s, {}, {}},
        {u"性    别"_s, TKind::Sex, u"Sex"_s, {}, {}},
        {u"读者状态"_s, TKind::State, u"StateId"_s, {}, {}},
        {u"读者类别"_s, TKind::Kind, u"KindId"_s, {}, {}},
        {u"部    门"_s, TKind::Dept, u"Dept"_s, {}, {}},
        {u"联系电话"_s, TKind::Text, u"Tel"_s, {}, {}},
        {u"联系地址"_s, TKind::Text, u"Address"_s, {}, {}},
        {u"身份证号"_s, TKind::Text, u"IdCode"_s, {}, {}},
        {u"剩余押金"_s, TKind::Money, u"Deposit1"_s, u"Deposit2"_s, u"至"_s},
        {u"本次借书"_s, TKind::Counter, u"Loaning1"_s, u"Loaning2"_s, u"至"_s},
        {u"累计借书"_s, TKind::Counter, u"Loanall1"_s, u"Loanall2"_s, u"至"_s},
        {u"超期次数"_s, TKind::Counter, u"Loanover1"_s, u"Loanover2"_s, u"至"_s},
        {u"登记日期"_s, TKind::Date, u"Adddate1"_s, u"Adddate2"_s, u"截止日期"_s},
    };
    return rows;
}

} // namespace

TReaderSearchFrm::TReaderSearchFrm(TReaderWhere& where, QWidget* parent) : TADlgFrm(parent), m_where(where)
{
    setObjectName(u"ReaderSearchFrm"_s);
    setWindowTitle(u"高级查找"_s);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    auto* grid = new QGridLayout(Body());
    grid->setContentsMargins(12, 12, 12, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);

    const auto newEdit = [this](const QString& field, TlwEdit::TEditType type) {
        auto* edit = new TlwEdit(Body());
        edit->SetEditType(type);
        edit->setMaxLength(type == TlwEdit::etFree ? 50 : 12);
        if (type != TlwEdit::etFree)
            edit->SetAlignment(Qt::AlignRight);
        edit->setObjectName(field + u"1"_s);
        m_controls.append({field, edit});
        return edit;
    };
    const auto newPicker = [this](const QString& field) {
        auto* picker = new TlwDateTimePicker(Body());
        picker->SetShowCheckBox(true);
        picker->Clear();
        picker->setObjectName(field + u"1"_s);
        m_controls.append({field, picker});
        return picker;
    };
    const auto newCombo = [this](const QString& field) {
        auto* box = new TLookupComboBox(Body());
        box->setObjectName(field + u"1"_s);
        m_controls.append({field, box});
        return box;
    };

    int row = 0;
    for (const TRow& r : searchRows()) {
        QWidget* first = nullptr;
        QWidget* second = nullptr;
        switch (r.Kind) {
        case TKind::Text:
            first = newEdit(r.Field, TlwEdit::etFree);
            break;
        case TKind::Sex: {
            TLookupComboBox* box = newCombo(r.Field);
            box->SetEditable(true);
            box->addItems({u"男"_s, u"女"_s});
            box->setEditText(QString());
            first = box;
            break;
        }
        case TKind::State: {
            TLookupComboBox* box = newCombo(r.Field);
            box->LoadStates();
            first = box;
            break;
        }
        case TKind::Kind: {
            TLookupComboBox* box = newCombo(r.Field);
            box->LoadKinds();
            first = box;
            break;
        }
        case TKind::Dept: {
            TLookupComboBox* box = newCombo(r.Field);
            box->SetEditable(true);
            box->LoadList(TLookupComboBox::plDepartments);
            box->setEditText(QString());
            first = box;
            break;
        }
        case TKind::Money:
            first = newEdit(r.Field, TlwEdit::etNumber);
            second = newEdit(r.Field2, TlwEdit::etNumber);
            break;
        case TKind::Counter:
            first = newEdit(r.Field, TlwEdit::etInteger);
            second = newEdit(r.Field2, TlwEdit::etInteger);
            break;
        case TKind::Date:
            first = newPicker(r.Field);
            second = newPicker(r.Field2);
            break;
        }
        auto* label = new QLabel(r.Label, Body());
        label->setBuddy(first);
        grid->addWidget(label, row, 0);
        if (!second) {
            grid->addWidget(first, row, 1, 1, 3);
        } else {
            grid->addWidget(first, row, 1);
            auto* label2 = new QLabel(r.Label2, Body());
            label2->setBuddy(second);
            grid->addWidget(label2, row, 2, Qt::AlignCenter);
            grid->addWidget(second, row, 3);
        }
        ++row;
    }
    grid->setColumnMinimumWidth(1, 130);
    grid->setColumnMinimumWidth(3, 130);
    setFixedSize(sizeHint());
}

QWidget* TReaderSearchFrm::Control(const QString& field) const
{
    for (const TControl& control : m_controls)
        if (control.Field == field)
            return control.Widget;
    return nullptr;
}

bool TReaderSearchFrm::CloseQuery()
{
    // read everything first, so a bad number leaves the builder as it was
    QList<QPair<QString, QVariant>> values;
    for (const TControl& control : std::as_const(m_controls)) {
        QVariant value;
        if (auto* edit = qobject_cast<TlwEdit*>(control.Widget)) {
            try {
                value = edit->AsVariant();
            } catch (const EConvertError& error) {
                Notifier().Warning(error.Message());
                edit->setFocus();
                return false;
            }
            if (edit->EditType() == TlwEdit::etFree) {
                const QString text = value.toString().trimmed();
                value = text.isEmpty() ? QVariant() : QVariant(text);
            }
        } else if (auto* picker = qobject_cast<TlwDateTimePicker*>(control.Widget)) {
            value = picker->AsDate();
        } else if (auto* box = qobject_cast<TLookupComboBox*>(control.Widget)) {
            if (control.Field == u"StateId"_s)
                value = box->StateId();
            else if (control.Field == u"KindId"_s)
                value = box->KindId();
            else if (!box->currentText().trimmed().isEmpty())
                value = box->currentText().trimmed();
        }
        values.append({control.Field, value});
    }
    m_where.Clear();
    for (const auto& [field, value] : std::as_const(values))
        m_where.SetCondition(field, value);
    return true;
}

bool AskReaderSearch(TReaderWhere& where, QWidget* parent)
{
    TReaderSearchFrm form(where, parent);
    return form.exec() == QDialog::Accepted;
}
