#include "app/LwPopupMenu.h"

#include <QAction>

TlwPopupMenu::TlwPopupMenu(QWidget* parent) : QMenu(parent) {}

QAction* TlwPopupMenu::AddItem(const QString& caption, bool atTop, std::function<void()> handler)
{
    auto* item = new QAction(caption, this);
    if (handler)
        connect(item, &QAction::triggered, item, [handler = std::move(handler)] { handler(); });
    const QList<QAction*> items = actions();
    insertAction(atTop && !items.isEmpty() ? items.first() : nullptr, item);
    return item;
}

QAction* TlwPopupMenu::AddSeparator(int position, QMenu* parent)
{
    QMenu* menu = parent ? parent : this;
    auto* separator = new QAction(menu);
    separator->setSeparator(true);
    const QList<QAction*> items = menu->actions();
    menu->insertAction(position >= 0 && position < items.size() ? items.at(position) : nullptr, separator);
    return separator;
}

void TlwPopupMenu::ClearItems()
{
    const QList<QAction*> items = actions();
    for (qsizetype i = items.size() - 1; i >= 0; --i) {
        QAction* item = items.at(i);
        removeAction(item);
        if (QMenu* submenu = item->menu<QMenu*>(); submenu && submenu->parent() == this)
            delete submenu;
        else if (item->parent() == this)
            delete item;
    }
}
