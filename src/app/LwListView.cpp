#include "app/LwListView.h"

#include <QAction>

TlwListView::TlwListView(QWidget* parent) : QListWidget(parent)
{
    setViewMode(QListView::IconMode);
    setMovement(QListView::Free);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setIconSize(QSize(32, 32));
    // Without a cell wider than the icon, captions wrap after every two characters.
    setGridSize(QSize(100, 72));
    setWordWrap(true);
    connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const QString name = ActionName(item);
        if (!name.isEmpty())
            emit actionActivated(name);
    });
}

QListWidgetItem* TlwListView::AddAction(QAction* action)
{
    auto* item = new QListWidgetItem(action->icon(), action->iconText(), this);
    item->setData(ActionNameRole, action->objectName());
    item->setStatusTip(action->statusTip());
    item->setToolTip(action->toolTip());
    return item;
}

QString TlwListView::ActionName(const QListWidgetItem* item)
{
    return item ? item->data(ActionNameRole).toString() : QString();
}

QListWidgetItem* TlwListView::FindAction(const QString& name) const
{
    for (int row = 0; row < count(); ++row)
        if (ActionName(item(row)) == name)
            return item(row);
    return nullptr;
}

QPoint TlwListView::ItemPosition(const QListWidgetItem* item) const
{
    // A layout still pending would move the icon after we read it.
    const_cast<TlwListView*>(this)->executeDelayedItemsLayout();
    return rectForIndex(indexFromItem(item)).topLeft();
}

void TlwListView::SetItemPosition(QListWidgetItem* item, QPoint position)
{
    executeDelayedItemsLayout();
    setPositionForIndex(position, indexFromItem(item));
}

void TlwListView::AlignTop()
{
    align(true);
}

void TlwListView::AlignLeft()
{
    align(false);
}

void TlwListView::align(bool top)
{
    const QList<QListWidgetItem*> selected = selectedItems();
    if (selected.size() < 2)
        return;
    QListWidgetItem* anchor = currentItem();
    if (!anchor || !anchor->isSelected()) {
        anchor = selected.first();
        for (QListWidgetItem* item : selected)
            if (row(item) < row(anchor))
                anchor = item;
    }
    const QPoint edge = ItemPosition(anchor);
    for (QListWidgetItem* item : selected) {
        QPoint position = ItemPosition(item);
        if (top)
            position.setY(edge.y());
        else
            position.setX(edge.x());
        SetItemPosition(item, position);
    }
    viewport()->update();
}
