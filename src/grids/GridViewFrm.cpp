#include "grids/GridViewFrm.h"

#include "grids/LwDBGrid.h"

#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TGridViewFrm::TGridViewFrm(TLwDataSet* dataSet, int layoutId, QWidget* parent) : TWinFrm(parent)
{
    setObjectName(u"GridViewFrm"_s);
    m_grid = new TlwDBGrid(this);
    m_grid->setObjectName(u"DBGrid1"_s);
    m_grid->SetDataSet(dataSet);
    m_grid->SetTag(layoutId);
    if (layoutId > 0)
        m_grid->LoadLayout(layoutId);

    auto* tools = new QToolBar(this);
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tools->addAction(m_grid->ActionSort());
    QAction* filter = tools->addAction(u"过滤"_s);
    connect(filter, &QAction::triggered, m_grid, &TLwGrid::FilterClick);
    tools->addSeparator();
    auto* exportButton = new QToolButton(tools);
    exportButton->setText(u"导出"_s);
    exportButton->setPopupMode(QToolButton::MenuButtonPopup);
    exportButton->setMenu(m_grid->NewExportMenu());
    connect(exportButton, &QToolButton::clicked, m_grid, &TLwGrid::ExportClick);
    tools->addWidget(exportButton);
    auto* settingsButton = new QToolButton(tools);
    settingsButton->setText(u"设置"_s);
    settingsButton->setPopupMode(QToolButton::InstantPopup);
    settingsButton->setMenu(m_grid->NewSettingsMenu());
    tools->addWidget(settingsButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    layout->addWidget(tools);
    layout->addWidget(m_grid, 1);
    resize(760, 520);
}

TGridViewFrm* TGridViewFrm::Open(TLwDataSet* dataSet, const QString& caption, int layoutId, QWidget* parent)
{
    auto* window = new TGridViewFrm(dataSet, layoutId, parent);
    window->setWindowTitle(caption);
    window->show();
    return window;
}
