#include "grids/LwGridcx.h"

#include <QLayout>
#include <QVBoxLayout>

TlwGridcx::TlwGridcx(QWidget* parent) : TLwGrid(TFace::Gridcx, parent) {}

TlwGridcx* TlwGridcx::CreateOnPanel(QWidget* panel, TLwDataSet* dataSet, int layoutId)
{
    auto* grid = new TlwGridcx(panel);
    QLayout* layout = panel->layout();
    if (!layout) {
        layout = new QVBoxLayout(panel);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    layout->addWidget(grid);
    grid->SetDataSet(dataSet);
    grid->SetTag(layoutId);
    grid->LoadLayout(layoutId);
    return grid;
}
