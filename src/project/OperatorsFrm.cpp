#include "project/OperatorsFrm.h"

#include "app/MessageHelpers.h"
#include "data/DbError.h"
#include "project/Operator.h"
#include "project/OperatorEditorFrm.h"
#include "project/OperatorSet.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// A head and shoulders, drawn once, for every operator's icon.
QIcon operatorIcon()
{
    static const QIcon icon = [] {
        QPixmap picture(32, 32);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(40, 70, 120), 1.2));
        painter.setBrush(QColor(90, 140, 210));
        QPainterPath shoulders;
        shoulders.moveTo(4, 31);
        shoulders.cubicTo(4, 20, 10, 18, 16, 18);
        shoulders.cubicTo(22, 18, 28, 20, 28, 31);
        shoulders.closeSubpath();
        painter.drawPath(shoulders);
        painter.setBrush(QColor(250, 214, 170));
        painter.drawEllipse(QRectF(9.5, 2.5, 13, 14));
        return QIcon(picture);
    }();
    return icon;
}

} // namespace

TOperatorsFrm::TOperatorsFrm(QWidget* parent)
    : TAInfoDlgFrm(parent), m_set(std::make_unique<TOperatorSet>()), m_editor(new TOperatorEditorFrm(this))
{
    setObjectName(u"OperatorsFrm"_s);
    setWindowTitle(u"操作员及权限"_s);

    m_list = new QListWidget(Body());
    m_list->setObjectName(u"ListView1"_s);
    m_list->setViewMode(QListView::IconMode);
    m_list->setIconSize(QSize(32, 32));
    m_list->setGridSize(QSize(96, 64));
    m_list->setResizeMode(QListView::Adjust);
    m_list->setMovement(QListView::Static);
    m_list->setWordWrap(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMinimumSize(360, 240);

    auto makeButton = [this](const QString& text, const QString& name) {
        auto* button = new QPushButton(text, Body());
        button->setObjectName(name);
        button->setAutoDefault(false);
        button->setMinimumWidth(75);
        return button;
    };
    m_prop = makeButton(u"属性"_s, u"btnProp1"_s);
    m_add = makeButton(u"添加"_s, u"btnAdd1"_s);
    m_delete = makeButton(u"删除"_s, u"btnDelete1"_s);

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(6);
    buttons->addWidget(m_prop);
    buttons->addWidget(m_add);
    buttons->addWidget(m_delete);
    buttons->addStretch(1);

    auto* listColumn = new QVBoxLayout;
    listColumn->setSpacing(4);
    listColumn->addWidget(new QLabel(u"用户列表"_s, Body()));
    listColumn->addWidget(m_list, 1);

    auto* layout = new QHBoxLayout(Body());
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(listColumn, 1);
    layout->addLayout(buttons);

    TLwDataSet* rows = m_set->DataSet();
    rows->First();
    while (!rows->Eof()) {
        addItem(rows->AsString(m_set->UserIdField().Name));
        rows->Next();
    }

    connect(m_list, &QListWidget::itemSelectionChanged, this, &TOperatorsFrm::updateButtons);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &TOperatorsFrm::EditSelected);
    connect(m_prop, &QPushButton::clicked, this, &TOperatorsFrm::EditSelected);
    connect(m_add, &QPushButton::clicked, this, &TOperatorsFrm::AddNew);
    connect(m_delete, &QPushButton::clicked, this, &TOperatorsFrm::DeleteSelected);
    updateButtons();
}

TOperatorsFrm::~TOperatorsFrm() = default;

void TOperatorsFrm::Execute(QWidget* parent)
{
    CurrentOperator().RequireRight(TRight::Operators);
    TOperatorsFrm window(parent);
    window.exec();
}

QListWidgetItem* TOperatorsFrm::addItem(const QString& login)
{
    return new QListWidgetItem(operatorIcon(), login, m_list);
}

void TOperatorsFrm::updateButtons()
{
    const bool selected = !m_list->selectedItems().isEmpty();
    m_prop->setEnabled(selected);
    m_delete->setEnabled(selected);
}

void TOperatorsFrm::EditSelected()
{
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return;
    const QString login = selected.first()->text();
    TLwDataSet* rows = m_set->DataSet();
    if (!rows->Locate(m_set->UserIdField().Name, login))
        return;
    m_editor->PrepareExisting(login, rows->AsString(m_set->NameField().Name),
                              rows->AsString(m_set->ContactField().Name), rows->AsString(m_set->NoteField().Name),
                              rows->AsString(m_set->RightsField().Name));
    // Until the table takes the values, or the operator gives up, the editor comes back with what he typed.
    while (m_editor->exec() == QDialog::Accepted) {
        try {
            if (!m_set->UpdateOperator(login, m_editor->NewPassword(), m_editor->RightsText(), m_editor->Note(),
                                       m_editor->Contact(), m_editor->OperatorName()))
                InfoBox(u"操作员 \"%1\" 已不存在, 可能已被其他工作站删除."_s.arg(login));
            return;
        } catch (const EDatabaseError& error) {
            InfoBox(error.Message());
        }
    }
}

void TOperatorsFrm::AddNew()
{
    m_editor->PrepareNew();
    while (m_editor->exec() == QDialog::Accepted) {
        try {
            const QString login = m_editor->LoginId();
            if (m_set->AddOperator(login, m_editor->NewPassword().value_or(QString()), m_editor->RightsText(),
                                   m_editor->Note(), m_editor->Contact(), m_editor->OperatorName())) {
                QListWidgetItem* item = addItem(login);
                m_list->setCurrentItem(item);
            }
            return;
        } catch (const EDatabaseError& error) {
            InfoBox(error.Message());
        }
    }
}

void TOperatorsFrm::DeleteSelected()
{
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return;
    QListWidgetItem* item = selected.first();
    if (!ConfirmDelete(item->text()))
        return;
    try {
        m_set->DeleteOperator(item->text());
        std::unique_ptr<QListWidgetItem> taken(m_list->takeItem(m_list->row(item)));
    } catch (const EDatabaseError& error) {
        InfoBox(error.Message());
    }
}
