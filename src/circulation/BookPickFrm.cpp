#include "circulation/BookPickFrm.h"

#include "circulation/PendingGrid.h"
#include "data/LwDataSet.h"
#include "grids/LwDBGrid.h"
#include "holdings/BookEditFrm.h"
#include "holdings/CatalogTree.h"
#include "holdings/HoldingList.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TTitlePickFrm::TTitlePickFrm(std::unique_ptr<THoldingListBase> list, int layoutId, const QString& pickCaption,
                             QWidget* parent)
    : TaFrm(parent), m_list(std::move(list))
{
    setWindowTitle(u"选择"_s);
    setModal(true);
    SetPosition(TPosition::CenterOwner);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);

    auto* top = new QHBoxLayout;
    auto* classes = new QCheckBox(u"中图分类"_s, this);
    classes->setObjectName(u"CheckBox1"_s);
    classes->setChecked(true);
    m_keyword = new QLineEdit(this);
    m_keyword->setObjectName(u"edtKeyword1"_s);
    m_keyword->setPlaceholderText(u"搜索一下"_s);
    m_keyword->setClearButtonEnabled(true);
    top->addWidget(classes);
    top->addStretch(1);
    top->addWidget(m_keyword, 1);
    layout->addLayout(top);

    auto* splitter = new QSplitter(this);
    m_treePanel = new QWidget(splitter);
    auto* treeLayout = new QVBoxLayout(m_treePanel);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    m_tree = new TCatalogTree(m_treePanel);
    m_tree->setObjectName(u"CatalogTree1"_s);
    treeLayout->addWidget(m_tree);
    m_grid = new TlwDBGrid(splitter);
    m_grid->setObjectName(u"Grid1"_s);
    m_grid->SetDataSet(m_list->DataSet());
    m_grid->SetLayoutId(layoutId);
    m_fitColumns = !m_grid->LoadLayout(layoutId);
    splitter->addWidget(m_treePanel);
    splitter->addWidget(m_grid);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({200, 560});
    layout->addWidget(splitter, 1);

    auto* buttons = new QHBoxLayout;
    auto* add = new QPushButton(u"新添"_s, this);
    add->setObjectName(u"NewBtn1"_s);
    auto* take = new QPushButton(pickCaption, this);
    take->setObjectName(u"BitBtn1"_s);
    auto* cancel = new QPushButton(u"取消"_s, this);
    cancel->setObjectName(u"BitBtn2"_s);
    for (QPushButton* button : {add, take, cancel}) {
        button->setAutoDefault(false);
        button->setMinimumWidth(80);
    }
    buttons->addWidget(add);
    buttons->addStretch(1);
    buttons->addWidget(take);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    resize(800, 520);

    connect(classes, &QCheckBox::toggled, m_treePanel, &QWidget::setVisible);
    connect(m_tree, &TCatalogTree::ClassChanged, this, [this](const RCatalog& record) { showClass(record.Code); });
    connect(m_keyword, &QLineEdit::textChanged, this,
            [this](const QString& text) { RunGuarded([&] { m_list->HoldingSet().QuickFilter(text); }); });
    connect(add, &QPushButton::clicked, this, [this] { RunGuarded([this] { m_list->Add(this); }); });
    connect(take, &QPushButton::clicked, this, &TTitlePickFrm::pick);
    connect(m_grid, &TLwGrid::DblClick, this, &TTitlePickFrm::pick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TTitlePickFrm::showEvent(QShowEvent* event)
{
    TaFrm::showEvent(event);
    if (m_loaded)
        return;
    m_loaded = true;
    // selecting the root lists every title
    RunGuarded([this] {
        const TWaitCursor wait;
        m_tree->Reload();
        m_tree->setCurrentItem(m_tree->topLevelItem(0));
        if (!m_list->DataSet()->Active())
            showClass(TCustomWhere::AllClasses);
    });
}

void TTitlePickFrm::showClass(const QString& code)
{
    RunGuarded([&] {
        const TWaitCursor wait;
        THoldingSet& set = m_list->HoldingSet();
        set.Where()->Clear();
        set.Where()->SetCondition(u"CataCode"_s, code);
        set.Search();
        set.QuickFilter(m_keyword->text());
        if (m_fitColumns)
            FitGridColumns(*m_grid);
    });
}

void TTitlePickFrm::pick()
{
    bool taken = false;
    RunGuarded([&] { taken = m_list->Pick(); });
    if (taken)
        accept();
}

TBookPickFrm::TBookPickFrm(TOnPick onPick, QWidget* parent)
    : TTitlePickFrm(std::make_unique<TBookList>([](RBook& record, TBookList::TSave save, QWidget* owner) {
                        return EditBook(record, std::move(save), owner);
                    }),
                    1011, u"选择"_s, parent)
{
    setObjectName(u"BookPickFrm"_s);
    List().SetOnPick(std::move(onPick));
}

bool TBookPickFrm::Pick(TOnPick onPick, QWidget* parent)
{
    TBookPickFrm form(std::move(onPick), parent);
    return form.exec() == QDialog::Accepted;
}
