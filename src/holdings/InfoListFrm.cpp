#include "holdings/InfoListFrm.h"

#include "grids/LwGridcx.h"
#include "holdings/InfoLists.h"

#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TInfoListFrm::TInfoListFrm(std::unique_ptr<IViewList> list, const QString& caption, int layoutId, QWidget* parent)
    : TWinFrm(parent), m_list(std::move(list))
{
    setObjectName(u"InfoListFrm"_s);
    setWindowTitle(caption);
    resize(720, 480);

    auto* tools = new QToolBar(this);
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_grid = new TlwGridcx(this);
    m_grid->setObjectName(u"DBGrid1"_s);
    m_grid->SetDataSet(m_list->DataSet());
    m_grid->SetTag(layoutId);
    m_grid->LoadLayout(layoutId);

    tools->addAction(u"添加"_s, this, [this] { m_list->Add(this); });
    tools->addAction(u"修改"_s, this, [this] { m_list->Edit(this); });
    tools->addAction(u"删除"_s, this, [this] { m_list->Delete(this); });
    tools->addAction(u"刷新"_s, this, [this] { m_list->Refresh(); });
    tools->addAction(u"导入"_s, this, [this] {
        if (m_list->Import(this))
            m_list->Refresh();
    });
    auto* exportButton = new QToolButton(tools);
    exportButton->setText(u"导出"_s);
    exportButton->setPopupMode(QToolButton::InstantPopup);
    auto* exportMenu = new QMenu(exportButton);
    exportMenu->addAction(u"导出到Excel..."_s, m_grid, &TLwGrid::SaveToExcelClick);
    exportMenu->addAction(u"导出到Html..."_s, m_grid, &TLwGrid::SaveToHtmlClick);
    exportButton->setMenu(exportMenu);
    tools->addWidget(exportButton);
    tools->addAction(u"打印"_s, this, [this] { m_list->Print(this); });
    tools->addAction(u"排序"_s, m_grid, &TLwGrid::SortClick);
    auto* settings = new QToolButton(tools);
    settings->setText(u"设置"_s);
    connect(settings, &QToolButton::clicked, this, [this, settings] { m_grid->PopupButtonClick(settings); });
    tools->addWidget(settings);
    tools->addSeparator();
    tools->addAction(u" 退出 "_s, this, &TInfoListFrm::close);

    connect(m_grid, &TLwGrid::DblClick, this, [this] { m_list->Edit(this); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(m_grid, 1);
}

TInfoListFrm::~TInfoListFrm()
{
    // The grid reads the list's rows until it goes.
    m_grid->SetDataSet(nullptr);
}

TInfoListFrm* TInfoListFrm::ShowPublishers(QWidget* parent)
{
    Q_UNUSED(parent)
    auto* window = new TInfoListFrm(std::make_unique<TPublisherList>(), u"出版社"_s, 1030);
    window->show();
    return window;
}

TInfoListFrm* TInfoListFrm::ShowReaderskinds(QWidget* parent)
{
    Q_UNUSED(parent)
    auto* window = new TInfoListFrm(std::make_unique<TReaderskindList>(), u"读者类别"_s, 1005);
    window->show();
    return window;
}
