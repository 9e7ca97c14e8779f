#include "holdings/HoldingEditFrm.h"

#include "app/MessageHelpers.h"

#include "app/LwComboBox.h"
#include "app/LwDateTimePicker.h"
#include "app/LwEdit.h"
#include "app/MessageHelpers.h"
#include "data/DbError.h"
#include "holdings/CatalogEditFrm.h"
#include "holdings/InfoLists.h"
#include "holdings/PickerFrm.h"
#include "holdings/PublisherSet.h"
#include "project/ListItemEditFrm.h"
#include "project/PickListSet.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

QPushButton* dotsButton(QWidget* parent)
{
    auto* button = new QPushButton(u"..."_s, parent);
    button->setFixedWidth(28);
    button->setAutoDefault(false);
    return button;
}

} // namespace

THoldingEditFrm::THoldingEditFrm(const QString& objectName, const QString& caption, const QList<TRow>& rows,
                                 QWidget* parent)
    : TADlgFrm(parent), m_rows(rows)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    auto* grid = new QGridLayout(Body());
    int line = 0;
    int column = 0;
    for (const TRow& row : m_rows) {
        QWidget* editor = nullptr;
        QPushButton* dots = nullptr;
        switch (row.Kind) {
        case TKind::Memo: {
            auto* memo = new QPlainTextEdit(Body());
            memo->setTabChangesFocus(true);
            memo->setFixedHeight(60);
            editor = memo;
            break;
        }
        case TKind::PickList:
        case TKind::Publisher:
        case TKind::PublisherByPick: {
            auto* combo = new TlwComboBox(Body());
            combo->SetEditable(true);
            if (row.Kind == TKind::Publisher || row.Kind == TKind::PublisherByPick) {
                if (row.Kind == TKind::Publisher)
                    combo->addItems(TPublisherSet::Names());
                dots = dotsButton(Body());
                connect(dots, &QPushButton::clicked, this, [this, row] { pickPublisher(row); });
            } else {
                QStringList items;
                TPickListSet::LoadItems(row.List, items);
                combo->addItems(items);
                dots = dotsButton(Body());
                connect(dots, &QPushButton::clicked, this, [this, row] { editList(row); });
            }
            combo->setCurrentIndex(-1);
            editor = combo;
            break;
        }
        case TKind::Date: {
            auto* picker = new TlwDateTimePicker(Body());
            editor = picker;
            break;
        }
        default: {
            auto* edit = new TlwEdit(Body());
            if (row.Kind == TKind::Price)
                edit->SetEditType(TlwEdit::etNumber);
            if (row.Kind == TKind::QtyLib || row.Kind == TKind::Counter)
                edit->SetEditType(TlwEdit::etInteger);
            if (row.Kind == TKind::Counter || row.Kind == TKind::Class)
                edit->setReadOnly(true);
            edit->setMaxLength(row.Field == u"Belongs"_s || row.Field == u"Notes"_s ? 250 : 50);
            if (row.Kind == TKind::Class) {
                dots = dotsButton(Body());
                connect(dots, &QPushButton::clicked, this, &THoldingEditFrm::pickClass);
            }
            editor = edit;
            break;
        }
        }
        editor->setObjectName(u"edt"_s + row.Field + u"1"_s);
        if (dots)
            dots->setObjectName(u"btn"_s + row.Field + u"1"_s);
        editor->setMinimumWidth(150);
        m_editors.insert(row.Field.toLower(), editor);
        if (m_first.isEmpty())
            m_first = row.Field;
        auto* label = new QLabel(row.Label, Body());
        label->setBuddy(editor);
        auto* cell = new QHBoxLayout;
        cell->setSpacing(2);
        cell->addWidget(editor, 1);
        if (dots)
            cell->addWidget(dots);
        // the memo takes a whole line; the rest pair up two to a line
        if (row.Kind == TKind::Memo) {
            if (column != 0)
                ++line;
            grid->addWidget(label, line, 0, Qt::AlignTop);
            grid->addLayout(cell, line, 1, 1, 3);
            ++line;
            column = 0;
            continue;
        }
        grid->addWidget(label, line, column * 2);
        grid->addLayout(cell, line, column * 2 + 1);
        if (++column == 2) {
            column = 0;
            ++line;
        }
    }
}

void THoldingEditFrm::showEvent(QShowEvent* event)
{
    TADlgFrm::showEvent(event);
    if (QWidget* first = Editor(m_first))
        QTimer::singleShot(0, first, [first] { first->setFocus(); });
}

void THoldingEditFrm::pickClass()
{
    ShowCatalog(
        [this](const RCatalog& record) {
            m_class = record;
            if (auto* edit = qobject_cast<TlwEdit*>(Editor(u"CataName"_s)))
                edit->setText(record.Name);
            return true;
        },
        this);
}

void THoldingEditFrm::pickPublisher(const TRow& row)
{
    auto* combo = qobject_cast<TlwComboBox*>(Editor(row.Field));
    TPublisherList publishers;
    publishers.SetOnPick([combo](const RPublisher& picked) {
        combo->setEditText(picked.Name);
        return true;
    });
    PickFromList(&publishers, publishers.DataSet(), 1031, this);
}

void THoldingEditFrm::editList(const TRow& row)
{
    auto* combo = qobject_cast<TlwComboBox*>(Editor(row.Field));
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    if (!EditPickList(row.ListCaption, items, this))
        return;
    const QString text = combo->currentText();
    combo->clear();
    combo->addItems(items);
    combo->setEditText(text);
    TPickListSet::SaveItems(row.List, items);
}

void THoldingEditFrm::setValues(const QVariantMap& values)
{
    m_class = RCatalog();
    m_class.Id = values.value(u"CataId"_s).toInt();
    m_class.Mark = values.value(u"CataMark"_s).toString();
    m_class.Name = values.value(u"CataName"_s).toString();
    for (const TRow& row : std::as_const(m_rows)) {
        QWidget* editor = Editor(row.Field);
        const QVariant value = values.value(row.Field);
        if (auto* memo = qobject_cast<QPlainTextEdit*>(editor)) {
            memo->setPlainText(value.toString());
        } else if (auto* combo = qobject_cast<TlwComboBox*>(editor)) {
            combo->setEditText(value.toString());
        } else if (auto* picker = qobject_cast<TlwDateTimePicker*>(editor)) {
            picker->SetAsDate(value.isNull() ? QVariant(QDate::currentDate()) : value);
        } else if (auto* edit = qobject_cast<TlwEdit*>(editor)) {
            if (row.Kind == TKind::Counter || row.Kind == TKind::QtyLib)
                edit->SetAsInteger(value.toInt());
            else if (row.Kind == TKind::Price)
                edit->setText(value.isNull() ? QString() : QString::number(value.toDouble()));
            else
                edit->setText(value.toString());
        }
    }
}

QVariantMap THoldingEditFrm::values() const
{
    QVariantMap values;
    values.insert(u"CataId"_s, m_class.Id > 0 ? m_class.Id : 0);
    values.insert(u"CataMark"_s, m_class.Mark);
    values.insert(u"CataName"_s, m_class.Name);
    for (const TRow& row : m_rows) {
        if (row.Kind == TKind::Class)
            continue;
        QWidget* editor = Editor(row.Field);
        QVariant value;
        if (auto* memo = qobject_cast<QPlainTextEdit*>(editor))
            value = memo->toPlainText();
        else if (auto* combo = qobject_cast<TlwComboBox*>(editor))
            value = combo->currentText();
        else if (auto* picker = qobject_cast<TlwDateTimePicker*>(editor))
            value = picker->AsDate();
        else if (auto* edit = qobject_cast<TlwEdit*>(editor)) {
            if (row.Kind == TKind::Counter || row.Kind == TKind::QtyLib)
                value = edit->AsInteger();
            else if (row.Kind == TKind::Price)
                value = edit->text().trimmed().isEmpty() ? QVariant() : QVariant(edit->text());
            else
                value = edit->text();
        }
        values.insert(row.Field, value);
    }
    return values;
}

bool THoldingEditFrm::saveShowingErrors(const std::function<bool()>& save)
{
    try {
        return save();
    } catch (const EConvertError& e) {
        InfoBox(e.Message());
    } catch (const EDatabaseError& e) {
        InfoBox(e.Message());
    }
    return false;
}
