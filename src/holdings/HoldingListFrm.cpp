#include "holdings/HoldingListFrm.h"

#include "app/LwEdit.h"
#include "data/DbError.h"
#include "grids/LwDBGrid.h"
#include "holdings/CatalogEditFrm.h"
#include "holdings/CatalogTree.h"
#include "holdings/HoldingList.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// The wait cursor for the length of one search.
class TBusy
{
public:
    TBusy() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusy() { QApplication::restoreOverrideCursor(); }
    TBusy(const TBusy&) = delete;
    TBusy& operator=(const TBusy&) = delete;
};

} // namespace

THoldingListFrm::THoldingListFrm(std::unique_ptr<THoldingListBase> list, TSetup setup, QWidget* parent)
    : TWinFrm(parent), m_list(std::move(list)), m_setup(std::move(setup))
{
    setObjectName(m_setup.ObjectName);
    setWindowTitle(m_setup.Caption);
    resize(800, 600);
    move(20, 20);

    m_grid = new TlwDBGrid(this);
    m_grid->setObjectName(u"DBGrid1"_s);
    m_grid->SetDataSet(m_list->DataSet());
    m_grid->SetTag(m_setup.LayoutId);
    m_grid->SetLayoutId(m_setup.LayoutId);
    if (!m_grid->LoadLayout(m_setup.LayoutId))
        fitColumns();
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->SetMultiSelect(true);
    connect(m_grid, &TLwGrid::DblClick, this, [this] { m_list->Edit(this); });

    m_keyword = new TlwEdit(this);
    m_keyword->setObjectName(u"edtKeyword1"_s);
    m_keyword->SetTabOnEnter(false);
    m_keyword->setMaxLength(50);
    m_keyword->setPlaceholderText(u"编号、名称、拼音简码或作者中的文字"_s);
    m_keyword->clear();
    auto* searchButton = new QPushButton(u"搜索一下"_s, this);
    searchButton->setObjectName(u"SearchBtn1"_s);
    auto* findButton = new QPushButton(u"高级..."_s, this);
    findButton->setObjectName(u"FindBtn1"_s);
    connect(m_keyword, &QLineEdit::returnPressed, this, &THoldingListFrm::KeywordSearch);
    connect(searchButton, &QPushButton::clicked, this, &THoldingListFrm::KeywordSearch);
    connect(findButton, &QPushButton::clicked, this, &THoldingListFrm::AdvancedSearch);

    auto* searchRow = new QHBoxLayout;
    searchRow->setContentsMargins(4, 4, 4, 4);
    searchRow->addWidget(m_keyword, 1);
    searchRow->addWidget(searchButton);
    searchRow->addWidget(findButton);
    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(0);
    rightLayout->addLayout(searchRow);
    rightLayout->addWidget(m_grid, 1);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(buildTreePanel());
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({200, 600});

    buildToolbar();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_tools);
    layout->addWidget(splitter, 1);

    connect(m_tree, &TCatalogTree::ClassChanged, this, [this](const RCatalog& record) { ClassSearch(record.Code); });
    if (m_setup.TreeAtCreation)
        reloadTree();
}

THoldingListFrm::~THoldingListFrm()
{
    // The grid reads the list's rows until it goes.
    m_grid->SetDataSet(nullptr);
}

QWidget* THoldingListFrm::buildTreePanel()
{
    m_treePanel = new QWidget(this);
    m_treePanel->setObjectName(u"TreePanel1"_s);
    auto* catalog = new QPushButton(u"分类设置..."_s, m_treePanel);
    catalog->setObjectName(u"CatalogBtn1"_s);
    auto* refresh = new QPushButton(u"刷新"_s, m_treePanel);
    refresh->setObjectName(u"TreeRefreshBtn1"_s);
    m_tree = new TCatalogTree(m_treePanel);
    m_tree->setObjectName(u"CatalogTree1"_s);
    // maintenance only: this tree keeps what it shows until "刷新"
    connect(catalog, &QPushButton::clicked, this, [this] { ShowCatalog({}, this); });
    connect(refresh, &QPushButton::clicked, this, [this] {
        TBusy busy;
        m_tree->RefreshKeep();
    });
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(4, 4, 4, 4);
    buttons->addWidget(catalog, 1);
    buttons->addWidget(refresh);
    auto* layout = new QVBoxLayout(m_treePanel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(buttons);
    layout->addWidget(m_tree, 1);
    return m_treePanel;
}

void THoldingListFrm::fitColumns()
{
    // Until the operator saves a layout, columns as wide as their fields allow would show one or two
    // of them at a time; titles and class names get room, codes and counts what they need.
    static const QStringList wide{u"Name"_s, u"CataName"_s, u"Belongs"_s, u"Contents"_s, u"Notes"_s, u"Publisher"_s};
    const int digit = m_grid->fontMetrics().horizontalAdvance(u'0');
    const TGridColumns& columns = m_grid->Columns();
    for (int i = 0; i < columns.size(); ++i) {
        const int chars = wide.contains(columns.at(i).FieldName, Qt::CaseInsensitive) ? 28 : 12;
        m_grid->SetColumnWidth(i, chars * digit + 4);
    }
}

void THoldingListFrm::buildToolbar()
{
    m_tools = new QToolBar(this);
    m_tools->setObjectName(u"ToolBar1"_s);
    m_tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction* classes = m_tools->addAction(u"分类"_s);
    classes->setCheckable(true);
    classes->setChecked(true);
    connect(classes, &QAction::toggled, m_treePanel, &QWidget::setVisible);
    m_tools->addAction(u"添加"_s, this, [this] { m_list->Add(this); });
    m_tools->addAction(u"修改"_s, this, [this] { m_list->Edit(this); });
    m_tools->addAction(u"删除"_s, this, [this] { m_list->Delete(this); });
    m_tools->addAction(u"查找"_s, this, &THoldingListFrm::AdvancedSearch);
    m_tools->addAction(u"排序"_s, m_grid, &TLwGrid::SortClick);
    m_tools->addAction(u"刷新"_s, this, [this] {
        TBusy busy;
        try {
            m_list->Refresh();
        } catch (const EAbort&) {
        }
    });
    m_tools->addAction(u"打印"_s, this, [this] { m_list->Print(this); });
    m_tools->addAction(u"导入"_s, this, [this] {
        if (m_list->Import(this))
            m_list->Refresh();
    });
    auto dropDown = [this](const QString& caption, const QString& name, QMenu* menu) {
        auto* button = new QToolButton(m_tools);
        button->setObjectName(name);
        button->setText(caption);
        button->setPopupMode(QToolButton::InstantPopup);
        button->setMenu(menu);
        m_tools->addWidget(button)->setText(caption);
    };
    dropDown(u"导出"_s, u"ExportBtn1"_s, m_grid->NewExportMenu());
    dropDown(u" 设置 "_s, u"SetupBtn1"_s, m_grid->NewSettingsMenu());
    m_tools->addSeparator();
    m_tools->addAction(u"退出"_s, this, &QWidget::close);
}

QAction* THoldingListFrm::ToolAction(const QString& caption) const
{
    for (QAction* action : m_tools->actions()) {
        if (action->text().trimmed() == caption.trimmed())
            return action;
    }
    return nullptr;
}

void THoldingListFrm::showEvent(QShowEvent* event)
{
    TWinFrm::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    if (!m_setup.TreeAtCreation)
        QTimer::singleShot(0, this, &THoldingListFrm::reloadTree);
}

void THoldingListFrm::reloadTree()
{
    TBusy busy;
    m_tree->Reload();
    // selecting the root lists every title
    m_tree->setCurrentItem(m_tree->topLevelItem(0));
}

void THoldingListFrm::search()
{
    TBusy busy;
    try {
        m_list->HoldingSet().Search();
    } catch (const EAbort&) {
        // the failing statement has been shown; the list stays closed
    }
}

void THoldingListFrm::ClassSearch(const QString& classCode)
{
    THoldingWhere* where = m_list->HoldingSet().Where();
    where->Clear();
    where->SetCondition(u"CataCode"_s, classCode);
    search();
    m_grid->clearSelection();
}

void THoldingListFrm::KeywordSearch()
{
    THoldingWhere* where = m_list->HoldingSet().Where();
    where->Clear();
    where->SetCondition(u"Keyword"_s, m_keyword->text());
    search();
}

bool THoldingListFrm::AdvancedSearch()
{
    if (!THoldingFindFrm::Execute(m_setup.FindCaption, m_setup.FindRows, m_list->HoldingSet().Where(), this))
        return false;
    search();
    return true;
}
