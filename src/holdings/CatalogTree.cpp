#include "holdings/CatalogTree.h"

#include "data/Notifier.h"
#include "holdings/CatalogEditFrm.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QTreeWidgetItemIterator>

using namespace Qt::StringLiterals;

namespace {

constexpr int kRecordRole = Qt::UserRole + 1;

} // namespace

TCatalogTree::TCatalogTree(QWidget* parent) : QTreeWidget(parent), m_set(std::make_unique<TCatalogSet>())
{
    setObjectName(u"CatalogTree"_s);
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setMinimumWidth(180);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        if (item->childCount() == 0)
            LoadChildren(item);
    });
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (current)
            emit ClassChanged(Record(current));
    });
}

TCatalogTree::~TCatalogTree() = default;

void TCatalogTree::setRecord(QTreeWidgetItem* item, const RCatalog& record)
{
    item->setData(0, kRecordRole, QVariant::fromValue(record));
}

RCatalog TCatalogTree::Record(const QTreeWidgetItem* item)
{
    return item ? item->data(0, kRecordRole).value<RCatalog>() : RCatalog();
}

RCatalog TCatalogTree::Selected() const
{
    return Record(currentItem());
}

bool TCatalogTree::HasChildren(const QTreeWidgetItem* item)
{
    return item && (item->childCount() > 0 || item->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator);
}

QTreeWidgetItem* TCatalogTree::makeItem(const RCatalog& record)
{
    auto* item = new QTreeWidgetItem;
    item->setText(0, record.Caption());
    setRecord(item, record);
    return item;
}

void TCatalogTree::Reload()
{
    m_set->OpenAll();
    clear();
    RCatalog root;
    root.Id = -1;
    root.Code = u"sys-all"_s;
    root.Name = RootCaption;
    root.Path = RootCaption;
    auto* item = new QTreeWidgetItem(this);
    item->setText(0, RootCaption);
    setRecord(item, root);
    LoadChildren(item);
    item->setExpanded(true);
    setCurrentItem(nullptr);
    clearSelection();
}

void TCatalogTree::LoadChildren(QTreeWidgetItem* item)
{
    const RCatalog parent = Record(item);
    for (const RCatalog& child : m_set->Children(parent.SlfId)) {
        QTreeWidgetItem* node = makeItem(child);
        // shown as expandable before its level is read, so the set is not scanned level after level
        node->setChildIndicatorPolicy(m_set->HasChildren(child.SlfId) ? QTreeWidgetItem::ShowIndicator
                                                                      : QTreeWidgetItem::DontShowIndicator);
        item->addChild(node);
    }
    item->setChildIndicatorPolicy(item->childCount() > 0 ? QTreeWidgetItem::ShowIndicator
                                                         : QTreeWidgetItem::DontShowIndicator);
}

bool TCatalogTree::SelectCode(const QString& code)
{
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        if (Record(*it).Code == code) {
            setCurrentItem(*it);
            return true;
        }
    }
    return false;
}

void TCatalogTree::RefreshKeep()
{
    const QString code = Selected().Code;
    Reload();
    SelectCode(code);
}

void TCatalogTree::AddClass()
{
    QTreeWidgetItem* parentItem = currentItem();
    RCatalog record;
    if (parentItem) {
        const RCatalog parent = Record(parentItem);
        record.PrtId = parent.SlfId;
        record.Code = parent.Code;
        // the mark starts as the parent's, which the new class's mark usually extends
        record.Mark = parent.Id > 0 ? parent.Mark : QString();
        record.Path = parentItem->text(0);
    }
    TCatalogEditFrm::EditRecord(record, this, [this, parentItem](RCatalog& edited) {
        RCatalog stored = edited;
        if (!TCatalogSet::AppendNode(stored))
            return false;
        QTreeWidgetItem* node = makeItem(stored);
        if (parentItem) {
            // a parent whose level was never opened reads it whole now, new class included
            if (parentItem->childCount() == 0 && parentItem->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator) {
                delete node;
                m_set->OpenAll();
                LoadChildren(parentItem);
            } else {
                parentItem->addChild(node);
            }
            parentItem->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
            parentItem->setExpanded(true);
        } else {
            addTopLevelItem(node);
        }
        return true;
    });
}

void TCatalogTree::EditClass()
{
    QTreeWidgetItem* item = currentItem();
    if (!item)
        return;
    RCatalog record = Record(item);
    if (item->parent())
        record.Path = item->parent()->text(0);
    TCatalogEditFrm::EditRecord(record, this, [item](RCatalog& edited) {
        if (!TCatalogSet::UpdateNode(edited))
            return false;
        setRecord(item, edited);
        item->setText(0, edited.Caption());
        return true;
    });
}

void TCatalogTree::DeleteClass()
{
    QTreeWidgetItem* item = currentItem();
    if (!item) {
        Notifier().Warning(u"\r\n请选择要删除的分类\t"_s);
        return;
    }
    if (HasChildren(item)) {
        Notifier().Warning(u"\r\n该分类下有子类, 不能删除!\t"_s);
        return;
    }
    if (!Notifier().Confirm(u"\r\n确定要删除 %1 吗?"_s.arg(item->text(0))))
        return;
    if (!TCatalogSet::DeleteNode(Record(item).Id))
        return; // removed or given a subclass elsewhere meanwhile: the tree stays as it is
    QTreeWidgetItem* parent = item->parent();
    const int index = parent ? parent->indexOfChild(item) : indexOfTopLevelItem(item);
    const int siblings = parent ? parent->childCount() : topLevelItemCount();
    QTreeWidgetItem* next = nullptr;
    if (index > 0)
        next = parent ? parent->child(index - 1) : topLevelItem(index - 1);
    else if (index + 1 < siblings)
        next = parent ? parent->child(index + 1) : topLevelItem(index + 1);
    delete item;
    if (parent && parent->childCount() == 0)
        parent->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
    if (next)
        setCurrentItem(next);
}

void TCatalogTree::mousePressEvent(QMouseEvent* event)
{
    // a right click selects the node under the mouse before any menu opens
    if (event->button() == Qt::RightButton) {
        if (QTreeWidgetItem* item = itemAt(event->position().toPoint()))
            setCurrentItem(item);
    }
    QTreeWidget::mousePressEvent(event);
}
