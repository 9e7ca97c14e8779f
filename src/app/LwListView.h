#pragma once

#include <QListWidget>

class QAction;

// The program's icon desktop: large icons placed freely, several selectable. Each item stands for an
// action and keeps the action's object name, by which the window finds the action again.
//
// Icon positions hold until items are added or removed (the view then lays every icon out afresh),
// so a window adds all its items first and places them after.
class TlwListView : public QListWidget
{
    Q_OBJECT

public:
    static constexpr int ActionNameRole = Qt::UserRole + 1;

    explicit TlwListView(QWidget* parent = nullptr);

    // Appends an item with the action's caption (without its "&" marks), icon and hint.
    QListWidgetItem* AddAction(QAction* action);
    static QString ActionName(const QListWidgetItem* item);
    QListWidgetItem* FindAction(const QString& name) const;

    // With at least two items selected, every selected item takes the top (left) edge of the focused
    // item, or of the first selected item when the focused one is not selected.
    void AlignTop();
    void AlignLeft();

    // An icon's top-left corner in the desktop's own coordinates (independent of scrolling).
    QPoint ItemPosition(const QListWidgetItem* item) const;
    void SetItemPosition(QListWidgetItem* item, QPoint position);

signals:
    // An item was double-clicked or chosen with Enter.
    void actionActivated(const QString& name);

private:
    void align(bool top);
};
