#pragma once

#include "holdings/CatalogSet.h"

#include <QTreeWidget>
#include <memory>

Q_DECLARE_METATYPE(RCatalog)

// The classification tree: a root "中图分类简表" above the classes, each level read from the set the
// first time it is opened. Lists put it on their left to filter by class; the catalogue window uses
// it to maintain the classes.
class TCatalogTree : public QTreeWidget
{
    Q_OBJECT

public:
    static inline const QString RootCaption = QStringLiteral("中图分类简表");

    explicit TCatalogTree(QWidget* parent = nullptr);
    ~TCatalogTree() override;

    // Rereads the catalogue and shows the root with the first level; nothing is selected.
    void Reload();
    // Adds the classes directly under `item`, each marked as expandable when it has subclasses.
    void LoadChildren(QTreeWidgetItem* item);
    // Selects the first loaded node with this code; false when none is loaded.
    bool SelectCode(const QString& code);
    // Reloads and selects again the class that was selected, when it is on the first level.
    void RefreshKeep();

    // The maintenance actions of the catalogue window.
    void AddClass();
    void EditClass();
    void DeleteClass();

    // The class a node shows; the root's has Id -1 and the code "sys-all".
    static RCatalog Record(const QTreeWidgetItem* item);
    // The selected node's class; an empty record (Id 0) when nothing is selected.
    RCatalog Selected() const;
    // Whether a node's class has subclasses, loaded or not.
    static bool HasChildren(const QTreeWidgetItem* item);

signals:
    // The selection moved to a class (the root gives "sys-all").
    void ClassChanged(const RCatalog& record);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QTreeWidgetItem* makeItem(const RCatalog& record);
    static void setRecord(QTreeWidgetItem* item, const RCatalog& record);

    std::unique_ptr<TCatalogSet> m_set;
};
