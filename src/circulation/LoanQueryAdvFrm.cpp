#include "circulation/LoanQueryAdvFrm.h"

#include "app/LwDateTimePicker.h"
#include "app/LwEdit.h"
#include "app/MessageHelpers.h"
#include "holdings/Uis.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// How a row of the dialog reads its condition(s).
enum class TInput {
    Dates,      // a from/"截止" pair of dates with check boxes
    Text,       // typed text
    Publishers, // text with the publishers offered
    Periods,    // text with the remembered publication periods offered
    Operators,  // text with the operators' login names offered
    Depts,      // text with the remembered departments offered
    Kinds,      // one reader kind or none
    Integers,   // a from/"至" pair of whole numbers
    Numbers,    // a from/"至" pair of numbers
    Returned,   // "全部", "已归还", "未归还"
    WrittenOff, // "全部", "已注销", "未注销"
};

struct TRow
{
    QString Label;
    TInput Input;
    QString Field;  // the condition, or the lower bound of a pair
    QString Field2; // the upper bound of a pair
};

QList<TRow> rowsOf(TLoanKind kind)
{
    const bool book = kind == TLoanKind::Book;
    QList<TRow> rows = {
        {u"借阅日期"_s, TInput::Dates, u"LoanDate1"_s, u"LoanDate2"_s},
        {u"续借日期"_s, TInput::Dates, u"RenewDate1"_s, u"RenewDate2"_s},
        {u"应还日期"_s, TInput::Dates, u"ShldretDate1"_s, u"ShldretDate2"_s},
        {u"归还日期"_s, TInput::Dates, u"ReturnDate1"_s, u"ReturnDate2"_s},
    };
    if (book)
        rows << TRow{u"图书编号"_s, TInput::Text, u"BookCode"_s, {}}
             << TRow{u"图书名称"_s, TInput::Text, u"BookName"_s, {}}
             << TRow{u"ISBN号"_s, TInput::Text, u"BookISBN"_s, {}}
             << TRow{u"出版社"_s, TInput::Publishers, u"BookPublisher"_s, {}};
    else
        rows << TRow{u"期刊编号"_s, TInput::Text, u"JourCode"_s, {}}
             << TRow{u"期刊名称"_s, TInput::Text, u"JourName"_s, {}}
             << TRow{u"ISSN号"_s, TInput::Text, u"JourISSN"_s, {}}
             << TRow{u"出版周期"_s, TInput::Periods, u"JourPeriod"_s, {}};
    rows << TRow{book ? u"图书价格"_s : u"书刊价格"_s, TInput::Numbers, u"BookPrice1"_s, u"BookPrice2"_s}
         << TRow{u"借出经手"_s, TInput::Operators, u"Loanman"_s, {}}
         << TRow{u"续借经手"_s, TInput::Operators, u"Renewman"_s, {}}
         << TRow{u"归还经手"_s, TInput::Operators, u"Returnman"_s, {}}
         << TRow{u"读者编号"_s, TInput::Text, u"ReaderCode"_s, {}}
         << TRow{u"读者姓名"_s, TInput::Text, u"ReaderName"_s, {}}
         << TRow{u"读者类别"_s, TInput::Kinds, u"ReaderKindId"_s, {}}
         << TRow{u"读者部门"_s, TInput::Depts, u"ReaderDept"_s, {}}
         << TRow{u"超期天数"_s, TInput::Integers, u"Overdays1"_s, u"Overdays2"_s}
         << TRow{u"超期罚款"_s, TInput::Numbers, u"Overfund1"_s, u"Overfund2"_s}
         << TRow{u"图书状态"_s, TInput::Returned, u"IsReturn"_s, {}}
         << TRow{u"注销状态"_s, TInput::WrittenOff, u"IsWriteoff"_s, {}};
    return rows;
}

// A drop-down of the lookup kind, loaded by `load`, with nothing chosen.
TLookupComboBox* lookupList(QWidget* parent, bool editable, const std::function<void(TLookupComboBox&)>& load)
{
    auto* box = new TLookupComboBox(parent);
    box->SetEditable(editable);
    load(*box);
    box->setCurrentIndex(-1);
    if (editable)
        box->setEditText(QString());
    return box;
}

TlwDateTimePicker* datePicker(QWidget* parent)
{
    auto* box = new TlwDateTimePicker(parent);
    box->SetShowCheckBox(true);
    box->Clear();
    return box;
}

// A typed bound: null when blank; false in `ok` when the text is no number of the kind asked.
QVariant numberOf(const QString& text, bool integer, bool& ok)
{
    ok = true;
    const QString typed = text.trimmed();
    if (typed.isEmpty())
        return QVariant();
    if (integer) {
        const int value = typed.toInt(&ok);
        return ok ? QVariant(value) : QVariant();
    }
    const double value = QLocale::c().toDouble(typed, &ok);
    return ok ? QVariant(value) : QVariant();
}

} // namespace

TLoanQueryAdvFrm::TLoanQueryAdvFrm(TLoanKind kind, QWidget* parent)
    : TADlgFrm(parent), m_kind(kind), m_where(std::make_unique<TLoanWhere>())
{
    setObjectName(u"LoanQueryAdvFrm"_s);
    setWindowTitle(u"高级查找"_s);

    auto* group = new QGroupBox(u"高级查找"_s, Body());
    group->setObjectName(u"GroupBox1"_s);
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);

    const QList<TRow> rows = rowsOf(kind);
    // Two columns: the dates and the item on the left, the people and the amounts on the right.
    int perColumn = 0;
    while (perColumn < rows.size() && rows.at(perColumn).Input != TInput::Operators)
        ++perColumn;
    for (int i = 0; i < rows.size(); ++i) {
        const TRow& row = rows.at(i);
        const int line = i < perColumn ? i : i - perColumn;
        const int column = i < perColumn ? 0 : 5;
        grid->addWidget(new QLabel(row.Label, group), line, column);
        QWidget* first = nullptr;
        QWidget* second = nullptr;
        switch (row.Input) {
        case TInput::Dates:
            first = datePicker(group);
            second = datePicker(group);
            break;
        case TInput::Text:
            first = new TlwEdit(group);
            break;
        case TInput::Publishers:
            first = lookupList(group, true, [](TLookupComboBox& box) { box.LoadPublishers(); });
            break;
        case TInput::Periods:
            first = lookupList(group, true, [](TLookupComboBox& box) { box.LoadList(TLookupComboBox::plPeriods); });
            break;
        case TInput::Depts:
            first = lookupList(group, true, [](TLookupComboBox& box) { box.LoadList(TLookupComboBox::plDepartments); });
            break;
        case TInput::Operators:
            first = lookupList(group, true, [](TLookupComboBox& box) { box.LoadOperators(); });
            break;
        case TInput::Kinds:
            first = lookupList(group, false, [](TLookupComboBox& box) { box.LoadKinds(); });
            break;
        case TInput::Integers:
        case TInput::Numbers: {
            auto* from = new TlwEdit(group);
            auto* to = new TlwEdit(group);
            const auto type = row.Input == TInput::Integers ? TlwEdit::etInteger : TlwEdit::etNumber;
            from->SetEditType(type);
            to->SetEditType(type);
            first = from;
            second = to;
            break;
        }
        case TInput::Returned:
            first = lookupList(group, false, [](TLookupComboBox& box) { box.LoadReturnFilter(); });
            break;
        case TInput::WrittenOff:
            first = lookupList(group, false, [](TLookupComboBox& box) { box.LoadWriteoffFilter(); });
            break;
        }
        first->setObjectName(row.Field);
        m_controls.insert(row.Field, first);
        if (second) {
            grid->addWidget(first, line, column + 1);
            grid->addWidget(new QLabel(row.Input == TInput::Dates ? u"截止"_s : u"至"_s, group), line, column + 2);
            grid->addWidget(second, line, column + 3);
            second->setObjectName(row.Field2);
            m_controls.insert(row.Field2, second);
        } else {
            grid->addWidget(first, line, column + 1, 1, 3);
        }
    }
    grid->setColumnMinimumWidth(4, 24);

    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(group);
}

TLoanQueryAdvFrm::~TLoanQueryAdvFrm() = default;

bool TLoanQueryAdvFrm::CloseQuery()
{
    m_where->Clear();
    for (const TRow& row : rowsOf(m_kind)) {
        for (const QString& field : {row.Field, row.Field2}) {
            if (field.isEmpty())
                continue;
            QWidget* control = m_controls.value(field);
            QVariant value;
            switch (row.Input) {
            case TInput::Dates:
                value = static_cast<TlwDateTimePicker*>(control)->AsDate();
                break;
            case TInput::Text:
                value = static_cast<TlwEdit*>(control)->text().trimmed();
                break;
            case TInput::Publishers:
            case TInput::Periods:
            case TInput::Operators:
            case TInput::Depts:
                value = static_cast<TLookupComboBox*>(control)->currentText().trimmed();
                break;
            case TInput::Kinds:
                value = static_cast<TLookupComboBox*>(control)->KindId();
                break;
            case TInput::Integers:
            case TInput::Numbers: {
                auto* edit = static_cast<TlwEdit*>(control);
                const bool integer = row.Input == TInput::Integers;
                bool ok = true;
                value = numberOf(edit->text(), integer, ok);
                if (!ok) {
                    InfoBox((integer ? u"%1 不是有效的整数!"_s : u"%1 不是有效的数字!"_s).arg(edit->text()));
                    edit->setFocus();
                    return false;
                }
                break;
            }
            case TInput::Returned:
            case TInput::WrittenOff:
                value = static_cast<TLookupComboBox*>(control)->FilterValue();
                break;
            }
            m_where->SetCondition(field, value);
        }
    }
    return true;
}
