#pragma once

#include <QMenu>
#include <functional>

// The program's popup menu, filled in code: items with their handlers, separators, and emptying.
class TlwPopupMenu : public QMenu
{
    Q_OBJECT

public:
    explicit TlwPopupMenu(QWidget* parent = nullptr);

    // An item running `handler` when chosen, inserted first (`atTop`) or appended.
    QAction* AddItem(const QString& caption, bool atTop, std::function<void()> handler);
    // A separator at `position` (-1 or past the end: last) of `parent`'s items, or of this menu's own
    // items when `parent` is null.
    QAction* AddSeparator(int position = -1, QMenu* parent = nullptr);
    // Removes every item, the last first; items and submenus this menu made are destroyed.
    void ClearItems();
};
