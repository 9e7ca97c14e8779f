#include "holdings/PickerFrm.h"

#include "app/LwEdit.h"
#include "data/LwDataSet.h"
#include "grids/LwDBGrid.h"
#include "holdings/ViewList.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TPickerFrm::TPickerFrm(TLwDataSet* dataSet, int layoutId, QWidget* parent) : TADlgFrm(parent), m_dataSet(dataSet)
{
    setObjectName(u"PickerFrm"_s);
    setWindowTitle(u"选择"_s);

    m_search = new TlwEdit(Body());
    m_search->setObjectName(u"edtSearch1"_s);
    m_search->SetTabOnEnter(false);
    m_search->setPlaceholderText(u"输入任意文字即可筛选"_s);
    auto* searchLabel = new QLabel(u"搜索一下"_s, Body());
    searchLabel->setBuddy(m_search);

    m_grid = new TlwDBGrid(Body());
    m_grid->setObjectName(u"DBGrid1"_s);
    m_grid->SetDataSet(dataSet);
    m_grid->SetTag(layoutId);
    if (layoutId > 0)
        m_grid->LoadLayout(layoutId);
    m_grid->setMinimumSize(560, 320);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(m_search, 1);
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(searchRow);
    layout->addWidget(m_grid, 1);

    connect(m_search, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (m_dataSet)
            FilterByKeyword(*m_dataSet, text);
    });
    // Enter in the search field picks the row it narrowed down to.
    connect(m_search, &QLineEdit::returnPressed, this, &TPickerFrm::accept);
    connect(m_grid, &TLwGrid::DblClick, this, &TPickerFrm::accept);
    HelpBtn1()->hide();
}

TPickerFrm::TPickerFrm(IViewList* list, TLwDataSet* dataSet, int layoutId, QWidget* parent)
    : TPickerFrm(dataSet, layoutId, parent)
{
    m_list = list;
    addListCommands();
}

void TPickerFrm::addListCommands()
{
    QMenu* popup = m_grid->PopupMenuLw();
    const QList<QAction*> own = popup->actions();
    auto* add = new QAction(u"添加"_s, popup);
    auto* edit = new QAction(u"修改"_s, popup);
    connect(add, &QAction::triggered, this, [this] { m_list->Add(this); });
    connect(edit, &QAction::triggered, this, [this] { m_list->Edit(this); });
    QAction* first = own.isEmpty() ? nullptr : own.first();
    popup->insertAction(first, add);
    popup->insertAction(first, edit);
    popup->insertSeparator(first);
    popup->addSeparator();
    popup->addAction(u"删除"_s, this, [this] { m_list->Delete(this); });

    // beside OK and Cancel, on the left where the help button would be
    m_new = new QPushButton(u"新增"_s, this);
    m_new->setObjectName(u"NewBtn1"_s);
    m_new->setAutoDefault(false);
    connect(m_new, &QPushButton::clicked, this, [this] { m_list->Add(this); });
    m_setup = new QPushButton(u"设置 ▼"_s, this);
    m_setup->setObjectName(u"SetupBtn1"_s);
    m_setup->setAutoDefault(false);
    connect(m_setup, &QPushButton::clicked, this, [this] { m_grid->PopupButtonClick(m_setup); });
    for (int i = 0; i < layout()->count(); ++i) {
        auto* buttons = qobject_cast<QBoxLayout*>(layout()->itemAt(i)->layout());
        if (buttons && buttons->indexOf(OkBtn1()) >= 0) {
            buttons->insertWidget(0, m_new);
            buttons->insertWidget(1, m_setup);
            break;
        }
    }
}

TPickerFrm::~TPickerFrm()
{
    // The data set belongs to the caller and outlives the window: leave it unfiltered.
    if (m_dataSet && m_dataSet->Filtered())
        m_dataSet->ClearFilter();
}

void TPickerFrm::FilterByKeyword(TLwDataSet& dataSet, const QString& text)
{
    const QString keyword = text.trimmed();
    if (keyword.isEmpty()) {
        dataSet.ClearFilter();
        return;
    }
    QList<int> textFields;
    for (int f = 0; f < dataSet.FieldCount(); ++f) {
        const TFieldType type = dataSet.Field(f).Type;
        if (type == TFieldType::String || type == TFieldType::WideString || type == TFieldType::Memo)
            textFields.append(f);
    }
    dataSet.SetFilter([textFields, keyword](const TLwDataSet&, const QVariantList& values) {
        for (int f : textFields)
            if (values.value(f).toString().contains(keyword, Qt::CaseInsensitive))
                return true;
        return false;
    });
}

bool TPickerFrm::CloseQuery()
{
    if (!m_dataSet || !m_dataSet->Active() || m_dataSet->IsEmpty())
        return false;
    if (m_list)
        return m_list->Pick();
    return !m_pick || m_pick(*m_dataSet);
}

bool PickFromList(TLwDataSet* dataSet, int layoutId, const TPickerFrm::TPick& pick, QWidget* parent)
{
    TPickerFrm window(dataSet, layoutId, parent);
    window.SetOnPick(pick);
    return window.exec() == QDialog::Accepted;
}

bool PickFromList(IViewList* list, TLwDataSet* dataSet, int layoutId, QWidget* parent)
{
    TPickerFrm window(list, dataSet, layoutId, parent);
    return window.exec() == QDialog::Accepted;
}
