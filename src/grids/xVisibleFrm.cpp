#include "grids/xVisibleFrm.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TxVisibleFrm::TxVisibleFrm(RColItems& items, QWidget* parent) : TADlgFrm(parent), m_items(items)
{
    setObjectName(u"xVisibleFrm"_s);
    setWindowTitle(u"列选择"_s);
    OkBtn1()->setText(u"确定(&Y)"_s);
    CancelBtn1()->setText(u"取消(&Q)"_s);
    HelpBtn1()->hide();

    m_grid = new QTableWidget(int(items.size()), 2, Body());
    m_grid->setObjectName(u"Grid1"_s);
    m_grid->setToolTip(u"双击可改变当前值"_s);
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setDefaultSectionSize(120);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_grid->verticalHeader()->setDefaultSectionSize(22);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    // Rows keep their places: each row's mark goes back to the item at the same position.
    m_grid->setDragEnabled(false);
    for (int row = 0; row < items.size(); ++row) {
        m_grid->setItem(row, 0, new QTableWidgetItem(items.at(row).Caption));
        auto* mark = new QTableWidgetItem(items.at(row).Visible ? Mark : QString());
        mark->setTextAlignment(Qt::AlignCenter);
        m_grid->setItem(row, 1, mark);
    }
    m_grid->setMinimumSize(2 * 120 + 24, 300);
    connect(m_grid, &QTableWidget::cellClicked, this, [this](int row, int) { toggle(row); });

    m_up = new QPushButton(u"上移(&U)"_s, Body());
    m_down = new QPushButton(u"下移(&D)"_s, Body());
    m_up->hide();
    m_down->hide();

    auto* side = new QVBoxLayout;
    side->addWidget(m_up);
    side->addWidget(m_down);
    side->addStretch(1);
    auto* layout = new QHBoxLayout(Body());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid, 1);
    layout->addLayout(side);
}

void TxVisibleFrm::toggle(int row)
{
    QTableWidgetItem* mark = m_grid->item(row, 1);
    if (mark)
        mark->setText(mark->text() == Mark ? QString() : Mark);
}

void TxVisibleFrm::accept()
{
    for (int row = 0; row < m_grid->rowCount() && row < m_items.size(); ++row)
        m_items[row].Visible = m_grid->item(row, 1)->text() == Mark;
    TADlgFrm::accept();
}
