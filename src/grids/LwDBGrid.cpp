#include "grids/LwDBGrid.h"

#include <QMenu>

TlwDBGrid::TlwDBGrid(QWidget* parent) : TLwGrid(TFace::DBGrid, parent) {}

void TlwDBGrid::SetLayoutId(int id)
{
    m_layoutId = id;
    LoadLayout(id > 0 ? id : Tag());
}

QMenu* TlwDBGrid::NewExportMenu()
{
    auto* menu = new QMenu(window());
    menu->addAction(ActionExport2Excel());
    menu->addAction(ActionExport2Html());
    return menu;
}

QMenu* TlwDBGrid::NewSettingsMenu()
{
    auto* menu = new QMenu(window());
    menu->addAction(ActionColVisible());
    menu->addAction(ActionTableStyleSave());
    return menu;
}
