#include "grids/GridDelegate.h"

void TGridDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (m_alternate.isValid() && index.row() % 2 == 0 && !(option->state & QStyle::State_Selected))
        option->backgroundBrush = m_alternate;
}
