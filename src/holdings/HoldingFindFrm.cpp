#include "holdings/HoldingFindFrm.h"

#include "app/LwComboBox.h"
#include "app/LwDateTimePicker.h"
#include "app/LwEdit.h"
#include "app/MessageHelpers.h"
#include "data/DbError.h"
#include "holdings/HoldingWhere.h"
#include "holdings/PublisherSet.h"
#include "project/PickListSet.h"

#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

using namespace Qt::StringLiterals;

THoldingFindFrm::THoldingFindFrm(const QString& caption, const QList<TRow>& rows, THoldingWhere* where, QWidget* parent)
    : TADlgFrm(parent), m_rows(rows), m_where(where)
{
    setObjectName(u"HoldingFindFrm"_s);
    setWindowTitle(caption);
    auto* grid = new QGridLayout(Body());
    grid->setHorizontalSpacing(8);
    int line = 0;
    int column = 0;
    // text conditions two to a line; each range on a line of its own below them
    QList<const TRow*> ranges;
    for (const TRow& row : m_rows) {
        if (row.Kind == TKind::Price || row.Kind == TKind::Integer || row.Kind == TKind::Date) {
            ranges.append(&row);
            continue;
        }
        QWidget* editor = nullptr;
        if (row.Kind == TKind::Text) {
            auto* edit = new TlwEdit(Body());
            edit->setMaxLength(50);
            editor = edit;
        } else {
            auto* combo = new TlwComboBox(Body());
            combo->SetEditable(true);
            QStringList items;
            if (row.Kind == TKind::Publisher)
                items = TPublisherSet::Names();
            else
                TPickListSet::LoadItems(row.List, items);
            combo->addItems(items);
            combo->setCurrentIndex(-1);
            combo->setEditText(QString());
            editor = combo;
        }
        editor->setObjectName(u"edt"_s + row.Field + u"1"_s);
        editor->setMinimumWidth(150);
        m_editors.insert(row.Field, editor);
        auto* label = new QLabel(row.Label, Body());
        label->setBuddy(editor);
        grid->addWidget(label, line, column * 2);
        grid->addWidget(editor, line, column * 2 + 1);
        if (++column == 2) {
            column = 0;
            ++line;
        }
    }
    if (column != 0)
        ++line;

    for (const TRow* row : std::as_const(ranges)) {
        QWidget* from = nullptr;
        QWidget* to = nullptr;
        if (row->Kind == TKind::Date) {
            auto makePicker = [this] {
                auto* picker = new TlwDateTimePicker(Body());
                picker->SetShowCheckBox(true);
                picker->SetAsDate(QDate::currentDate());
                picker->SetChecked(false);
                return picker;
            };
            from = makePicker();
            to = makePicker();
        } else {
            auto makeEdit = [this, row] {
                auto* edit = new TlwEdit(Body());
                edit->SetEditType(row->Kind == TKind::Price ? TlwEdit::etNumber : TlwEdit::etInteger);
                edit->clear();
                return edit;
            };
            from = makeEdit();
            to = makeEdit();
        }
        from->setObjectName(u"edt"_s + row->Field + u"1"_s);
        to->setObjectName(u"edt"_s + row->Field2 + u"1"_s);
        m_editors.insert(row->Field, from);
        m_editors.insert(row->Field2, to);
        auto* label = new QLabel(row->Label, Body());
        label->setBuddy(from);
        auto* second = new QLabel(row->Kind == TKind::Date ? row->Label2 : u"至"_s, Body());
        second->setBuddy(to);
        grid->addWidget(label, line, 0);
        grid->addWidget(from, line, 1);
        grid->addWidget(second, line, 2, Qt::AlignRight);
        grid->addWidget(to, line, 3);
        ++line;
    }
}

bool THoldingFindFrm::CloseQuery()
{
    QVariantMap conditions;
    try {
        for (auto it = m_editors.cbegin(); it != m_editors.cend(); ++it) {
            QVariant value;
            if (auto* combo = qobject_cast<TlwComboBox*>(it.value())) {
                value = combo->currentText();
            } else if (auto* picker = qobject_cast<TlwDateTimePicker*>(it.value())) {
                value = picker->Checked() ? picker->AsDate() : QVariant();
            } else if (auto* edit = qobject_cast<TlwEdit*>(it.value())) {
                const bool blank = edit->text().trimmed().isEmpty();
                if (edit->EditType() == TlwEdit::etNumber)
                    value = blank ? QVariant() : QVariant(edit->AsDouble());
                else if (edit->EditType() == TlwEdit::etInteger)
                    value = blank ? QVariant() : QVariant(edit->AsInteger());
                else
                    value = edit->text();
            }
            conditions.insert(it.key(), value);
        }
    } catch (const EConvertError& e) {
        InfoBox(e.Message());
        return false;
    }
    m_where->Clear();
    for (auto it = conditions.cbegin(); it != conditions.cend(); ++it)
        m_where->SetCondition(it.key(), it.value());
    return true;
}

bool THoldingFindFrm::Execute(const QString& caption, const QList<TRow>& rows, THoldingWhere* where, QWidget* parent)
{
    THoldingFindFrm frm(caption, rows, where, parent);
    return frm.exec() == QDialog::Accepted;
}
